#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the program's icon, what it is and its version, and one
// button that closes it. It does not block the main window and frees itself
// when closed.
class AboutBox : public QDialog
{
public:
    explicit AboutBox(QWidget *mainWindow);

    // Shows a new box centred over the main window.
    static AboutBox *Open(QWidget *mainWindow);

    QLabel *Information() const { return information_; }
    QPushButton *CloseButton() const { return button_; }

private:
    QLabel *information_;
    QPushButton *button_;
};
