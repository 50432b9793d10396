#include "channels/Normalisation.h"

#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "image/BitField.h"
#include "image/LayoutConversion.h"
#include "image/ParameterBlockTable.h"
#include "image/WorkingLayout.h"
#include "image/cmcEeprom.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>
#include <vector>

namespace {

namespace wl = working_layout;
namespace co = channel_offsets;

// Radio identification and map revision area.
constexpr std::array<std::pair<int32_t, int32_t>, 3> kIdentification = {
    {{0x090, 0x093}, {0x098, 0x09A}, {0x100, 0x10B}}};
constexpr int32_t kFactoryFlags = 0x09C;
constexpr uint8_t kFactoryFlagBit = 0x02;
constexpr int32_t kFactoryByte = 0x0C8;

// Derived channel and list pointers.
constexpr int32_t kPointerByte = 0x109E4;
constexpr int32_t kFirstChannel = 0x109E6;
constexpr int32_t kFixedByte1 = 0x109E8;
constexpr int32_t kFirstScanList = 0x109E9;
constexpr int32_t kFirstDtmfMemory = 0x109EA;
constexpr int32_t kFixedByte2 = 0x109EB;
constexpr int32_t kPointerFlags1 = 0x109EC;
constexpr int32_t kPointerFlags2 = 0x109ED;
constexpr int kHomeChannelBlock = 41;
constexpr int kScanLists = 17;
constexpr int kDtmfMemories = 11;
constexpr int kChannels = wl::kChannelSlots;

// Marks of data written since the dPMR wildcard fix and the status text area.
constexpr int32_t kDataMarks = 0x10F32;
constexpr uint8_t kStatusTextMark = 0x80;
constexpr uint8_t kWildcardMark = 0x40;
constexpr int32_t kStatusTexts = 0x19AE5;
constexpr int32_t kStatusTextsLength = 32;

// Key assignment tables and the flags derived from them.
constexpr int32_t kKeyTable1 = 0x10EBD;
constexpr int32_t kKeyTable2 = 0x10ED2;
constexpr int32_t kKeyTableLength = 21;
constexpr int32_t kKeyFlags = 0x10E95;
constexpr int32_t kKeyGroups = 0x10E9A;
constexpr int32_t kOpeningText = 0x11C94;
constexpr int32_t kOpeningFlag = 0x10E98;
constexpr int32_t kSecondText = 0x11CAC;
constexpr int32_t kSecondFlag = wl::kOptionFlags;
constexpr int32_t kDisplayTextLength = 24;
constexpr std::array<std::pair<int32_t, int32_t>, 2> kKeyPairs = {
    {{0x10EC7, 0x10EC8}, {0x10EDC, 0x10EDD}}};

constexpr std::array<int32_t, 2> kCloneComments = {wl::kCloneComment1, wl::kCloneComment2};

constexpr int32_t kNewerDataNext = wl::kNewerDataMark + 1;

// Bits taken from the initial image; the second mask applies to model type 0
// in addition.
struct TemplateBits {
    int32_t address;
    uint8_t mask;
    uint8_t lmrMask;
};
constexpr std::array<TemplateBits, 7> kTemplateBits = {{
    {0x10E7C, 0x04, 0x00},
    {0x10E94, 0x20, 0x03},
    {wl::kModelOptionBits, 0xFF, 0x00},
    {wl::kModelOptionBits + 1, 0xFF, 0x00},
    {0x10E95, 0x04, 0x02},
    {0x10E96, 0x01, 0x40},
    {0x10E98, 0x40, 0x80},
}};

// Channel bits that always come from the template after a channel was
// re-encoded: main record byte 12 bit 7, and for model type 0 these extra
// record bits.
constexpr uint8_t kMainTemplateMask = 0x80;
constexpr std::array<std::pair<int, uint8_t>, 5> kLmrExtraTemplateBits = {
    {{0, 0x40}, {1, 0x08}, {2, 0xF0}, {6, 0xC0}, {7, 0xFF}}};

// Status rows whose low nibble of byte 12 the user cannot change.
// Rows of a parameter block.
struct BlockRows {
    int block;
    int32_t stride;
    int rows;
};
constexpr std::array<BlockRows, 2> kStatusNibbleRows = {{{43, 16, 100}, {61, 16, 2}}};
constexpr BlockRows kTxCodeRows = {19, 14, 32};

// Values that a zero means "unset" for.
constexpr std::array<int32_t, 12> kFilledBytes = {0x17718, 0x15DD1, 0x17797, 0x17798,
                                                  0x17799, 0x1779A, 0x1779B, 0x1779C,
                                                  0x1779D, 0x1779F, 0x177A0, 0x177A1};
constexpr std::array<int32_t, 2> kFilledWords = {0x15DB3, 0x15DB1};
constexpr BlockRows kFilledKeyWords = {51, 2, 63};

// The sorted ID indexes: 500 row numbers a list.
constexpr int kIndexEntries = 500;
enum class IdKey { Number32, Number16, Digits };
struct SortedIndex {
    int indexBlock;
    int kind;
    int32_t rows;
    int32_t rowSize;
    IdKey key;
};
constexpr std::array<SortedIndex, 3> kSortedIndexes = {{
    {64, datCh::kKindDigInd, co::kDigInd, 16, IdKey::Number32},
    {65, datCh::kKindDigTg, co::kDigTg, 14, IdKey::Number16},
    {83, datCh::kKindDpmrId, co::kDpmrId, 18, IdKey::Digits},
}};
constexpr int kIdDigits = 7;
constexpr uint8_t kWildcardDigit = 10;

int32_t blockOffset(int id) { return parameter_blocks::find(id)->offset; }
int32_t rowOf(const BlockRows &rows, int row)
{
    return blockOffset(rows.block) + rows.stride * row;
}

int channelKindOf(int modelType)
{
    return modelType == 0 ? datCh::kKindChannelLmr
                          : (modelType == 1 ? datCh::kKindChannelPmr : datCh::kKindNone);
}

} // namespace

