#include "channels/ToneSetting.h"

namespace {
constexpr uint8_t kStoredOff = 0x80;
constexpr uint8_t kStoredDtcs = 0x40;
constexpr uint8_t kStoredReverse = 0x20;
constexpr uint8_t kStoredCodeHigh = 0x01;
} // namespace

ToneSetting ToneSetting::fromStored(uint8_t b0, uint8_t b1)
{
    ToneSetting tone;
    if ((b0 & kStoredOff) == 0)
        tone.flags |= kOn;
    if ((b0 & kStoredDtcs) != 0) {
        tone.flags |= kDtcs;
        if ((b0 & kStoredReverse) != 0)
            tone.flags |= kDtcsReverse;
        tone.dtcs = static_cast<uint16_t>(((b0 & kStoredCodeHigh) << 8) | b1);
    } else {
        tone.ctcss = b1;
    }
    return tone;
}

void ToneSetting::toStored(uint8_t &b0, uint8_t &b1) const
{
    uint8_t kept =
        b0 & static_cast<uint8_t>(~(kStoredOff | kStoredDtcs | kStoredReverse | kStoredCodeHigh));
    if (!on())
        kept |= kStoredOff;
    if (isDtcs()) {
        kept |= kStoredDtcs;
        if (isReverse())
            kept |= kStoredReverse;
        if ((dtcs & 0x100) != 0)
            kept |= kStoredCodeHigh;
        b1 = static_cast<uint8_t>(dtcs & 0xFF);
    } else {
        b1 = static_cast<uint8_t>(ctcss & 0xFF);
    }
    b0 = kept;
}
