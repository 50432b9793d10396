#include "bindings/DtmfBindings.h"

#include "bindings/SignallingRows.h"
#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "channels/datCh.h"
#include "codecs/DigitCodecs.h"
#include "codecs/DisplayCodecs.h"
#include "codecs/OptionCodecs.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <vector>

// Where the DTMF settings live in the working image.
//
// Block 17 (0x11751, 11 records of 37 bytes): the DTMF memories, record
// kind 4; memory 10 is the radio's own ID code. Block 40 (0x1A514, 10
// records of 54 bytes): the decode entries, record kind 27. Saving takes
// every bit of both that the records do not hold from the template of a
// new radio, so nothing else can live there.
//
// Block 6 (0x109D4, 32 bytes), after the set mode (SetModeBindings.cpp):
//   0x109DD  PTT delay before the code, 0.01 s          CL_Dtmf_PttDelayTimer
//   0x109DE  decode hold time, 0.1 s                     CL_Dtmf_DtmfTimer
//   0x109DF  first digit length, 0.01 s                  CL_Dtmf_FirstTimer
//   0x109E0  digit length, 0.001 s (0.030..0.255 s)      CL_Dtmf_MarkTimer
//   0x109E1  gap between digits, 0.001 s (0.030..0.255)  CL_Dtmf_NotoneTimer
//   0x109E2  caller ID display time, 1 s, 0 = off        CL_Dtmf_ANI_Disp_Timer
//   0x109E3  bit 7 decode only with the channel's CTCSS/DTCS
//                                                        CL_Dtmf_Setting_DecodeWithCTone
//            bits 3-0 memory sent at emergency, 0 = none CL_Dtmf_CodeEmer
//            bits 6-4 free
// Still free in block 6: 0x109E5, 0x109EE..0x109F3.

namespace {

using namespace signalling_rows;
using Redraw = cmcCellCapsule::RedrawBit;

constexpr std::int32_t kTimers = 0x109DD;
constexpr std::int32_t kOptions = 0x109E3;
constexpr int kMaxDigits = 24;
// Memory 10 holds the ID code the radio sends as its own.
constexpr std::int32_t kIdCodeRow = 10;
constexpr const char *kMemoryList = "GI_Sheet_Sel_Dtmf_Memory";
constexpr int kKindMemory = 4;

// The memories count from 1; the ID code row is named.
void runMemoryNumber(indCellHandler &frame, const CellBinding &row)
{
    if (frame.index == kIdCodeRow) {
        frame.SetOutput(mainTextDatabase().GetFirstLine("GI_AppInd_Dtmf_IdCode"));
        return;
    }
    CellBinding::RunValue(frame, row);
}

// A memory chosen to be sent that holds no digits sends nothing.
void emptyMemoryMark(indCellHandler &frame, const CellBinding &, std::int32_t memory)
{
    if (memory < 1 || memory > kIdCodeRow)
        return;
    datCh chosen(&frame.host.WorkingImage());
    chosen.decode(kKindMemory, memory - 1);
    if (chosen.DigitCount == 0)
        frame.SetWarning();
}

CellBinding sentMemory(CellBinding row)
{
    row.rule = emptyMemoryMark;
    return row;
}

CellBinding digits(std::int32_t label, std::uint32_t redraw = 0)
{
    return {.label = label,
            .storage = CellStorage::recordBytes<&datCh::Digits, &datCh::DigitCount>(),
            .codec = editDtmfDigits(kMaxDigits),
            .redrawOnChange = redraw};
}

CellBinding rowNumber(std::int32_t label, CellBinding::Runner run = nullptr)
{
    return {.label = label,
            .run = run,
            .storage = CellStorage::cellIndex(),
            .codec = entryNumber(1, 3)};
}

CellBinding withLabel(CellBinding row, std::int32_t label)
{
    row.label = label;
    return row;
}

const std::vector<CellBinding> kRows = {
    // Memories.
    rowNumber(CL_Dtmf_ChNo, runMemoryNumber),
    digits(CL_Dtmf_Code),
    withLabel(digits(CL_Dtmf_Code), CL_Dtmf_CodeID),
    recordName(CL_Dtmf_Text, 24),

    // Decode entries. A code in any of them switches DTMF decoding on for
    // every channel that is not purely digital: the channel sheet follows.
    rowNumber(CL_Dtmf_Decode_ChNo),
    digits(CL_Dtmf_Decode_Code, Redraw::kRedrawLabelled),
    recordName(CL_Dtmf_Decode_Text, 24),
    alertOption(CL_Dtmf_Decode_IdDec, Alert::IdDecode),
    alertOption(CL_Dtmf_Decode_Bell, Alert::Bell),
    alertOption(CL_Dtmf_Decode_EmerCancel, Alert::Emergency),
    sentMemory(recordOption(CL_Dtmf_Decode_Abc, &datCh::Abc, kMemoryList)),
    alertOption(CL_Dtmf_Decode_Exo, Alert::Exo),
    alertOption(CL_Dtmf_Decode_Beep, Alert::Beep),
    alertOption(CL_Dtmf_Decode_AutoTx, Alert::AutoTx),
    alertOption(CL_Dtmf_Decode_Aud, Alert::Audio),
    alertOption(CL_Dtmf_Decode_Stun, Alert::Stun),
    alertOption(CL_Dtmf_Decode_Scan, Alert::Scan),
    recordOnOff(CL_Dtmf_Decode_Sfunc, &datCh::Sfunc),
    {.label = CL_Dtmf_Decode_Action,
     .storage = CellStorage::record(&datCh::Action),
     .codec = editOption("GI_Sheet_Sel_DTMF_Action_Popup", FlexMark)},
    recordOnOff(CL_Dtmf_Decode_Ack, &datCh::Ack),

    // Common timing and options.
    imageTimer(CL_Dtmf_PttDelayTimer, kTimers, 100, 0),
    imageTimer(CL_Dtmf_DtmfTimer, kTimers + 1, 10, 0),
    imageTimer(CL_Dtmf_FirstTimer, kTimers + 2, 100, 0),
    imageTimer(CL_Dtmf_MarkTimer, kTimers + 3, 1000, 30),
    imageTimer(CL_Dtmf_NotoneTimer, kTimers + 4, 1000, 30),
    imageTimer(CL_Dtmf_ANI_Disp_Timer, kTimers + 5, 1, 0, true),
    {.label = CL_Dtmf_Setting_DecodeWithCTone,
     .storage = CellStorage::imageBits(kOptions, 7, 1),
     .codec = editOption(kOnOff, Flex0)},
    {.label = CL_Dtmf_CodeEmer,
     .storage = CellStorage::imageBits(kOptions, 0, 4),
     .codec = editOption(kMemoryList, Flex0),
     .rule = emptyMemoryMark},
};

} // namespace

std::span<const CellBinding> dtmfBindings() { return kRows; }
