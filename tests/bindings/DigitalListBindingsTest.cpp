// The digital lists of the LMR model on the program's own overlays: image
// bytes and cell texts both ways for each kind, the unit ID limits, new
// entries below the ID lists, duplicate IDs, the fixed NAC codes, the
// outputs of status actions, keys that are not hexadecimal, and the channel
// columns that name list entries.
#include "CellRequests.h"
#include "HelpFields.h"
#include "SettingCellsFixture.h"

#include "cells/cmcFCache.h"
#include "cells/indCellHandler.h"
#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "mainframe/HelpContext.h"
#include "model/CellTyping.h"
#include "model/TreeNodeFilter.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetLayoutFactory.h"
#include "textdb/GlobalTexts.h"

#include <algorithm>
#include <map>
#include <memory>

#include <gmock/gmock.h>

#include <string>

namespace {

namespace co = channel_offsets;

constexpr std::int32_t kIndividualIds = 0x12316;
constexpr std::int32_t kTalkGroups = 0x14258;
constexpr std::int32_t kNacChannels = 0x163B3;
constexpr std::int32_t kNacSelection = 0x10EF6;
constexpr std::int32_t kStatusReceived = 0x1706F;
constexpr std::int32_t kStatusSent = 0x16A2F;
constexpr std::int32_t kKeys = 0x17719;
constexpr std::int32_t kMessages = 0x10574;
constexpr std::int32_t kMessageSelection = 0x176F5;

constexpr std::int32_t individualId(int row) { return kIndividualIds + 16 * row; }
constexpr std::int32_t talkGroup(int row) { return kTalkGroups + 14 * row; }

class DigitalLists : public SettingCells
{
protected:
    cmcEeprom &image() { return model->WorkingImage(); }
    void setCount(int kind, int count) { ChannelGlobals::setListCount(image(), kind, count); }
    int count(int kind) { return ChannelGlobals::listCount(image(), kind); }
    void setLong(std::int32_t address, std::uint32_t value)
    {
        setWord(address, static_cast<int>(value >> 16));
        setWord(address + 2, static_cast<int>(value & 0xFFFF));
    }
    std::uint32_t longAt(std::int32_t address)
    {
        return static_cast<std::uint32_t>(word(address)) << 16 |
               static_cast<std::uint32_t>(word(address + 2));
    }
    // The IDs of a list: individual IDs are 32-bit, talk groups 16-bit.
    void setId(int kind, int row, std::uint32_t id)
    {
        if (kind == datCh::kKindDigInd)
            setLong(individualId(row), id);
        else
            setWord(talkGroup(row), static_cast<int>(id));
    }
    std::uint32_t idAt(int kind, int row)
    {
        return kind == datCh::kKindDigInd ? longAt(individualId(row))
                                          : static_cast<std::uint32_t>(word(talkGroup(row)));
    }
};

struct IdList {
    const char *name;
    int kind;
    std::int32_t category;
    std::int32_t hex;
    std::int32_t decimal;
    std::int32_t nameLabel;
    std::int32_t (*at)(int row);
};

const IdList kIdLists[] = {
    {"individual IDs", datCh::kKindDigInd, CT_DIG_Inv, CL_Digi_Ind_Id_Hex, CL_Digi_Ind_Id_Dec,
     CL_Digi_Ind_Id_Name, individualId},
    {"talk groups", datCh::kKindDigTg, CT_DIG_Tg, CL_Digi_Grp_Id_Hex, CL_Digi_Grp_Id_Dec,
     CL_Digi_Grp_Id_Name, talkGroup},
};

// --- Individual IDs and talk groups -------------------------------------------------

// Stored IDs as both cells show them; an ID outside the unit ID limits
// (1..65519) is shown as stored and marked.
TEST_F(DigitalLists, IdsShowInHexAndDecimalWithinTheUnitLimits)
{
    struct Case {
        std::uint32_t stored;
        const char *hex;
        const char *decimal;
        bool error;
    } cases[] = {
        {0x1234, "1234", "4660", false}, {1, "0001", "1", false},
        {65519, "FFEF", "65519", false}, {0, "0000", "0", true},
        {65520, "FFF0", "65520", true},
    };
    for (const IdList &list : kIdLists) {
        setCount(list.kind, 3);
        for (const Case &c : cases) {
            SCOPED_TRACE(::testing::Message() << list.name << " " << c.stored);
            setId(list.kind, 2, c.stored);
            const ShownCell hex = drawCell(list.category, list.hex, 2);
            const ShownCell decimal = drawCell(list.category, list.decimal, 2);
            EXPECT_EQ(hex.text, c.hex);
            EXPECT_EQ(decimal.text, c.decimal);
            EXPECT_EQ(hex.error, c.error);
            EXPECT_EQ(decimal.error, c.error);
        }
    }
    // A 32-bit ID a radio stored beyond 16 bits still shows whole.
    setLong(individualId(0), 0x12345678);
    EXPECT_EQ(drawCell(CT_DIG_Inv, CL_Digi_Ind_Id_Hex, 0).text, "12345678");
}

TEST_F(DigitalLists, TypedIdsAreStoredBigEndianAndHeldToTheUnitLimits)
{
    struct Case {
        bool hex;
        const char *typed;
        std::uint32_t stored;
    } cases[] = {
        {false, "4660", 0x1234}, {true, "beef", 0xBEEF}, {false, "70000", 65519},
        {true, "FFFF", 65519},   {false, "0", 1},
    };
    for (const IdList &list : kIdLists) {
        setCount(list.kind, 2);
        for (const Case &c : cases) {
            SCOPED_TRACE(::testing::Message() << list.name << " " << c.typed);
            setId(list.kind, 1, 7);
            typeIntoCell(list.category, c.hex ? list.hex : list.decimal, 1, c.typed);
            EXPECT_EQ(idAt(list.kind, 1), c.stored);
        }
        typeIntoCell(list.category, list.nameLabel, 1, "DEPOT");
        EXPECT_EQ(bytesAt(list.at(1) + (list.kind == datCh::kKindDigInd ? 4 : 2), 12),
                  "DEPOT       ");
    }
}

TEST_F(DigitalLists, TextThatIsNoIdLeavesTheEntryAlone)
{
    for (const IdList &list : kIdLists) {
        SCOPED_TRACE(list.name);
        setCount(list.kind, 1);
        setId(list.kind, 0, 0x0815);
        for (const char *typed : {"12G4", "x", ""})
            typeIntoCell(list.category, list.hex, 0, typed);
        typeIntoCell(list.category, list.decimal, 0, "abc");
        EXPECT_EQ(idAt(list.kind, 0), 0x0815u);
    }
}

// Rows below the list show nothing; a key in any of their cells goes to the
// decimal ID cell, which opens the entry.
TEST_F(DigitalLists, TheRowBelowTheListRedirectsToTheDecimalCellWhichAddsTheEntry)
{
    for (const IdList &list : kIdLists) {
        SCOPED_TRACE(list.name);
        setCount(list.kind, 2);
        setId(list.kind, 2, 0x4444);
        EXPECT_EQ(drawCell(list.category, list.hex, 2).text, "");
        EXPECT_EQ(drawCell(list.category, list.nameLabel, 2).text, "");

        cmcCellObj name = cellOf(list.category, list.nameLabel, 2);
        Request key(name, '5');
        int grid = 0;
        key.capsule.grid = reinterpret_cast<cuiGrid *>(&grid);
        key.run(kHandlerAction);
        EXPECT_EQ(key.capsule.jumpRequest, 1u);
        EXPECT_EQ(key.capsule.jumpLabel, list.decimal);
        EXPECT_EQ(count(list.kind), 2) << "the redirect itself adds nothing";

        typeIntoCell(list.category, list.decimal, 2, "300");
        EXPECT_EQ(count(list.kind), 3);
        EXPECT_EQ(idAt(list.kind, 2), 300u);
        EXPECT_EQ(drawCell(list.category, list.decimal, 2).text, "300");

        // Two rows below the list: no entry opens out of order.
        typeIntoCell(list.category, list.decimal, 4, "301");
        EXPECT_EQ(count(list.kind), 3);
    }
}

TEST_F(DigitalLists, AFullListRefusesAnotherEntryWithTheOverflowMessage)
{
    setCount(datCh::kKindDigTg, co::kListCapacity);
    cmcEeprom before;
    before.CopyFrom(image());
    typeIntoCell(CT_DIG_Tg, CL_Digi_Grp_Id_Dec, co::kListCapacity, "300");
    EXPECT_TRUE(image().Equals(before));
    ASSERT_EQ(recorder.shown().size(), 1u);
    EXPECT_EQ(recorder.shown()[0].icon, platform::MessageIcon::Error);
}

// Entries holding one ID are both marked; entries past the list's end and
// different IDs are not. Changing an ID redraws the list, whose marks follow.
TEST_F(DigitalLists, DuplicateIdsAreMarkedOnEachOfTheirEntries)
{
    for (const IdList &list : kIdLists) {
        SCOPED_TRACE(list.name);
        setCount(list.kind, 4);
        for (int row = 0; row < 5; ++row)
            setId(list.kind, row, 100 + row);
        setId(list.kind, 3, 101);
        setId(list.kind, 4, 100);
        auto marked = [&](int row) {
            return drawCell(list.category, list.hex, row).warning &&
                   drawCell(list.category, list.decimal, row).warning;
        };
        EXPECT_FALSE(marked(0)) << "entry 5 is beyond the list";
        EXPECT_TRUE(marked(1));
        EXPECT_FALSE(marked(2));
        EXPECT_TRUE(marked(3));

        typeIntoCell(list.category, list.decimal, 3, "222");
        EXPECT_FALSE(marked(1));
        EXPECT_FALSE(marked(3));
    }
}

TEST_F(DigitalLists, ChangingAnIdRedrawsTheWholeList)
{
    setCount(datCh::kKindDigInd, 2);
    cmcCellObj cell = cellOf(CT_DIG_Inv, CL_Digi_Ind_Id_Dec, 1);
    Request request(cell);
    request.capsule.inputMode = cmcCellCapsule::kInputText;
    request.capsule.inputText = "555";
    request.run(kHandlerAction);
    ASSERT_FALSE(request.masks.empty());
    EXPECT_NE(request.masks.back() & cmcCellCapsule::kRedrawSameCategory, 0u);
}

// --- NAC channels --------------------------------------------------------------

// The NAC block never travels to the radio or into the file: the codes are
// shown as fixed; the selection bit (bit i of the bitmap, first row in the
// top bit) is edited.
TEST_F(DigitalLists, NacCodesAreFixedAndTheirSelectionIsEdited)
{
    setWord(kNacChannels + 4 * 9, 0x0F7E);
    setWord(kNacChannels + 4 * 9 + 2, 0x0123);
    EXPECT_EQ(drawCell(CT_DIG_NacCh, CL_Digi_NacCh_RxNac, 9).text, "F7E (No Edit)");
    EXPECT_EQ(drawCell(CT_DIG_NacCh, CL_Digi_NacCh_TxNac, 9).text, "123 (No Edit)");
    typeIntoCell(CT_DIG_NacCh, CL_Digi_NacCh_RxNac, 9, "ABC");
    EXPECT_EQ(word(kNacChannels + 4 * 9), 0x0F7E);

    setByte(kNacSelection + 1, 0x00);
    answerCell(CT_DIG_NacCh, CL_Digi_NacCh_Sel, 9, Flex0, 1);
    EXPECT_EQ(byteAt(kNacSelection + 1), 0x40);
    EXPECT_EQ(drawCell(CT_DIG_NacCh, CL_Digi_NacCh_Sel, 9).text, "On");
}

// --- Status messages -----------------------------------------------------------

TEST_F(DigitalLists, StatusMessagesKeepTheirTextsAndSwitches)
{
    const std::int32_t received = kStatusReceived + 16 * 4;
    const std::int32_t sent = kStatusSent + 16 * 4;
    typeIntoCell(CT_DIG_Status, CL_Digi_Msg_Status_Text_Rx, 4, "ARRIVED");
    typeIntoCell(CT_DIG_Status, CL_Digi_Msg_Status_Text_Tx, 4, "ON SCENE");
    answerCell(CT_DIG_Status, CL_Digi_Msg_Status_Beep, 4, Flex0, 2);
    answerCell(CT_DIG_Status, CL_Digi_Msg_Status_RX, 4, Flex0, 1);
    answerCell(CT_DIG_Status, CL_Digi_Msg_Status_Selection, 4, Flex0, 1);
    EXPECT_EQ(bytesAt(received, 12), "ARRIVED     ");
    EXPECT_EQ(bytesAt(sent, 12), "ON SCENE    ");
    EXPECT_EQ(byteAt(received + 12) & 0x1F, 0x12);
    EXPECT_EQ(byteAt(sent + 12) & 0x02, 0x02);

    // An alert a radio stored beyond the list.
    setByte(received + 12, 0x0C);
    const ShownCell beep = drawCell(CT_DIG_Status, CL_Digi_Msg_Status_Beep, 4);
    EXPECT_TRUE(beep.warning);
}

// An AUX action writes its output and state beside itself; the output cell
// follows the action and is not edited.
TEST_F(DigitalLists, StatusActionsDeriveTheirOutputBytes)
{
    struct Case {
        std::int32_t action;
        const char *shown;
        const char *output;
        std::uint8_t group;
        std::uint8_t state;
    } cases[] = {
        {0, "None", "----", 0, 0},
        {3, "Monitor", "----", 0, 0},
        {26, "AUX 1 Off", "1 (No Edit)", 1, 0},
        {30, "AUX 2 On", "2 (No Edit)", 2, 1},
        {37, "AUX 4 Momentary", "4 (No Edit)", 4, 2},
    };
    const std::int32_t received = kStatusReceived + 16 * 7;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.action);
        answerCell(CT_DIG_Status, CL_Digi_Msg_Status_Action, 7, FlexMark, c.action);
        EXPECT_EQ(byteAt(received + 15), c.action);
        EXPECT_EQ(byteAt(received + 13), c.group);
        EXPECT_EQ(byteAt(received + 14) & 0x03, c.state);
        EXPECT_EQ(drawCell(CT_DIG_Status, CL_Digi_Msg_Status_Action, 7).text, c.shown);
        const ShownCell output = drawCell(CT_DIG_Status, CL_Digi_Msg_Status_AUX, 7);
        EXPECT_EQ(output.text, c.output);
        EXPECT_EQ(output.silver, c.group == 0);
    }
    typeIntoCell(CT_DIG_Status, CL_Digi_Msg_Status_AUX, 7, "1");
    EXPECT_EQ(byteAt(received + 15), 37);

    setByte(received + 15, 60);
    EXPECT_TRUE(drawCell(CT_DIG_Status, CL_Digi_Msg_Status_Action, 7).warning);
}

