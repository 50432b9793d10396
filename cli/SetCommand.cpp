#include "SetCommand.h"

#include "CliTexts.h"
#include "CommandTable.h"
#include "SheetCommand.h"

#include "cells/CellBindingRegistry.h"
#include "cells/CellHandler.h"
#include "cells/CellIdentifiers.h"
#include "cells/CellLabels.h"
#include "cells/CellNameIndex.h"
#include "cells/DescriptionText.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcFCache.h"
#include "cells/indCellHandler.h"
#include "image/WorkingLayout.h"
#include "image/cmcEeprom.h"
#include "mainframe/ProgramBindings.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"
#include "textdb/GlobalTexts.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace {

constexpr int kBadInput = 2;

struct Assignment {
    std::string name;
    std::int32_t label = 0;
    std::int32_t index = 0;
    std::string text;
};

struct Options {
    std::string file;
    std::string output;
    std::vector<std::string> assignments;
};

bool parseOptions(const std::vector<std::string> &arguments, Options &options)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &word = arguments[i];
        if (word == "-o") {
            if (i + 1 >= arguments.size() || !options.output.empty())
                return false;
            options.output = arguments[++i];
        } else if (word.starts_with("-")) {
            return false;
        } else if (options.file.empty()) {
            options.file = word;
        } else {
            options.assignments.push_back(word);
        }
    }
    return !options.file.empty() && !options.assignments.empty();
}

