// Feeds arbitrary cell description lines to the parser, against a base cell
// parsed from the input too. Faults of the description language (unknown
// names, bad counter references, missing or endless cell models) would end
// the program, so every line is first parsed with a fault report; only a
// line that reports nothing is parsed again the fatal way, and must then give
// the same cells. Nothing may crash, hang, leak or read out of bounds.
//
// Bytes 0x01-0x1F of the input stand for whole tokens of the language (names
// the parser knows, properties, escapes), so that mutations reach the deep
// paths quickly; all other bytes go in as they are.

#include "cells/CellFaultReport.h"
#include "cells/cmcCellObj.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char *const kTokens[] = {
    "(%CT_Mch.",
    "CL_Mch_FreqR",
    "(%CL_FBits[",
    "@ch0",
    "(@ch1++)",
    "(@ch2=",
    "\\(@ch0+1)",
    "($Basic)",
    "($eWh)",
    "($Loop)",
    "(Font=",
    "SHIFTJIS_CHARSET",
    "fsBold+fsItalic",
    "(Color=clRed)",
    "(PopupMenu=GI_PMenu_Edit)",
    "(Flag3=1)",
    "(ImageIndex=",
    "CT_PopupMenu.",
    "CL_PMenu_Edit:",
    "\\n",
    "\\_",
    "%150",
    ",,clWhite,-17,,,",
    "(%.CL_Mch_No)",
    "CallSheet:",
    "!S",
    "{",
    "}",
    "|",
    "\\",
    "($Missing)",
};

const char *const kOverlay = "#CellModel_Basic\n"
                             "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)"
                             "(PopupMenu=GI_PMenu_Edit)\n"
                             "#CellModel_eWh\n"
                             "S<_WHB($Inner)\n"
                             "#CellModel_Inner\n"
                             "(%CT_Null.CL_Misc_QuarterPillar)(Font=,,,%80,,fsUnderline,)\n"
                             "#CellModel_Loop\n"
                             "X($Loop)\n"
                             "#End_Of_Ovl\n";

void openOverlay()
{
    static bool opened = false;
    if (opened)
        return;
    opened = true;
    const std::string path = "/tmp/fuzz_celldesc_" + std::to_string(::getpid()) + ".ovl";
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        std::abort();
    std::fputs(kOverlay, file);
    std::fclose(file);
    mainTextDatabase().Open(path);
}

std::string expand(const std::string &raw)
{
    std::string out;
    for (char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 1 && byte <= std::size(kTokens))
            out += kTokens[byte - 1];
        else
            out += c;
    }
    return out;
}

class CountingFaults : public CellFaultReport
{
public:
    void Fault(const std::string &) override { ++count; }
    int count = 0;
};

bool sameCell(const cmcCellObj &a, const cmcCellObj &b)
{
    return a.category == b.category && a.label == b.label && a.index == b.index &&
           a.suffix == b.suffix && a.imageIndex == b.imageIndex && a.flags1 == b.flags1 &&
           a.flags2 == b.flags2 && a.flags3 == b.flags3 && a.background == b.background &&
           a.font == b.font && a.popupMenu == b.popupMenu && a.text == b.text;
}

// All cells of a line; without a report, faults end the program.
void parseLine(const std::string &line, std::int32_t *counters, const cmcCellObj *parent,
               CellFaultReport *faults, std::vector<cmcCellObj> &cells)
{
    std::string_view rest = line;
    while (!rest.empty()) {
        cells.emplace_back();
        rest = cells.back().Parse(rest, counters, parent, false, faults);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    openOverlay();
    FuzzedDataProvider input(data, size);
    std::int32_t start[cmcCellObj::kChannelCounterCount];
    for (auto &counter : start)
        counter = input.ConsumeIntegral<std::int32_t>();
    const std::string baseText = expand(input.ConsumeRandomLengthString(256));
    const std::string line = expand(input.ConsumeRemainingBytesAsString());

    CountingFaults faults;
    cmcCellObj base;
    base.Parse(baseText, nullptr, nullptr, false, &faults);

    std::int32_t counters[cmcCellObj::kChannelCounterCount];
    std::copy(std::begin(start), std::end(start), std::begin(counters));
    std::vector<cmcCellObj> reported;
    parseLine(line, counters, &base, &faults, reported);

    std::size_t split = 0;
    for (std::string_view rest = line; !rest.empty(); ++split) {
        cmcCellObj cell;
        rest = cell.Parse(rest, nullptr, &base, true);
    }
    if (split != reported.size())
        std::abort();

    // Without faults the fatal way must agree, counters included.
    if (faults.count != 0)
        return 0;
    std::int32_t again[cmcCellObj::kChannelCounterCount];
    std::copy(std::begin(start), std::end(start), std::begin(again));
    cmcCellObj fatalBase;
    fatalBase.Parse(baseText, nullptr, nullptr, false);
    std::vector<cmcCellObj> cells;
    parseLine(line, again, &fatalBase, nullptr, cells);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (!sameCell(cells[i], reported[i]))
            std::abort();
    }
    if (!std::equal(std::begin(counters), std::end(counters), std::begin(again)))
        std::abort();
    return 0;
}
