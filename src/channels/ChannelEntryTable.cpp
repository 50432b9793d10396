#include "channels/ChannelEntryTable.h"

#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "channels/RecordLayout.h"
#include "channels/datCh.h"
#include "image/WorkingLayout.h"
#include "image/cmcEeprom.h"

#include <optional>

using namespace channel_offsets;

namespace {

// The tables whose entries are named by number elsewhere.
enum class Named : uint8_t {
    Nothing,
    Channels,
    IndividualIds,
    TalkGroups,
    DpmrIds,
    EncryptionKeys
};

// The digital encryption keys, which channels name by number.
constexpr int kKindDigitalKey = 21;

Named namedTable(int kind)
{
    switch (kind) {
    case datCh::kKindChannelLmr:
    case datCh::kKindChannelPmr:
        return Named::Channels;
    case datCh::kKindDigInd:
        return Named::IndividualIds;
    case datCh::kKindDigTg:
        return Named::TalkGroups;
    case datCh::kKindDpmrId:
        return Named::DpmrIds;
    case kKindDigitalKey:
        return Named::EncryptionKeys;
    default:
        return Named::Nothing;
    }
}

// Where a stored entry number lives: a 16-bit word of the image, a member of
// each of the 17 scan list records, or a member of every channel in use.
enum class Holder : uint8_t { ImageWord, ScanList, UsedChannel };

// A scan list option value that makes the list use the channel its number
// names.
constexpr int32_t kSpecificChannel = 5;

struct Reference {
    Named table;
    Holder holder;
    int32_t address;
    int32_t datCh::*number;
    // The scan list option that uses the number, and what a specific-channel
    // option falls back to when its channel leaves the table.
    int32_t datCh::*option;
    int32_t optionWhenGone;
};

constexpr Reference word(Named table, int32_t address)
{
    return {table, Holder::ImageWord, address, nullptr, nullptr, 0};
}
constexpr Reference channelMember(Named table, int32_t datCh::*number)
{
    return {table, Holder::UsedChannel, 0, number, nullptr, 0};
}
constexpr Reference scanChannel(int32_t datCh::*number, int32_t datCh::*option,
                                int32_t optionWhenGone)
{
    return {Named::Channels, Holder::ScanList, 0, number, option, optionWhenGone};
}

// Priority 1 falls back to option 1, the others to 0; a priority-2 option
// of 0 also clears the list's priority-2 bit when the list is encoded.
constexpr Reference kReferences[] = {
    scanChannel(&datCh::TxChNo, &datCh::TX_CH, 0),
    scanChannel(&datCh::Prio1ChNo, &datCh::Prio1_CH, 1),
    scanChannel(&datCh::Prio2ChNo, &datCh::Prio2_CH, 0),
    word(Named::IndividualIds, kDigIndEntryWord),
    channelMember(Named::IndividualIds, &datCh::IndList),
    channelMember(Named::TalkGroups, &datCh::TgList),
    word(Named::DpmrIds, kDpmrIdEntryWord),
    word(Named::DpmrIds, kDpmrIdEntryWord2),
    word(Named::DpmrIds, kDpmrIdEntryWord3),
    channelMember(Named::DpmrIds, &datCh::DpmrCallList),
    channelMember(Named::DpmrIds, &datCh::DpmrTgList),
    channelMember(Named::EncryptionKeys, &datCh::EncryptionNo),
};

// How the entry numbers of a table change when a place opens or closes at
// one row, or when a block of entries changes places with its neighbour.
// Numbers at or beyond the table's size name no entry of it and stay as
// they are.
class Renumbering
{
public:
    static Renumbering opening(int at, int size) { return {at, size, +1, -1}; }
    static Renumbering closing(int at, int size) { return {at, size, -1, -1}; }
    // Entries first .. last move by step; the neighbour they pass goes to
    // the far end of the block.
    static Renumbering carrying(int first, int last, int step)
    {
        return {first, last + 1, step, step > 0 ? last + 1 : first - 1};
    }

    // The entry's new number; none when the entry leaves the table (the
    // deleted one, or the last one an insert pushes out).
    std::optional<int> operator()(int number) const
    {
        if (neighbour_ >= 0)
            return carried(number);
        if (number < at_ || number >= size_)
            return number;
        const int gone = step_ > 0 ? size_ - 1 : at_;
        if (number == gone)
            return std::nullopt;
        return number + step_;
    }

private:
    Renumbering(int at, int size, int step, int neighbour)
        : at_(at), size_(size), step_(step), neighbour_(neighbour)
    {}

    int carried(int number) const
    {
        if (number >= at_ && number < size_)
            return number + step_;
        if (number == neighbour_)
            return neighbour_ - step_ * (size_ - at_);
        return number;
    }

