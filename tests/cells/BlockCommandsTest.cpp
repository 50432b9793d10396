// The context-menu block commands on list rows, run through the handler as a
// sheet runs them, with the model object answering the insert and delete
// requests and the questions answered from a script.
#include "HandlerTestFixture.h"

#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "channels/datClipCh.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace co = channel_offsets;
using platform::MessageResult;

constexpr std::int32_t kBase = 146000000;

int32_t frequencyOf(int n) { return kBase + 12500 * n; }

class BlockCommands : public HandlerTest
{
protected:
    int kind() const { return datCh::channelKind(); }
    cmcEeprom &image() { return model->WorkingImage(); }

    // Bank 0 with `count` channels in use, channel n on frequencyOf(n).
    void fillBank(int count)
    {
        std::vector<std::int32_t> frequencies;
        for (int n = 0; n < count; ++n)
            frequencies.push_back(frequencyOf(n));
        setBank(frequencies);
    }
    void setBank(const std::vector<std::int32_t> &frequencies)
    {
        datCh channel(&image());
        channel.setBankChannelCount(0, static_cast<int>(frequencies.size()));
        for (int row = 0; row < static_cast<int>(frequencies.size()); ++row) {
            channel.decode(kind(), row);
            channel.FreqR = channel.FreqT = frequencies[static_cast<std::size_t>(row)];
            channel.encode(datCh::kKindNone, row);
        }
    }
    // A talk-group list of `count` entries with ids 700, 701, ...
    void fillTalkGroups(int count)
    {
        ChannelGlobals::setListCount(image(), datCh::kKindDigTg, count);
        for (int row = 0; row < count; ++row)
            change(datCh::kKindDigTg, row, [row](datCh &r) { r.Id = 700 + row; });
    }

    datCh read(int recordKind, int row, cmcEeprom *from = nullptr)
    {
        datCh record(from != nullptr ? from : &image());
        record.decode(recordKind, row);
        return record;
    }
    template <class Change>
    void change(int recordKind, int row, Change apply, cmcEeprom *in = nullptr)
    {
        datCh record = read(recordKind, row, in);
        apply(record);
        record.encode(recordKind, row);
    }
    int32_t frequency(int row) { return read(kind(), row).FreqR; }
    std::vector<int32_t> frequencies(int first, int last)
    {
        std::vector<int32_t> all;
        for (int row = first; row <= last; ++row)
            all.push_back(frequency(row));
        return all;
    }

    // Runs a command on row `index` of a list, with rows low .. high
    // selected when given.
    struct Outcome {
        std::uint8_t rangeBits = 0;
        std::int32_t rangeLow = 0;
        std::int32_t rangeHigh = 0;
        std::uint32_t jumpRequest = 0;
        std::int32_t jumpIndex = 0;
    };
    Outcome run(std::int32_t command, std::int32_t category, std::int32_t label, int index,
                std::optional<std::pair<int, int>> selected = std::nullopt)
    {
        cmcCellObj cell = cellOf(category, label, index);
        Request request(cell);
        request.capsule.command = command;
        if (selected) {
            request.capsule.rangeBits = cmcCellCapsule::kRangeActive;
            request.capsule.rangeLow = selected->first;
            request.capsule.rangeHigh = selected->second;
        }
        request.run(kHandlerAction);
        return {request.capsule.rangeBits, request.capsule.rangeLow, request.capsule.rangeHigh,
                request.capsule.jumpRequest, request.capsule.jumpIndex};
    }
    Outcome onChannels(std::int32_t command, int index,
                       std::optional<std::pair<int, int>> selected = std::nullopt)
    {
        return run(command, CT_Mch, CL_Mch_FreqR, index, selected);
    }

    std::vector<std::string> shownTexts() const
    {
        std::vector<std::string> texts;
        for (const auto &shown : recorder.shown())
            texts.push_back(shown.text);
        return texts;
    }
    // The status texts the commands posted.
    std::vector<std::string> statusTexts() const
    {
        std::vector<std::string> texts;
        const std::string prefix = "post " + std::to_string(kEvStatusText) + " ";
        for (const std::string &seen : events.seen)
            if (seen.rfind(prefix, 0) == 0)
                texts.push_back(seen.substr(prefix.size(), seen.find(" @") - prefix.size()));
        return texts;
    }
    // The insert and delete requests sent to the main frame.
    std::vector<std::string> entryRequests() const
    {
        std::vector<std::string> requests;
        for (const std::string &seen : events.seen)
            for (int code = kEvInsertChannels; code <= kEvDeleteCallList; ++code)
                if (seen.rfind("send " + std::to_string(code) + " ", 0) == 0 ||
                    seen == "send " + std::to_string(code))
                    requests.push_back(seen);
        return requests;
    }
};