// --- Encryption keys and short data messages -----------------------------------

TEST_F(DigitalLists, KeysAreFourHexDigitsAndAnythingElseIsRefusedWhole)
{
    const std::int32_t key = kKeys + 2 * 62;
    typeIntoCell(CT_DIG_Encryption, CL_Digi_Encryption_Key, 62, " be0f ");
    EXPECT_EQ(word(key), 0xBE0F);
    EXPECT_EQ(drawCell(CT_DIG_Encryption, CL_Digi_Encryption_Key, 62).text, "BE0F");
    typeIntoCell(CT_DIG_Encryption, CL_Digi_Encryption_Key, 62, "a1");
    EXPECT_EQ(word(key), 0x00A1);
    for (const char *typed : {"12G4", "12345", "KEY", "-1", ""}) {
        SCOPED_TRACE(typed);
        typeIntoCell(CT_DIG_Encryption, CL_Digi_Encryption_Key, 62, typed);
        EXPECT_EQ(word(key), 0x00A1);
    }
}

TEST_F(DigitalLists, ShortDataMessagesKeepTheirTextAndSelection)
{
    typeIntoCell(CT_DIG_SDM, CL_Digi_SDM_Message, 9, "CALL BASE");
    answerCell(CT_DIG_SDM, CL_Digi_SDM_Sel, 9, Flex0, 1);
    EXPECT_EQ(bytesAt(kMessages + 12 * 9, 12), "CALL BASE   ");
    EXPECT_EQ(byteAt(kMessageSelection + 2 * 9) & 0x02, 0x02);
    EXPECT_EQ(bytesAt(kMessages + 12 * 8, 12), bytesAt(kMessages + 12 * 7, 12))
        << "the neighbour is untouched";
}

