#include "mainframe/cuiLanguage.h"

#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "textdb/cmcGTex.h"

#include <QPushButton>

cuiLanguage *cuiLanguage::Open(QWidget *owner, const std::string &caption, cmcGTex &texts,
                               const std::string &sheetKey, const cuiImageList *images, Apply apply)
{
    auto *window = new cuiLanguage(owner, caption, texts, sheetKey, images, std::move(apply));
    window->ShowOverOwner();
    // A disabled owner disables its windows too; this one alone takes input.
    if (owner != nullptr)
        owner->setEnabled(false);
    window->setEnabled(true);
    window->remembered_ = environment().languageNumber;
    if (cuiSheet *sheet = window->Sheet(); sheet != nullptr && sheet->Grid() != nullptr)
        sheet->Grid()->setFocus();
    return window;
}

cuiLanguage::cuiLanguage(QWidget *owner, const std::string &caption, cmcGTex &texts,
                         const std::string &sheetKey, const cuiImageList *images, Apply apply)
    : SheetDialog(owner, caption, texts, sheetKey, images), apply_(std::move(apply))
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The texts may change language before the window goes; the captions
    // are read now.
    ok_ = AddButton(texts.GetLine("GI_AppInd_Button_OkCancel", 0));
    cancel_ = AddButton(texts.GetLine("GI_AppInd_Button_OkCancel", 1));
    ok_->setDefault(true);
    SetEscapeButton(cancel_);
    connect(ok_, &QPushButton::clicked, this, [this] { confirm(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });
}

// The main window takes input again and has the focus.
cuiLanguage::~cuiLanguage()
{
    if (QWidget *owner = Owner()) {
        owner->setEnabled(true);
        owner->activateWindow();
    }
}

void cuiLanguage::confirm()
{
    if (environment().languageNumber != remembered_ && apply_ && !apply_())
        environment().languageNumber = remembered_;
    release();
}

void cuiLanguage::cancel()
{
    environment().languageNumber = remembered_;
    release();
}

void cuiLanguage::reject() { release(); }

void cuiLanguage::release()
{
    if (released_)
        return;
    released_ = true;
    hide();
    deleteLater();
}
