#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The small dialogs of the link options: the COM port number (typed, chosen
// from the port numbers present, or from the port descriptions), the IP
// address and TCP port of the bridge, and the clone password. Every text
// comes from the text database under the dialog's key prefix; a refused
// input shows the dialog's error message and keeps the dialog open, an
// accepted one goes into the settings.
class OptionDialog : public QDialog
{
public:
    enum class Kind {
        ComPortEdit,
        ComPortList,
        ComPortDescriptions,
        IpAddress,
        TcpPort,
        ClonePassword
    };

    // Lists the COM port forms offer, asked again each time a list drops.
    using ListSource = std::function<std::vector<std::string>()>;

    OptionDialog(Kind kind, QWidget *mainWindow);

    // Modal; true when a value was accepted and stored.
    bool Run();

    // The COM port dialog form of the menu commands (0, 1 or 2).
    static Kind ComPortForm(int form);
    // Tests replace the port lists of the system.
    static void SetPortSources(ListSource numbers, ListSource descriptions);

    Kind kind() const { return kind_; }
    // The input: an edit box, or a combo box for the two list forms.
    QLineEdit *Edit() const { return edit_; }
    QComboBox *Combo() const { return combo_; }
    QLabel *Notice() const { return notice_; }
    // Under a COM port number: the device the typed number reaches and the
    // ports present, with their numbers; null in the other dialogs.
    QLabel *Devices() const { return devices_; }
    QPushButton *OkButton() const { return ok_; }
    QPushButton *CancelButton() const { return cancel_; }

    void accept() override;

private:
    struct Form;
    static const Form &formOf(Kind kind);

    void createInput(const Form &form);
    void layOut(const Form &form);
    void fillComboList();
    void showDevices();
    QString inputText() const;
    // Stores the value; false when the text is refused.
    bool store();
    void refuse();

    Kind kind_;
    QWidget *mainWindow_;
    QLabel *notice_ = nullptr;
    QLabel *devices_ = nullptr;
    QLineEdit *edit_ = nullptr;
    QComboBox *combo_ = nullptr;
    QPushButton *ok_ = nullptr;
    QPushButton *cancel_ = nullptr;
};
