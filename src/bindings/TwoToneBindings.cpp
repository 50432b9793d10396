#include "bindings/TwoToneBindings.h"

#include "bindings/SignallingRows.h"
#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "channels/datCh.h"
#include "codecs/NumberCodecs.h"
#include "codecs/TimeCodecs.h"

#include <vector>

// Where the 2-tone settings live in the working image.
//
// The codes have no place of their own: code i (1..10) is the 5-tone
// receive code row i (block 20, 0x11AA8 + 44 i: name, group call, what the
// radio does) and, for its transmit part, the 5-tone transmit code row
// i - 1 (its code bytes at 0x10410 + 4 i hold the two transmit tones, its
// name follows the receive name, its byte 12 whether the code is sent).
// The receive tones are two 16-bit numbers each at 0x113DB + 8 i (block 12,
// the bytes of the user tones); the cells show the first number of each
// pair, the tone in 0.1 Hz, and leave the second as the radio keeps it. The
// tone lengths are one byte each at 0x11445 + 2 i, 0.1 s. Saving takes byte
// 30 bit 3 of every receive row (the special function) from the template
// of a new radio, so that setting is not the user's.
//
// Block 12 (0x113E3, 128 bytes), the common 2-tone timers:
//   0x11443  gap between the two tones, 0.01 s           CL_2T_NotoneTimer
//   0x11444  group call tone length, 0.1 s                CL_2T_GroupTimer
//   0x11445  external alarm (EXO) time, 1 s, 0 = off      CL_2T_ExoTimer
//   0x11446  beep repeat interval, 1 s, 0 = off           CL_2T_BeepRepeatTimer
//   0x1145B  automatic reply delay, 0.1 s                 CL_2T_AutoTxTimer
// (0x1145C..0x11462 hold 5-tone settings, FiveToneBindings.cpp.)

namespace {

using namespace signalling_rows;
using Redraw = cmcCellCapsule::RedrawBit;

constexpr std::int32_t kTimers = 0x11443;
constexpr std::int32_t kAutoTxTimer = 0x1145B;

// The record keeps tones and lengths as real numbers and stores them cut
// to whole units.
template <double datCh::*Member>
std::int32_t realMember(indCellHandler &frame)
{
    return static_cast<std::int32_t>(frame.record.*Member);
}
template <double datCh::*Member>
void setRealMember(indCellHandler &frame, std::int32_t value)
{
    frame.record.*Member = value;
    frame.record.commit();
    frame.NoteRecordChanged();
}
template <datCh::RealPair datCh::*Pair>
std::int32_t receiveTone(indCellHandler &frame)
{
    return static_cast<std::int32_t>((frame.record.*Pair)[0]);
}
template <datCh::RealPair datCh::*Pair>
void setReceiveTone(indCellHandler &frame, std::int32_t value)
{
    (frame.record.*Pair)[0] = value;
    frame.record.commit();
    frame.NoteRecordChanged();
}

constexpr DecimalFormat kToneFrequency{
    .storedDecimals = 1, .shownDecimals = 1, .minimum = 0.0, .maximum = 3000.0, .step = 1};

CellBinding tone(std::int32_t label, CellStorage storage)
{
    return {.label = label, .storage = storage, .codec = editDecimal(kToneFrequency)};
}

template <double datCh::*Member>
CellBinding toneLength(std::int32_t label)
{
    return {.label = label,
            .storage = CellStorage::model(realMember<Member>, setRealMember<Member>),
            .codec = editTimer(10, 0, 255, nullptr, 2)};
}

const std::vector<CellBinding> kRows = {
    // Receive part.
    tone(CL_2T_RxFreq_1st,
         CellStorage::model(receiveTone<&datCh::RxFreq_1st>, setReceiveTone<&datCh::RxFreq_1st>)),
    tone(CL_2T_RxFreq_2nd,
         CellStorage::model(receiveTone<&datCh::RxFreq_2nd>, setReceiveTone<&datCh::RxFreq_2nd>)),
    recordOnOff(CL_2T_GroupCall, &datCh::GroupCall),
    [] {
        // The transmit name is the first 12 characters of this one.
        CellBinding row = recordName(CL_2T_Text, 24);
        row.redrawOnChange = Redraw::kRedrawSameIndex;
        return row;
    }(),
    alertOption(CL_2T_Bell, Alert::Bell),
    recordOnOff(CL_2T_ANS, &datCh::ANS),
    alertOption(CL_2T_EXO, Alert::Exo),
    alertOption(CL_2T_Beep, Alert::Beep),
    alertOption(CL_2T_AutoTx, Alert::AutoTx),
    alertOption(CL_2T_Stun, Alert::Stun),
    alertOption(CL_2T_Scan, Alert::Scan),
    keptByTemplate(recordOnOff(CL_2T_Sfunc, &datCh::Sfunc)),

    // Transmit part.
    recordOnOff(CL_2T_Code_Type, &datCh::Code_Type),
    tone(CL_2TTx_Freq_1st,
         CellStorage::model(realMember<&datCh::TxFreq_1st>, setRealMember<&datCh::TxFreq_1st>)),
    toneLength<&datCh::Period_1st>(CL_2T_1st_Period),
    tone(CL_2TTx_Freq_2nd,
         CellStorage::model(realMember<&datCh::TxFreq_2nd>, setRealMember<&datCh::TxFreq_2nd>)),
    toneLength<&datCh::Period_2nd>(CL_2T_2nd_Period),
    [] {
        CellBinding row = recordName(CL_2T_TxText, 12);
        row.redrawOnChange = Redraw::kRedrawSameIndex;
        return row;
    }(),

    // Common timers.
    imageTimer(CL_2T_NotoneTimer, kTimers, 100, 0),
    imageTimer(CL_2T_GroupTimer, kTimers + 1, 10, 0),
    imageTimer(CL_2T_ExoTimer, kTimers + 2, 1, 0, true),
    imageTimer(CL_2T_BeepRepeatTimer, kTimers + 3, 1, 0, true),
    imageTimer(CL_2T_AutoTxTimer, kAutoTxTimer, 10, 0),
};

} // namespace

std::span<const CellBinding> twoToneBindings() { return kRows; }
