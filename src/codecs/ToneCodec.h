#pragma once

#include "cells/CellCodec.h"
#include "channels/ToneSetting.h"

#include <cstdint>
#include <string>

// A CTCSS or DTCS tone. The cell's value is the tone packed by packTone.
//
// The tone list (the bindings name "GI_Sheet_Sel_Mch_CTone") holds the CTCSS
// tones as options 0..51 and OFF as option 52 (style 1); its DTCS entry
// answers with style 6, which puts the tone's DTCS code into the editor. A
// DTCS code is typed as three octal digits and N (normal, may be left out)
// or I (reverse), and shown as "023N" or "023i"; Space and Backspace switch
// its polarity. Any other typed text picks the CTCSS tone whose frequency
// text, in the list "GI_AppItem_Ctcss", begins with it.

enum class ToneSide : std::uint8_t {
    Alone,    // a tone without a partner (tone tables)
    Receive,  // a channel's receive tone
    Transmit, // a channel's transmit tone: "<-" when it is the receive tone
};

CellCodec editTone(ToneSide side, const char *toneListKey);

inline constexpr const char *kCtcssTextsKey = "GI_AppItem_Ctcss";
inline constexpr std::int32_t kToneListStyle = 1;
inline constexpr std::int32_t kDtcsEntryStyle = 6;
inline constexpr std::int32_t kToneOffItem = 52;
inline constexpr std::int32_t kToneDtcsItem = 53;

// A tone as one cell value and back; every tone the image can hold survives
// the round trip.
std::int32_t packTone(const ToneSetting &tone);
ToneSetting unpackTone(std::int32_t value);

// "023N" / "023i".
std::string dtcsText(const ToneSetting &tone);

// The transmit tone after the receive tone changed: it follows when both
// were the same before.
ToneSetting transmitToneFollows(const ToneSetting &receiveBefore, const ToneSetting &transmitBefore,
                                const ToneSetting &receiveAfter);
