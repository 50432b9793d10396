#include "mainframe/CloneInfoBindings.h"

#include "cells/CellLabels.h"
#include "cells/indCellHandler.h"
#include "mainframe/cuiMain.h"

#include <array>
#include <cstdio>
#include <string>

namespace {

// The clone information area as the radio fills it. Byte 0 is the block's
// length; bytes 34, 35, 53 and 56-59 (limit tolerance, map revision,
// password flags, end address) are read by the clone commands.
//
//    1-16  model name            CL_CloneInfo_Model
//   17-20  firmware revision     CL_CloneInfo_Revision
//   21-24  DSP revision          CL_CloneInfo_Revision_DSP
//   25     keypad (0 none)       CL_CloneInfo_KeyBoard
//   36-37  PLL reference, 10 kHz CL_CloneInfo_PllRef
//   38-39  option bits           CL_CloneInfo_Option
//   40     over-voltage detector CL_CloneInfo_OverVolt
//   41-42  firmware checksum     CL_CloneInfo_CheckSum
//   43-44  DSP checksum          CL_CloneInfo_CheckSum_DSP
//   60-71  serial number, hex    CL_CloneInfo_Esn
//   72-87  comment 1             CL_CloneInfo_Comment1
//   88-103 comment 2             CL_CloneInfo_Comment2
enum class Form : std::uint8_t { Text, Keypad, Megahertz, Hex, OnOff };

struct InfoField {
    int offset;
    int length;
    Form form;
};

using Area = std::array<std::uint8_t, cuiMain::kCloneInformationSize>;

// Printable characters up to the first that is not, trailing blanks cut.
std::string textAt(const Area &area, const InfoField &field)
{
    std::string text;
    for (int i = field.offset; i < field.offset + field.length; ++i) {
        const auto c = area[static_cast<std::size_t>(i)];
        if (c < 0x20 || c > 0x7E)
            break;
        text += static_cast<char>(c);
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

unsigned numberAt(const Area &area, const InfoField &field)
{
    unsigned number = 0;
    for (int i = field.offset; i < field.offset + field.length; ++i)
        number = (number << 8) | area[static_cast<std::size_t>(i)];
    return number;
}

std::string shown(const Area &area, const InfoField &field)
{
    const unsigned number = numberAt(area, field);
    char text[32];
    switch (field.form) {
    case Form::Text:
        return textAt(area, field);
    case Form::Keypad:
        return number == 0 ? "None" : "Keypad " + std::to_string(number);
    case Form::Megahertz:
        std::snprintf(text, sizeof text, "%u.%02u MHz", number / 100, number % 100);
        return text;
    case Form::Hex:
        std::snprintf(text, sizeof text, "%0*X", 2 * field.length, number);
        return text;
    case Form::OnOff:
        break;
    }
    return number != 0 ? "On" : "Off";
}

constexpr std::array<InfoField, 12> kFields{{
    {1, 16, Form::Text},
    {17, 4, Form::Text},
    {21, 4, Form::Text},
    {25, 1, Form::Keypad},
    {72, 16, Form::Text},
    {88, 16, Form::Text},
    {36, 2, Form::Megahertz},
    {38, 2, Form::Hex},
    {40, 1, Form::OnOff},
    {60, 12, Form::Text},
    {41, 2, Form::Hex},
    {43, 2, Form::Hex},
}};

// Before any ID reply (length 0) every cell is empty.
void runInfo(indCellHandler &frame, const CellBinding &row)
{
    const auto *main = dynamic_cast<const cuiMain *>(&frame.host);
    if (main == nullptr || !frame.IsDraw())
        return;
    const Area &area = main->CloneInformation();
    if (area[0] == 0)
        return;
    frame.SetOutput(shown(area, kFields.at(static_cast<std::size_t>(row.argument))));
}

CellBinding infoRow(std::int32_t label, std::int32_t field)
{
    return {.label = label, .run = runInfo, .argument = field};
}

const CellBinding kRows[] = {
    infoRow(CL_CloneInfo_Model, 0),
    infoRow(CL_CloneInfo_Revision, 1),
    infoRow(CL_CloneInfo_Revision_DSP, 2),
    infoRow(CL_CloneInfo_KeyBoard, 3),
    infoRow(CL_CloneInfo_Comment1, 4),
    infoRow(CL_CloneInfo_Comment2, 5),
    infoRow(CL_CloneInfo_PllRef, 6),
    infoRow(CL_CloneInfo_Option, 7),
    infoRow(CL_CloneInfo_OverVolt, 8),
    infoRow(CL_CloneInfo_Esn, 9),
    infoRow(CL_CloneInfo_CheckSum, 10),
    infoRow(CL_CloneInfo_CheckSum_DSP, 11),
    {.label = CL_CloneInfo_Dummy, .run = CellBinding::RunNothing},
};

} // namespace

std::span<const CellBinding> cloneInfoBindings() { return kRows; }