    // For a carry: the block's first entry and one past its last.
    int at_;
    int size_;
    int step_;
    int neighbour_;
};

// True when the record changed.
bool renumberMember(datCh &record, const Reference &reference, const Renumbering &renumbering)
{
    int32_t &number = record.*reference.number;
    const int32_t before = number;
    if (const std::optional<int> moved = renumbering(number)) {
        number = *moved;
        return number != before;
    }
    number = 0;
    if (reference.option == nullptr || record.*reference.option != kSpecificChannel)
        return number != before;
    record.*reference.option = reference.optionWhenGone;
    return true;
}

void correctImageWords(cmcEeprom &image, Named table, const Renumbering &renumbering)
{
    for (const Reference &reference : kReferences) {
        if (reference.table != table || reference.holder != Holder::ImageWord)
            continue;
        const int number = ChannelGlobals::readWord(image, reference.address);
        const int corrected = renumbering(number).value_or(0);
        if (corrected != number)
            ChannelGlobals::writeWord(image, reference.address, corrected);
    }
}

// Each holding record is decoded once and encoded only when one of its
// numbers changed.
void correctRecords(cmcEeprom &image, Named table, Holder holder, const Renumbering &renumbering)
{
    const int kind = holder == Holder::ScanList ? datCh::kKindScanList : datCh::channelKind();
    if (kind == datCh::kKindNone)
        return;
    const int rows = record_layout::layoutOf(kind).rows;
    datCh record(&image);
    for (int row = 0; row < rows; ++row) {
        record.decode(kind, row);
        if (holder == Holder::UsedChannel && !record.isUsed())
            continue;
        bool changed = false;
        for (const Reference &reference : kReferences)
            if (reference.table == table && reference.holder == holder)
                changed = renumberMember(record, reference, renumbering) || changed;
        if (changed)
            record.encode(kind, row);
    }
}

void correctReferences(cmcEeprom &image, int kind, const Renumbering &renumbering)
{
    const Named table = namedTable(kind);
    if (table == Named::Nothing)
        return;
    correctImageWords(image, table, renumbering);
    correctRecords(image, table, Holder::ScanList, renumbering);
    correctRecords(image, table, Holder::UsedChannel, renumbering);
}

// Kinds whose rows can be inserted and deleted carry flag bit 0.
constexpr int kInsertableFlag = 1;

} // namespace

ChannelEntryTable::ChannelEntryTable(cmcEeprom &working, const cmcEeprom &defaults)
    : working_(working), defaults_(defaults)
{}

bool ChannelEntryTable::accepts(int tableSize, int kind, int index) const
{
    if (kind <= datCh::kKindNone || kind >= datCh::kKinds ||
        (datCh::kindFlags(kind) & kInsertableFlag) == 0)
        return false;
    if (working_.GetSize() < working_layout::kImageSize ||
        defaults_.GetSize() < working_layout::kImageSize)
        return false;
    return index >= datCh::firstIndex(kind) && index < tableSize &&
           tableSize <= datCh::lastIndex(kind) + 1;
}

bool ChannelEntryTable::insertEntry(int tableSize, int kind, int index)
{
    if (!accepts(tableSize, kind, index))
        return false;
    correctReferences(working_, kind, Renumbering::opening(index, tableSize));
    for (int row = tableSize - 1; row > index; --row)
        moveEntry(kind, row - 1, row);
    resetEntry(kind, index);
    return true;
}

bool ChannelEntryTable::deleteEntry(int tableSize, int kind, int index)
{
    if (!accepts(tableSize, kind, index))
        return false;
    correctReferences(working_, kind, Renumbering::closing(index, tableSize));
    for (int row = index; row < tableSize - 1; ++row)
        moveEntry(kind, row + 1, row);
    resetEntry(kind, tableSize - 1);
    return true;
}

// The bank flags belong to the row's bank, not to the entry: an entry that
// crosses the end of a bank must not carry its old bank's flags into the
// new one.
bool ChannelEntryTable::carryReferences(int kind, int first, int last, int step)
{
    if (kind <= datCh::kKindNone || kind >= datCh::kKinds || first > last ||
        (step != 1 && step != -1) || working_.GetSize() < working_layout::kImageSize)
        return false;
    const int neighbour = step > 0 ? last + 1 : first - 1;
    if (first < datCh::firstIndex(kind) || neighbour < datCh::firstIndex(kind) ||
        neighbour > datCh::lastIndex(kind) || last > datCh::lastIndex(kind))
        return false;
    correctReferences(working_, kind, Renumbering::carrying(first, last, step));
    return true;
}

void ChannelEntryTable::moveEntry(int kind, int from, int to)
{
    datCh place(&working_);
    place.decode(kind, to);
    datCh entry(&working_);
    entry.decode(kind, from);
    entry.BankSmarTrunk = place.BankSmarTrunk;
    entry.BankLtr = place.BankLtr;
    entry.encode(kind, to);
}

// Decoding refreshes derived bits of the image it reads, so the defaults are
// read from a copy and stay untouched.
void ChannelEntryTable::resetEntry(int kind, int index)
{
    cmcEeprom blank;
    blank.CopyFrom(defaults_);
    datCh entry(&blank);
    entry.decode(kind, index);
    datCh place(&working_);
    place.decode(kind, index);
    entry.setAttributes(place.attributes());
    entry.bind(&working_);
    entry.commit();
}
