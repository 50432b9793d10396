#include "channels/ChannelGlobals.h"

#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "image/BitField.h"
#include "image/cmcEeprom.h"

#include <algorithm>

using namespace channel_offsets;

namespace {
constexpr uint8_t kDigitalOnly = 3;
// Channel 0's signalling mode and its derived DTMF decode bit; the other
// channels' follow a row further on each.
constexpr BitField kDigSig{kChannelMain + 12, 0, 2};
constexpr BitField kDtmfDecodes = BitField::bit(kChannelExtra + 18, 5);
constexpr int kBankFlagBit = 7;

BitField word(int32_t address) { return BitField::bytes(address, 2); }
} // namespace

int ChannelGlobals::readWord(const cmcEeprom &image, int32_t address)
{
    return static_cast<int>(word(address).Read(image));
}

void ChannelGlobals::writeWord(cmcEeprom &image, int32_t address, int value)
{
    word(address).Write(image, static_cast<uint32_t>(value));
}

int ChannelGlobals::bankChannelCount(const cmcEeprom &image, int bank)
{
    return bank == 0 ? readWord(image, kBankCounts) : 0;
}

void ChannelGlobals::setBankChannelCount(cmcEeprom &image, int bank, int count)
{
    if (bank == 0)
        writeWord(image, kBankCounts, std::clamp(count, 0, 0xFFFF));
}

int ChannelGlobals::bankOfChannel(const cmcEeprom &image, int channel)
{
    return channel < bankChannelCount(image, 0) ? 0 : 1;
}

int ChannelGlobals::bankFirstChannel(const cmcEeprom &image, int bank)
{
    return bank <= 0 ? 0 : bankChannelCount(image, 0);
}

bool ChannelGlobals::bankFlag(const cmcEeprom &image, int32_t flagsAddress, int bank)
{
    return bank == 0 && BitField::bit(flagsAddress, kBankFlagBit).Read(image) != 0;
}

bool ChannelGlobals::setBankFlag(cmcEeprom &image, int32_t flagsAddress, int bank, bool on)
{
    if (bank != 0)
        return false;
    BitField::bit(flagsAddress, kBankFlagBit).Write(image, on ? 1 : 0);
    return on;
}

int32_t ChannelGlobals::listCountAddress(int kind)
{
    switch (kind) {
    case datCh::kKindDigInd:
        return kDigIndCount;
    case datCh::kKindDigTg:
        return kDigTgCount;
    case datCh::kKindDpmrId:
        return kDpmrIdCount;
    default:
        return 0;
    }
}

int ChannelGlobals::listCount(const cmcEeprom &image, int kind)
{
    const int32_t address = listCountAddress(kind);
    return address == 0 ? 0 : std::min(readWord(image, address), kListCapacity);
}

void ChannelGlobals::setListCount(cmcEeprom &image, int kind, int count)
{
    const int32_t address = listCountAddress(kind);
    if (address != 0)
        writeWord(image, address, std::clamp(count, 0, kListCapacity));
}

void ChannelGlobals::refreshDtmfBits(cmcEeprom &image)
{
    bool anyDigits = false;
    for (int row = 0; row < kDtmfDecodeRows; ++row)
        anyDigits = anyDigits ||
                    image.GetByte(kDtmfDecode + kDtmfDecodeSize * row + kDtmfDecodeDigitCount) != 0;
    for (int channel = 0; channel < kChannels; ++channel) {
        const bool decodes =
            anyDigits && kDigSig.Stepped(channel, kChannelMainSize).Read(image) != kDigitalOnly;
        kDtmfDecodes.Stepped(channel, kChannelExtraSize).Write(image, decodes ? 1 : 0);
    }
}
