#pragma once

#include "mainframe/SheetDialog.h"

#include <string>

class QPushButton;
class cmcGTex;
class cuiImageList;

// A window that shows one sheet and an OK button, such as what the radio
// reported about itself. It blocks the main window while it is open and
// frees itself when closed.
class cuiInformation : public SheetDialog
{
public:
    // Shows a new window centred over `owner`.
    static cuiInformation *Open(QWidget *owner, const std::string &caption, cmcGTex &texts,
                                const std::string &sheetKey, const cuiImageList *images);

    cuiInformation(QWidget *owner, const std::string &caption, cmcGTex &texts,
                   const std::string &sheetKey, const cuiImageList *images);
    ~cuiInformation() override;

    QPushButton *OkButton() const { return ok_; }

private:
    QPushButton *ok_;
};