// --- Refusals and questions: the image stays as it was.

// What the image holds before the command: bank 0's channels in use, the
// priority channel A (-1: none), the talk-group list's entries, and the
// channels on the clipboard (count 0: none).
struct Given {
    int channels = 0;
    int priorityA = -1;
    int talkGroups = 0;
    int copiedFirst = 0;
    int copiedCount = 0;
};

struct UnchangedCase {
    const char *what;
    Given given;
    std::int32_t command;
    std::int32_t category;
    std::int32_t label;
    int index;
    std::optional<std::pair<int, int>> selected;
    std::vector<MessageResult> answers;
    std::vector<std::string> shown;
};

class BlockCommandsUnchanged : public BlockCommands,
                               public ::testing::WithParamInterface<UnchangedCase>
{
protected:
    void prepare(const Given &given)
    {
        fillBank(given.channels);
        if (given.priorityA >= 0)
            change(kind(), given.priorityA, [](datCh &c) { c.AtrA = 1; });
        fillTalkGroups(given.talkGroups);
        if (given.copiedCount > 0)
            model->ChannelClipboard().Copy(image(), kind(), given.copiedFirst, given.copiedCount);
    }
};

TEST_P(BlockCommandsUnchanged, LeaveTheImageAsItWas)
{
    const UnchangedCase &c = GetParam();
    prepare(c.given);
    for (MessageResult answer : c.answers)
        recorder.queueAnswer(answer);
    cmcEeprom before;
    before.CopyFrom(image());

    run(c.command, c.category, c.label, c.index, c.selected);

    EXPECT_TRUE(image().Equals(before));
    EXPECT_EQ(shownTexts(), c.shown);
    EXPECT_TRUE(entryRequests().empty());
    EXPECT_TRUE(statusTexts().empty());
}

const auto kCancel = std::vector<MessageResult>{MessageResult::Cancel};

INSTANTIATE_TEST_SUITE_P(
    Cases, BlockCommandsUnchanged,
    ::testing::Values(UnchangedCase{"DeletingPriorityChannelA",
                                    {.channels = 8, .priorityA = 3},
                                    CL_PMenu_Delete,
                                    CT_Mch,
                                    CL_Mch_FreqR,
                                    2,
                                    std::pair{2, 4},
                                    {},
                                    {"Conv_Delete", "ChErr_DelPrio"}},
                      UnchangedCase{"DeletingTheWholeTalkGroupList",
                                    {.talkGroups = 3},
                                    CL_PMenu_Delete,
                                    CT_DIG_Tg,
                                    CL_Digi_Grp_Id_Dec,
                                    0,
                                    std::pair{0, 2},
                                    {},
                                    {"Conv_Delete", "ListErr_NoList"}},
                      UnchangedCase{"CancelledDelete",
                                    {.channels = 4},
                                    CL_PMenu_Delete,
                                    CT_Mch,
                                    CL_Mch_FreqR,
                                    1,
                                    std::nullopt,
                                    kCancel,
                                    {"Conv_Delete"}},
                      UnchangedCase{"CancelledClear",
                                    {.channels = 4},
                                    CL_PMenu_Clear,
                                    CT_Mch,
                                    CL_Mch_FreqR,
                                    1,
                                    std::nullopt,
                                    kCancel,
                                    {"Conv_Clear"}},
                      UnchangedCase{"CancelledPasteOverUsedRows",
                                    {.channels = 4, .copiedFirst = 0, .copiedCount = 2},
                                    CL_PMenu_Paste,
                                    CT_Mch,
                                    CL_Mch_FreqR,
                                    2,
                                    std::nullopt,
                                    kCancel,
                                    {"Conv_Overwrite"}},
                      UnchangedCase{"CancelledInsertThatPushesOutAChannelInUse",
                                    {.channels = 6},
                                    CL_PMenu_Insert,
                                    CT_Mch,
                                    CL_Mch_FreqR,
                                    2,
                                    std::nullopt,
                                    kCancel,
                                    {"Conv_Overflow", "ChErr_Overflow"}},
                      UnchangedCase{
                          "PasteOfAnotherKind",
                          {.channels = 4, .talkGroups = 2, .copiedFirst = 0, .copiedCount = 1},
                          CL_PMenu_Paste,
                          CT_DIG_Tg,
                          CL_Digi_Grp_Id_Dec,
                          0,
                          std::nullopt,
                          {},
                          {}},
                      UnchangedCase{"ClearOnAKindWithoutBlockEditing",
                                    {.channels = 2},
                                    CL_PMenu_Clear,
                                    CT_Scan,
                                    CL_Null,
                                    1,
                                    std::nullopt,
                                    {},
                                    {}},
                      UnchangedCase{"CarryUpAtTheBanksStart",
                                    {.channels = 4},
                                    CL_PMenu_CarryUp,
                                    CT_Mch,
                                    CL_Mch_FreqR,
                                    0,
                                    std::pair{0, 1},
                                    {},
                                    {}},
                      UnchangedCase{"InsertIntoAFullTalkGroupList",
                                    {.talkGroups = co::kListCapacity},
                                    CL_PMenu_Insert,
                                    CT_DIG_Tg,
                                    CL_Digi_Grp_Id_Dec,
                                    3,
                                    std::nullopt,
                                    {},
                                    {"ChErr_Overflow"}},
                      UnchangedCase{"DeleteOnAnEmptyTalkGroupList",
                                    {},
                                    CL_PMenu_Delete,
                                    CT_DIG_Tg,
                                    CL_Digi_Grp_Id_Dec,
                                    0,
                                    std::nullopt,
                                    {},
                                    {}},
                      UnchangedCase{"CarryDownOnAnEmptyTalkGroupList",
                                    {},
                                    CL_PMenu_CarryDown,
                                    CT_DIG_Tg,
                                    CL_Digi_Grp_Id_Dec,
                                    0,
                                    std::pair{0, 1},
                                    {},
                                    {}},
                      UnchangedCase{"CarryUpTheFirstEncryptionKey",
                                    {},
                                    CL_PMenu_CarryUp,
                                    CT_DIG_Encryption,
                                    CL_Digi_Encryption_Key,
                                    0,
                                    std::nullopt,
                                    {},
                                    {}},
                      UnchangedCase{"CarryDownAtTheBanksEnd",
                                    {.channels = 4},
                                    CL_PMenu_CarryDown,
                                    CT_Mch,
                                    CL_Mch_FreqR,
                                    3,
                                    std::nullopt,
                                    {},
                                    {}}),
    [](const auto &testInfo) { return std::string(testInfo.param.what); });

