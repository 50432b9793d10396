#include "channels/ToneSetting.h"

#include <gtest/gtest.h>

namespace {

struct ToneCase {
    const char *what;
    uint8_t b0, b1;
    uint8_t flags;
    uint16_t ctcss, dtcs;
    // What encoding the decoded tone writes back over the same bytes.
    uint8_t encoded0, encoded1;
};

const ToneCase kToneCases[] = {
    {"CTCSS on", 0x00, 0x0C, ToneSetting::kOn, 12, 0, 0x00, 0x0C},
    {"CTCSS off keeps its index", 0x80, 0x33, 0, 51, 0, 0x80, 0x33},
    {"CTCSS drops a stray code bit and reverse bit", 0x21, 0x05, ToneSetting::kOn, 5, 0, 0x00,
     0x05},
    {"DTCS normal", 0x40, 0x13, ToneSetting::kOn | ToneSetting::kDtcs, 0, 0x13, 0x40, 0x13},
    {"DTCS reverse with code bit 8", 0x61, 0xFF,
     ToneSetting::kOn | ToneSetting::kDtcs | ToneSetting::kDtcsReverse, 0, 511, 0x61, 0xFF},
    {"DTCS off", 0xC0, 0x17, ToneSetting::kDtcs, 0, 0x17, 0xC0, 0x17},
    {"bits 4-1 belong to the owner", 0x1E, 0x02, ToneSetting::kOn, 2, 0, 0x1E, 0x02},
    {"bits 4-1 beside a DTCS code", 0x5F, 0x00, ToneSetting::kOn | ToneSetting::kDtcs, 0, 256, 0x5F,
     0x00},
};

TEST(ToneSetting, DecodesAndReencodesTheStoredPair)
{
    for (const ToneCase &c : kToneCases) {
        SCOPED_TRACE(c.what);
        const ToneSetting tone = ToneSetting::fromStored(c.b0, c.b1);
        EXPECT_EQ(tone.flags, c.flags);
        EXPECT_EQ(tone.ctcss, c.ctcss);
        EXPECT_EQ(tone.dtcs, c.dtcs);
        uint8_t b0 = c.b0;
        uint8_t b1 = c.b1;
        tone.toStored(b0, b1);
        EXPECT_EQ(b0, c.encoded0);
        EXPECT_EQ(b1, c.encoded1);
    }
}

TEST(ToneSetting, SwitchingToCtcssWritesTheIndexAndKeepsForeignBits)
{
    ToneSetting tone;
    tone.flags = ToneSetting::kOn;
    tone.ctcss = 0x1234; // only the low byte is stored
    uint8_t b0 = 0x7F;   // DTCS, reverse, code bit 8 and all foreign bits set
    uint8_t b1 = 0xAA;
    tone.toStored(b0, b1);
    EXPECT_EQ(b0, 0x1E);
    EXPECT_EQ(b1, 0x34);
}

} // namespace
