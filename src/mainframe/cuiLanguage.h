#pragma once

#include "mainframe/SheetDialog.h"

#include <cstdint>
#include <functional>
#include <string>

class QPushButton;
class cmcGTex;
class cuiImageList;

// The language window: one sheet in which the user picks the language of the
// program's texts. A language picked in its list becomes the setting at
// once; OK also switches the running program to it, Cancel (or Escape) puts
// the setting back, and closing the window keeps the setting for the next
// start without switching. The owner takes no input while the window is
// open; the window frees itself when closed.
class cuiLanguage : public SheetDialog
{
public:
    // Switches the program to the language of the setting; false when it
    // could not, so that the setting goes back.
    using Apply = std::function<bool()>;

    static cuiLanguage *Open(QWidget *owner, const std::string &caption, cmcGTex &texts,
                             const std::string &sheetKey, const cuiImageList *images, Apply apply);
    ~cuiLanguage() override;

    QPushButton *OkButton() const { return ok_; }
    QPushButton *CancelButton() const { return cancel_; }
    // The language when the window opened.
    std::int32_t RememberedLanguage() const { return remembered_; }

protected:
    cuiLanguage(QWidget *owner, const std::string &caption, cmcGTex &texts,
                const std::string &sheetKey, const cuiImageList *images, Apply apply);

    // Closing by the title bar or the system menu keeps the setting.
    void reject() override;

private:
    void confirm();
    void cancel();
    void release();

    Apply apply_;
    QPushButton *ok_;
    QPushButton *cancel_;
    std::int32_t remembered_ = 0;
    bool released_ = false;
};