// --- Copy and paste.

TEST_F(BlockCommands, PasteAtTheSecondLastChannelPastesTwoOfThree)
{
    fillBank(10);
    const int32_t beyond = frequency(10);
    const Outcome copied = onChannels(CL_PMenu_Copy, 0, std::pair{0, 2});
    EXPECT_EQ(copied.rangeBits & cmcCellCapsule::kRangeSelect, cmcCellCapsule::kRangeSelect);
    EXPECT_EQ(copied.rangeLow, 0);
    EXPECT_EQ(copied.rangeHigh, 2);
    EXPECT_EQ(model->ChannelClipboard().Count(), 3);

    const Outcome pasted = onChannels(CL_PMenu_Paste, 8);

    EXPECT_EQ(frequencies(7, 9),
              (std::vector<int32_t>{frequencyOf(7), frequencyOf(0), frequencyOf(1)}));
    EXPECT_EQ(frequency(10), beyond) << "nothing is pasted beyond the bank";
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Conv_Overwrite"});
    EXPECT_EQ(pasted.rangeLow, 8);
    EXPECT_EQ(pasted.rangeHigh, 9);
    EXPECT_EQ(statusTexts(), (std::vector<std::string>{"S_Copy", "S_Paste"}));
}

TEST_F(BlockCommands, CopyIsLimitedToTheUsableRows)
{
    fillBank(4);
    onChannels(CL_PMenu_Copy, 2, std::pair{2, 9});
    EXPECT_EQ(model->ChannelClipboard().FirstIndex(), 2);
    EXPECT_EQ(model->ChannelClipboard().Count(), 2);
}

TEST_F(BlockCommands, PasteOverABlankRowAsksNothingAndKeepsTheTargetsDesignation)
{
    setBank({frequencyOf(0), frequencyOf(1), 0});
    change(kind(), 0, [](datCh &c) { c.AtrA = 1; });
    onChannels(CL_PMenu_Copy, 0);
    onChannels(CL_PMenu_Paste, 2);
    EXPECT_TRUE(recorder.shown().empty());
    EXPECT_EQ(frequency(2), frequencyOf(0));
    EXPECT_EQ(ChannelGlobals::readWord(image(), co::kPriorityA), 0);
}

