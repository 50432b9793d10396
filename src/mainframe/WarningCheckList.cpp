#include "mainframe/WarningCheckList.h"

#include "cells/CellDescriptionParser.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <cstdio>

namespace {

// One evaluation: the capsule comes back with the marks of the check.
void evaluate(cmcCellObj &cell, cmcCellCapsule &capsule, indActiveCell &context,
              cmcCellHandler handler, WarningCheckList::Result &result)
{
    capsule.stateBits = 0;
    capsule.outputText.clear();
    capsule.cell = &cell;
    handler(&context, capsule, kHandlerDraw);
    const std::string sheet = cell.suffix.value_or(std::string());
    if ((capsule.stateBits & cmcCellCapsule::kStateError) != 0)
        result.errors.push_back(sheet);
    else if ((capsule.stateBits & cmcCellCapsule::kStateWarning) != 0)
        result.warnings.push_back(sheet);
}

void parse(cmcCellObj &cell, const std::string &description)
{
    cell = cmcCellObj();
    CellDescriptionParser(cell, nullptr).Apply(description);
}

} // namespace

const char *WarningCheckList::ChannelSheetPart(int modelType)
{
    return modelType == 1 ? "Conv_Pmr_Dpmr_Rep" : "Conv_Lmr_KCOOP_Rep";
}

std::string WarningCheckList::ChannelCheckCell(int modelType)
{
    char text[96];
    std::snprintf(text, sizeof text, kChannelPattern, ChannelSheetPart(modelType), 0);
    return text;
}

std::string WarningCheckList::SheetName(cmcGTex &texts, const std::string &callText)
{
    if (callText.starts_with("[St_ChBank]"))
        return texts.GetFirstLine("GI_MChSheetTitle");
    const std::string call = "CallSheet:" + callText + ")";
    std::string line;
    const std::string tree = std::string(kTreeName) + "_Body";
    for (int n = 0; texts.TryGetLine(tree, n, line) && !line.starts_with('#'); ++n) {
        const std::size_t plus = line.find('+');
        const std::size_t brace = line.find('{');
        if (line.find(call) == std::string::npos || plus == std::string::npos ||
            brace == std::string::npos || brace <= plus)
            continue;
        return line.substr(plus + 1, brace - plus - 1);
    }
    return callText;
}

std::string WarningCheckList::RefusalText(cmcGTex &texts, const Result &result)
{
    std::string text = texts.GetText("GI_Mess_DataError");
    std::vector<std::string> named;
    for (const std::string &sheet : result.errors) {
        std::string name = SheetName(texts, sheet);
        if (std::find(named.begin(), named.end(), name) != named.end())
            continue;
        text += "\n" + name;
        named.push_back(std::move(name));
    }
    return text;
}

WarningCheckList::Result WarningCheckList::Run(cmcGTex &texts, int modelType,
                                               cmcCellHandler handler)
{
    Result result;
    // One cell, capsule and active-cell record serve the whole run.
    cmcCellObj cell;
    cmcCellCapsule capsule;
    indActiveCell context;
    std::string line;
    for (int n = 0; texts.TryGetLine(kListKey, n, line) && !line.starts_with('#'); ++n) {
        parse(cell, line);
        evaluate(cell, capsule, context, handler, result);
    }
    parse(cell, ChannelCheckCell(modelType));
    cell.index = 0;
    evaluate(cell, capsule, context, handler, result);
    return result;
}