// One run over one image; the steps in the order they must happen.
struct Normalisation::Pass {
    cmcEeprom &working;
    const cmcEeprom &initial;
    bool store;
    int modelType;
    int channelKind;

    uint8_t at(int32_t a) const { return working.GetByte(a); }
    void set(int32_t a, uint8_t v) { working.SetByte(a, v); }
    void copyByte(int32_t a) { set(a, initial.GetByte(a)); }
    void copyBits(int32_t a, uint8_t mask)
    {
        set(a, static_cast<uint8_t>((at(a) & ~mask) | (initial.GetByte(a) & mask)));
    }
    void copyRange(int32_t first, int32_t length)
    {
        for (int32_t a = first; a < first + length; ++a)
            copyByte(a);
    }
    void setBits(int32_t a, uint8_t mask, bool on)
    {
        set(a, static_cast<uint8_t>(on ? at(a) | mask : at(a) & ~mask));
    }
    int word(int32_t a) const { return ChannelGlobals::readWord(working, a); }
    void setWord(int32_t a, int v) { ChannelGlobals::writeWord(working, a, v); }
    bool lmr() const { return modelType == 0; }

    void repairWildcards();
    void copyIdentification();
    void findFirstChannel();
    void findFirstLists();
    void copyPointerFlags();
    void findHomeChannel();
    void copyTemplateBits();
    void deriveKeyFlags();
    void limitCountsAndComments();
    void renormaliseRows();
    void renormaliseChannel(datCh &record, int channel);
    void copyStatusNibbles();
    void fillUnsetValues();
    void rebuildSortedIndexes();
    void rebuildSortedIndex(const SortedIndex &sorted);
    uint32_t idKey(const SortedIndex &sorted, int row) const;
};

Normalisation::Normalisation(const cmcEeprom &initial, int modelType, Conversions conversions)
    : initial_(initial), modelType_(modelType), conversions_(std::move(conversions))
{}

Normalisation::Conversions Normalisation::fromLayout(const LayoutConversion &conversion)
{
    return {[conversion](cmcEeprom &image) { conversion.RadioToWorking(image); },
            [conversion](cmcEeprom &image) { conversion.WorkingToRadio(image, false); }};
}

