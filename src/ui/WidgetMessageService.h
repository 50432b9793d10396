#pragma once

#include "platform/MessageService.h"

#include <QMessageBox>

#include <functional>

class QWidget;

// Message boxes of the desktop program: a modal QMessageBox over the main
// window with the icon, buttons and caption the caller asked for.
class WidgetMessageService : public platform::MessageService
{
public:
    // The window the boxes are modal to; may change (and be null) over time.
    using ParentProvider = std::function<QWidget *()>;
    explicit WidgetMessageService(ParentProvider parent = {});

    platform::MessageResult show(const std::string &caption, const std::string &text,
                                 platform::MessageIcon icon,
                                 platform::MessageButtons buttons) override;

    // The box as it would be shown, not yet executed (tests inspect it).
    static QMessageBox *createBox(QWidget *parent, const std::string &caption,
                                  const std::string &text, platform::MessageIcon icon,
                                  platform::MessageButtons buttons);
    static platform::MessageResult resultOf(int standardButton);

private:
    ParentProvider parent_;
};
