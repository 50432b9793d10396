// The memory channel columns on the program's own option lists: what each
// column shows, what a key or a typed text stores, when a column does not
// apply, its marks and messages, and a channel made from the empty row.
#include "CellRequests.h"

#include "cells/CellColours.h"
#include "cells/CellIdentifiers.h"
#include "image/WorkingLayout.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <functional>
#include <utility>

namespace {

class ChannelColumns : public HandlerTest
{
protected:
    ChannelColumns() : HandlerTest(true) {}

    datCh channel(int row)
    {
        datCh record(&model->WorkingImage());
        record.decode(datCh::channelKind(), row);
        return record;
    }
    void change(int row, const std::function<void(datCh &)> &edit)
    {
        datCh record = channel(row);
        edit(record);
        record.encode(datCh::kKindNone, row);
    }
    using Shown = ShownCell;
    Shown draw(std::int32_t label, int row, std::int32_t category = CT_Mch)
    {
        return drawCell(category, label, row);
    }
    std::vector<std::uint32_t> press(std::int32_t label, int row, std::int32_t key,
                                     std::int32_t category = CT_Mch)
    {
        return pressKey(cellOf(category, label, row), key);
    }
    void type(std::int32_t label, int row, const std::string &text, std::int32_t category = CT_Mch)
    {
        typeInto(cellOf(category, label, row), text);
    }
    int channelCount() { return channel(0).bankChannelCount(0); }
    // The answer of a selection list: entry `entry` of style `style`.
    void choose(std::int32_t label, int row, std::int32_t style, std::int32_t entry)
    {
        chooseFor(cellOf(CT_Mch, label, row), style, entry);
    }
    void setImageBit(std::int32_t address, int bit, bool on)
    {
        cmcEeprom &image = model->WorkingImage();
        const auto mask = static_cast<std::uint8_t>(1u << bit);
        image.SetByte(address, static_cast<std::uint8_t>(on ? image.GetByte(address) | mask
                                                            : image.GetByte(address) & ~mask));
    }
    std::vector<std::string> shownTexts() const
    {
        std::vector<std::string> texts;
        for (const auto &shown : recorder.shown())
            texts.push_back(shown.text);
        return texts;
    }
};

TEST_F(ChannelColumns, ColumnsShowTheirMembers)
{
    setChannels({446006250, 145000000});
    change(1, [](datCh &c) { c.FreqT = 145600000; });
    struct Case {
        std::int32_t label;
        int row;
        const char *text;
    } cases[] = {
        {CL_Mch_FreqR, 0, "446.006250"}, {CL_Mch_FreqT, 0, "<-"},
        {CL_Mch_FreqT, 1, "145.600000"}, {CL_Mch_Inh, 0, "Off"},
        {CL_Mch_Scrm_Code, 0, "-"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(draw(c.label, c.row).text, c.text) << c.label << " row " << c.row;
}

// Space steps a list column, Enter opens its list in the reflector popup;
// the record keeps either new value.
TEST_F(ChannelColumns, ChannelInhibitStepsOrComesFromItsList)
{
    setChannels({145000000});
    press(CL_Mch_Inh, 0, ' ');
    EXPECT_EQ(channel(0).Inh, 1);
    EXPECT_EQ(draw(CL_Mch_Inh, 0).text, "On");
    choose(CL_Mch_Inh, 0, Flex0, 0);
    EXPECT_EQ(channel(0).Inh, 0);
    calls.clear();
    press(CL_Mch_Inh, 0, 13);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("list GI_Sheet_Sel_Mch_ChInh style 1 at 0", 0), 0u) << calls[0];
    choose(CL_Mch_Inh, 0, Flex0, 1);
    EXPECT_EQ(channel(0).Inh, 1);
}

TEST_F(ChannelColumns, ChannelNameIsStored)
{
    setChannels({145000000});
    type(CL_Mch_Text, 0, "Depot");
    const datCh stored = channel(0);
    EXPECT_EQ(std::string(stored.Text.begin(), stored.Text.begin() + 12), "Depot       ");
    EXPECT_EQ(draw(CL_Mch_Text, 0).text.substr(0, 5), "Depot");
}

// A key typed anywhere on the empty row goes to its receive frequency,
// where it makes a channel: the insert is asked for at that row.
TEST_F(ChannelColumns, KeysOnTheEmptyRowGoToTheReceiveFrequency)
{
    setChannels({145000000});
    cmcCellObj cell = cellOf(CT_Mch, CL_Mch_Inh, 1);
    Request request(cell, '4');
    int grid = 0;
    request.capsule.grid = reinterpret_cast<cuiGrid *>(&grid);
    request.run(kHandlerAction);
    EXPECT_EQ(request.capsule.jumpLabel, CL_Mch_FreqR);
    EXPECT_EQ(request.capsule.repeatCode, '4');
    EXPECT_EQ(channelCount(), 1);
    events.seen.clear();
    press(CL_Mch_FreqR, 1, '4');
    EXPECT_EQ(channelCount(), 2);
    ASSERT_FALSE(events.seen.empty());
    EXPECT_EQ(events.seen[0], "send 27 @1");
}

// Repeater modes need a split: equal frequencies there are suspicious.
TEST_F(ChannelColumns, RepeaterModeWithEqualFrequenciesIsMarked)
{
    for (const bool equal : {true, false}) {
        for (std::int32_t mode = 0; mode < 4; ++mode) {
            setChannels({145000000});
            change(0, [&](datCh &c) {
                c.OperationMode = mode;
                c.FreqT = equal ? c.FreqR : 145600000;
            });
            EXPECT_EQ(draw(CL_Mch_OperationMode, 0).warning, equal && mode < 2)
                << "mode " << mode << " equal " << equal;
        }
    }
    // Other columns depend on the mode: every labelled cell is redrawn.
    const std::vector<std::uint32_t> masks = press(CL_Mch_OperationMode, 0, ' ');
    ASSERT_FALSE(masks.empty());
    EXPECT_NE(masks.back() & cmcCellCapsule::kRedrawLabelled, 0u);
}

TEST_F(ChannelColumns, TransmitFrequencyFollowsOnlyWhenItWasEqual)
{
    setChannels({145000000, 145000000});
    change(1, [](datCh &c) { c.FreqT = 145600000; });
    type(CL_Mch_FreqR, 0, "145.5");
    type(CL_Mch_FreqR, 1, "145.5");
    EXPECT_EQ(channel(0).FreqR, 145500000);
    EXPECT_EQ(channel(0).FreqT, 145500000);
    EXPECT_EQ(channel(1).FreqR, 145500000);
    EXPECT_EQ(channel(1).FreqT, 145600000);
}

TEST_F(ChannelColumns, TypingOnTheEmptyRowMakesAChannel)
{
    setChannels({145000000});
    type(CL_Mch_FreqR, 1, "146");
    EXPECT_EQ(channelCount(), 2);
    EXPECT_EQ(channel(1).FreqR, 146000000);
    EXPECT_TRUE(recorder.shown().empty());
}

TEST_F(ChannelColumns, NoChannelBeyondTheLastSlot)
{
    datCh record(&model->WorkingImage());
    record.setBankChannelCount(0, working_layout::kChannelSlots);
    for (int row = 0; row < working_layout::kChannelSlots; ++row)
        change(row, [](datCh &c) { c.FreqR = c.FreqT = 145000000; });
    type(CL_Mch_FreqR, working_layout::kChannelSlots, "146");
    EXPECT_EQ(channelCount(), working_layout::kChannelSlots);
    EXPECT_EQ(shownTexts(),
              std::vector<std::string>{mainTextDatabase().GetText("GI_AppMess_ChErr_Overflow")});
}

// A simplex frequency brings its colour code; only a digital channel in use
// is told that it changed.
TEST_F(ChannelColumns, NewColourCodeIsToldOnDigitalChannels)
{
    for (const std::int32_t mode : {0, 1}) {
        recorder.clear();
        setChannels({145000000});
        change(0, [&](datCh &c) {
            c.DigSig = mode;
            c.DpmrTxCc = datCh::defaultColourCode(145000000);
        });
        type(CL_Mch_FreqR, 0, "145.00625");
        EXPECT_EQ(channel(0).DpmrTxCc, datCh::defaultColourCode(145006250)) << mode;
        if (mode == 0) {
            EXPECT_TRUE(recorder.shown().empty());
            continue;
        }
        ASSERT_EQ(recorder.shown().size(), 1u);
        EXPECT_EQ(recorder.shown()[0].text,
                  mainTextDatabase().GetText("GI_AppMess_MchSheet_ColourCode_Change"));
        EXPECT_EQ(recorder.shown()[0].caption, mainTextDatabase().GetFirstLine("GI_Sys_AppTitle"));
        EXPECT_EQ(recorder.shown()[0].icon, platform::MessageIcon::Warning);
    }
}

// A digital-only channel has no analog bandwidth, transmit tone, compander
// or log: dashes in silver, and keys change nothing.
TEST_F(ChannelColumns, AnalogColumnsOfADigitalOnlyChannelShowDashes)
{
    setChannels({145000000});
    change(0, [](datCh &c) { c.DigSig = 3; });
    struct Case {
        std::int32_t label;
        const char *dashes;
    } cases[] = {{CL_Mch_Nar, "-"},
                 {CL_Mch_CTone_T, "----"},
                 {CL_Mch_Compander, "----"},
                 {CL_Mch_Log, "----"}};
    for (const Case &c : cases) {
        const Shown shown = draw(c.label, 0);
        EXPECT_EQ(shown.text, c.dashes) << c.label;
        EXPECT_TRUE(shown.silver) << c.label;
    }
    const std::int32_t narrow = channel(0).Nar;
    press(CL_Mch_Nar, 0, ' ');
    EXPECT_EQ(channel(0).Nar, narrow);
}

// Type 2 counts its codes from 0 and shows them from 1: the code the user
// sees survives a change of type.
TEST_F(ChannelColumns, ScramblerCodeShownStaysAcrossATypeChange)
{
    setChannels({145000000});
    change(0, [](datCh &c) {
        c.OperationMode = 2;
        c.DigSig = 1;
        c.ScrmOn = 0;
        c.ScrmType = 2;
        c.ScrmCode = 4;
    });
    EXPECT_EQ(draw(CL_Mch_Scrm_Code, 0).text, "5");
    press(CL_Mch_Scrm_Type, 0, ' ');
    EXPECT_EQ(channel(0).ScrmType, 3);
    EXPECT_EQ(draw(CL_Mch_Scrm_Code, 0).text, "5");
}

TEST_F(ChannelColumns, MarksFollowTheDigitalFunction)
{
    setChannels({145000000});
    change(0, [](datCh &c) { c.DigSig = 1; });
    // The digital function is off in the initial file.
    EXPECT_TRUE(draw(CL_Mch_Dig_Sig, 0).error);
    model->WorkingImage().SetByte(0x10E97, model->WorkingImage().GetByte(0x10E97) | 0x10);
    EXPECT_FALSE(draw(CL_Mch_Dig_Sig, 0).error);
}

TEST_F(ChannelColumns, ReceiveNacTakesAnEqualTransmitNacAlong)
{
    setChannels({145000000, 145000000});
    change(0, [](datCh &c) {
        c.DigSig = 1;
        c.RxNac = c.TxNac = 5;
    });
    change(1, [](datCh &c) {
        c.DigSig = 1;
        c.RxNac = 5;
        c.TxNac = 6;
    });
    type(CL_Mch_RxNac, 0, "2A");
    type(CL_Mch_RxNac, 1, "2A");
    EXPECT_EQ(channel(0).TxNac, 0x2A);
    EXPECT_EQ(channel(1).TxNac, 6);
    EXPECT_EQ(channel(1).RxNac, 0x2A);
}

// The MSK codes are bits 6-0 of the code byte that the 2-tone codes share;
// toggling one leaves bit 7 alone.
TEST_F(ChannelColumns, MskReceiveCodesKeepTheSharedBit)
{
    setChannels({145000000});
    change(0, [](datCh &c) { c.RxCNo = 0x80; });
    press(CL_Mch_Msk_RxCNo, 0, '1');
    EXPECT_EQ(channel(0).RxCNo, 0xC0);
    press(CL_Mch_Msk_RxCNo, 0, '7');
    EXPECT_EQ(channel(0).RxCNo, 0xC1);
}

// Every column of both channel sheets has its binding: none shows the
// stand-in text of an unbound label, on a channel or on the empty row.
TEST_F(ChannelColumns, EveryChannelColumnIsBound)
{
    setChannels({145000000});
    const std::pair<std::int32_t, std::int32_t> runs[] = {{CL_Mch_No, CL_Mch_Dpmr_Encryption_No},
                                                          {CL_Grp_RxId, CL_Mch_AreaBit}};
    for (const auto &[first, last] : runs) {
        for (std::int32_t label = first; label <= last; ++label) {
            if (label == CL_Mch_Msk_Log)
                continue; // the handler tests' own row
            for (const int row : {0, 1}) {
                const std::string text = draw(label, row).text;
                EXPECT_EQ(text.find("*Yet*"), std::string::npos)
                    << cellLabelName(label) << " " << row;
            }
        }
    }
}

// The radio that leaves out the middle power level gets the short list for
// key actions; drawing keeps naming every level.
TEST_F(ChannelColumns, PowerStepsThroughTheShortListWhenTheRadioAsks)
{
    struct Case {
        bool shortList;
        std::int32_t before;
        std::int32_t after;
        const char *shown;
    } cases[] = {
        {false, 0, 1, "Low 2"},
        {true, 0, 2, "Low 1"},
        {true, 2, 0, "High"},
    };
    for (const Case &c : cases) {
        setChannels({145000000});
        setImageBit(0x10EFB, 0, c.shortList);
        change(0, [&](datCh &ch) { ch.RfPo = c.before; });
        press(CL_Mch_RfPo, 0, ' ');
        EXPECT_EQ(channel(0).RfPo, c.after) << c.shortList << " from " << c.before;
        EXPECT_EQ(draw(CL_Mch_RfPo, 0).text, c.shown);
    }
    setImageBit(0x10EFB, 0, true);
    change(0, [](datCh &ch) { ch.RfPo = 1; });
    EXPECT_EQ(draw(CL_Mch_RfPo, 0).text, "Low 2");
}

// Each model type offers its own log list: the PMR radio has no 2-tone.
TEST_F(ChannelColumns, TheLogListFollowsTheModelType)
{
    for (const int type : {0, 1}) {
        ASSERT_TRUE(model->ChangeModelType(type, false));
        setChannels({145000000});
        change(0, [](datCh &ch) { ch.Log = 1; });
        calls.clear();
        press(CL_Mch_Log, 0, 13);
        const std::string key = type == 1 ? "GI_Sheet_Sel_Mch_Log_Pmr" : "GI_Sheet_Sel_Mch_Log_Lmr";
        ASSERT_EQ(calls.size(), 1u) << type;
        EXPECT_EQ(calls[0].rfind("list " + key + " style 1", 0), 0u) << calls[0];
    }
}

TEST_F(ChannelColumns, MskColumnsSitRightAtTheFoot)
{
    setChannels({145000000});
    for (const std::int32_t label : {CL_Mch_Msk_Rpt, CL_Mch_Msk_Stn, CL_Mch_Msk_RxCNo}) {
        const Shown shown = draw(label, 0);
        EXPECT_EQ(shown.horizontal, 2) << label;
        EXPECT_EQ(shown.vertical, 2) << label;
    }
    EXPECT_NE(draw(CL_Mch_Inh, 0).horizontal, 2);
}

// A repeater code is the code itself and is kept.
TEST_F(ChannelColumns, MskRepeaterCodeIsKept)
{
    setChannels({145000000});
    type(CL_Mch_Msk_Rpt, 0, "12");
    EXPECT_EQ(channel(0).RptC, 12);
    EXPECT_EQ(draw(CL_Mch_Msk_Rpt, 0).text, "12");
}

// The DTMF decode entry steps through its list; the decoding bit stays what
// the decode entries make it (none has digits here), whatever the column
// wrote.
TEST_F(ChannelColumns, DtmfDecodeEntrySteps)
{
    ASSERT_TRUE(model->ChangeModelType(0, false));
    setChannels({145000000});
    press(CL_Mch_RxCNoDtmf, 0, ' ');
    EXPECT_EQ(channel(0).RxCNoDtmf, 1);
    EXPECT_EQ(draw(CL_Mch_RxCNoDtmf, 0).text, "1");
    EXPECT_EQ(channel(0).DtmfDec, 0);
    press(CL_Mch_RxCNoDtmf, 0, 8);
    EXPECT_EQ(channel(0).RxCNoDtmf, 0);
}

// An own dPMR identity never ends in six zeros, and one from the first
// group identity on is marked.
TEST_F(ChannelColumns, DpmrUnitIdentity)
{
    setChannels({145000000});
    change(0, [](datCh &ch) { ch.DigSig = 1; });
    cmcEeprom &image = model->WorkingImage();
    const std::uint8_t firstGroup[4] = {0x90, 0x00, 0x00, 0x00}; // 9000000
    for (int i = 0; i < 4; ++i)
        image.SetByte(0x1A089 + i, firstGroup[i]);
    struct Case {
        const char *typed;
        const char *shown;
        bool error;
    } cases[] = {
        {"2000000", "2000001", false},
        {"8999999", "8999999", false},
        {"9000001", "9000001", true},
    };
    for (const Case &c : cases) {
        type(CL_Mch_Dpmr_Unit_Id, 0, c.typed);
        const Shown shown = draw(CL_Mch_Dpmr_Unit_Id, 0);
        EXPECT_EQ(shown.text, c.shown) << c.typed;
        EXPECT_EQ(shown.error, c.error) << c.typed;
    }
}

// A talk group that names an individual entry of the dPMR ID list is
// marked; a group entry is not. Either list column naming an entry beyond
// the list is marked too.
TEST_F(ChannelColumns, TalkGroupOnAnIndividualEntryIsMarked)
{
    setChannels({145000000});
    cmcEeprom &image = model->WorkingImage();
    const std::uint8_t firstGroup[4] = {0x90, 0x00, 0x00, 0x00};
    for (int i = 0; i < 4; ++i)
        image.SetByte(0x1A089 + i, firstGroup[i]);
    datCh entry(&image);
    entry.setListCount(datCh::kKindDpmrId, 2);
    const std::int32_t identities[] = {0x12345670, static_cast<std::int32_t>(0x9100000u << 4)};
    for (int i = 0; i < 2; ++i) {
        entry.decode(datCh::kKindDpmrId, i);
        entry.Id = identities[i];
        entry.encode(datCh::kKindNone, i);
    }
    for (const std::int32_t chosen : {0, 1}) {
        change(0, [&](datCh &ch) {
            ch.DigSig = 1;
            ch.DpmrTgList = chosen;
        });
        EXPECT_EQ(draw(CL_Mch_Dpmr_TG_List, 0).error, chosen == 0) << chosen;
    }
    for (const std::int32_t chosen : {1, 2}) {
        change(0, [&](datCh &ch) {
            ch.DigSig = 2;
            ch.DpmrCallList = chosen;
            ch.DpmrTgList = chosen;
        });
        EXPECT_EQ(draw(CL_Mch_Dpmr_Call_List, 0).error, chosen == 2) << chosen;
        EXPECT_EQ(draw(CL_Mch_Dpmr_TG_List, 0).error, chosen == 2) << chosen;
    }
}

TEST_F(ChannelColumns, TheQuarterPillarAsksForItsBar)
{
    setChannels({145000000});
    const Shown shown = draw(CL_Misc_QuarterPillar, 0);
    EXPECT_TRUE(shown.lowerBar);
    EXPECT_EQ(shown.text, "");
    EXPECT_FALSE(draw(CL_Mch_Inh, 0).lowerBar);
}

// The dPMR encryption entry names the key it holds.
TEST_F(ChannelColumns, DpmrEncryptionEntryShowsItsKey)
{
    setChannels({145000000});
    datCh key(&model->WorkingImage());
    key.decode(26, 2);
    key.Key = 4711;
    key.encode(datCh::kKindNone, 2);
    change(0, [](datCh &ch) {
        ch.DigSig = 1;
        ch.ScrmOn = 0;
        ch.DpmrEncryptionNo = 2;
    });
    EXPECT_EQ(draw(CL_Mch_Dpmr_Encryption_No, 0).text, "3:  4711");
}

// The ID list columns show the entry from 1 with its ID (the initial file's
// lists hold one entry, ID 0; entry 5 lies beyond them) and only change
// through their list: Space and Backspace leave them alone.
TEST_F(ChannelColumns, IdListColumnsShowTheEntryFromOneAndIgnoreSteps)
{
    setChannels({145000000});
    change(0, [](datCh &ch) {
        ch.DigSig = 2;
        ch.IndList = 4;
        ch.TgList = 0;
    });
    EXPECT_EQ(draw(CL_Mch_Ind_List, 0).text, "5");
    EXPECT_EQ(draw(CL_Mch_TG_List, 0).text, "1: 0");
    for (const std::int32_t key : {std::int32_t{' '}, std::int32_t{8}}) {
        press(CL_Mch_Ind_List, 0, key);
        press(CL_Mch_TG_List, 0, key);
    }
    EXPECT_EQ(channel(0).IndList, 4);
    EXPECT_EQ(channel(0).TgList, 0);
}

// Which digital columns apply for each digital mode: 0 analog, 1 digital,
// 2 digital with an individual list, 3 digital only.
TEST_F(ChannelColumns, DigitalColumnsApplyByMode)
{
    struct Case {
        std::int32_t label;
        const char *dashes;
        bool applies[4];
    } cases[] = {
        {CL_Mch_RxNac, "----", {false, true, true, true}},
        {CL_Mch_Ind_List, "----", {false, false, true, true}},
        {CL_Mch_Dpmr_Call_List, "----", {false, false, true, true}},
        {CL_Mch_Dpmr_TG_List, "----", {false, true, true, true}},
        {CL_Mch_Signaling_Type, "----", {true, true, true, false}},
        {CL_Mch_Compander, "----", {true, true, true, false}},
        {CL_Mch_WNM, "-", {true, true, true, false}},
    };
    setChannels({145000000});
    for (std::int32_t mode = 0; mode < 4; ++mode) {
        change(0, [&](datCh &ch) { ch.DigSig = mode; });
        for (const Case &c : cases) {
            const Shown shown = draw(c.label, 0);
            const bool dashed = shown.text == c.dashes && shown.silver;
            EXPECT_EQ(dashed, !c.applies[mode]) << cellLabelName(c.label) << " mode " << mode;
        }
    }
}

// The entries of a list opened from a column carry the mark the column
// would show with that entry, and keep their own text.
TEST_F(ChannelColumns, ListEntriesCarryTheMarksOfTheirColumn)
{
    struct Case {
        bool digitalFunction;
        std::int32_t entry;
        bool warning;
        bool error;
    } cases[] = {
        {true, 4, false, false},
        {true, 12, true, false},
        {false, 16, false, true},
    };
    setChannels({145000000});
    change(0, [](datCh &ch) { ch.DigSig = 0; });
    cmcCellObj opener = cellOf(CT_Mch, CL_Mch_Lockout, 0);
    cmcCellCapsule opening;
    opening.cell = &opener;
    for (const Case &c : cases) {
        setImageBit(0x10E97, 4, c.digitalFunction);
        cmcCellObj entry = cellOf(CT_Null, FlexMark, c.entry);
        entry.SetText("Digital Code");
        Request request(entry);
        request.capsule.origin = &opening;
        request.run(kHandlerDraw);
        EXPECT_EQ(request.capsule.outputText, "Digital Code");
        EXPECT_EQ((request.capsule.stateBits & cmcCellCapsule::kStateWarning) != 0, c.warning)
            << c.entry;
        EXPECT_EQ((request.capsule.stateBits & cmcCellCapsule::kStateError) != 0, c.error)
            << c.entry;
    }
}

// The bank rows: one per bank, the cell's index is the bank.
class BankColumns : public ChannelColumns
{
protected:
    std::string bankName()
    {
        std::string name;
        for (int i = 0; i < 12; ++i)
            name += static_cast<char>(model->WorkingImage().GetByte(0x11463 + i));
        return name;
    }
    void blankChannelsAfter(int used, int count)
    {
        datCh record(&model->WorkingImage());
        record.setBankChannelCount(0, count);
        for (int row = 0; row < count; ++row)
            change(row, [&](datCh &c) { c.FreqR = c.FreqT = row < used ? 145000000 : 0; });
    }
};

// A new bank name reaches the tree as its number and the name; the same
// name again tells nobody.
TEST_F(BankColumns, BankNameTellsTheTree)
{
    setChannels({145000000});
    type(CL_Mch_BankText, 0, "Field", CT_BankOp);
    EXPECT_EQ(bankName(), "Field       ");
    EXPECT_EQ(events.seen, std::vector<std::string>{"post 41 1: Field       "});
    events.seen.clear();
    type(CL_Mch_BankText, 0, "Field", CT_BankOp);
    EXPECT_TRUE(events.seen.empty());
    // A bank the model does not have keeps its bytes to the others.
    const std::uint8_t after = model->WorkingImage().GetByte(0x11463 + 12);
    type(CL_Mch_BankText, 1, "Other", CT_BankOp);
    EXPECT_EQ(model->WorkingImage().GetByte(0x11463 + 12), after);
    EXPECT_EQ(draw(CL_Mch_BankText, 1, CT_BankOp).text, "");
}

TEST_F(BankColumns, SmarTrunkOnBankZeroOnly)
{
    setChannels({145000000});
    press(CL_Mch_SmarTrunk, 0, ' ', CT_BankOp);
    EXPECT_TRUE(channel(0).bankSmarTrunk(0));
    EXPECT_EQ(events.seen, std::vector<std::string>{"post 40"});
    const Shown other = draw(CL_Mch_SmarTrunk, 1, CT_BankOp);
    EXPECT_EQ(other.text, "----");
    EXPECT_TRUE(other.silver);
}

TEST_F(BankColumns, UsedChannelsOfTheBankAndOfAll)
{
    blankChannelsAfter(2, 4);
    EXPECT_EQ(draw(CL_Mch_UsedCHs, 0, CT_BankOp).text, "2");
    EXPECT_EQ(draw(CL_Mch_UsedCHs, 1, CT_BankOp).text, "2");
    EXPECT_EQ(draw(CL_Mch_Bank, 0, CT_BankOp).text, "4");
    EXPECT_EQ(draw(CL_Mch_Bank, 1, CT_BankOp).text, "2");
}

// The size grows by blank channels at the end and shrinks only by the
// blank tail; a channel designated A is no blank.
TEST_F(BankColumns, BankSizeGrowsAndShrinksAtTheEnd)
{
    struct Case {
        const char *what;
        int used;
        int count;
        bool designateLast;
        const char *typed;
        int size;
    } cases[] = {
        {"grows by blank channels", 2, 3, false, "5", 5},
        {"shrinks by the blank tail", 2, 5, false, "2", 2},
        {"stops at the last channel in use", 2, 5, false, "1", 2},
        {"stops at a designated channel", 2, 5, true, "2", 5},
        {"never past every slot", 2, 3, false, "40", working_layout::kChannelSlots},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        blankChannelsAfter(c.used, c.count);
        if (c.designateLast)
            change(c.count - 1, [](datCh &ch) { ch.AtrA = 1; });
        type(CL_Mch_Bank, 0, c.typed, CT_BankOp);
        EXPECT_EQ(channelCount(), c.size);
        EXPECT_EQ(channel(0).bankUsedChannels(0), c.used);
        EXPECT_EQ(channel(0).FreqR, 145000000) << "the first channel stays";
        EXPECT_EQ(shownTexts(), std::vector<std::string>{});
    }
}

} // namespace
