#include "bindings/ExternalPortBindings.h"

#include "cells/CellHost.h"
#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "channels/datCh.h"
#include "codecs/OptionCodecs.h"
#include "codecs/PickerCodecs.h"
#include "image/BitField.h"

#include <array>
#include <vector>

// The byte map of these settings is at the top of KeyDisplayBindings.cpp.
// Each port line k (1..9) is a pair of bytes at 0x1A750 + 2 (k - 1): the
// first holds the direction in bit 7 (set: input) and the logic in bit 0
// (set: active high), the other bits are left as the radio keeps them; the
// second is the line's function, from the input or the output list by the
// direction. The analogue input's function is 0x1A762, the analogue
// output's 0x1A763. Entry i of the channel switch table (0x1A730 + i) is
// the channel the radio moves to when the channel select lines show the
// binary number i: 0..31 a channel, 0xFF no change.

namespace {

using Redraw = cmcCellCapsule::RedrawBit;

constexpr std::int32_t kPortLines = 9;
constexpr std::int32_t kPortPairs = 0x1A750;
constexpr std::int32_t kAnalogueInput = 0x1A762;
constexpr std::int32_t kAnalogueOutput = 0x1A763;
constexpr std::int32_t kLabelsPerLine = CL_ExtPort_InOut_2 - CL_ExtPort_InOut_1;

constexpr const char *kInputList = "GI_Sheet_Sel_Input_Port_Conv_Pmr_Dpmr_Popup";
constexpr const char *kOutputList = "GI_Sheet_Sel_Output_Port_Conv_Rep_Popup";

constexpr std::int32_t settingsOf(std::int32_t line) { return kPortPairs + 2 * line; }
constexpr std::int32_t functionOf(std::int32_t line) { return settingsOf(line) + 1; }
constexpr BitField directionOf(std::int32_t line) { return BitField::bit(settingsOf(line), 7); }

bool isInput(const indCellHandler &frame, std::int32_t line)
{
    return directionOf(line).Read(frame.host.WorkingImage()) != 0;
}

// Two inputs with one function fight over it (two lines for one channel
// select bit, two external PTTs): both are marked. Outputs may share a
// function, to drive a lamp and a buzzer together.
void sharedInputMark(indCellHandler &frame, const CellBinding &row, std::int32_t function)
{
    if (function == 0)
        return;
    const std::int32_t own = row.argument;
    const cmcEeprom &image = frame.host.WorkingImage();
    for (std::int32_t line = 0; line < kPortLines; ++line) {
        if (line != own && isInput(frame, line) && image.GetByte(functionOf(line)) == function) {
            frame.SetWarning();
            return;
        }
    }
}

// The function lists of inputs and outputs differ; the line's direction
// says which one its byte indexes. A function's name typed into the cell
// picks it, as choosing it from the list does.
struct LineFunctions {
    CellBinding input;
    CellBinding output;
};

const std::vector<LineFunctions> &lineFunctions()
{
    static const std::vector<LineFunctions> lines = [] {
        std::vector<LineFunctions> made;
        for (std::int32_t line = 0; line < kPortLines; ++line) {
            const std::int32_t label = CL_ExtPort_InOut_1 + kLabelsPerLine * line;
            const CellStorage storage = CellStorage::imageByte(functionOf(line));
            made.push_back({{.label = label,
                             .storage = storage,
                             .codec = pickFromCells(kInputList, FlexMark2, CellMatch::Prefix, true),
                             .argument = line,
                             .redrawOnChange = Redraw::kRedrawLabelled,
                             .rule = sharedInputMark},
                            {.label = label,
                             .storage = storage,
                             .codec = pickFromCells(kOutputList, FlexMark, CellMatch::Prefix, true),
                             .argument = line,
                             .redrawOnChange = Redraw::kRedrawLabelled}});
        }
        return made;
    }();
    return lines;
}

void runLineFunction(indCellHandler &frame, const CellBinding &row)
{
    const LineFunctions &functions = lineFunctions().at(static_cast<std::size_t>(row.argument));
    CellBinding::RunValue(frame, isInput(frame, row.argument) ? functions.input : functions.output);
}

// A function of one list means something else, or nothing, in the other:
// turning a line round leaves it without a function until one is chosen.
void runLineDirection(indCellHandler &frame, const CellBinding &row)
{
    const bool before = isInput(frame, row.argument);
    CellBinding::RunValue(frame, row);
    if (isInput(frame, row.argument) != before)
        frame.host.WorkingImage().SetByte(functionOf(row.argument), 0);
}

// A switch table entry that moves to a channel the radio does not hold, or
// one without a frequency, would leave the radio on a blank channel.
void switchTargetMark(indCellHandler &frame, const CellBinding &, std::int32_t entry)
{
    if (entry <= 0)
        return;
    datCh channel(&frame.host.WorkingImage());
    const std::int32_t target = entry - 1;
    if (target < channel.bankChannelCount(0)) {
        channel.decode(datCh::channelKind(), target);
        if (channel.isUsed())
            return;
    }
    frame.SetWarning();
}

std::vector<CellBinding> makeRows()
{
    std::vector<CellBinding> rows;
    for (std::int32_t line = 0; line < kPortLines; ++line) {
        const std::int32_t label = CL_ExtPort_InOut_1 + kLabelsPerLine * line;
        rows.push_back({.label = label, .run = runLineFunction, .argument = line});
        rows.push_back({.label = label + (CL_ExtPort_InOut_1_Dir - CL_ExtPort_InOut_1),
                        .run = runLineDirection,
                        .storage = CellStorage::imageBits(settingsOf(line), 7, 1),
                        .codec = editOption("GI_Sheet_Sel_ExtPort_Dir", Flex0),
                        .argument = line,
                        .redrawOnChange = Redraw::kRedrawLabelled});
        rows.push_back({.label = label + (CL_ExtPort_InOut_1_Logic - CL_ExtPort_InOut_1),
                        .storage = CellStorage::imageBits(settingsOf(line), 0, 1),
                        .codec = editOption("GI_Sheet_Sel_ExtPort_Logic", Flex0)});
    }
    rows.push_back({.label = CL_ExtPort_AD_1,
                    .storage = CellStorage::imageByte(kAnalogueInput),
                    .codec = editOption("GI_Sheet_Sel_AD_Port_Conv_Rep_Popup", Flex0)});
    rows.push_back({.label = CL_ExtPort_DA_1,
                    .storage = CellStorage::imageByte(kAnalogueOutput),
                    .codec = editOption("GI_Sheet_Sel_DA_Port_Conv_Rep_Popup", Flex0)});
    rows.push_back({.label = CL_ExtPort_ChSW_Table_MoveCH,
                    .storage = CellStorage::record(&datCh::Value),
                    .codec = pickFromCells("GI_Sheet_Sel_ExtPort_ChSwTable", Flex0,
                                           CellMatch::PrefixThenNumber, true),
                    .rule = switchTargetMark});
    return rows;
}

} // namespace

std::span<const CellBinding> externalPortBindings()
{
    static const std::vector<CellBinding> rows = makeRows();
    return rows;
}
