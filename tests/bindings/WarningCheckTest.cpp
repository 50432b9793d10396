#include "HandlerTestFixture.h"

#include "bindings/CheckBindings.h"
#include "cells/CellIdentifiers.h"
#include "cells/CellLabels.h"
#include "mainframe/WarningCheckList.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <functional>

namespace {

// The checks on the program's own overlays and initial files.
class WarningChecks : public HandlerTest
{
protected:
    WarningChecks() : HandlerTest(true) {}

    std::vector<CheckFinding> findingsOf(std::int32_t check)
    {
        std::vector<CheckFinding> found;
        collectCheckFindings(*model, check, found);
        return found;
    }
    std::uint8_t checkCellMarks(std::int32_t check)
    {
        cmcCellObj cell = cellOf(CT_Null, check);
        Request request(cell);
        request.run(kHandlerDraw);
        return request.capsule.stateBits &
               (cmcCellCapsule::kStateWarning | cmcCellCapsule::kStateError);
    }
    // The model type's initial data as the document.
    void useModelType(int modelType)
    {
        model->ChangeModelType(modelType, false);
        model->WorkingImage().CopyFrom(model->InitialImage());
    }
    void usePmr() { useModelType(1); }
    // Record `row` of `kind`, changed by `edit` and written back.
    void editRecord(int kind, int row, const std::function<void(datCh &)> &edit)
    {
        datCh record(&model->WorkingImage());
        record.decode(kind, row);
        edit(record);
        record.encode(datCh::kKindNone, row);
    }
    void editChannel(int row, const std::function<void(datCh &)> &edit)
    {
        editRecord(datCh::channelKind(), row, edit);
    }
    void setByte(std::int32_t address, std::uint8_t value)
    {
        model->WorkingImage().SetByte(address, value);
    }
    void digitalFunction(bool on)
    {
        cmcEeprom &image = model->WorkingImage();
        const std::uint8_t byte = image.GetByte(0x10E97);
        image.SetByte(0x10E97, static_cast<std::uint8_t>(on ? byte | 0x10 : byte & ~0x10));
    }
};

constexpr std::uint8_t kWarning = cmcCellCapsule::kStateWarning;
constexpr std::uint8_t kError = cmcCellCapsule::kStateError;

class CheckCases;

struct Case {
    const char *name;
    int modelType;
    std::function<void(CheckCases &)> edit;
    std::int32_t check;
    std::int32_t category;
    std::int32_t label;
    std::int32_t index;
    bool error;
    CheckReason reason;
};

class CheckCases : public WarningChecks
{
public:
    using WarningChecks::digitalFunction;
    using WarningChecks::editChannel;
    using WarningChecks::editRecord;
    using WarningChecks::setByte;
    using WarningChecks::setChannels;
    cmcEeprom &image() { return model->WorkingImage(); }
    void run(const Case &c)
    {
        SCOPED_TRACE(c.name);
        useModelType(c.modelType);
        c.edit(*this);
        const std::vector<CheckFinding> found = findingsOf(c.check);
        const auto it = std::find_if(found.begin(), found.end(), [&](const CheckFinding &f) {
            return f.label == c.label && f.index == c.index;
        });
        ASSERT_NE(it, found.end()) << cellLabelName(c.label) << "[" << c.index << "]";
        EXPECT_EQ(it->error, c.error);
        EXPECT_EQ(it->reason, c.reason);
        EXPECT_FALSE(checkReasonText(c.reason).empty());
        // The check cell carries the worst finding, the cell concerned its
        // own mark.
        EXPECT_NE(checkCellMarks(c.check) & (c.error ? kError : kError | kWarning), 0);
        // A cell a warning concerns may carry an error of its own rule.
        EXPECT_NE(indCellHandler::MarksOf(c.category, c.label, c.index) &
                      (c.error ? kError : kError | kWarning),
                  0);
    }
};

TEST_F(CheckCases, EachCheckFindsWhatATechnicianWouldFix)
{
    const std::vector<Case> cases = {
        {"a channel below the band", 0, [](CheckCases &t) { t.setChannels({50000000}); },
         CL_Check_Mch, CT_Mch, CL_Mch_FreqR, 0, true, kReasonFrequencyOutsideBand},
        {"a repeater channel on one frequency", 0,
         [](CheckCases &t) {
             t.setChannels({146000000});
             t.editChannel(0, [](datCh &c) { c.OperationMode = 0; });
         },
         CL_Check_Mch, CT_Mch, CL_Mch_OperationMode, 0, false, kReasonRepeaterSameFrequency},
        {"a priority channel outside its scan list", 0,
         [](CheckCases &t) {
             t.setChannels({146000000});
             t.editChannel(0, [](datCh &c) { c.Scan = 0; });
             t.editRecord(datCh::kKindScanList, 2, [](datCh &list) {
                 list.Prio1_CH = 5;
                 list.Prio1ChNo = 0;
             });
         },
         CL_Check_Scan_Setting, CT_Scan, CL_ScanList_Prio1_CH, 2, false, kReasonPriorityNotMember},
        {"a digital key without the digital function", 0,
         [](CheckCases &t) {
             t.digitalFunction(false);
             chooseFor(cellOf(CT_Null, CL_KDisp_Key_Conv_P0), FlexMark, 28);
         },
         CL_Check_KeyDisp, CT_Null, CL_KDisp_Key_Conv_P0, 0, true, kReasonKeyNeedsDigital},
        {"a key byte beyond the function list", 1, [](CheckCases &t) { t.setByte(0x10EC0, 40); },
         CL_Check_KeyDisp, CT_Null, CL_KDisp_Key_Conv_P1, 0, true, kReasonKeyOutsideList},
        {"emergency on an input and an output line", 0,
         [](CheckCases &t) {
             t.setByte(0x1A750, 0x80); // line 1 input: Emergency
             t.setByte(0x1A751, 14);
             t.setByte(0x1A754, 0x00); // line 3 output: Emergency
             t.setByte(0x1A755, 8);
         },
         CL_Check_ExtPort_PortSetting, CT_Null, CL_ExtPort_InOut_3, 0, true,
         kReasonPortInputAndOutput},
        {"two MSK ID groups on one address", 0,
         [](CheckCases &t) {
             for (int group : {3, 5})
                 t.editRecord(13, group, [](datCh &g) { g.Adr = 0x0150; });
         },
         CL_Check_Msk_OwnIdGroup, CT_MSK_IdGroup, CL_Msk_IdGroup_Adr, 5, false,
         kReasonMskGroupOverlap},
        {"a NAC entry in use without its receive code", 0,
         [](CheckCases &t) {
             t.editRecord(19, 4, [](datCh &nac) {
                 nac.Sel = 1;
                 nac.RxNac = 0xFFFF;
                 nac.TxNac = 0x293;
             });
         },
         CL_Check_Dig_Nacch, CT_DIG_NacCh, CL_Digi_NacCh_RxNac, 4, true, kReasonNacWithoutCode},
        {"a digital channel naming a talk group beyond the list", 1,
         [](CheckCases &t) {
             t.setChannels({446006250});
             t.editChannel(0, [](datCh &c) {
                 c.DigSig = 1;
                 c.DpmrTgList = 400;
             });
         },
         CL_Check_Dpmr_TalkgroupSetting, CT_Mch, CL_Mch_Dpmr_TG_List, 0, true,
         kReasonTalkGroupMissing},
        {"a received dPMR status without text", 1,
         [](CheckCases &t) {
             t.editRecord(24, 3, [](datCh &status) {
                 status.RX = 1;
                 status.Text_Rx.fill(' ');
             });
         },
         CL_Check_Dpmr_StatusSetting, CT_DPMR_Status, CL_Dpmr_Msg_Status_Text_Rx, 3, false,
         kReasonStatusEmpty},
        {"a bank both LTR and SmarTrunk", 0,
         [](CheckCases &t) {
             t.setChannels({460000000});
             datCh bank(&t.image());
             bank.setBankLtr(0, true);
             bank.setBankSmarTrunk(0, true);
         },
         CL_Check_Ltr_Repeater, CT_BankOp, CL_Bank_SmarTrunk, 0, true, kReasonLtrAndSmarTrunk},
        {"an LTR channel without a repeater pair", 0,
         [](CheckCases &t) {
             t.setChannels({460000000});
             datCh(&t.image()).setBankLtr(0, true);
         },
         CL_Check_Ltr_Repeater, CT_Mch, CL_Mch_FreqT, 0, false, kReasonLtrSimplex},
        {"a long repeat time-out", 0,
         [](CheckCases &) { typeInto(cellOf(CT_Null, CL_Common_Tot_Repeat), "12"); },
         CL_Check_Common, CT_Null, CL_Common_Tot_Repeat, 0, false, kReasonCellMark},
        {"a user tone decode window that closes on itself", 1,
         [](CheckCases &t) {
             t.editRecord(9, 2, [](datCh &tone) {
                 tone.Dec_Low = 20000;
                 tone.Dec_High = 10000;
             });
         },
         CL_Check_User_Tone_Encode, CT_UserTone, CL_UTone_Dec_Low, 2, true, kReasonCellMark},
    };
    for (const Case &c : cases)
        run(c);
}

TEST_F(CheckCases, TwoMultiTableEntriesDecodingAlikeButAnsweringDifferentlyConflict)
{
    // An entry switched to values takes back what it last held as values:
    // the values go in after the switch.
    for (int row : {0, 6}) {
        editRecord(datCh::kKindMultiTable, row, [](datCh &entry) {
            entry.DecodeType = 1;
            entry.EncodeType = 1;
        });
        editRecord(datCh::kKindMultiTable, row, [row](datCh &entry) {
            entry.DecodeValue = 5;
            entry.EncodeValue = row + 1;
        });
    }
    const std::vector<CheckFinding> found = findingsOf(CL_Check_MultipleTable);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].index, 6);
    EXPECT_TRUE(found[0].error);
    // The same answer twice is no conflict.
    editRecord(datCh::kKindMultiTable, 6, [](datCh &entry) { entry.EncodeValue = 1; });
    EXPECT_TRUE(findingsOf(CL_Check_MultipleTable).empty());
}

