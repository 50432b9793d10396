#include "CheckCommand.h"

#include "CliTexts.h"
#include "CommandTable.h"
#include "SheetCommand.h"

#include "bindings/CheckBindings.h"
#include "cells/CellDescriptionParser.h"
#include "cells/CellIdentifiers.h"
#include "cells/CellLabels.h"
#include "cells/cmcCellObj.h"
#include "cells/indCellHandler.h"
#include "mainframe/WarningCheckList.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/SheetDescriptor.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace {

constexpr int kExitWarnings = 3;

// A cell's description without its attributes: the text it shows.
std::string plainText(std::string_view cell)
{
    std::string text;
    int depth = 0;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const char c = cell[i];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            depth = depth > 0 ? depth - 1 : 0;
        } else if (depth == 0) {
            if (c == '\\' && i + 1 < cell.size() && cell[i + 1] == 'n') {
                text += ' ';
                ++i;
            } else {
                text += c;
            }
        }
    }
    return text;
}

std::vector<std::string> cellsOf(const std::string &line)
{
    std::vector<std::string> cells;
    std::string_view rest = line;
    while (!rest.empty()) {
        const std::size_t end = CellDescriptionParser::CellEnd(rest);
        cells.emplace_back(rest.substr(0, end));
        rest = end < rest.size() ? rest.substr(end + 1) : std::string_view();
    }
    return cells;
}

bool namesLabel(const std::string &cell, const std::string &label)
{
    for (std::size_t at = cell.find(label); at != std::string::npos;
         at = cell.find(label, at + 1)) {
        const std::size_t after = at + label.size();
        const bool starts = at > 0 && (cell[at - 1] == '%' || cell[at - 1] == '.');
        if (starts && after < cell.size() && (cell[after] == '[' || cell[after] == ')'))
            return true;
    }
    return false;
}

// Where a sheet shows a cell: the row (the number of a list row, the side
// text of a setting) and the column heading; the label's name and the
// row number when the sheet does not show it.
std::pair<std::string, std::string> placeOf(const std::string &callText,
                                            const CheckFinding &finding)
{
    const std::string label(cellLabelName(finding.label));
    const std::string number = std::to_string(finding.index + 1);
    const std::string key = SheetDescriptor::Parse(callText).prefix + "_Cells";
    cmcGTex &texts = mainTextDatabase();
    std::vector<std::string> heading;
    bool inLoop = false;
    std::string line;
    for (int n = 0; texts.TryGetLine(key, n, line) && !line.starts_with('#'); ++n) {
        if (line.starts_with(":(LoopFrom")) {
            inLoop = true;
            continue;
        }
        if (line.starts_with(':'))
            continue;
        const std::vector<std::string> cells = cellsOf(line);
        if (!cells.empty() && cells[0].find("($Head)") != std::string::npos) {
            heading = cells;
            continue;
        }
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (!namesLabel(cells[i], label))
                continue;
            const std::string column = i < heading.size() ? plainText(heading[i]) : std::string();
            // A row numbered by a cell of its own shows the number.
            if (inLoop || cells[0].find("(%") != std::string::npos)
                return {number, column.empty() ? label : column};
            return {plainText(cells[0]), column};
        }
    }
    return {number, label};
}

std::string shownText(const CheckFinding &finding)
{
    cmcCellObj cell;
    cell.category = finding.category;
    cell.label = finding.label;
    cell.index = finding.index;
    return indCellHandler::TextOf(cell, 0);
}

// The check cells of the list, evaluated again to name their findings.
std::vector<std::pair<std::int32_t, std::string>> checkCells(int modelType)
{
    std::vector<std::pair<std::int32_t, std::string>> checks;
    cmcGTex &texts = mainTextDatabase();
    std::vector<std::string> lines;
    std::string line;
    for (int n = 0; texts.TryGetLine(WarningCheckList::kListKey, n, line) && !line.starts_with('#');
         ++n)
        lines.push_back(line);
    lines.push_back(WarningCheckList::ChannelCheckCell(modelType));
    for (const std::string &description : lines) {
        cmcCellObj cell;
        CellDescriptionParser(cell, nullptr).Apply(description);
        checks.emplace_back(cell.label, cell.suffix.value_or(std::string()));
    }
    return checks;
}

void describeSheet(const std::string &sheet, char mark, std::vector<std::string> &lines)
{
    cmcGTex &texts = mainTextDatabase();
    const std::string name = WarningCheckList::SheetName(texts, sheet);
    lines.push_back(std::string(1, mark) + " " + name);
    for (const auto &[label, callText] : checkCells(environment().modelType)) {
        if (callText != sheet)
            continue;
        std::vector<CheckFinding> findings;
        collectCheckFindings(*cellHost(), label, findings);
        for (const CheckFinding &finding : findings) {
            const auto [row, column] = placeOf(callText, finding);
            std::string where = name + ", " + row;
            if (!column.empty())
                where += ", " + column;
            lines.push_back("  " + where + ": " + shownText(finding) + " \u2014 " +
                            checkReasonText(finding.reason));
        }
    }
}

bool parseOptions(const std::vector<std::string> &arguments, std::string &file,
                  std::optional<int> &modelType)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &word = arguments[i];
        if (i + 1 >= arguments.size())
            return false;
        const std::string &value = arguments[++i];
        if (word == "--file")
            file = value;
        else if (word == "--model-type" && (value == "0" || value == "1"))
            modelType = value[0] - '0';
        else
            return false;
    }
    return true;
}

} // namespace

std::vector<std::string> describeWarningCheck()
{
    std::vector<std::string> lines;
    const indMain *model = modelObject();
    if (model == nullptr)
        return lines;
    const WarningCheckList::Result &result = model->LastWarningCheck();
    std::vector<std::string> told;
    const auto tell = [&](const std::vector<std::string> &sheets, char mark) {
        for (const std::string &sheet : sheets) {
            if (std::find(told.begin(), told.end(), sheet) != told.end())
                continue;
            told.push_back(sheet);
            describeSheet(sheet, mark, lines);
        }
    };
    tell(result.errors, 'E');
    tell(result.warnings, 'W');
    return lines;
}

int runCheckCommand(const std::vector<std::string> &arguments)
{
    std::string file;
    std::optional<int> modelType;
    if (!parseOptions(arguments, file, modelType)) {
        printCommandUsage("check", stderr);
        return 2;
    }
    if (!openInstalledTexts()) {
        std::fprintf(stderr, "the overlay files are not installed beside the program\n");
        return 1;
    }
    if (modelType)
        environment().modelType = *modelType;
    indMain model;
    installModelObject(&model);
    model.BuildWindow();
    int result = file.empty() ? 0 : loadCloneFile(model, file);
    if (result == 0) {
        const int errors = model.WarningCheck();
        const WarningCheckList::Result &found = model.LastWarningCheck();
        for (const std::string &line : describeWarningCheck())
            std::printf("%s\n", line.c_str());
        if (errors > 0)
            result = 1;
        else if (found.WarningCount() > 0)
            result = kExitWarnings;
        else
            std::printf("no errors or warnings\n");
    }
    installModelObject(nullptr);
    if (std::fflush(stdout) != 0)
        return 1;
    return result;
}
