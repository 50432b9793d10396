#include "bindings/FiveToneBindings.h"

#include "bindings/SettingRows.h"
#include "bindings/SettingRules.h"
#include "bindings/SignallingRows.h"
#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "channels/ChannelOffsets.h"
#include "channels/datCh.h"
#include "codecs/BitSetCodecs.h"
#include "codecs/DigitCodecs.h"
#include "codecs/HexCodecs.h"
#include "codecs/OptionCodecs.h"
#include "codecs/PickerCodecs.h"

#include <vector>

// Where the 5-tone settings live in the working image.
//
// Block 20 (0x11AA8, 11 records of 44 bytes): the receive codes 1..8,
// record kind 7 (rows 1..10 are also the 2-tone codes). The byte after a
// receive code's name (byte 28) marks its repeat digits, bit 7 for the
// first digit; saving takes it, together with the ID decode and emergency
// cancel bits (byte 31 bit 6, byte 32 bit 7), from the template of a new
// radio on the LMR model, and byte 30 bit 3 (the special function) on both
// models: those cells show dashes where the user's choice would not last.
// Blocks 18 and 19 (0x10414, 32 x 4 bytes; 0x118E8, 32 x 14 bytes): the
// transmit codes, record kind 8.
//
// Block 8 (0x10E76, 189 bytes):
//   0x10E90  fixed: the group tone, the digit that stands for any digit
//                                                       CL_5TTx_SpTone_Group
//   0x10F08  link timer A, 0.1 s                        CL_5TRx_LinkATimer
//   0x10F09  ID decode time, 0.1 s                      CL_5TRx_IdDecodeTimer
//   0x10F0A  external alarm (EXO) time, 1 s, 0 = off    CL_5TRx_ExoTimer
//   0x10F0B  AUX output time, 1 s, 0 = off              CL_5TRx_AuxTimer
//   0x10F0C  beep repeat interval, 1 s, 0 = off         CL_5TRx_BeepRepeatTimer
//   0x10F0D  automatic reply delay, 0.1 s               CL_5TRx_AutoTxTimer
//   0x10F29  long tone length, 0.1 s                    CL_5TTx_LongToneTimer
//   0x10F2A  link timer R, 0.1 s                        CL_5TTx_LinkRTimer
//   0x10F2B  link timer 1, 0.1 s                        CL_5TTx_Link1Timer
//   0x10F2C  link timer 2, 0.1 s                        CL_5TTx_Link2Timer
//   0x10F2D  lead-out delay, 0.01 s                     CL_5TTx_LeadOutDelayTimer
//   0x10F2E  answer-back decode time, 0.1 s             CL_5TTx_AbcDecTimer
//   0x10F2F  transmit code sent as the long tone, 0 = none, 1..32
//                                                       CL_5Tone_TxCodeCh_Long
// Block 12 (0x113E3, 128 bytes), after the 2-tone timers (TwoToneBindings.cpp):
//   0x1145C..0x11460  the tone digit each keypad key sends, keys 1..9 and 0,
//            two a byte, key 1 in the high half of 0x1145C
//                                       CL_5TTx_DispDigit1 .. CL_5TTx_DispDigit0
//   0x11461  bits 7-4 repeat tone                       CL_5TTx_SpTone_Repeat
//            bits 3-0 second link tone                  CL_5TTx_SpTone_Link2
//   0x11462  bits 3-0 digits compared, 0 = all          CL_5TRx_CompareDigit
//            bits 5-4 tone comparison                   CL_5TRx_CompareTone
//            bit 6 keypad digits show as typed          CL_5TTx_DispDigit
//            bit 7 no PTT ID while calling              CL_5TTx_PTTCallIna