// --- The channel columns naming list entries ----------------------------------

// A digital channel (signalling 2) shows the entry with the ID or key it
// holds; an ID list entry past the list's end names nothing and is marked.
TEST_F(DigitalLists, ChannelColumnsShowTheEntryTheyName)
{
    setChannels({146000000});
    datCh channel(&image());
    channel.decode(datCh::channelKind(), 0);
    channel.DigSig = 2;
    channel.OperationMode = 2;
    channel.IndList = 1;
    channel.TgList = 4;
    channel.EncryptionNo = 5;
    channel.encode(datCh::kKindNone, 0);
    setCount(datCh::kKindDigInd, 2);
    setLong(individualId(1), 4660);
    setCount(datCh::kKindDigTg, 3);
    setWord(kKeys + 2 * 5, 0xBEEF);

    const ShownCell individual = drawCell(CT_Mch, CL_Mch_Ind_List, 0);
    EXPECT_EQ(individual.text, "2: 4660");
    EXPECT_FALSE(individual.error);
    const ShownCell group = drawCell(CT_Mch, CL_Mch_TG_List, 0);
    EXPECT_EQ(group.text, "5");
    EXPECT_TRUE(group.error);
    EXPECT_EQ(drawCell(CT_Mch, CL_Mch_Encryption_No, 0).text, "6: BEEF");

    answerCell(CT_Mch, CL_Mch_TG_List, 0, Flex_TgIDList_ChNo, 2);
    setWord(talkGroup(2), 77);
    EXPECT_EQ(drawCell(CT_Mch, CL_Mch_TG_List, 0).text, "3: 77");
}

