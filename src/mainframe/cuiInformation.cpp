#include "mainframe/cuiInformation.h"

#include "textdb/cmcGTex.h"

#include <QPushButton>

cuiInformation *cuiInformation::Open(QWidget *owner, const std::string &caption, cmcGTex &texts,
                                     const std::string &sheetKey, const cuiImageList *images)
{
    auto *window = new cuiInformation(owner, caption, texts, sheetKey, images);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->ShowOverOwner();
    window->ok_->setFocus();
    return window;
}

cuiInformation::cuiInformation(QWidget *owner, const std::string &caption, cmcGTex &texts,
                               const std::string &sheetKey, const cuiImageList *images)
    : SheetDialog(owner, caption, texts, sheetKey, images)
{
    // The owner takes no input while the window is open, as if disabled.
    setModal(true);
    ok_ = AddButton(texts.GetLine("GI_AppInd_Button_OkCancel", 0));
    ok_->setDefault(true);
    SetEscapeButton(ok_);
    connect(ok_, &QPushButton::clicked, this, &QDialog::close);
}

// The main window gets the focus back.
cuiInformation::~cuiInformation()
{
    if (QWidget *owner = Owner())
        owner->activateWindow();
}
