#include "ui/WidgetMessageService.h"

#include <QPushButton>

using platform::MessageButtons;
using platform::MessageIcon;
using platform::MessageResult;

namespace {

QMessageBox::Icon iconOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton;
};

// The first button is the default, as on the platform the program came from.
ButtonSet buttonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    case MessageButtons::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
    case MessageButtons::YesNoCancel:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                QMessageBox::Cancel};
    case MessageButtons::Ok:
        break;
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

} // namespace

WidgetMessageService::WidgetMessageService(ParentProvider parent) : parent_(std::move(parent)) {}

QMessageBox *WidgetMessageService::createBox(QWidget *parent, const std::string &caption,
                                             const std::string &text, MessageIcon icon,
                                             MessageButtons buttons)
{
    const ButtonSet set = buttonsOf(buttons);
    auto *box = new QMessageBox(iconOf(icon), QString::fromStdString(caption),
                                QString::fromStdString(text), set.buttons, parent);
    box->setDefaultButton(set.defaultButton);
    box->setEscapeButton(set.escapeButton);
    box->setTextFormat(Qt::PlainText);
    return box;
}

MessageResult WidgetMessageService::resultOf(int standardButton)
{
    switch (standardButton) {
    case QMessageBox::Ok:
        return MessageResult::Ok;
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    default:
        return MessageResult::Cancel;
    }
}

MessageResult WidgetMessageService::show(const std::string &caption, const std::string &text,
                                         MessageIcon icon, MessageButtons buttons)
{
    QMessageBox *box = createBox(parent_ ? parent_() : nullptr, caption, text, icon, buttons);
    const int answer = box->exec();
    delete box;
    // A box with only OK that was closed another way still means OK.
    if (buttons == MessageButtons::Ok)
        return MessageResult::Ok;
    return resultOf(answer);
}