TEST_F(WarningChecks, ThePriorityChannelThatIsAMemberPasses)
{
    setChannels({146000000});
    editRecord(datCh::kKindScanList, 2, [](datCh &list) {
        list.Prio1_CH = 5;
        list.Prio1ChNo = 0;
    });
    EXPECT_FALSE(findingsOf(CL_Check_Scan_Setting).empty());
    // Scan list 2's bitmap, channel 0 in its first bit.
    setByte(0x103D0 + 2 * 4, 0x80);
    EXPECT_TRUE(findingsOf(CL_Check_Scan_Setting).empty());
}

TEST_F(WarningChecks, TheInitialFilesPassTheChecksOfTheirOwnSettings)
{
    for (int modelType : {0, 1}) {
        SCOPED_TRACE(modelType);
        useModelType(modelType);
        for (std::int32_t check :
             {CL_Check_Mch, CL_Check_SetMode, CL_Check_Common, CL_Check_User_Tone_Encode,
              CL_Check_Dig_Nacch, CL_Check_Dpmr_TalkgroupSetting, CL_Check_Dpmr_StatusSetting,
              CL_Check_Ltr_Repeater, CL_Check_MultipleTable, CL_Check_ExtPort_PortSetting,
              CL_Check_KeyDisp, CL_Check_Scan_Setting}) {
            EXPECT_TRUE(findingsOf(check).empty()) << cellLabelName(check);
            EXPECT_EQ(checkCellMarks(check), 0) << cellLabelName(check);
        }
    }
}