namespace {

using namespace signalling_rows;

constexpr std::int32_t kReceiveTimers = 0x10F08;
constexpr std::int32_t kTransmitTimers = 0x10F29;
constexpr std::int32_t kLongToneCode = 0x10F2F;
constexpr std::int32_t kKeypadDigits = 0x1145C;
constexpr std::int32_t kSpecialTones = 0x11461;
constexpr std::int32_t kCompareOptions = 0x11462;

constexpr CellStorage groupCode() { return CellStorage::record(&datCh::GroupCode); }

// The LMR model keeps no repeat digits (their byte comes from the template
// when saving): its receive codes are entered as transmit codes are.
void runReceiveCode(indCellHandler &frame, const CellBinding &row)
{
    if (frame.host.ModelType() != 0) {
        CellBinding::RunValue(frame, row);
        return;
    }
    CellBinding withoutRepeats = row;
    withoutRepeats.storage = CellStorage::recordBytes<&datCh::Code>();
    withoutRepeats.codec = editFiveTone(FiveToneForm::Transmit);
    CellBinding::RunValue(frame, withoutRepeats);
}

// Tone digits run from 0 to E; an erased radio leaves F (or more), which
// stands for no tone and is marked until the user chooses one.
constexpr auto noToneDigit = setting_rules::outsideRange<0, 14>;

CellBinding keypadDigit(std::int32_t label, int key)
{
    const int place = key == 0 ? 9 : key - 1;
    return {.label = label,
            .storage = CellStorage::imageBits(kKeypadDigits + place / 2, place % 2 == 0 ? 4 : 0, 4),
            .codec = editHexDigit(false),
            .rule = noToneDigit};
}

CellBinding tone(std::int32_t label, std::int32_t at, int lowestBit)
{
    return {.label = label,
            .storage = CellStorage::imageBits(at, lowestBit, 4),
            .codec = editHexDigit(false),
            .rule = noToneDigit};
}

// Transmit codes are chosen by their number, 0 for none.
constexpr const char *kTransmitCodeList = "GI_Sheet_Sel_RxC_AbcCode";
constexpr int kKindTransmitCode = 8;
constexpr std::int32_t kTransmitCodes = 32;

// A transmit code chosen to be sent whose first digit already ends it
// sends nothing.
void emptyTransmitCodeMark(indCellHandler &frame, const CellBinding &, std::int32_t code)
{
    if (code < 1 || code > kTransmitCodes)
        return;
    datCh chosen(&frame.host.WorkingImage());
    chosen.decode(kKindTransmitCode, code - 1);
    if (chosen.Code[0] >= 0xF0)
        frame.SetWarning();
}

CellBinding transmitCodeChoice(std::int32_t label, CellStorage storage)
{
    return {.label = label,
            .storage = storage,
            .codec = pickFromCells(kTransmitCodeList, Flex1, CellMatch::Number, true),
            .rule = emptyTransmitCodeMark};
}

const std::vector<CellBinding> kRows = {
    // Receive codes.
    {.label = CL_5TRx_RxCode,
     .run = runReceiveCode,
     .storage = CellStorage::recordBytes<&datCh::Code, &datCh::Byte28>(),
     .codec = editFiveTone(FiveToneForm::Receive),
     .context = groupCode()},
    recordName(CL_5TRx_Text, 24),
    keptByTemplateOnLmr(alertOption(CL_5TRx_IdDec, Alert::IdDecode)),
    alertOption(CL_5TRx_Bell, Alert::Bell),
    keptByTemplateOnLmr(alertOption(CL_5TRx_EmerCancel, Alert::Emergency)),
    transmitCodeChoice(CL_5TRx_Abc, CellStorage::record(&datCh::Abc)),
    alertOption(CL_5TRx_Exo, Alert::Exo),
    alertOption(CL_5TRx_Beep, Alert::Beep),
    alertOption(CL_5TRx_AutoTx, Alert::AutoTx),
    alertOption(CL_5TRx_Aud, Alert::Audio),
    alertOption(CL_5TRx_Stun, Alert::Stun),
    alertOption(CL_5TRx_Scan, Alert::Scan),
    keptByTemplate(recordOnOff(CL_5TRx_Sfunc, &datCh::Sfunc)),
    recordOption(CL_5Tone_RxCode_Rpt, &datCh::Rpt, "GI_Sheet_Sel_5Tone_Repeat"),

    // Common receive settings.
    imageTimer(CL_5TRx_LinkATimer, kReceiveTimers, 10, 0),
    imageOption(CL_5TRx_CompareDigit, kCompareOptions, 0, 4, "GI_Sheet_Sel_5Tone_CompareDigit"),
    imageTimer(CL_5TRx_IdDecodeTimer, kReceiveTimers + 1, 10, 0),
    imageTimer(CL_5TRx_ExoTimer, kReceiveTimers + 2, 1, 0, true),
    imageTimer(CL_5TRx_AuxTimer, kReceiveTimers + 3, 1, 0, true),
    imageTimer(CL_5TRx_BeepRepeatTimer, kReceiveTimers + 4, 1, 0, true),
    imageTimer(CL_5TRx_AutoTxTimer, kReceiveTimers + 5, 10, 0),
    imageOption(CL_5TRx_CompareTone, kCompareOptions, 4, 2, "GI_Sheet_Sel_5Tone_CompareTone"),

    // Transmit codes.
    {.label = CL_5TTx_TxCode,
     .storage = CellStorage::recordBytes<&datCh::Code>(),
     .codec = editFiveTone(FiveToneForm::Transmit),
     .context = groupCode()},
    {.label = CL_5TTx_InputDigit,
     .storage = CellStorage::record(&datCh::InputDigit),
     .codec = editBitSet(1, 7, 0, "GI_Sheet_FBitsR")},
    recordName(CL_5TTx_Text, 12),
    recordOnOff(CL_5TTx_Update, &datCh::Update),
    recordOnOff(CL_5TTx_AbcDec, &datCh::AbcDec),
    recordOnOff(CL_5TTx_AbcAud, &datCh::AbcAud),
    recordOnOff(CL_5TTx_Sel, &datCh::Sel),
    transmitCodeChoice(CL_5Tone_TxCodeCh_Long, CellStorage::imageByte(kLongToneCode)),
    // A transmit code and its name as lists of codes show them.
    {.label = CL_Select_TX_Code,
     .storage = CellStorage::recordBytes<&datCh::Code>(),
     .codec = editFiveTone(FiveToneForm::Transmit),
     .context = groupCode()},
    recordName(CL_Select_TX_Text, 12),

    // Common transmit settings.
    imageTimer(CL_5TTx_LongToneTimer, kTransmitTimers, 10, 0),
    imageTimer(CL_5TTx_LinkRTimer, kTransmitTimers + 1, 10, 0),
    imageTimer(CL_5TTx_Link1Timer, kTransmitTimers + 2, 10, 0),
    imageTimer(CL_5TTx_Link2Timer, kTransmitTimers + 3, 10, 0),
    imageTimer(CL_5TTx_LeadOutDelayTimer, kTransmitTimers + 4, 100, 0),
    imageTimer(CL_5TTx_AbcDecTimer, kTransmitTimers + 5, 10, 0),
    imageOption(CL_5TTx_DispDigit, kCompareOptions, 6, 1, kOnOff),
    keypadDigit(CL_5TTx_DispDigit1, 1),
    keypadDigit(CL_5TTx_DispDigit2, 2),
    keypadDigit(CL_5TTx_DispDigit3, 3),
    keypadDigit(CL_5TTx_DispDigit4, 4),
    keypadDigit(CL_5TTx_DispDigit5, 5),
    keypadDigit(CL_5TTx_DispDigit6, 6),
    keypadDigit(CL_5TTx_DispDigit7, 7),
    keypadDigit(CL_5TTx_DispDigit8, 8),
    keypadDigit(CL_5TTx_DispDigit9, 9),
    keypadDigit(CL_5TTx_DispDigit0, 0),
    {.label = CL_5TTx_SpTone_Group,
     .storage = CellStorage::imageByte(channel_offsets::kGroupCode),
     .codec = editHexDigit(false),
     .redrawOnChange = cmcCellCapsule::RedrawBit::kRedrawLabelled,
     .rule = noToneDigit},
    tone(CL_5TTx_SpTone_Repeat, kSpecialTones, 4),
    tone(CL_5TTx_SpTone_Link2, kSpecialTones, 0),
    imageOption(CL_5TTx_PTTCallIna, kCompareOptions, 7, 1, kOnOff),
};

} // namespace

std::span<const CellBinding> fiveToneBindings() { return kRows; }