// Fixed entries of the dPMR status list belong to the radio.
TEST_F(BlockCommands, CopyRefusesFixedDpmrStatusEntries)
{
    constexpr int kDpmrStatus = 24;
    for (const int32_t function : {0, 2, 5, 6}) {
        SCOPED_TRACE(function);
        model->ChannelClipboard().Clear();
        change(kDpmrStatus, 3, [function](datCh &r) { r.Function = function; });
        run(CL_PMenu_Copy, CT_DPMR_Status, CL_Dpmr_Msg_Status_Function, 2, std::pair{2, 4});
        const bool fixed = function >= 2 && function <= 5;
        EXPECT_EQ(model->ChannelClipboard().CanPaste(kDpmrStatus), !fixed);
    }
}

// --- Carrying.

constexpr int kScanListKind = datCh::kKindScanList;

TEST_F(BlockCommands, CarryingDownMovesTheNeighbourUpAndScanListsFollow)
{
    fillBank(10);
    change(kScanListKind, 0, [](datCh &s) {
        s.TX_CH = 5;
        s.TxChNo = 7;
    });
    change(kScanListKind, 1, [](datCh &s) {
        s.Prio1_CH = 5;
        s.Prio1ChNo = 5;
    });

    const Outcome moved = onChannels(CL_PMenu_CarryDown, 6, std::pair{4, 6});

    EXPECT_EQ(frequencies(3, 8),
              (std::vector<int32_t>{frequencyOf(3), frequencyOf(7), frequencyOf(4), frequencyOf(5),
                                    frequencyOf(6), frequencyOf(8)}));
    EXPECT_EQ(read(kScanListKind, 0).TxChNo, 4);
    EXPECT_EQ(read(kScanListKind, 1).Prio1ChNo, 6);
    EXPECT_EQ(moved.rangeLow, 5);
    EXPECT_EQ(moved.rangeHigh, 7);
    EXPECT_EQ(moved.jumpRequest, 1u);
    EXPECT_EQ(moved.jumpIndex, 7);
}

TEST_F(BlockCommands, CarryingUpTakesThePriorityDesignationAlongAndLeavesTheBankFlag)
{
    fillBank(6);
    change(kind(), 4, [](datCh &c) { c.AtrB = 1; });
    ChannelGlobals::setBankFlag(image(), co::kBankSmarTrunk, 0, true);

    const Outcome moved = onChannels(CL_PMenu_CarryUp, 4, std::pair{4, 5});

    EXPECT_EQ(frequencies(3, 5),
              (std::vector<int32_t>{frequencyOf(4), frequencyOf(5), frequencyOf(3)}));
    EXPECT_EQ(ChannelGlobals::readWord(image(), co::kPriorityB), 3);
    EXPECT_TRUE(ChannelGlobals::bankFlag(image(), co::kBankSmarTrunk, 0));
    EXPECT_EQ(moved.jumpIndex, 3);
}

// --- Clear.

TEST_F(BlockCommands, ClearResetsToTheDefaultImagesEntryNotToZeros)
{
    fillBank(4);
    change(
        kind(), 2, [](datCh &c) { c.FreqR = c.FreqT = 155500000; }, &model->InitialImage());
    onChannels(CL_PMenu_Clear, 2);
    EXPECT_EQ(frequency(2), 155500000);
    EXPECT_EQ(frequency(1), frequencyOf(1));
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Conv_Clear"});
    EXPECT_EQ(statusTexts(), std::vector<std::string>{"S_Clear"});
}

// --- Delete and insert go through the main frame's requests.

TEST_F(BlockCommands, DeletingChannelsSendsOneRequestPerRowAtTheBlocksStart)
{
    fillBank(6);
    ChannelGlobals::writeWord(image(), co::kChannelE, 2);
    image().SetByte(co::kChannelEActive, 0x20);

    const Outcome deleted = onChannels(CL_PMenu_Delete, 2, std::pair{2, 3});

    EXPECT_EQ(entryRequests(), (std::vector<std::string>{"send 28 @2", "send 28 @2"}));
    EXPECT_EQ(frequencies(0, 3), (std::vector<int32_t>{frequencyOf(0), frequencyOf(1),
                                                       frequencyOf(4), frequencyOf(5)}));
    EXPECT_EQ(image().GetByte(co::kChannelEActive) & 0x20, 0) << "the E designation is off";
    EXPECT_EQ(deleted.rangeBits & cmcCellCapsule::kRangeSelect, 0) << "no selection";
    EXPECT_EQ(deleted.jumpRequest, 1u);
    EXPECT_EQ(deleted.jumpIndex, 2);
    EXPECT_EQ(statusTexts(), std::vector<std::string>{"S_Delete"});
}