// LABEL[INDEX]=TEXT, the index 0 when left out.
std::optional<Assignment> parseAssignment(const std::string &word)
{
    const std::size_t equals = word.find('=');
    if (equals == std::string::npos)
        return std::nullopt;
    Assignment assignment;
    std::string_view cell(word.data(), equals);
    assignment.text = word.substr(equals + 1);
    if (const std::size_t open = cell.find('['); open != std::string_view::npos) {
        if (!cell.ends_with(']'))
            return std::nullopt;
        const std::string digits(cell.substr(open + 1, cell.size() - open - 2));
        if (digits.empty() || digits.size() > 6 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        assignment.index = readDecimal(digits);
        cell = cell.substr(0, open);
    }
    assignment.name = std::string(cell);
    return assignment;
}

// The category the sheets give a label's cells: the channel columns live
// in the memory channel sheets; the other families need none.
struct Family {
    const char *prefix;
    std::int32_t category;
    std::int32_t rows; // 0: no limit of the cli's own
};
constexpr Family kFamilies[] = {
    {"CL_Mch_", CT_Mch, working_layout::kChannelSlots},
    {"CL_Grp_", CT_Mch, working_layout::kChannelSlots},
};

const Family *familyOf(const std::string &name)
{
    for (const Family &family : kFamilies) {
        if (name.starts_with(family.prefix))
            return &family;
    }
    return nullptr;
}

std::int32_t handle(cmcCellObj &cell, cmcCellCapsule &capsule, std::int32_t mode)
{
    capsule.cell = &cell;
    indActiveCell context;
    return indCellHandler::Handle(&context, capsule, mode);
}

std::string shownText(cmcCellObj &cell)
{
    cmcCellCapsule capsule;
    handle(cell, capsule, kHandlerDraw);
    return capsule.outputText;
}

void typeText(cmcCellObj &cell, const std::string &text)
{
    cmcCellCapsule capsule;
    capsule.inputMode = cmcCellCapsule::kInputText;
    capsule.inputText = text;
    handle(cell, capsule, kHandlerAction);
}

// A cell that offers a list takes the text of one of its entries: the
// entry is chosen as the list popup would answer it.
bool chooseEntry(cmcCellObj &cell, const std::string &text)
{
    const CellBinding *row = programBindings().Find(cell.label);
    if (row == nullptr || !row->codec || row->codec.TakesBytes())
        return false;
    CodecRequest enter;
    enter.kind = CodecRequest::Kind::Key;
    enter.code = CodecRequest::kEnter;
    enter.interactive = true;
    enter.index = cell.index;
    enter.texts = &mainTextDatabase();
    enter.formats = &indCellHandler::ProgramFormats();
    const CodecAnswer answer = row->codec(0, enter);
    if (answer.open.kind != CodecOpen::Kind::List)
        return false;
    const cmcFCacheEntry &entries =
        indCellHandler::ProgramFormats().Entry(answer.open.key, answer.open.style);
    for (const cmcFCacheEntry::Record &entry : entries.byValue) {
        if (entries.textOf(entry) != text)
            continue;
        cmcCellObj chosen;
        chosen.label = answer.open.style;
        chosen.index = entry.value;
        cmcCellCapsule origin;
        origin.cell = &chosen;
        cmcCellCapsule capsule;
        capsule.inputMode = cmcCellCapsule::kInputChosen;
        capsule.inputText = text;
        capsule.origin = &origin;
        handle(cell, capsule, kHandlerAction);
        return true;
    }
    return false;
}

// Types the text as the user would; false, after telling why, when the
// cell does not take it.
bool apply(indMain &model, const Assignment &assignment)
{
    const Family *family = familyOf(assignment.name);
    const std::string where = assignment.name + "[" + std::to_string(assignment.index) + "]";
    if (family != nullptr && family->rows > 0 && assignment.index >= family->rows) {
        std::fprintf(stderr, "%s: the index is out of range (0 to %d)\n", where.c_str(),
                     family->rows - 1);
        return false;
    }
    cmcCellObj cell;
    cell.category = family != nullptr ? family->category : CT_Null;
    cell.label = assignment.label;
    cell.index = assignment.index;
    if (programBindings().Find(cell.label) == nullptr) {
        std::fprintf(stderr, "%s: this cell cannot be typed into\n", where.c_str());
        return false;
    }
    cmcEeprom before;
    before.CopyFrom(model.WorkingImage());
    typeText(cell, assignment.text);
    if (model.WorkingImage().Equals(before))
        chooseEntry(cell, assignment.text);
    const std::string shown = shownText(cell);
    if (model.WorkingImage().Equals(before) && shown != assignment.text) {
        std::fprintf(stderr, "%s: the cell did not take '%s' (it shows '%s')\n", where.c_str(),
                     assignment.text.c_str(), shown.c_str());
        return false;
    }
    std::printf("%s: %s\n", where.c_str(), shown.c_str());
    return true;
}

int applyAll(indMain &model, const Options &options)
{
    std::vector<Assignment> assignments;
    for (const std::string &word : options.assignments) {
        std::optional<Assignment> assignment = parseAssignment(word);
        if (!assignment) {
            std::fprintf(stderr, "'%s' is not LABEL[INDEX]=TEXT\n", word.c_str());
            return kBadInput;
        }
        if (!cellNameIndex().FindLabel(assignment->name, assignment->label)) {
            std::fprintf(stderr, "unknown label '%s' (quillon-cli labels lists them)\n",
                         assignment->name.c_str());
            return kBadInput;
        }
        assignments.push_back(*assignment);
    }
    for (const Assignment &assignment : assignments) {
        if (!apply(model, assignment))
            return kBadInput;
    }
    const std::string &target = options.output.empty() ? options.file : options.output;
    if (!model.SaveTo(target)) {
        std::fprintf(stderr, "%s: the file could not be saved\n", target.c_str());
        return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int runSetCommand(const std::vector<std::string> &arguments)
{
    Options options;
    if (!parseOptions(arguments, options)) {
        printCommandUsage("set", stderr);
        return kBadInput;
    }
    if (!openInstalledTexts()) {
        std::fprintf(stderr, "the overlay files are not installed beside the program\n");
        return 1;
    }
    indMain model;
    installModelObject(&model);
    model.BuildWindow();
    int result = loadCloneFile(model, options.file);
    if (result == 0)
        result = applyAll(model, options);
    installModelObject(nullptr);
    return result;
}
