#pragma once

// The sheets the tree offers, the cells they show, the option lists they
// choose from and the labels the help overlay knows: what the tests of a
// family's sheets walk through.

#include "HandlerTestFixture.h"

#include "cells/CellIdentifiers.h"
#include "cells/CellLabels.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcFCache.h"
#include "cells/indCellHandler.h"
#include "model/CellTyping.h"
#include "model/TreeNodeFilter.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetLayoutFactory.h"
#include "support/KeyLines.h"
#include "support/TestPaths.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

// The sheet calls of the tree of a model type, as a user sees it (no maker
// or option nodes).
inline std::vector<std::string> treeSheetsOf(int modelType)
{
    return CellTyping::TreeSheets(mainTextDatabase(), modelType,
                                  TreeNodeFilter::HiddenFlags(modelType, false, false));
}

// The labelled cells of a sheet, built and shown as the tree shows it on
// the model's handler, row by row. The copies point at their parent cells
// (fonts, basic cell) inside the sheet, so the sheets stay alive for the
// whole test program.
inline std::vector<cmcCellObj> labelledCellsOf(const std::string &call)
{
    static std::vector<std::unique_ptr<SheetLayout>> sheets;
    sheets.push_back(SheetLayoutFactory::Create(mainTextDatabase(), call));
    SheetLayout *sheet = sheets.back().get();
    sheet->SetWidthsPersistent(false);
    sheet->SetHandler(SheetLayout::ModelHandler(), nullptr);
    sheet->Show();
    std::vector<cmcCellObj> cells;
    for (int row = 0; row < sheet->RowCount(); ++row) {
        for (int col = 0; col < sheet->ColCount(); ++col) {
            const cmcCellObj &cell = sheet->CellAt(col, row);
            if (cell.label > CL_Null)
                cells.push_back(cell);
        }
    }
    return cells;
}

// The labels the help overlay gives a topic.
inline std::set<std::string> labelsWithHelp()
{
    cmcGTex help;
    help.Open(testing_support::sourceDir() + "data/QX7315C_ENG_HLP.OVL");
    std::set<std::string> labels;
    for (const std::string &line : testing_support::keyLines(help, "GI_AppItem_Topic_ID"))
        labels.insert(line.substr(0, line.find('\t')));
    return labels;
}

// What is wrong with the sheets `calls` of a family whose labels begin with
// `prefix`, on the LMR model's tree (the model must be of that type): a
// sheet the tree does not offer, a cell that still shows "*Yet*", a label of
// the family without a help topic. `labels` gets the family's labels the
// sheets show.
inline std::vector<std::string> lmrSheetFaults(const std::vector<std::string> &calls,
                                               const std::string &prefix,
                                               std::set<std::string> &labels)
{
    const std::set<std::string> topics = labelsWithHelp();
    const std::vector<std::string> tree = treeSheetsOf(0);
    std::vector<std::string> faults;
    for (const std::string &call : calls) {
        if (std::find(tree.begin(), tree.end(), call) == tree.end()) {
            faults.push_back(call + ": not in the tree");
            continue;
        }
        for (cmcCellObj cell : labelledCellsOf(call)) {
            Request request(cell);
            request.run(kHandlerDraw);
            const std::string name(cellLabelName(cell.label));
            const std::string where = call + " " + name + "[" + std::to_string(cell.index) + "]";
            if (request.capsule.outputText.find("*Yet*") != std::string::npos)
                faults.push_back(where + ": *Yet*");
            if (!name.starts_with(prefix))
                continue;
            if (!topics.contains(name))
                faults.push_back(where + ": no help topic");
            labels.insert(name);
        }
    }
    return faults;
}

// What is wrong with an option list whose values are kept in `bits` bits:
// no option at all, a value the bits cannot hold, two options with one
// text. Empty when nothing is.
inline std::vector<std::string> optionListFaults(const char *key, int bits)
{
    const cmcFCacheEntry &entry = indCellHandler::ProgramFormats().Entry(key, Flex0);
    if (entry.byValue.empty())
        return {std::string(key) + ": no options"};
    std::vector<std::string> faults;
    std::set<std::string> texts;
    for (const auto &option : entry.byValue) {
        const std::string value = std::string(key) + " " + std::to_string(option.value);
        if (option.value < 0 || option.value >= (1 << bits))
            faults.push_back(value + ": outside " + std::to_string(bits) + " bits");
        if (!texts.insert(entry.textOf(option)).second)
            faults.push_back(value + ": a text another option has");
    }
    return faults;
}
