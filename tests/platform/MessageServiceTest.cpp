#include "platform/MessageService.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(MessageService, DefaultServiceAnswersTheCautiousButton)
{
    struct Case {
        MessageButtons buttons;
        MessageResult expected;
    } cases[] = {
        {MessageButtons::Ok, MessageResult::Ok},
        {MessageButtons::OkCancel, MessageResult::Cancel},
        {MessageButtons::YesNo, MessageResult::No},
        {MessageButtons::YesNoCancel, MessageResult::Cancel},
    };
    for (const auto &c : cases)
        EXPECT_EQ(showMessage("cap", "text", MessageIcon::Warning, c.buttons), c.expected);
}

TEST(MessageService, RecorderKeepsEveryBoxAndAnswersFromItsScript)
{
    RecordingMessageService recorder;
    ScopedMessageService scope(recorder);
    recorder.queueAnswer(MessageResult::Cancel);

    EXPECT_EQ(showMessage("A", "first", MessageIcon::Warning, MessageButtons::OkCancel),
              MessageResult::Cancel);
    EXPECT_EQ(showMessage("B", "second", MessageIcon::Error), MessageResult::Ok);
    EXPECT_EQ(showMessage("C", "third", MessageIcon::Question, MessageButtons::YesNoCancel),
              MessageResult::Yes);

    ASSERT_EQ(recorder.shown().size(), 3u);
    EXPECT_EQ(recorder.shown()[0].caption, "A");
    EXPECT_EQ(recorder.shown()[1].text, "second");
    EXPECT_EQ(recorder.shown()[1].icon, MessageIcon::Error);
    EXPECT_EQ(recorder.shown()[2].buttons, MessageButtons::YesNoCancel);
}

TEST(MessageService, ScopeRestoresTheDefault)
{
    RecordingMessageService recorder;
    {
        ScopedMessageService scope(recorder);
        EXPECT_EQ(&MessageService::current(), &recorder);
    }
    EXPECT_NE(&MessageService::current(), &recorder);
}
