#pragma once

#include <QDialog>

#include <memory>
#include <string>

class QFrame;
class QPushButton;
class cmcGTex;
class cuiImageList;
class cuiSheet;

// A window that shows one sheet and an OK button, such as what the radio
// reported about itself. It blocks the main window while it is open and
// frees itself when closed.
class cuiInformation : public QDialog
{
public:
    // Shows a new window centred over `owner`.
    static cuiInformation *Open(QWidget *owner, const std::string &caption, cmcGTex &texts,
                                const std::string &sheetKey, const cuiImageList *images);

    cuiInformation(QWidget *owner, const std::string &caption, cmcGTex &texts,
                   const std::string &sheetKey, const cuiImageList *images);
    ~cuiInformation() override;

    cuiSheet *Sheet() const { return sheet_.get(); }
    QPushButton *OkButton() const { return ok_; }

private:
    QWidget *owner_;
    QFrame *panel_;
    std::unique_ptr<cuiSheet> sheet_;
    QPushButton *ok_;
};
