#include "WorkingImage.h"

#include "channels/ChannelEntryTable.h"
#include "channels/datCh.h"

#include <gtest/gtest.h>

#include <vector>

using namespace channel_testing;

namespace {

constexpr int kChannelTable = 32;
constexpr int kListTable = 500;
constexpr int kScanRecords = 17;
constexpr int32_t kScanList = 0x1150F;
constexpr int32_t kBankCount = 0x10F0E;
constexpr int32_t kBankSmarTrunk = 0x10E8A;
constexpr int32_t kPriorityA = 0x103C0;
constexpr int kLmr = datCh::kKindChannelLmr;

// A zeroed working image and a defaults image whose entries are easy to
// tell apart from zeros.
class EntryTable : public ::testing::Test
{
protected:
    EntryTable() { defaults.fillRandom(7); }

    ChannelEntryTable table() { return ChannelEntryTable(w.image, defaults.image); }

    datCh read(WorkingImage &image, int kind, int row)
    {
        datCh record(&image.image);
        record.decode(kind, row);
        return record;
    }
    template <class Change>
    void change(int kind, int row, Change apply)
    {
        datCh record = read(w, kind, row);
        apply(record);
        record.encode(kind, row);
    }
    void useChannel(int kind, int channel, int32_t hertz)
    {
        change(kind, channel, [hertz](datCh &c) { c.FreqR = hertz; });
    }

