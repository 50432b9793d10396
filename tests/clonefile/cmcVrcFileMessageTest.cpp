#include "clonefile/CloneFilePolicy.h"
#include "clonefile/cmcVrcFile.h"

#include "VrcTestFiles.h"
#include "platform/MessageService.h"

#include <gtest/gtest.h>

using platform::MessageButtons;
using platform::MessageIcon;
using vrc_test::joinLines;

namespace {

class VrcMessages : public testing::Test
{
protected:
    VrcMessages() : scoped_(messages_) { vrc_test::useMessageTexts(); }

    platform::RecordingMessageService messages_;
    platform::ScopedMessageService scoped_;
    vrc_test::TempFolder folder_;
};

TEST_F(VrcMessages, EveryCodeHasItsKeyAndOneMessageShape)
{
    const char *keys[] = {
        "GI_Mess_FileErr_FileOpen", "GI_Mess_FileErr_FileAccess", "GI_Mess_FileErr_Model",
        "GI_Mess_FileErr_Extra",    "GI_Mess_FileErr_MapRev",     "GI_Mess_FileErr_Format",
        "GI_Mess_FileErr_Coverage", "GI_Mess_FileErr_Data",       "GI_Mess_FileErr_Newer",
    };
    for (int code = 1; code <= 9; ++code) {
        const std::string key = keys[code - 1];
        EXPECT_EQ(cmcVrcFile::ErrorKey(code), key);
        messages_.clear();
        cmcVrcFile::ShowError(code);
        ASSERT_EQ(messages_.shown().size(), 1u) << code;
        const auto &shown = messages_.shown()[0];
        EXPECT_EQ(shown.caption, "Quillon test");
        EXPECT_EQ(shown.text, "File error\n\nText of " + key);
        EXPECT_EQ(shown.icon, MessageIcon::Warning);
        EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    }
}

TEST_F(VrcMessages, SuccessAndUnknownCodesShowNothing)
{
    for (const int code : {0, -1, 10}) {
        EXPECT_EQ(cmcVrcFile::ErrorKey(code), nullptr) << code;
        cmcVrcFile::ShowError(code);
    }
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(VrcMessages, ReadAndWriteReportTheirOwnFailuresOnce)
{
    cmcEeprom image;
    image.SetSize(vrc_test::kWorkingImageSize);
    cmcVrcFile file;
    file.SetImage(&image);
    clone_file_policy::applyTo(file);
    const RangeList fileRanges = clone_file_policy::fileRanges();
    struct Case {
        const char *name;
        std::string content;
        const RangeList *ranges;
        const char *key; // nullptr: no message
    } cases[] = {
        {"good", joinLines({"30790000", "0000010A"}), nullptr, nullptr},
        {"format", joinLines({"3079000A"}), nullptr, "GI_Mess_FileErr_Format"},
        {"coverage", joinLines({"30790000", "0000010A"}), &fileRanges, "GI_Mess_FileErr_Coverage"},
    };
    for (const Case &c : cases) {
        messages_.clear();
        const std::string path = folder_.write("m.vrc", c.content);
        if (c.ranges != nullptr)
            file.Read(path, *c.ranges);
        else
            file.Read(path);
        if (c.key == nullptr) {
            EXPECT_TRUE(messages_.shown().empty()) << c.name;
            continue;
        }
        ASSERT_EQ(messages_.shown().size(), 1u) << c.name;
        EXPECT_EQ(messages_.shown()[0].text, std::string("File error\n\nText of ") + c.key);
    }

    messages_.clear();
    EXPECT_EQ(file.Write(folder_.path("none/x.vrc"), clone_file_policy::fileRanges()),
              cmcVrcFile::ErrFileOpen);
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].text, "File error\n\nText of GI_Mess_FileErr_FileOpen");
}

TEST_F(VrcMessages, CallersThatWordFailuresThemselvesSeeNoMessage)
{
    cmcEeprom image;
    image.SetSize(16);
    cmcVrcFile file;
    file.SetImage(&image);
    file.SetReportErrors(false);
    EXPECT_EQ(file.Read(folder_.path("missing.vrc")), cmcVrcFile::ErrFileOpen);
    EXPECT_TRUE(messages_.shown().empty());
}

} // namespace
