#include "channels/datCh.h"

#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "channels/MultiTableSelection.h"
#include "channels/RecordCodec.h"
#include "channels/RecordLayout.h"
#include "image/MultiTableShadows.h"
#include "image/cmcEeprom.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"

#include <array>

using namespace channel_offsets;

namespace {

MultiTableShadows *g_shadows = nullptr;
MultiTableSelection *g_selection = nullptr;

// The two entries of a multi-table row: where each starts in the 6-byte item
// and which members it feeds.
struct MultiEntry {
    int offset;
    int32_t datCh::*type;
    ToneSetting datCh::*tone;
    int32_t datCh::*value;
};
constexpr std::array<MultiEntry, 2> kMultiEntries = {{
    {0, &datCh::DecodeType, &datCh::DecodeTone, &datCh::DecodeValue},
    {3, &datCh::EncodeType, &datCh::EncodeTone, &datCh::EncodeValue},
}};
constexpr int kMultiSetSize = MultiTableShadows::kItems * MultiTableShadows::kItemBytes;
constexpr uint8_t kValueType = 0x80;

} // namespace

datCh::datCh(cmcEeprom *workingImage)
    : image(workingImage), shadows(g_shadows), selection(g_selection)
{}

int datCh::channelKind()
{
    switch (environment().modelType) {
    case 0:
        return kKindChannelLmr;
    case 1:
        return kKindChannelPmr;
    default:
        return kKindNone;
    }
}

int datCh::firstIndex(int recordKind) { return record_layout::layoutOf(recordKind).firstIndex; }
int datCh::lastIndex(int recordKind) { return record_layout::layoutOf(recordKind).lastIndex; }
int datCh::kindFlags(int recordKind) { return record_layout::layoutOf(recordKind).flags; }

void datCh::installMultiTable(MultiTableShadows *multiShadows, MultiTableSelection *multiSelection)
{
    g_shadows = multiShadows;
    g_selection = multiSelection;
}

void datCh::bindMultiTable(MultiTableShadows *multiShadows, MultiTableSelection *multiSelection)
{
    shadows = multiShadows;
    selection = multiSelection;
}

void datCh::reset()
{
    datCh blank(image);
    blank.bindMultiTable(shadows, selection);
    *this = blank;
}

void datCh::setUsed(bool on)
{
    status = static_cast<uint8_t>(on ? status | kUsed : status & ~kUsed);
}

uint8_t datCh::attributes() const
{
    const std::array<int32_t, 6> bits = {AtrA, AtrB, AtrE, AtrEOff, BankSmarTrunk, BankLtr};
    uint8_t byte = 0;
    for (std::size_t i = 0; i < bits.size(); ++i)
        if (bits[i] != 0)
            byte = static_cast<uint8_t>(byte | (1u << i));
    return byte;
}

void datCh::setAttributes(uint8_t bits)
{
    const std::array<int32_t *, 6> members = {&AtrA,    &AtrB,          &AtrE,
                                              &AtrEOff, &BankSmarTrunk, &BankLtr};
    for (std::size_t i = 0; i < members.size(); ++i)
        *members[i] = (bits >> i) & 1;
}

// --- Decode and encode.

namespace {

bool rowExists(const record_layout::Layout &layout, int row)
{
    return row >= 0 && row < layout.rows;
}

} // namespace

void datCh::decode(int recordKind, int row)
{
    reset();
    kind = recordKind;
    index = row;
    if (image == nullptr)
        return;
    if (recordKind == kKindMultiTable) {
        decodeMultiTable();
        return;
    }
    const record_layout::Layout &layout = record_layout::layoutOf(recordKind);
    if (!rowExists(layout, row))
        return;
    if ((layout.specifics & record_layout::kDtmfRefresh) != 0)
        ChannelGlobals::refreshDtmfBits(*image);
    RecordCodec::decode(*this, layout, *image, row);
    if ((layout.specifics & record_layout::kChannel) != 0)
        finishChannelDecode();
}

