#pragma once

#include "cells/CellHandler.h"

#include <string>
#include <vector>

class cmcGTex;

// The warning check list: each line of "GI_WarningCheckList" up to the
// first line beginning with '#' is a check cell, whose label names a check
// and whose text after the label (its suffix) is the call text of the sheet
// the check concerns; the memory channel check of the model type comes last.
// The cell handler evaluates each check cell; a cell that comes back with
// the error mark puts its sheet on the error list, one with only the warning
// mark on the warning list.
class WarningCheckList
{
public:
    static constexpr const char *kListKey = "GI_WarningCheckList";
    // The navigation tree whose captions name the sheets.
    static constexpr const char *kTreeName = "GI_Tree_Main";
    static constexpr const char *kChannelPattern =
        "{(%%CL_Check_Mch:[St_ChBank]GI_Sheet_Mch_%s,Bank %d)}";

    struct Result {
        std::vector<std::string> errors;
        std::vector<std::string> warnings;
        int ErrorCount() const { return static_cast<int>(errors.size()); }
        int WarningCount() const { return static_cast<int>(warnings.size()); }
    };

    // The memory channel sheet's name part of a model type.
    static const char *ChannelSheetPart(int modelType);
    // The memory channel check cell's description.
    static std::string ChannelCheckCell(int modelType);

    // What the user calls the sheet of a call text: its caption in the
    // navigation tree ("GI_MChSheetTitle" for the channel sheets), else the
    // call text itself.
    static std::string SheetName(cmcGTex &texts, const std::string &callText);
    // The message that refuses a clone write: "GI_Mess_DataError" and the
    // sheets with errors, one a line.
    static std::string RefusalText(cmcGTex &texts, const Result &result);

    // Evaluates every check cell of `texts` with `handler`.
    static Result Run(cmcGTex &texts, int modelType, cmcCellHandler handler);
};