// The LMR initial data's MSK plan leaves the killer address outside it: the
// MSK sheet shows the error, the check only warns, the data can be written.
TEST_F(WarningChecks, MskPlanFaultsWarnWithoutStoppingAWrite)
{
    useModelType(0);
    EXPECT_NE(indCellHandler::MarksOf(CT_MSK_AdrRange, CL_Msk_AdrRange_Killer, 0) & kError, 0);
    const std::vector<CheckFinding> found = findingsOf(CL_Check_Msk_IdRange);
    ASSERT_FALSE(found.empty());
    EXPECT_FALSE(found[0].error);
    EXPECT_EQ(checkCellMarks(CL_Check_Msk_IdRange), kWarning);
    EXPECT_EQ(model->WarningCheck(), 0);
}

TEST_F(WarningChecks, ChecksOfTheOtherModelTypeFindNothing)
{
    useModelType(0);
    editRecord(19, 0, [](datCh &nac) {
        nac.Sel = 1;
        nac.RxNac = 0xFFFF;
    });
    EXPECT_FALSE(findingsOf(CL_Check_Dig_Nacch).empty());
    usePmr();
    editRecord(19, 0, [](datCh &nac) {
        nac.Sel = 1;
        nac.RxNac = 0xFFFF;
    });
    EXPECT_TRUE(findingsOf(CL_Check_Dig_Nacch).empty());
}