void Normalisation::run(cmcEeprom &working, bool store) const
{
    Pass pass{working, initial_, store, modelType_, channelKindOf(modelType_)};
    if (!store) {
        if (conversions_.radioToWorking)
            conversions_.radioToWorking(working);
        if ((pass.at(kDataMarks) & kStatusTextMark) == 0)
            pass.copyRange(kStatusTexts, kStatusTextsLength);
        if ((pass.at(kDataMarks) & kWildcardMark) == 0)
            pass.repairWildcards();
    }
    pass.copyIdentification();
    pass.findFirstChannel();
    pass.findFirstLists();
    pass.copyPointerFlags();
    pass.findHomeChannel();
    pass.copyTemplateBits();
    pass.deriveKeyFlags();
    pass.limitCountsAndComments();
    pass.renormaliseRows();
    pass.copyStatusNibbles();
    pass.fillUnsetValues();
    pass.rebuildSortedIndexes();
    if (store) {
        pass.setBits(kDataMarks, kStatusTextMark | kWildcardMark, true);
        if (conversions_.workingToRadio)
            conversions_.workingToRadio(working);
    }
    // Only data last written by another program keeps its newer-data mark.
    pass.set(wl::kNewerDataMark, 0);
    pass.copyByte(kNewerDataNext);
}

// Older data let a wildcard stand in the middle of a dPMR ID; from the
// fourth digit on, everything after a wildcard is a wildcard too.
void Normalisation::Pass::repairWildcards()
{
    const int rows = std::max(1, ChannelGlobals::listCount(working, datCh::kKindDpmrId));
    for (int row = 0; row < rows; ++row) {
        const int32_t id = co::kDpmrId + 18 * row;
        bool wildcard = false;
        for (int nibble = 3; nibble <= 6; ++nibble) {
            const BitField digit = BitField::nibble(id, nibble);
            wildcard = wildcard || digit.Read(working) == kWildcardDigit;
            if (wildcard)
                digit.Write(working, kWildcardDigit);
        }
    }
}

void Normalisation::Pass::copyIdentification()
{
    for (const auto &[first, last] : kIdentification)
        copyRange(first, last - first + 1);
    copyByte(kPointerByte);
    copyRange(kFirstChannel, 2);
    if (!store && (at(kFactoryFlags) & kFactoryFlagBit) == 0) {
        copyBits(kFactoryFlags, kFactoryFlagBit);
        copyByte(kFactoryByte);
    }
}

// The first present channel that receives, else the first present one; the
// template's value when no channel is present.
void Normalisation::Pass::findFirstChannel()
{
    int firstPresent = -1;
    int firstReceiving = -1;
    datCh record(&working);
    for (int channel = 0; channel < kChannels && firstReceiving < 0; ++channel) {
        record.decode(channelKind, channel);
        if (!record.isPresent())
            continue;
        if (firstPresent < 0)
            firstPresent = channel;
        if (record.Inh == 0)
            firstReceiving = channel;
    }
    const int chosen = firstReceiving >= 0 ? firstReceiving : firstPresent;
    if (chosen >= 0)
        setWord(kFirstChannel, chosen);
}

void Normalisation::Pass::findFirstLists()
{
    copyByte(kFixedByte1);
    copyByte(kFixedByte2);
    copyByte(kFirstScanList);
    copyByte(kFirstDtmfMemory);
    datCh record(&working);
    for (int row = 0; row < kScanLists; ++row) {
        record.decode(5, row);
        if (record.ScanMode != 0) {
            set(kFirstScanList, static_cast<uint8_t>(row));
            break;
        }
    }
    for (int row = 0; row < kDtmfMemories; ++row) {
        record.decode(4, row);
        if (record.DigitCount != 0) {
            set(kFirstDtmfMemory, static_cast<uint8_t>(row));
            break;
        }
    }
}

void Normalisation::Pass::copyPointerFlags()
{
    copyBits(kPointerFlags1, 0xEF);
    copyBits(kPointerFlags2, 0xF7);
}

