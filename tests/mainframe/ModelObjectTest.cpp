#include "ModelTestFixture.h"

#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

namespace {

namespace wl = working_layout;
using platform::MessageResult;

TEST_F(ModelTest, IdentityAndRanges)
{
    EXPECT_EQ(model->ModelId1(), 0x3079);
    EXPECT_EQ(model->ModelId2(), 0);
    EXPECT_EQ(model->WorkingImage().GetSize(), 110839);
    const RangeList write = model->GetRangeList(0);
    ASSERT_EQ(write.size(), 2u);
    EXPECT_EQ(write[0].first, 0x0100);
    EXPECT_EQ(write[0].last, 0xFF7F);
    EXPECT_GT(write[1].first, write[1].last);
    for (int kind : {1, 2, 3}) {
        EXPECT_EQ(model->GetRangeList(kind)[0].first, 0) << kind;
        EXPECT_EQ(model->GetRangeList(kind)[0].last, 0xFF7F) << kind;
    }
    EXPECT_STREQ(indMain::ModelTypeSuffix(0), "Conv_Lmr_KCOOP_Rep");
    EXPECT_STREQ(indMain::ModelTypeSuffix(1), "Conv_Pmr_Dpmr_Rep");
}

struct HeaderCase {
    int id1;
    int id2;
    bool accepted;
    int code;
};

class CloneFileModelTest : public ModelTest, public ::testing::WithParamInterface<HeaderCase>
{};

TEST_P(CloneFileModelTest, AcceptsTheModelAndItsOtherVariant)
{
    int code = 0;
    EXPECT_EQ(model->CheckCloneFileModel(GetParam().id1, GetParam().id2, code),
              GetParam().accepted);
    EXPECT_EQ(code, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Headers, CloneFileModelTest,
                         ::testing::Values(HeaderCase{0x3079, 0, true, 0},
                                           HeaderCase{0x3079, 0x0100, true, 0},
                                           HeaderCase{0x3078, 0, false, 3},
                                           HeaderCase{0x3079, 1, false, 4}));

struct OptionBitsCase {
    uint8_t first;
    uint8_t second;
    int modelType;
};

class OptionBitsTest : public ModelTest, public ::testing::WithParamInterface<OptionBitsCase>
{};

TEST_P(OptionBitsTest, DecideTheModelType)
{
    cmcEeprom &image = model->WorkingImage();
    image.SetByte(wl::kModelOptionBits, GetParam().first);
    image.SetByte(wl::kModelOptionBits + 1, GetParam().second);
    EXPECT_EQ(indMain::ModelTypeFromOptionBits(image), GetParam().modelType);
}

INSTANTIATE_TEST_SUITE_P(Bits, OptionBitsTest,
                         ::testing::Values(OptionBitsCase{0x80, 0x40, 0}, // bits 0 and 9
                                           OptionBitsCase{0x48, 0x00, 1}, // bits 1 and 4
                                           OptionBitsCase{0x00, 0x00, 0},
                                           OptionBitsCase{0xC8, 0x40, 0}, // both: 0 wins
                                           OptionBitsCase{0x40, 0x00, 0}, // bit 1 alone
                                           OptionBitsCase{0x80, 0x00, 0}));

struct ImageCheckCase {
    const char *name;
    int32_t offset; // byte to change in a valid radio layout, -1 for none
    uint8_t value;
    bool strictPasses;
    bool loosePasses;
};

class ImageCheckTest : public ModelTest, public ::testing::WithParamInterface<ImageCheckCase>
{};

TEST_P(ImageCheckTest, ChecksTheIdentification)
{
    cmcEeprom image;
    image.CopyFrom(model->WorkingImage());
    if (GetParam().offset >= 0)
        image.SetByte(GetParam().offset, GetParam().value);
    EXPECT_EQ(model->CheckImage(image, true), GetParam().strictPasses);
    EXPECT_EQ(model->CheckImage(image, false), GetParam().loosePasses);
}

INSTANTIATE_TEST_SUITE_P(
    Images, ImageCheckTest,
    ::testing::Values(ImageCheckCase{"Valid", -1, 0, true, true},
                      ImageCheckCase{"LayoutCode", 0x091, 0x64, false, false},
                      ImageCheckCase{"MapRevision2", 0x108, 2, false, false},
                      ImageCheckCase{"MakerText", 0x100, 'W', false, true},
                      ImageCheckCase{"ModelCode", 0x10B, 0x78, false, true},
                      ImageCheckCase{"EndAddressFarOutside", 0x112, 0xFF, false, true},
                      ImageCheckCase{"BaseAboveTheEnd", 0x114, 0xFF, false, true}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(ModelTest, FreshDocumentIsUntitledAndUnmodified)
{
    EXPECT_EQ(model->TitleText(), "Untitled[*] - Quillon(dPMR)");
    EXPECT_EQ(view.title, "Untitled[*] - Quillon(dPMR)");
    EXPECT_FALSE(model->IsModified());
    EXPECT_TRUE(model->CheckImage(model->WorkingImage(), true));
    EXPECT_EQ(view.treeSuffix, mainTextDatabase().GetLine("GI_AppInd_ModelTree", 1));
    model->WorkingImage().SetByte(0x109D4, 7);
    EXPECT_TRUE(model->IsModified());
}

TEST_F(ModelTest, UnknownModelTypeBecomesType1WhenTheWindowIsBuilt)
{
    environment().modelType = 5;
    model->BuildWindow();
    EXPECT_EQ(environment().modelType, 1);
    EXPECT_EQ(indMain::ModelTypeFromOptionBits(model->WorkingImage()), 1);
}

TEST_F(ModelTest, ChangingTheModelTypeAsksAndStartsAFreshDocument)
{
    model->WorkingImage().SetByte(0x109D4, 7);
    recorder.queueAnswer(MessageResult::Cancel);
    EXPECT_FALSE(model->ChangeModelType(0, true));
    EXPECT_EQ(environment().modelType, 1);
    EXPECT_EQ(model->WorkingImage().GetByte(0x109D4), 7);

    recorder.queueAnswer(MessageResult::Ok);
    EXPECT_TRUE(model->ChangeModelType(0, true));
    ASSERT_EQ(recorder.shown().size(), 2u);
    EXPECT_EQ(recorder.shown()[1].text, mainTextDatabase().GetText("GI_AppMess_ChangeModel"));
    EXPECT_EQ(recorder.shown()[1].caption, "Quillon(dPMR)");
    EXPECT_EQ(recorder.shown()[1].buttons, platform::MessageButtons::OkCancel);
    EXPECT_EQ(environment().modelType, 0);
    EXPECT_EQ(indMain::ModelTypeFromOptionBits(model->WorkingImage()), 0);
    EXPECT_FALSE(model->IsModified());
    EXPECT_EQ(model->FilePath(), "");
    EXPECT_EQ(view.treeSuffix, mainTextDatabase().GetLine("GI_AppInd_ModelTree", 0));
    // Asking for the type in use changes nothing and asks nothing.
    EXPECT_TRUE(model->ChangeModelType(0, true));
    EXPECT_EQ(recorder.shown().size(), 2u);
}

TEST_F(ModelTest, NewerDataIsRefusedWithoutTouchingTheModel)
{
    cmcEeprom image;
    image.CopyFrom(model->WorkingImage());
    EXPECT_TRUE(model->CheckModel(image));
    // Mark block 21 as another program does, in the working layout, and
    // bring the radio layout up to date so that the test sees it.
    image.SetByte(wl::kNewerDataMark, 1);
    model->Conversion().WorkingToRadio(image, false);
    model->Shadows().first[0][0][0] = 0x5A;
    EXPECT_FALSE(model->CheckModel(image));
    EXPECT_EQ(model->Shadows().first[0][0][0], 0x5A);
}

TEST_F(ModelTest, CloneWriteNeedsAChannelInUse)
{
    model->CloneWriteCommand();
    ASSERT_EQ(recorder.shown().size(), 1u);
    EXPECT_EQ(recorder.shown()[0].text,
              mainTextDatabase().GetText("GI_AppMess_CloneErr_NoActualCh"));
    EXPECT_EQ(recorder.shown()[0].icon, platform::MessageIcon::Error);
}

// The first pass of a clone write asks; every "Cancel" stops it.
struct ConfirmationCase {
    const char *name;
    bool makerMode;
    bool clonePassword;
    std::vector<MessageResult> answers;
    std::vector<std::string> asked;
    bool phaseSet;
};

class CloneWriteConfirmationTest : public ModelTest,
                                   public ::testing::WithParamInterface<ConfirmationCase>
{};

TEST_P(CloneWriteConfirmationTest, AsksInOrder)
{
    const ConfirmationCase &c = GetParam();
    if (c.makerMode) {
        recorder.queueAnswer(MessageResult::Ok);
        model->EnterMakerMode();
        recorder.clear();
    }
    model->WorkingImage().SetByte(wl::kClonePasswordFlag, c.clonePassword ? 1 : 0);
    for (MessageResult answer : c.answers)
        recorder.queueAnswer(answer);
    model->WriteContinuation(0);
    std::vector<std::string> expected;
    for (const std::string &key : c.asked)
        expected.push_back(mainTextDatabase().GetText(key));
    EXPECT_EQ(shownTexts(), expected);
    EXPECT_EQ(model->CloneWritePhase(), c.phaseSet);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, CloneWriteConfirmationTest,
    ::testing::Values(
        ConfirmationCase{
            "Plain", false, false, {MessageResult::Ok}, {"GI_Mess_Confirm_CloneWrite"}, true},
        ConfirmationCase{"Cancelled",
                         false,
                         false,
                         {MessageResult::Cancel},
                         {"GI_Mess_Confirm_CloneWrite"},
                         false},
        ConfirmationCase{"MakerModeAndClonePassword",
                         true,
                         true,
                         {MessageResult::Ok, MessageResult::Ok, MessageResult::Ok},
                         {"GI_Mess_Maker_Caution", "GI_Mess_Confirm_CloneWriteClonePass",
                          "GI_Mess_Confirm_CloneWrite"},
                         true},
        ConfirmationCase{"ClonePasswordRefused",
                         false,
                         true,
                         {MessageResult::Cancel},
                         {"GI_Mess_Confirm_CloneWriteClonePass"},
                         false}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(ModelTest, MakerModeWritesFromTheFirstAddress)
{
    recorder.queueAnswer(MessageResult::Ok);
    model->EnterMakerMode();
    EXPECT_TRUE(model->MakerMode());
    EXPECT_EQ(model->MakerStatusText(), mainTextDatabase().GetFirstLine("GI_StatusPanel_Maker"));
    EXPECT_EQ(model->PrepareCloneWrite().ranges[0].first, 0);
}

struct ToleranceCase {
    uint8_t byte34;
    double tolerance;
};

class ToleranceTest : public ::testing::TestWithParam<ToleranceCase>
{};

TEST_P(ToleranceTest, FollowsTheRadiosRevision)
{
    EXPECT_DOUBLE_EQ(indMain::TwoToneLimitTolerance(GetParam().byte34), GetParam().tolerance);
}

INSTANTIATE_TEST_SUITE_P(Bytes, ToleranceTest,
                         ::testing::Values(ToleranceCase{0, 0.03}, ToleranceCase{15, 0.03},
                                           ToleranceCase{16, 0.03}, ToleranceCase{17, 0.02},
                                           ToleranceCase{31, 0.02}, ToleranceCase{32, 0.02},
                                           ToleranceCase{255, 0.02}));

TEST(TwoToneLimits, RoundToTheNearestInteger)
{
    int32_t lower = 0;
    int32_t upper = 0;
    indMain::TwoToneLimits(1000.5, 0.03, lower, upper);
    EXPECT_EQ(lower, 970);
    EXPECT_EQ(upper, 1031);
}

TEST(PrintAll, MultiTableSheetStandsForItsSixteenTables)
{
    const auto texts = indMain::PrintAllCallTexts(
        {"GI_Sheet_Memory_CH,D", "", "[St_Common]GI_Sheet_MultipleTable,X", "GI_Sheet_Scan"});
    ASSERT_EQ(texts.size(), 18u);
    EXPECT_EQ(texts[0], "GI_Sheet_Memory_CH,D");
    EXPECT_EQ(texts[1], "GI_Sheet_MultipleTable,M P,0");
    EXPECT_EQ(texts[16], "GI_Sheet_MultipleTable,M P,15");
    EXPECT_EQ(texts[17], "GI_Sheet_Scan");
}

// The tree also opens each table on its own: still every table prints once.
TEST(PrintAll, EveryMultiTablePrintsOnceWhenTheTreeNamesEachTable)
{
    const auto texts =
        indMain::PrintAllCallTexts({"GI_Sheet_MultipleTable,M", "GI_Sheet_MultipleTable,M P,0",
                                    "GI_Sheet_MultipleTable,M P,15", "GI_Sheet_Scan"});
    ASSERT_EQ(texts.size(), 17u);
    EXPECT_EQ(texts[0], "GI_Sheet_MultipleTable,M P,0");
    EXPECT_EQ(texts[15], "GI_Sheet_MultipleTable,M P,15");
    EXPECT_EQ(texts[16], "GI_Sheet_Scan");
}

} // namespace
