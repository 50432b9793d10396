#include "bindings/ToneTableBindings.h"

#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "codecs/NumberCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/TimeCodecs.h"
#include "codecs/ToneCodec.h"

#include <utility>

// Where the tone tables live in the working image.
//
// Block 12 (0x113E3, 128 bytes):
//   0x113E3 + 2·i      user tone i encode frequency, 0.1 Hz, big-endian (kind 9)
//   0x11401 + 4·i      user tone i decode window, low and high, 0.1 Hz (kind 9)
//                      (the 2-tone receive frequencies use the same bytes)
//   0x1143D bit 0      user tones sent automatically
//   0x1143E            user tone period, 0.01 s (0.01..2.55 s)
//   0x1143F            gap between user tones, 0.01 s (0..2.55 s)
//   0x11440            user tone signal length, 0.1 s (0.1..25.5 s)
//   0x11441-0x11442    scan options (ScanBindings.cpp)
//   0x1143D bits 7-1, 0x11443..0x11444  free
//   0x11445..0x1145A   2-tone periods (kind 10)
// Block 14 (0x1146F, 40 records of 4 bytes): the tone pairs, receive and
// transmit tone (kind 6), read only: the block is never written. Their
// selection bits are the bitmap at 0x10EF1 (block 8, written).

namespace {

using Redraw = cmcCellCapsule::RedrawBit;

constexpr std::int32_t kUserToneCommon = 0x1143D;

// --- User tones ----------------------------------------------------------------

constexpr DecimalFormat kToneFrequency{
    .storedDecimals = 1, .shownDecimals = 1, .minimum = 0.0, .maximum = 3000.0, .step = 1};

// A decode window that closes on itself decodes nothing; one that leaves out
// the tone's own frequency does not decode the tone the radio sends.
void decodeWindowMark(indCellHandler &frame, const CellBinding &, std::int32_t)
{
    const datCh &tone = frame.record;
    if (tone.Dec_Low > tone.Dec_High)
        frame.SetError();
    else if (tone.Encode != 0 && (tone.Encode < tone.Dec_Low || tone.Encode > tone.Dec_High))
        frame.SetWarning();
}

CellBinding frequency(std::int32_t label, std::int32_t datCh::*member)
{
    return {.label = label,
            .storage = CellStorage::record(member),
            .codec = editDecimal(kToneFrequency),
            .redrawOnChange = Redraw::kRedrawSameIndex,
            .rule = decodeWindowMark};
}

CellBinding userToneTimer(std::int32_t label, std::int32_t at, CellCodec codec)
{
    return {.label = label, .storage = CellStorage::imageByte(at), .codec = std::move(codec)};
}

// --- Tone pairs ----------------------------------------------------------------

// The tone pairs are kept as the radio or the file gave them: their block
// is never sent back, so a changed tone would be lost without a word. The
// cells show the tones and take no change; the selection bits travel with
// the common settings and stay editable.
std::int32_t receiveTone(indCellHandler &frame) { return packTone(frame.record.CToneR); }
std::int32_t transmitTone(indCellHandler &frame) { return packTone(frame.record.CToneT); }

void runShownOnly(indCellHandler &frame, const CellBinding &row)
{
    if (frame.IsDraw())
        CellBinding::RunValue(frame, row);
}

constexpr const char *kToneList = "GI_Sheet_Sel_Mch_CTone";

const CellBinding kRows[] = {
    frequency(CL_UTone_Encode, &datCh::Encode),
    frequency(CL_UTone_Dec_Low, &datCh::Dec_Low),
    frequency(CL_UTone_Dec_High, &datCh::Dec_High),
    {.label = CL_UTone_Auto,
     .storage = CellStorage::imageBits(kUserToneCommon, 0, 1),
     .codec = editOption("GI_Sheet_Sel_Misc_OnOff", 1)},
    userToneTimer(CL_UTone_TonePeriod, kUserToneCommon + 1, editTimer(100, 1, 255, nullptr, 1)),
    userToneTimer(CL_UTone_NotoneTimer, kUserToneCommon + 2, editTimer(100, 0, 255, nullptr, 1)),
    userToneTimer(CL_UTone_Length, kUserToneCommon + 3, editTimer(10, 1, 255, nullptr, 2)),

    {.label = CL_CTone_RX,
     .run = runShownOnly,
     .storage = CellStorage::model(receiveTone, nullptr),
     .codec = editTone(ToneSide::Alone, kToneList)},
    {.label = CL_CTone_TX,
     .run = runShownOnly,
     .storage = CellStorage::model(transmitTone, nullptr),
     .codec = editTone(ToneSide::Alone, kToneList)},
    {.label = CL_CTone_Sel,
     .storage = CellStorage::record(&datCh::Sel),
     .codec = editOption("GI_Sheet_Sel_Misc_OnOff", 1)},
};

} // namespace

std::span<const CellBinding> toneTableBindings() { return kRows; }
