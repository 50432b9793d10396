#include "ui/WidgetMessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

using platform::MessageButtons;
using platform::MessageIcon;
using platform::MessageResult;

namespace {

TEST(WidgetMessageService, BoxCarriesCaptionTextIconAndButtons)
{
    struct Case {
        MessageIcon icon;
        MessageButtons buttons;
        QMessageBox::Icon qtIcon;
        QMessageBox::StandardButtons qtButtons;
        QMessageBox::StandardButton escape;
    } cases[] = {
        {MessageIcon::Error, MessageButtons::Ok, QMessageBox::Critical, QMessageBox::Ok,
         QMessageBox::Ok},
        {MessageIcon::Warning, MessageButtons::OkCancel, QMessageBox::Warning,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel},
        {MessageIcon::Question, MessageButtons::YesNoCancel, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel},
        {MessageIcon::Information, MessageButtons::YesNo, QMessageBox::Information,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::No},
    };
    for (const auto &c : cases) {
        std::unique_ptr<QMessageBox> box(WidgetMessageService::createBox(
            nullptr, "Caption", "Line 1\nLine <2>", c.icon, c.buttons));
        EXPECT_EQ(box->windowTitle(), "Caption");
        EXPECT_EQ(box->text(), "Line 1\nLine <2>");
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), c.qtIcon);
        EXPECT_EQ(box->standardButtons(), c.qtButtons);
        EXPECT_EQ(box->standardButton(box->escapeButton()), c.escape);
    }
}

TEST(WidgetMessageService, ShowReturnsTheButtonPressed)
{
    WidgetMessageService service;
    struct Case {
        MessageButtons buttons;
        QMessageBox::StandardButton press;
        MessageResult expected;
    } cases[] = {
        {MessageButtons::OkCancel, QMessageBox::Ok, MessageResult::Ok},
        {MessageButtons::OkCancel, QMessageBox::Cancel, MessageResult::Cancel},
        {MessageButtons::YesNoCancel, QMessageBox::No, MessageResult::No},
        {MessageButtons::YesNo, QMessageBox::Yes, MessageResult::Yes},
        {MessageButtons::Ok, QMessageBox::Ok, MessageResult::Ok},
    };
    for (const auto &c : cases) {
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            box->button(c.press)->click();
        });
        EXPECT_EQ(service.show("C", "T", MessageIcon::Warning, c.buttons), c.expected);
    }
}

} // namespace