// The channel the radio starts on. In an LTR bank just loaded, every present
// channel claims it in turn, so the last one keeps it.
void Normalisation::Pass::findHomeChannel()
{
    const int32_t home = blockOffset(kHomeChannelBlock);
    setWord(home, 0);
    // A count beyond the channel slots is reset to 0 further on; walking it
    // here would name a channel of a bank that ends up empty.
    const int stored = ChannelGlobals::bankChannelCount(working, 0);
    const int count = stored > kChannels ? 0 : stored;
    bool firstFixed = false;
    bool receivingFound = false;
    datCh record(&working);
    for (int channel = 0; channel < count; ++channel) {
        record.decode(channelKind, channel);
        if (!record.isPresent()) {
            if (record.BankLtr != 0)
                record.FreqR = 0;
            record.encode(channelKind, channel);
            continue;
        }
        if (!firstFixed) {
            setWord(home, channel);
            firstFixed = true;
            if (record.BankLtr != 0 && !store) {
                record.decode(datCh::kKindBank, record.bankOfChannel(channel));
                firstFixed = false;
            }
        }
        if (record.Inh == 0 && !receivingFound) {
            setWord(home, channel);
            receivingFound = true;
        }
    }
}

void Normalisation::Pass::copyTemplateBits()
{
    for (const TemplateBits &bits : kTemplateBits)
        copyBits(bits.address, static_cast<uint8_t>(bits.mask | (lmr() ? bits.lmrMask : 0)));
}

void Normalisation::Pass::deriveKeyFlags()
{
    // The paired key codes first, so that the flags below see the final keys.
    for (const auto &[source, paired] : kKeyPairs) {
        static constexpr std::array<std::pair<uint8_t, uint8_t>, 5> kPairs = {
            {{0x01, 0x02}, {0x1E, 0x1F}, {0x40, 0x41}, {0x48, 0x49}, {0x5C, 0x5D}}};
        uint8_t value = 0;
        for (const auto &[key, partner] : kPairs)
            if (at(source) == key)
                value = partner;
        set(paired, value);
    }
    bool space = false;
    std::array<bool, 3> groups{};
    for (const int32_t table : {kKeyTable1, kKeyTable2}) {
        for (int32_t a = table; a < table + kKeyTableLength; ++a) {
            const uint8_t key = at(a);
            space = space || key == ' ';
            if (key >= '0' && key <= '5')
                groups[static_cast<std::size_t>((key - '0') % 3)] = true;
        }
    }
    setBits(kKeyFlags, 0x01, space);
    uint8_t keyGroups = at(kKeyGroups) & static_cast<uint8_t>(~0xEE);
    for (std::size_t g = 0; g < groups.size(); ++g)
        if (groups[g])
            keyGroups =
                static_cast<uint8_t>(keyGroups | (0x02 << g) | (at(kKeyGroups) & (0x20 << g)));
    set(kKeyGroups, keyGroups);
    const auto holdsText = [this](int32_t text) {
        for (int32_t a = text; a < text + kDisplayTextLength; ++a)
            if (at(a) != ' ')
                return true;
        return false;
    };
    setBits(kOpeningFlag, 0x20, holdsText(kOpeningText));
    setBits(kSecondFlag, 0x20, holdsText(kSecondText));
}

void Normalisation::Pass::limitCountsAndComments()
{
    if (word(wl::kChannelCount) > kChannels)
        setWord(wl::kChannelCount, 0);
    for (const int32_t comment : kCloneComments)
        for (int32_t a = comment; a < comment + wl::kCloneCommentLength; ++a)
            if (at(a) < 32 || at(a) > 126)
                set(a, ' ');
}

// Each row takes the template's bytes where the codec owns no bits, and the
// user's values where it does.
void Normalisation::Pass::renormaliseRows()
{
    struct TemplateRows {
        int kind;
        int rows;
        int32_t base;
        int32_t stride;
        int32_t first;
        int32_t length;
    };
    static constexpr std::array<TemplateRows, 3> kLists = {{
        {5, 17, co::kScanList, 34, 24, 10},
        {4, 11, co::kDtmfMemory, 37, 0, 37},
        {27, 10, co::kDtmfDecode, co::kDtmfDecodeSize, 0, co::kDtmfDecodeSize},
    }};
    datCh record(&working);
    for (const TemplateRows &list : kLists) {
        for (int row = 0; row < list.rows; ++row) {
            record.decode(list.kind, row);
            copyRange(list.base + list.stride * row + list.first, list.length);
            record.encode(list.kind, row);
        }
    }
    for (int channel = 0; channel < kChannels; ++channel)
        renormaliseChannel(record, channel);
    for (int row = 0; row < 11; ++row) {
        const int32_t code = co::kRxCode + 44 * row;
        record.decode(7, row);
        copyRange(code, 44);
        record.encode(7, row);
        copyBits(code + 30, 0x08);
        if (lmr()) {
            copyByte(code + 28);
            copyBits(code + 31, 0x40);
            copyBits(code + 32, 0x80);
        }
    }
    for (int row = 0; row < kTxCodeRows.rows; ++row)
        copyBits(rowOf(kTxCodeRows, row) + 13, 0x10);
}