    WorkingImage w;
    WorkingImage defaults;
};

// --- Channel numbers in the scan lists.

struct ScanChannels {
    int32_t txOption, tx, prio1Option, prio1, prio2Option, prio2;
};

struct ScanCase {
    const char *what;
    bool insert;
    int at;
    ScanChannels before;
    ScanChannels after;
};

const std::vector<ScanCase> kScanCases = {
    {"deleted priority 1 is cleared and falls back to option 1; a later channel moves up",
     false,
     3,
     {5, 7, 5, 3, 5, 2},
     {5, 6, 1, 0, 5, 2}},
    {"deleted transmit and priority 2 channels are cleared, their options go to 0",
     false,
     3,
     {5, 3, 0, 0, 5, 3},
     {0, 0, 0, 0, 0, 0}},
    {"an option that does not name a channel stays when its number is cleared",
     false,
     3,
     {2, 3, 3, 3, 4, 3},
     {2, 0, 3, 0, 4, 0}},
    {"deleting the last channel", false, 31, {5, 31, 5, 31, 5, 30}, {0, 0, 1, 0, 5, 30}},
    {"inserting moves the channel at the place and behind it",
     true,
     3,
     {5, 3, 5, 2, 5, 30},
     {5, 4, 5, 2, 5, 31}},
    {"inserting at 0 moves channel 0", true, 0, {5, 0, 1, 0, 0, 0}, {5, 1, 1, 1, 0, 1}},
    {"a channel the insert pushes out of the table is dropped like a deleted one",
     true,
     3,
     {5, 31, 5, 31, 5, 31},
     {0, 0, 1, 0, 0, 0}},
    {"numbers beyond the table name no channel and stay",
     false,
     3,
     {5, 40, 5, 300, 5, 32},
     {5, 40, 5, 300, 5, 32}},
};

TEST_F(EntryTable, ScanListChannelsFollowTheMovedChannels)
{
    ScopedModelType lmr(0);
    for (const ScanCase &c : kScanCases) {
        SCOPED_TRACE(c.what);
        w.clear();
        // The 17th record lies beyond the ones the scan list sheet shows.
        for (int row : {0, kScanRecords - 1}) {
            change(datCh::kKindScanList, row, [&c](datCh &s) {
                s.TX_CH = c.before.txOption;
                s.TxChNo = c.before.tx;
                s.Prio1_CH = c.before.prio1Option;
                s.Prio1ChNo = c.before.prio1;
                s.Prio2_CH = c.before.prio2Option;
                s.Prio2ChNo = c.before.prio2;
            });
        }
        ASSERT_TRUE(c.insert ? table().insertEntry(kChannelTable, kLmr, c.at)
                             : table().deleteEntry(kChannelTable, kLmr, c.at));
        for (int row : {0, kScanRecords - 1}) {
            SCOPED_TRACE(row);
            const datCh s = read(w, datCh::kKindScanList, row);
            EXPECT_EQ(s.TX_CH, c.after.txOption);
            EXPECT_EQ(s.TxChNo, c.after.tx);
            EXPECT_EQ(s.Prio1_CH, c.after.prio1Option);
            EXPECT_EQ(s.Prio1ChNo, c.after.prio1);
            EXPECT_EQ(s.Prio2_CH, c.after.prio2Option);
            EXPECT_EQ(s.Prio2ChNo, c.after.prio2);
            const bool prio2Set = (w.at(kScanList + 34 * row + 24) & 0x80) != 0;
            EXPECT_EQ(prio2Set, c.after.prio2Option != 0);
        }
    }
}

// --- Entry numbers of the growing lists.

struct ListReferences {
    const char *name;
    int kind;
    int modelType;
    std::vector<int32_t> words;
    std::vector<int32_t datCh::*> members;
};

const std::vector<ListReferences> kListReferences = {
    {"individual IDs", datCh::kKindDigInd, 0, {0x176F2}, {&datCh::IndList}},
    {"talk groups", datCh::kKindDigTg, 0, {}, {&datCh::TgList}},
    {"dPMR IDs",
     datCh::kKindDpmrId,
     1,
     {0x19F31, 0x1A08D, 0x1A08F},
     {&datCh::DpmrCallList, &datCh::DpmrTgList}},
};

struct NumberCase {
    bool insert;
    int at;
    int32_t before;
    int32_t after;
};

const NumberCase kNumberCases[] = {
    {false, 4, 4, 0},     // the deleted entry: back to entry 0
    {false, 4, 7, 6},     // behind it: one up
    {false, 4, 2, 2},     // before it: stays
    {false, 4, 600, 600}, // beyond the list: names nothing, stays
    {true, 4, 4, 5},      // at the place: one down
    {true, 4, 3, 3},      // before it: stays
    {true, 4, 499, 0},    // pushed out of the list
};

TEST_F(EntryTable, ListEntryNumbersFollowInImageWordsAndUsedChannels)
{
    for (const ListReferences &list : kListReferences) {
        ScopedModelType type(list.modelType);
        const int channelKind = datCh::channelKind();
        for (const NumberCase &c : kNumberCases) {
            SCOPED_TRACE(::testing::Message()
                         << list.name << (c.insert ? " insert at " : " delete at ") << c.at
                         << ", number " << c.before);
            w.clear();
            for (int32_t address : list.words)
                w.setWord(address, c.before);
            // Channels 0 and 5 are in use, channel 9 is not.
            for (int channel : {0, 5, 9}) {
                change(channelKind, channel, [&](datCh &ch) {
                    ch.FreqR = channel == 9 ? 0 : 145000000 + channel;
                    for (int32_t datCh::*member : list.members)
                        ch.*member = c.before;
                });
            }
            ASSERT_TRUE(c.insert ? table().insertEntry(kListTable, list.kind, c.at)
                                 : table().deleteEntry(kListTable, list.kind, c.at));
            for (int32_t address : list.words)
                EXPECT_EQ(w.word(address), c.after) << std::hex << address;
            for (int channel : {0, 5, 9}) {
                const datCh ch = read(w, channelKind, channel);
                for (int32_t datCh::*member : list.members)
                    EXPECT_EQ(ch.*member, channel == 9 ? c.before : c.after)
                        << "channel " << channel;
            }
        }
    }
}

// A block of entries changing places with its neighbour: the block's
// numbers move with it, the neighbour's goes to the block's far end.
struct CarryCase {
    int first;
    int last;
    int step;
    int32_t before;
    int32_t after;
};

const CarryCase kCarryCases[] = {
    {2, 3, +1, 2, 3}, {2, 3, +1, 3, 4}, {2, 3, +1, 4, 2}, {2, 3, +1, 1, 1}, {2, 3, +1, 5, 5},
    {2, 3, -1, 2, 1}, {2, 3, -1, 3, 2}, {2, 3, -1, 1, 3}, {2, 3, -1, 4, 4},
};

TEST_F(EntryTable, CarriedListEntriesAreFollowedByTheirNumbers)
{
    for (const ListReferences &list : kListReferences) {
        ScopedModelType type(list.modelType);
        const int channelKind = datCh::channelKind();
        for (const CarryCase &c : kCarryCases) {
            SCOPED_TRACE(::testing::Message() << list.name << " carry " << c.first << ".." << c.last
                                              << " by " << c.step << ", number " << c.before);
            w.clear();
            for (int32_t address : list.words)
                w.setWord(address, c.before);
            change(channelKind, 0, [&](datCh &ch) {
                ch.FreqR = 145000000;
                for (int32_t datCh::*member : list.members)
                    ch.*member = c.before;
            });
            ASSERT_TRUE(table().carryReferences(list.kind, c.first, c.last, c.step));
            for (int32_t address : list.words)
                EXPECT_EQ(w.word(address), c.after) << std::hex << address;
            const datCh ch = read(w, channelKind, 0);
            for (int32_t datCh::*member : list.members)
                EXPECT_EQ(ch.*member, c.after);
        }
    }
}

TEST_F(EntryTable, CarryingPastTheTablesEndsIsRefused)
{
    w.setWord(0x176F2, 0);
    EXPECT_FALSE(table().carryReferences(datCh::kKindDigInd, 0, 1, -1));
    EXPECT_FALSE(table().carryReferences(datCh::kKindDigInd, 498, 499, +1));
    EXPECT_FALSE(table().carryReferences(datCh::kKindDigInd, 3, 2, +1));
    EXPECT_EQ(w.word(0x176F2), 0);
}

TEST_F(EntryTable, OnlyTheReferencesOfTheMovedListChange)
{
    ScopedModelType lmr(0);
    w.setWord(0x176F2, 8);
    change(kLmr, 2, [](datCh &ch) {
        ch.FreqR = 145000000;
        ch.IndList = 8;
        ch.TgList = 8;
        ch.DpmrCallList = 8;
    });
    ASSERT_TRUE(table().deleteEntry(kListTable, datCh::kKindDigTg, 1));
    const datCh ch = read(w, kLmr, 2);
    EXPECT_EQ(ch.TgList, 7);
    EXPECT_EQ(ch.IndList, 8);
    EXPECT_EQ(ch.DpmrCallList, 8);
    EXPECT_EQ(w.word(0x176F2), 8);
}

// --- Moving the entries.

TEST_F(EntryTable, InsertMovesTheEntriesBehindThePlaceAndOpensItWithTheDefaultEntry)
{
    for (int row = 0; row < kListTable; ++row)
        change(datCh::kKindDigTg, row, [row](datCh &e) { e.Id = 1000 + row; });
    const int32_t defaultId = read(defaults, datCh::kKindDigTg, 2).Id;
    ASSERT_NE(defaultId, 0);

    ASSERT_TRUE(table().insertEntry(kListTable, datCh::kKindDigTg, 2));
    EXPECT_EQ(read(w, datCh::kKindDigTg, 1).Id, 1001);
    EXPECT_EQ(read(w, datCh::kKindDigTg, 2).Id, defaultId);
    EXPECT_EQ(read(w, datCh::kKindDigTg, 3).Id, 1002);
    EXPECT_EQ(read(w, datCh::kKindDigTg, 499).Id, 1498) << "the last entry is lost";
}

TEST_F(EntryTable, DeleteMovesTheEntriesUpAndFillsTheLastRowFromTheDefaults)
{
    ScopedModelType pmr(1);
    for (int row = 0; row < kListTable; ++row)
        change(datCh::kKindDpmrId, row, [row](datCh &e) {
            e.Id = 0x100000 + row;
            e.Text[0] = static_cast<uint8_t>('A' + row % 26);
        });
    const std::vector<uint8_t> defaultsBefore = defaults.bytes();
    const datCh blank = read(defaults, datCh::kKindDpmrId, 499);

    ASSERT_TRUE(table().deleteEntry(kListTable, datCh::kKindDpmrId, 1));
    EXPECT_EQ(read(w, datCh::kKindDpmrId, 0).Id, 0x100000);
    EXPECT_EQ(read(w, datCh::kKindDpmrId, 1).Id, 0x100002);
    EXPECT_EQ(read(w, datCh::kKindDpmrId, 498).Id, 0x100000 + 499);
    const datCh last = read(w, datCh::kKindDpmrId, 499);
    EXPECT_EQ(last.Id, blank.Id);
    EXPECT_EQ(last.Text, blank.Text);
    EXPECT_EQ(defaults.bytes(), defaultsBefore) << "the defaults are only read";
}

TEST_F(EntryTable, ChannelsLeaveTheBankFlagsWithTheirRow)
{
    ScopedModelType lmr(0);
    w.setWord(kBankCount, 4);
    w.set(kBankSmarTrunk, 0x80);
    for (int channel = 0; channel < 6; ++channel)
        useChannel(kLmr, channel, 146000000 + channel * 12500);

    // Channel 4 lies beyond the bank and reads no flags; moving it into the
    // bank must not clear the bank's flag.
    ASSERT_TRUE(table().deleteEntry(kChannelTable, kLmr, 1));
    EXPECT_EQ(read(w, kLmr, 3).FreqR, 146000000 + 4 * 12500);
    EXPECT_NE(w.at(kBankSmarTrunk) & 0x80, 0);
    EXPECT_TRUE(read(w, kLmr, 0).BankSmarTrunk);
}

TEST_F(EntryTable, PriorityDesignationsTravelWithTheChannel)
{
    ScopedModelType lmr(0);
    for (int channel = 0; channel < 8; ++channel)
        useChannel(kLmr, channel, 146000000 + channel * 12500);
    w.setWord(kPriorityA, 5);

    ASSERT_TRUE(table().insertEntry(kChannelTable, kLmr, 2));
    EXPECT_EQ(w.word(kPriorityA), 6);
    EXPECT_TRUE(read(w, kLmr, 6).AtrA);
    EXPECT_EQ(read(w, kLmr, 6).FreqR, 146000000 + 5 * 12500);

    ASSERT_TRUE(table().deleteEntry(kChannelTable, kLmr, 0));
    EXPECT_EQ(w.word(kPriorityA), 5);
    EXPECT_EQ(read(w, kLmr, 5).FreqR, 146000000 + 5 * 12500);
}

TEST_F(EntryTable, TheOpenedChannelIsTheDefaultChannelNotZeros)
{
    ScopedModelType lmr(0);
    defaults.setWord(kPriorityA, 3);
    const datCh blank = read(defaults, kLmr, 3);
    ASSERT_TRUE(blank.AtrA);
    ASSERT_TRUE(table().insertEntry(kChannelTable, kLmr, 3));
    const datCh opened = read(w, kLmr, 3);
    EXPECT_EQ(opened.FreqR, blank.FreqR);
    EXPECT_EQ(opened.Text, blank.Text);
    EXPECT_EQ(opened.Scan, blank.Scan);
    // The designations are those of the working image's row, not the defaults'.
    EXPECT_EQ(opened.AtrA, 0);
    EXPECT_EQ(w.word(kPriorityA), 0);
}

TEST_F(EntryTable, RequestsOutsideTheTableChangeNothing)
{
    ScopedModelType lmr(0);
    w.fillRandom(3);
    struct Refused {
        const char *what;
        int tableSize;
        int kind;
        int index;
    } refused[] = {
        {"negative index", kChannelTable, kLmr, -1},
        {"index at the table size", kChannelTable, kLmr, kChannelTable},
        {"table larger than the channels", kChannelTable + 1, kLmr, 0},
        {"table larger than the list", kListTable + 1, datCh::kKindDigInd, 3},
        {"empty table", 0, datCh::kKindDigTg, 0},
        {"index beyond a smaller table", 10, datCh::kKindDigTg, 10},
        {"scan lists take no inserts", 16, datCh::kKindScanList, 2},
        {"kind 0", 1, datCh::kKindNone, 0},
        {"kind beyond the kinds", 1, datCh::kKinds, 0},
    };
    const std::vector<uint8_t> before = w.bytes();
    for (const Refused &r : refused) {
        SCOPED_TRACE(r.what);
        EXPECT_FALSE(table().insertEntry(r.tableSize, r.kind, r.index));
        EXPECT_FALSE(table().deleteEntry(r.tableSize, r.kind, r.index));
        EXPECT_EQ(w.bytes(), before);
    }
}

TEST_F(EntryTable, ASmallerDefaultsImageIsRefused)
{
    ScopedModelType lmr(0);
    cmcEeprom small;
    small.SetSize(0x10000);
    ChannelEntryTable withSmallDefaults(w.image, small);
    EXPECT_FALSE(withSmallDefaults.insertEntry(kChannelTable, kLmr, 0));
}

} // namespace
