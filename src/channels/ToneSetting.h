#pragma once

#include <cstdint>

// A CTCSS or DTCS tone as the sheets edit it. In the image a tone takes two
// bytes; bits 4-1 of the first byte belong to whoever stores the tone and are
// never touched here.
struct ToneSetting {
    static constexpr uint8_t kOn = 0x01;
    static constexpr uint8_t kDtcs = 0x02;
    static constexpr uint8_t kDtcsReverse = 0x04;

    uint8_t flags = 0;
    // Index into the CTCSS table; 0 while the tone is a DTCS code.
    uint16_t ctcss = 0;
    // DTCS code 0..511; 0 while the tone is a CTCSS tone.
    uint16_t dtcs = 0;

    bool on() const { return (flags & kOn) != 0; }
    bool isDtcs() const { return (flags & kDtcs) != 0; }
    bool isReverse() const { return (flags & kDtcsReverse) != 0; }

    static ToneSetting fromStored(uint8_t b0, uint8_t b1);
    // Writes the tone into the stored pair, keeping the foreign bits of b0.
    void toStored(uint8_t &b0, uint8_t &b1) const;

    friend bool operator==(const ToneSetting &, const ToneSetting &) = default;
};
