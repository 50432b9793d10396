#include "channels/ChannelGlobals.h"

#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "image/cmcEeprom.h"

#include <algorithm>

using namespace channel_offsets;

namespace {
constexpr uint8_t kDigitalOnly = 3;
constexpr uint8_t kDtmfDecodeBit = 0x20;
constexpr int kDtmfDecodeByte = 18;
} // namespace

int ChannelGlobals::readWord(const cmcEeprom &image, int32_t address)
{
    return (image.GetByte(address) << 8) | image.GetByte(address + 1);
}

void ChannelGlobals::writeWord(cmcEeprom &image, int32_t address, int value)
{
    image.SetByte(address, static_cast<uint8_t>((value >> 8) & 0xFF));
    image.SetByte(address + 1, static_cast<uint8_t>(value & 0xFF));
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
    return bank == 0 && (image.GetByte(flagsAddress) & 0x80) != 0;
}

bool ChannelGlobals::setBankFlag(cmcEeprom &image, int32_t flagsAddress, int bank, bool on)
{
    if (bank != 0)
        return false;
    const uint8_t kept = image.GetByte(flagsAddress) & 0x7F;
    image.SetByte(flagsAddress, static_cast<uint8_t>(on ? kept | 0x80 : kept));
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
        const uint8_t digSig = image.GetByte(kChannelMain + kChannelMainSize * channel + 12) & 3;
        const int32_t flags = kChannelExtra + kChannelExtraSize * channel + kDtmfDecodeByte;
        const uint8_t kept = image.GetByte(flags) & static_cast<uint8_t>(~kDtmfDecodeBit);
        const bool decodes = anyDigits && digSig != kDigitalOnly;
        image.SetByte(flags, static_cast<uint8_t>(decodes ? kept | kDtmfDecodeBit : kept));
    }
}