TEST_F(BlockCommands, InsertingIntoABankWithABlankTailAsksNothing)
{
    setBank({frequencyOf(0), frequencyOf(1), frequencyOf(2), 0});
    const Outcome inserted = onChannels(CL_PMenu_Insert, 1);
    EXPECT_TRUE(recorder.shown().empty());
    EXPECT_EQ(entryRequests(), std::vector<std::string>{"send 27 @1"});
    EXPECT_EQ(frequency(1), read(kind(), 1, &model->InitialImage()).FreqR);
    EXPECT_EQ(frequency(2), frequencyOf(1));
    EXPECT_EQ(frequency(3), frequencyOf(2));
    EXPECT_EQ(datCh(&image()).bankChannelCount(0), 4);
    EXPECT_EQ(inserted.rangeLow, 1);
    EXPECT_EQ(inserted.rangeHigh, 1);
    EXPECT_EQ(statusTexts(), std::vector<std::string>{"S_Insert"});
}

TEST_F(BlockCommands, ConfirmedInsertPushesTheLastChannelsOut)
{
    fillBank(6);
    onChannels(CL_PMenu_Insert, 2, std::pair{2, 3});
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"Conv_Overflow"}) << "asked once";
    EXPECT_EQ(entryRequests(), (std::vector<std::string>{"send 27 @2", "send 27 @2"}));
    EXPECT_EQ(frequency(4), frequencyOf(2));
    EXPECT_EQ(frequency(5), frequencyOf(3));
}

TEST_F(BlockCommands, ListInsertAndDeleteGrowAndShrinkTheList)
{
    fillTalkGroups(3);
    run(CL_PMenu_Insert, CT_DIG_Tg, CL_Digi_Grp_Id_Dec, 1, std::pair{1, 2});
    EXPECT_EQ(ChannelGlobals::listCount(image(), datCh::kKindDigTg), 5);
    EXPECT_EQ(read(datCh::kKindDigTg, 3).Id, 701);

    events.seen.clear();
    run(CL_PMenu_Delete, CT_DIG_Tg, CL_Digi_Grp_Id_Dec, 1, std::pair{1, 2});
    EXPECT_EQ(entryRequests(), (std::vector<std::string>{"send 32 @1", "send 32 @1"}));
    EXPECT_EQ(ChannelGlobals::listCount(image(), datCh::kKindDigTg), 3);
    EXPECT_EQ(read(datCh::kKindDigTg, 1).Id, 701);
}

// A block larger than the room left: the list fills up to its 500 entries,
// the rest is refused with the overflow message, and no entry is pushed out.
TEST_F(BlockCommands, InsertStopsAtTheListsLimitWithoutLosingEntries)
{
    fillTalkGroups(co::kListCapacity - 2);
    run(CL_PMenu_Insert, CT_DIG_Tg, CL_Digi_Grp_Id_Dec, 1, std::pair{1, 3});
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"ChErr_Overflow"});
    EXPECT_EQ(ChannelGlobals::listCount(image(), datCh::kKindDigTg), co::kListCapacity);
    EXPECT_EQ(read(datCh::kKindDigTg, 0).Id, 700);
    EXPECT_EQ(read(datCh::kKindDigTg, 3).Id, 701);
    EXPECT_EQ(read(datCh::kKindDigTg, co::kListCapacity - 1).Id, 700 + co::kListCapacity - 3);
}

// Channels name their encryption key by number: carrying keys keeps each
// channel on the key it had.
TEST_F(BlockCommands, CarryingEncryptionKeysKeepsTheChannelsOnTheirKeys)
{
    constexpr int kKeys = 21;
    fillBank(3);
    for (int row = 0; row < 4; ++row)
        change(kKeys, row, [row](datCh &k) { k.Key = 0x1000 + row; });
    change(kind(), 0, [](datCh &c) { c.EncryptionNo = 1; });
    change(kind(), 1, [](datCh &c) { c.EncryptionNo = 2; });
    change(kind(), 2, [](datCh &c) { c.EncryptionNo = 3; });

    run(CL_PMenu_CarryDown, CT_DIG_Encryption, CL_Digi_Encryption_Key, 1);

    EXPECT_EQ(read(kKeys, 1).Key, 0x1002);
    EXPECT_EQ(read(kKeys, 2).Key, 0x1001);
    const std::vector<int32_t> keysOfChannels{read(kKeys, read(kind(), 0).EncryptionNo).Key,
                                              read(kKeys, read(kind(), 1).EncryptionNo).Key,
                                              read(kKeys, read(kind(), 2).EncryptionNo).Key};
    EXPECT_EQ(keysOfChannels, (std::vector<int32_t>{0x1001, 0x1002, 0x1003}));
}

} // namespace