void Normalisation::Pass::renormaliseChannel(datCh &record, int channel)
{
    const int32_t main = wl::kChannelMain + wl::kChannelMainSize * channel;
    const int32_t extra = wl::kChannelExtra + wl::kChannelExtraSize * channel;
    record.decode(channelKind, channel);
    copyRange(main, wl::kChannelMainSize);
    copyRange(extra, wl::kChannelExtraSize);
    if (record.isUsed())
        record.encode(channelKind, channel);
    copyBits(main + 12, kMainTemplateMask);
    if (lmr()) {
        for (const auto &[byte, mask] : kLmrExtraTemplateBits)
            copyBits(extra + byte, mask);
        if (record.BankLtr != 0) {
            copyBits(extra + 1, 0x04);
            setBits(extra + 2, 0x40, true);
        }
    }
    setBits(extra + 3, 0x08, false);
    const uint8_t scramblerType = at(extra + 18) >> 6;
    if (scramblerType == 1)
        set(extra + 5, 1);
    else if (scramblerType == 2)
        set(extra + 5, std::min<uint8_t>(at(extra + 5), 15));
}

void Normalisation::Pass::copyStatusNibbles()
{
    for (const BlockRows &rows : kStatusNibbleRows)
        for (int row = 0; row < rows.rows; ++row)
            copyBits(rowOf(rows, row) + 12, 0x0F);
    copyBits(0x17709, 0x07);
    copyBits(0x1770B, 0x07);
}

void Normalisation::Pass::fillUnsetValues()
{
    for (const int32_t a : kFilledBytes)
        if (at(a) == 0)
            copyByte(a);
    for (const int32_t a : kFilledWords)
        if (word(a) == 0)
            copyRange(a, 2);
    for (int row = 0; row < kFilledKeyWords.rows; ++row) {
        const int32_t a = rowOf(kFilledKeyWords, row);
        if (word(a) == 0)
            copyRange(a, 2);
    }
}

void Normalisation::Pass::rebuildSortedIndexes()
{
    for (const SortedIndex &sorted : kSortedIndexes)
        rebuildSortedIndex(sorted);
}

uint32_t Normalisation::Pass::idKey(const SortedIndex &sorted, int row) const
{
    const int32_t id = sorted.rows + sorted.rowSize * row;
    switch (sorted.key) {
    case IdKey::Number32:
        return BitField::bytes(id, 4).Read(working);
    case IdKey::Number16:
        return BitField::bytes(id, 2).Read(working);
    case IdKey::Digits:
        break;
    }
    // Digit by digit, so a wildcard (10) carries into the place above.
    uint32_t key = 0;
    for (int nibble = 0; nibble < kIdDigits; ++nibble)
        key = key * 10 + BitField::nibble(id, nibble).Read(working);
    return key;
}

// Row numbers of the list in ascending ID order; equal IDs keep their order.
void Normalisation::Pass::rebuildSortedIndex(const SortedIndex &sorted)
{
    const int32_t index = blockOffset(sorted.indexBlock);
    copyRange(index, 2 * kIndexEntries);
    const int count = ChannelGlobals::listCount(working, sorted.kind);
    std::vector<int> rows(static_cast<std::size_t>(count));
    std::iota(rows.begin(), rows.end(), 0);
    std::vector<uint32_t> keys(rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row)
        keys[row] = idKey(sorted, static_cast<int>(row));
    std::stable_sort(rows.begin(), rows.end(), [&keys](int a, int b) {
        return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
    });
    for (std::size_t entry = 0; entry < rows.size(); ++entry)
        setWord(index + 2 * static_cast<int32_t>(entry), rows[entry]);
}