void datCh::encode(int recordKind, int row)
{
    if (recordKind == kKindNone)
        recordKind = kind;
    index = row;
    if (image == nullptr)
        return;
    if (recordKind == kKindMultiTable) {
        encodeMultiTable();
        return;
    }
    const record_layout::Layout &layout = record_layout::layoutOf(recordKind);
    if (!rowExists(layout, row))
        return;
    RecordCodec::encode(*this, layout, *image, row);
    if ((layout.specifics & record_layout::kDtmfRefresh) != 0)
        ChannelGlobals::refreshDtmfBits(*image);
}

void datCh::commit()
{
    encode(kind, index);
    decode(kind, index);
}

void datCh::finishChannelDecode()
{
    // The E designation only counts while it is switched on.
    AtrE = (AtrE != 0 && AtrEOff == 0) ? 1 : 0;
    // In an LTR bank every slot is a group entry, even without a frequency.
    setUsed(FreqR != 0);
    const bool present = BankLtr != 0 || FreqR != 0;
    status = static_cast<uint8_t>(present ? status | kPresent : status & ~kPresent);
}

// --- Colour code.

int32_t datCh::defaultColourCode(int32_t hertz)
{
    constexpr int32_t kRaster = 6250;
    constexpr int32_t kColourCodes = 64;
    return hertz > 0 ? (hertz / kRaster) % kColourCodes : 0;
}

bool datCh::applyDefaultColourCode()
{
    if (FreqR != FreqT)
        return false;
    const int32_t code = defaultColourCode(FreqR);
    const bool changed = code != DpmrTxCc;
    DpmrTxCc = code;
    return changed && isUsed() && DigSig != 0;
}

// --- Multi-table.

int32_t datCh::multiTableRow() const
{
    const int set = selection != nullptr ? selection->set() : 0;
    if (set < 0 || set >= MultiTableSelection::kSets || index < 0 ||
        index >= MultiTableShadows::kItems)
        return -1;
    return kMultiTable + kMultiSetSize * set + MultiTableShadows::kItemBytes * index;
}

void datCh::decodeMultiTable()
{
    const int32_t row = multiTableRow();
    if (row < 0)
        return;
    for (const MultiEntry &entry : kMultiEntries) {
        const int32_t at = row + entry.offset;
        const std::array<uint8_t, 3> stored = {image->GetByte(at), image->GetByte(at + 1),
                                               image->GetByte(at + 2)};
        const bool valueType = (stored[0] & kValueType) != 0;
        this->*entry.type = valueType ? 1 : 0;
        if (valueType)
            this->*entry.value = stored[2];
        else
            this->*entry.tone = ToneSetting::fromStored(stored[1], stored[2]);
        if (shadows != nullptr) {
            MultiTableShadows::Item &item =
                (valueType ? shadows->second : shadows->first)[static_cast<std::size_t>(
                    (row - kMultiTable) / kMultiSetSize)][static_cast<std::size_t>(index)];
            std::copy(stored.begin(), stored.end(),
                      item.begin() + static_cast<std::ptrdiff_t>(entry.offset));
        }
    }
}

