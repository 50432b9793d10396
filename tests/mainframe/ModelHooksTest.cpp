#include "ModelTestFixture.h"

#include "channels/datCh.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

namespace {

namespace wl = working_layout;

constexpr int kTwoToneKind = 10;

// The copy a clone write would send to a radio of the given version.
indMain::CloneWritePlan prepareWrite(indMain &model, uint8_t radioVersion)
{
    uint8_t information[cuiMain::kCloneInformationSize] = {};
    information[34] = radioVersion;
    model.SetCloneInformation(information, sizeof information);
    return model.PrepareCloneWrite();
}

TEST_F(ModelTest, CloneWriteCopyIsNormalisedForStoring)
{
    useChannel(model->WorkingImage(), 0, 145500000);
    model->WorkingImage().SetByte(wl::kNewerDataMark, 1);
    const indMain::CloneWritePlan plan = prepareWrite(*model, 0);
    ASSERT_NE(plan.image, nullptr);
    // Storing marks the data as written by this program and clears the
    // newer-data mark of another one.
    EXPECT_EQ(plan.image->GetByte(0x10F32) & 0xC0, 0xC0);
    EXPECT_EQ(plan.image->GetByte(wl::kNewerDataMark), 0);
    // The document itself is left alone.
    EXPECT_EQ(model->WorkingImage().GetByte(wl::kNewerDataMark), 1);
}

// Model type 0 derives the receive limits of the 2-tone codes from their
// tone frequencies before a clone write; the tolerance depends on the
// radio's version byte.
TEST_F(ModelTest, CloneWriteRecomputesTwoToneLimitsForModelType0)
{
    struct Case {
        uint8_t radioVersion;
        double lower;
        double upper;
    } cases[] = {{0x05, 970, 1030}, {0x20, 980, 1020}, {0x11, 980, 1020}, {0x10, 970, 1030}};
    ASSERT_TRUE(model->ChangeModelType(0, false));
    for (const Case &c : cases) {
        useChannel(model->WorkingImage(), 0, 145500000);
        datCh record(&model->WorkingImage());
        record.decode(kTwoToneKind, 3);
        record.TxFreq_1st = 1000;
        record.TxFreq_2nd = 2000;
        record.encode(kTwoToneKind, 3);
        const indMain::CloneWritePlan plan = prepareWrite(*model, c.radioVersion);
        ASSERT_NE(plan.image, nullptr);
        datCh sent(plan.image.get());
        sent.decode(kTwoToneKind, 3);
        EXPECT_EQ(sent.RxFreq_1st[0], c.lower) << int(c.radioVersion);
        EXPECT_EQ(sent.RxFreq_1st[1], c.upper) << int(c.radioVersion);
        EXPECT_EQ(sent.RxFreq_2nd[0], 2 * c.lower) << int(c.radioVersion);
        EXPECT_EQ(sent.RxFreq_2nd[1], 2 * c.upper) << int(c.radioVersion);
    }
}

TEST_F(ModelTest, ChannelsInUseAreCountedByTheChannelRecords)
{
    model->CloneWriteCommand();
    ASSERT_EQ(shownTexts().size(), 1u);
    recorder.clear();
    useChannel(model->WorkingImage(), 5, 446006250);
    model->CloneWriteCommand();
    EXPECT_TRUE(shownTexts().empty() ||
                shownTexts()[0] != mainTextDatabase().GetText("GI_AppMess_CloneErr_NoActualCh"));
}

} // namespace
