#include "ModelTestFixture.h"

#include "channels/datCh.h"
#include "support/TestPaths.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QFileInfo>

#include <fstream>
#include <sstream>

namespace {

namespace wl = working_layout;
using platform::MessageResult;

std::string readText(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string folderOf(const std::string &path)
{
    return QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
}

TEST_F(ModelTest, SavedFileLoadsBackAsTheSameDocument)
{
    useChannel(model->WorkingImage(), 0, 145500000);
    const std::string path = tempPath("radio.vrc");
    ASSERT_TRUE(model->SaveTo(path));
    EXPECT_EQ(model->FilePath(), path);
    EXPECT_EQ(model->TitleText(), "radio.vrc[*] - Quillon(dPMR)");
    EXPECT_FALSE(model->IsModified());
    EXPECT_EQ(environment().currentDirectory, folderOf(path));
    EXPECT_EQ(model->DefaultDirectory(), folderOf(path));
    EXPECT_EQ(environment().recentFiles.displayText(0, ""), path);
    EXPECT_EQ(readText(path).substr(0, 30), "30790000\r\n#Comment=\r\n#MapRev=1");

    cmcEeprom saved;
    saved.CopyFrom(model->WorkingImage());
    model->New();
    EXPECT_EQ(model->FilePath(), "");
    EXPECT_EQ(image_words::read32(model->WorkingImage(), wl::kChannelMain), 0u);

    ASSERT_TRUE(model->LoadFile(path));
    EXPECT_TRUE(recorder.shown().empty());
    EXPECT_EQ(model->FilePath(), path);
    EXPECT_FALSE(model->IsModified());
    // The file holds the radio layout and the blocks it lists: those come
    // back; unused channel slots are the normalisation's to fill.
    const cmcEeprom &loaded = model->WorkingImage();
    for (int32_t a = 0; a < wl::kRadioEnd; ++a)
        ASSERT_EQ(loaded.GetByte(a), saved.GetByte(a)) << std::hex << a;
    for (int32_t a = wl::kChannelMain; a < wl::kChannelMain + 34; ++a)
        ASSERT_EQ(loaded.GetByte(a), saved.GetByte(a)) << std::hex << a;
    for (int32_t a = 0x109D4; a < 0x109F4; ++a)
        ASSERT_EQ(loaded.GetByte(a), saved.GetByte(a)) << std::hex << a;
    EXPECT_TRUE(model->ReferenceImage().Equals(loaded));
}

// A file of an older firmware splits the channels into a fixed and a
// variable part; its count word stops at the variable part's first, empty
// slot, before the last channel. Opening it keeps that channel, and so does
// saving it again.
TEST_F(ModelTest, LegacyChannelPartsKeepEveryChannel)
{
    const auto namedChannels = [this] {
        std::vector<std::pair<int, std::int32_t>> found;
        datCh record(&model->WorkingImage());
        for (int slot = 0; slot < record.bankChannelCount(0); ++slot) {
            record.decode(datCh::channelKind(), slot);
            if (record.isUsed())
                found.emplace_back(slot, record.FreqR);
        }
        return found;
    };
    const std::vector<std::pair<int, std::int32_t>> expected = {{0, 446006250}, {2, 446093750}};
    ASSERT_TRUE(model->LoadFile(testing_support::fixtureDir() + "cli/legacy-split-channels.vrc"));
    EXPECT_EQ(datCh(&model->WorkingImage()).bankChannelCount(0), 3);
    EXPECT_EQ(namedChannels(), expected);

    const std::string path = tempPath("resaved.vrc");
    ASSERT_TRUE(model->SaveTo(path));
    model->New();
    ASSERT_TRUE(model->LoadFile(path));
    EXPECT_EQ(namedChannels(), expected);
}

TEST_F(ModelTest, FileOfTheOtherModelTypeSwitchesWithoutAsking)
{
    ASSERT_EQ(environment().modelType, 1);
    cmcEeprom other;
    other.CopyFrom(model->WorkingImage());
    other.SetByte(wl::kModelOptionBits, 0x80);
    other.SetByte(wl::kModelOptionBits + 1, 0x40);
    other.SetByte(0x109D4, 9);
    model->Conversion().WorkingToRadio(other, false);
    const std::string path = writeRadioFile(other, "lmr.vrc");

    ASSERT_TRUE(model->LoadFile(path));
    EXPECT_TRUE(recorder.shown().empty());
    EXPECT_EQ(environment().modelType, 0);
    EXPECT_EQ(indMain::ModelTypeFromOptionBits(model->InitialImage()), 0);
    EXPECT_EQ(model->WorkingImage().GetByte(0x109D4), 9);
    EXPECT_EQ(view.treeSuffix, mainTextDatabase().GetLine("GI_AppInd_ModelTree", 0));
}

// Files the program refuses: the message names the reason, and the
// document, its path and its title stay as they were.
struct RefusedFileCase {
    const char *name;
    const char *messageKey;
    int32_t offset; // radio layout byte to change, -1 for none
    uint8_t value;
    const char *editLines; // replaces the file's text after writing, "" for none
};

class RefusedFileTest : public ModelTest, public ::testing::WithParamInterface<RefusedFileCase>
{};

TEST_P(RefusedFileTest, LeavesTheDocumentUnchanged)
{
    const RefusedFileCase &c = GetParam();
    const std::string current = tempPath("current.vrc");
    ASSERT_TRUE(model->SaveTo(current));
    model->WorkingImage().SetByte(0x109D4, 4);
    ASSERT_TRUE(model->SaveTo(current));
    cmcEeprom before;
    before.CopyFrom(model->WorkingImage());

    cmcEeprom bad;
    bad.CopyFrom(model->WorkingImage());
    if (c.offset >= 0)
        bad.SetByte(c.offset, c.value);
    std::string path = writeRadioFile(bad, "bad.vrc");
    if (*c.editLines != '\0') {
        std::string text = readText(path);
        const size_t at = text.find("00801000");
        text.erase(at, text.find('\n', at) + 1 - at); // drop the line for 0x0080
        if (std::string(c.editLines) == "header")
            text.replace(0, 8, "3079000A");
        std::ofstream(path, std::ios::binary) << text;
    }
    recorder.clear();
    EXPECT_FALSE(model->LoadFile(path));
    ASSERT_EQ(recorder.shown().size(), 1u);
    EXPECT_NE(recorder.shown()[0].text.find(mainTextDatabase().GetFirstLine(c.messageKey)),
              std::string::npos)
        << recorder.shown()[0].text;
    EXPECT_TRUE(model->WorkingImage().Equals(before));
    EXPECT_EQ(model->FilePath(), current);
    EXPECT_EQ(view.title, "current.vrc[*] - Quillon(dPMR)");
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedFileTest,
    ::testing::Values(RefusedFileCase{"ImageCheck", "GI_Mess_FileErr_Data", 0x090, 0x31, ""},
                      RefusedFileCase{"MissingLine", "GI_Mess_FileErr_Coverage", -1, 0, "drop"},
                      RefusedFileCase{"HeaderWithLetters", "GI_Mess_FileErr_Format", -1, 0,
                                      "header"}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(ModelTest, NewerDataFileIsRefused)
{
    cmcEeprom newer;
    newer.CopyFrom(model->WorkingImage());
    newer.SetByte(wl::kNewerDataMark, 1);
    model->Conversion().WorkingToRadio(newer, false);
    const std::string path = writeRadioFile(newer, "newer.vrc");
    EXPECT_FALSE(model->LoadFile(path));
    ASSERT_EQ(recorder.shown().size(), 1u);
    EXPECT_NE(
        recorder.shown()[0].text.find(mainTextDatabase().GetFirstLine("GI_Mess_FileErr_Newer")),
        std::string::npos);
    EXPECT_EQ(model->FilePath(), "");
}

struct CommentCase {
    const char *name;
    std::string first;
    std::string second;
    std::string comment;
};

class CloneCommentTest : public ModelTest, public ::testing::WithParamInterface<CommentCase>
{};

TEST_P(CloneCommentTest, JoinsTheTwoFields)
{
    cmcEeprom &image = model->WorkingImage();
    image.WriteBlock(wl::kCloneComment1, reinterpret_cast<const uint8_t *>(GetParam().first.data()),
                     16);
    image.WriteBlock(wl::kCloneComment2,
                     reinterpret_cast<const uint8_t *>(GetParam().second.data()), 16);
    EXPECT_EQ(cuiMain::CloneComment(image), GetParam().comment);
}

INSTANTIATE_TEST_SUITE_P(
    Comments, CloneCommentTest,
    ::testing::Values(CommentCase{"Plain", "Fleet 7         ", "Base station    ",
                                  "Fleet 7Base station"},
                      CommentCase{"ControlCharacters", std::string("A\tB\x01       \x7F    ", 16),
                                  "C               ", "A BC"},
                      CommentCase{"Blank", std::string(16, ' '), std::string(16, '\0'), ""}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(ModelTest, OpeningTheOpenFileAfterChangesAsksToSaveElsewhere)
{
    const std::string path = tempPath("open.vrc");
    ASSERT_TRUE(model->SaveTo(path));
    model->WorkingImage().SetByte(0x109D4, 5);
    recorder.queueAnswer(MessageResult::Yes);
    EXPECT_FALSE(model->LoadFile(path)); // the save dialog is cancelled
    ASSERT_EQ(recorder.shown().size(), 1u);
    EXPECT_EQ(recorder.shown()[0].text,
              mainTextDatabase().GetFirstLine("GI_Mess_Confirm_WriteAnother"));
    EXPECT_EQ(recorder.shown()[0].buttons, platform::MessageButtons::YesNoCancel);
    ASSERT_EQ(view.saveDialogs.size(), 1u);
    EXPECT_EQ(view.saveDialogs[0].fileName, "open.vrc");
    EXPECT_EQ(view.saveDialogs[0].defaultExtension, "vrc");
    EXPECT_EQ(model->WorkingImage().GetByte(0x109D4), 5);
}

TEST_F(ModelTest, NewAfterChangesAsksWithTheFileName)
{
    model->WorkingImage().SetByte(0x109D4, 5);
    recorder.queueAnswer(MessageResult::Cancel);
    model->New();
    EXPECT_EQ(recorder.shown()[0].text, "Save the changes to 'Untitled'?");
    EXPECT_EQ(model->WorkingImage().GetByte(0x109D4), 5);
    recorder.queueAnswer(MessageResult::No);
    model->New();
    EXPECT_NE(model->WorkingImage().GetByte(0x109D4), 5);
    EXPECT_FALSE(model->IsModified());
}

TEST_F(ModelTest, OpenWithoutAWindowDoesNothing)
{
    model->AttachView(nullptr);
    model->Open();
    EXPECT_EQ(model->FilePath(), "");
    EXPECT_TRUE(recorder.shown().empty());
}

} // namespace