void datCh::encodeMultiTable()
{
    const int32_t row = multiTableRow();
    if (row < 0)
        return;
    const auto set = static_cast<std::size_t>((row - kMultiTable) / kMultiSetSize);
    for (const MultiEntry &entry : kMultiEntries) {
        const int32_t at = row + entry.offset;
        uint8_t b0 = image->GetByte(at);
        uint8_t b1 = image->GetByte(at + 1);
        uint8_t b2 = image->GetByte(at + 2);
        const bool valueType = (this->*entry.type & 1) != 0;
        // Switching the entry's form brings back what it last held in that form.
        if (valueType != ((b0 & kValueType) != 0) && shadows != nullptr) {
            const MultiTableShadows::Item &item =
                (valueType ? shadows->second
                           : shadows->first)[set][static_cast<std::size_t>(index)];
            const auto offset = static_cast<std::size_t>(entry.offset);
            if (valueType)
                this->*entry.value = item[offset + 2];
            else
                this->*entry.tone = ToneSetting::fromStored(item[offset + 1], item[offset + 2]);
        }
        b0 = static_cast<uint8_t>(valueType ? b0 | kValueType : b0 & ~kValueType);
        if (valueType)
            b2 = static_cast<uint8_t>(this->*entry.value & 0xFF);
        else
            (this->*entry.tone).toStored(b1, b2);
        image->SetByte(at, b0);
        image->SetByte(at + 1, b1);
        image->SetByte(at + 2, b2);
    }
}

// --- Banks and list counts.

int datCh::bankOfChannel(int channel) const
{
    return image != nullptr ? ChannelGlobals::bankOfChannel(*image, channel) : 0;
}

int datCh::bankChannelCount(int bank) const
{
    return image != nullptr ? ChannelGlobals::bankChannelCount(*image, bank) : 0;
}

void datCh::setBankChannelCount(int bank, int count)
{
    if (image != nullptr)
        ChannelGlobals::setBankChannelCount(*image, bank, count);
}

int datCh::bankFirstChannel(int bank) const
{
    return image != nullptr ? ChannelGlobals::bankFirstChannel(*image, bank) : 0;
}

template <class Visit>
void datCh::forEachBankChannel(int bank, Visit visit)
{
    if (image == nullptr)
        return;
    const int first = bankFirstChannel(bank);
    const int end = std::min(first + bankChannelCount(bank), kChannels);
    datCh scratch(image);
    for (int channel = first; channel < end; ++channel) {
        scratch.decode(channelKind(), channel);
        visit(channel - first, scratch);
    }
}

int datCh::bankUsedChannels(int bank)
{
    int used = 0;
    forEachBankChannel(bank, [&used](int, const datCh &channel) { used += channel.isUsed(); });
    return used;
}

int datCh::bankUsedEnd(int bank)
{
    int end = 0;
    forEachBankChannel(bank, [&end](int position, const datCh &channel) {
        if (channel.isUsed())
            end = position + 1;
    });
    return end;
}

bool datCh::bankSmarTrunk(int bank) const
{
    return image != nullptr && ChannelGlobals::bankFlag(*image, kBankSmarTrunk, bank);
}

bool datCh::setBankSmarTrunk(int bank, bool on)
{
    return image != nullptr && ChannelGlobals::setBankFlag(*image, kBankSmarTrunk, bank, on);
}

bool datCh::bankLtr(int bank) const
{
    return image != nullptr && ChannelGlobals::bankFlag(*image, kBankLtr, bank);
}

bool datCh::setBankLtr(int bank, bool on)
{
    return image != nullptr && ChannelGlobals::setBankFlag(*image, kBankLtr, bank, on);
}

int datCh::listCount(int recordKind) const
{
    return image != nullptr ? ChannelGlobals::listCount(*image, recordKind) : 0;
}

void datCh::setListCount(int recordKind, int count)
{
    if (image != nullptr)
        ChannelGlobals::setListCount(*image, recordKind, count);
}

void datCh::incrementListCount(int recordKind)
{
    setListCount(recordKind, listCount(recordKind) + 1);
}

void datCh::decrementListCount(int recordKind)
{
    setListCount(recordKind, listCount(recordKind) - 1);
}

int datCh::usedChannelCount(int first, int last)
{
    if (first < 0 || last >= kChannels || first > last)
        return -1;
    if (image == nullptr)
        return 0;
    int used = 0;
    datCh scratch(image);
    for (int channel = first; channel <= last; ++channel) {
        scratch.decode(channelKind(), channel);
        used += scratch.isUsed();
    }
    return used;
}
