#pragma once

#include <QDialog>
#include <QPointer>

#include <memory>
#include <string>

class QFrame;
class QHBoxLayout;
class QPushButton;
class cmcGTex;
class cuiImageList;
class cuiSheet;

// A dialog window made of one sheet of the text database: the sheet in a
// raised panel, every row and column in view, and a row of buttons in the
// bottom right corner. It opens centred over its owner and inside the work
// area. The information and the language windows are built on it.
class SheetDialog : public QDialog
{
public:
    ~SheetDialog() override;
    SheetDialog(const SheetDialog &) = delete;
    SheetDialog &operator=(const SheetDialog &) = delete;

    cuiSheet *Sheet() const { return sheet_.get(); }

protected:
    static constexpr int kPanelBorder = 8;
    static constexpr int kButtonMargin = 5;
    static constexpr int kButtonSpacing = 10;

    // The sheet, built and shown in the panel; without origin cell.
    SheetDialog(QWidget *owner, const std::string &caption, cmcGTex &texts,
                const std::string &sheetKey, const cuiImageList *images);

    // A button right of those added before.
    QPushButton *AddButton(const std::string &caption);
    // Escape presses it, also while the sheet has the keyboard.
    void SetEscapeButton(QPushButton *button) { escapeButton_ = button; }
    // Shows the window with the panel fitted to the sheet, centred over the
    // owner and moved inside the work area.
    void ShowOverOwner();
    QWidget *Owner() const { return owner_; }

    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fitPanelToSheet();

    QPointer<QWidget> owner_;
    QFrame *panel_;
    QWidget *container_;
    std::unique_ptr<cuiSheet> sheet_;
    QHBoxLayout *buttons_;
    QPushButton *escapeButton_ = nullptr;
};