// A typed number counts the list's entries from 1, as the column and its
// popup show them; a number the list does not hold changes nothing.
TEST_F(DigitalLists, ATypedNumberChoosesThatEntryOfTheList)
{
    setChannels({146000000});
    datCh channel(&image());
    channel.decode(datCh::channelKind(), 0);
    channel.DigSig = 2;
    channel.OperationMode = 2;
    channel.encode(datCh::kKindNone, 0);
    setCount(datCh::kKindDigInd, 3);
    setCount(datCh::kKindDigTg, 3);
    const struct {
        const char *typed;
        std::int32_t entry;
    } cases[] = {{"1", 0}, {"3", 2}, {"4", 2}, {"0", 2}, {"2.5", 2}, {"two", 2}, {"2", 1}};
    for (const std::int32_t label : {CL_Mch_Ind_List, CL_Mch_TG_List}) {
        for (const auto &c : cases) {
            typeIntoCell(CT_Mch, label, 0, c.typed);
            channel.decode(datCh::channelKind(), 0);
            EXPECT_EQ(label == CL_Mch_Ind_List ? channel.IndList : channel.TgList, c.entry)
                << cellLabelName(label) << " typed " << c.typed;
        }
    }
}

// --- Sheets and help --------------------------------------------------------------

// The LMR tree offers the lists, the PMR tree none; every cell they show is
// bound and each label has its help topic.
TEST_F(DigitalLists, TheLmrTreeShowsEveryListWithHelp)
{
    const std::map<std::string, std::string> topics = helpFields("GI_AppItem_Topic_ID");
    const char *const sheets[] = {"GI_Sheet_Digital_Ind_Id,X",   "GI_Sheet_Digital_Grp_Id,Q",
                                  "GI_Sheet_Digital_NacCh",      "GI_Sheet_Digital_Status",
                                  "GI_Sheet_Digital_Encryption", "GI_Sheet_Digital_Sdm"};
    for (const int type : {0, 1}) {
        const std::vector<std::string> tree = CellTyping::TreeSheets(
            mainTextDatabase(), type, TreeNodeFilter::HiddenFlags(type, false, false));
        for (const char *call : sheets) {
            SCOPED_TRACE(::testing::Message() << type << " " << call);
            const bool inTree = std::find(tree.begin(), tree.end(), call) != tree.end();
            EXPECT_EQ(inTree, type == 0);
        }
    }
    setCount(datCh::kKindDigInd, 3);
    for (const char *call : sheets) {
        std::unique_ptr<SheetLayout> layout = SheetLayoutFactory::Create(mainTextDatabase(), call);
        layout->SetWidthsPersistent(false);
        layout->SetHandler(SheetLayout::ModelHandler(), nullptr);
        layout->Show();
        int bound = 0;
        for (int row = layout->FixedRows(); row < layout->RowCount(); ++row) {
            for (int col = 0; col < layout->ColCount(); ++col) {
                const cmcCellObj &cell = layout->CellAt(col, row);
                const std::string name(cellLabelName(cell.label));
                if (!name.starts_with("CL_Digi_"))
                    continue;
                const ShownCell shown = drawCell(cell.category, cell.label, cell.index);
                EXPECT_EQ(shown.text.find("*Yet*"), std::string::npos) << call << " " << name;
                EXPECT_NE(shown.text, cmcFCache::kErrorText) << call << " " << name;
                EXPECT_TRUE(topics.contains(name)) << "no help topic for " << name;
                ++bound;
            }
        }
        EXPECT_GT(bound, 0) << call;
    }
}

// Context help on a status action looks its function up (the AUX outputs by
// their state): every action the list offers finds its topic and context.
TEST_F(DigitalLists, EveryStatusActionHasItsHelpContext)
{
    const std::map<std::string, std::string> contexts = helpFields("GI_AppItem_Context_ID");
    cmcFCache &formats = indCellHandler::ProgramFormats();
    const cmcFCacheEntry &actions =
        formats.Entry("GI_Sheet_Sel_Digital_Status_Action_Popup", FlexMark);
    ASSERT_FALSE(actions.byValue.empty());
    for (const cmcFCacheEntry::Record &action : actions.byValue) {
        setByte(kStatusReceived + 15, static_cast<std::uint8_t>(action.value));
        const help_context::Topic topic = help_context::topicOf(
            CL_Digi_Msg_Status_Action, 0, image(), mainTextDatabase(), formats);
        std::map<std::string, std::string> topics = helpFields(topic.key);
        ASSERT_TRUE(topics.contains(topic.text)) << action.value << " " << topic.text;
        EXPECT_TRUE(contexts.contains(topics[topic.text])) << topic.text;
    }
}

} // namespace