// A digital channel of the LMR model is checked by the columns its sheet
// shows: the dPMR columns read bytes the LMR model gives no meaning.
TEST_F(WarningChecks, ChannelChecksAskOnlyTheColumnsOfTheModelsSheet)
{
    useModelType(0);
    digitalFunction(true);
    setChannels({146000000});
    editChannel(0, [](datCh &channel) {
        channel.DigSig = 2;
        channel.DpmrTgList = 400;
    });
    for (const CheckFinding &finding : findingsOf(CL_Check_Mch)) {
        const std::string name(cellLabelName(finding.label));
        EXPECT_EQ(name.find("Dpmr"), std::string::npos) << name;
        EXPECT_EQ(name.find("_Pmr"), std::string::npos) << name;
    }
}

// The check list of the overlay, run by the model: the failing sheets by
// their call texts, errors counted, the tree's nodes named.
TEST_F(WarningChecks, TheModelCountsErrorsAndNamesTheFailingSheets)
{
    useModelType(0);
    setChannels({146000000});
    const int before = model->WarningCheck();
    setChannels({50000000});
    EXPECT_EQ(model->WarningCheck(), before + 1);
    const std::vector<std::string> &errors = model->LastWarningCheck().errors;
    EXPECT_NE(std::find(errors.begin(), errors.end(),
                        "[St_ChBank]GI_Sheet_Mch_Conv_Lmr_KCOOP_Rep,Bank 0"),
              errors.end());
    EXPECT_EQ(WarningCheckList::SheetName(mainTextDatabase(), "[St_Common]GI_Sheet_Common_Timers"),
              "Timers");
}

// The program refuses the write with the sheets to correct, and writes once
// they are corrected.
TEST_F(WarningChecks, ACloneWriteWithErrorsIsRefusedNamingTheSheets)
{
    useModelType(0);
    setChannels({50000000});
    model->indMain::CloneWriteCommand();
    ASSERT_EQ(recorder.shown().size(), 1u);
    const std::string &text = recorder.shown()[0].text;
    EXPECT_EQ(recorder.shown()[0].icon, platform::MessageIcon::Error);
    EXPECT_TRUE(text.starts_with(mainTextDatabase().GetText("GI_Mess_DataError"))) << text;
    EXPECT_NE(text.find("\nMemory Channels"), std::string::npos) << text;

    // The PMR data has warnings only: they do not stop a write.
    recorder.clear();
    usePmr();
    setChannels({446006250});
    model->indMain::CloneWriteCommand();
    for (const auto &shown : recorder.shown())
        EXPECT_FALSE(shown.text.starts_with(mainTextDatabase().GetText("GI_Mess_DataError")));
}

} // namespace
