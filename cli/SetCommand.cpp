#include "SetCommand.h"

#include "CliTexts.h"
#include "CommandTable.h"
#include "SheetCommand.h"

#include "cells/DescriptionText.h"
#include "model/CellTyping.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"
#include "platform/MessageService.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace {

// A wrong command line and an assignment a cell did not take both exit 2:
// scripts tell bad input from a failure to save.
constexpr int kBadInput = 2;
constexpr int kSaveFailed = 1;

struct Assignment {
    std::string name;
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

// Nobody is there to answer a question raised while a cell takes its text:
// the cautious answer is given, and the box is told with its cell.
class CautiousAnswers : public platform::MessageService
{
public:
    platform::MessageResult show(const std::string &, const std::string &, platform::MessageIcon,
                                 platform::MessageButtons buttons) override
    {
        return CellTyping::CautiousAnswer(buttons);
    }
};

bool typeAll(indMain &model, const std::vector<Assignment> &assignments)
{
    CautiousAnswers answers;
    platform::ScopedMessageService scoped(answers);
    CellTyping typing(model);
    std::vector<std::string> shown;
    for (const Assignment &assignment : assignments) {
        const CellTyping::Result result =
            typing.Type(assignment.name, assignment.index, assignment.text);
        for (const CellTyping::Message &message : result.messages)
            std::fprintf(stderr, "%s: %s: %s\n", result.cell.c_str(),
                         CellTyping::KindName(message.icon).c_str(), message.text.c_str());
        if (!result.Typed()) {
            std::fprintf(stderr, "%s\n", result.Complaint().c_str());
            return false;
        }
        shown.push_back(result.cell + ": " + result.shown);
    }
    for (const std::string &line : shown)
        std::printf("%s\n", line.c_str());
    return true;
}

int applyAll(indMain &model, const Options &options)
{
    std::vector<Assignment> assignments;
    for (const std::string &word : options.assignments) {
        std::optional<Assignment> assignment = parseAssignment(word);
        if (!assignment) {
            std::fprintf(stderr, "'%s' is not LABEL[INDEX]=TEXT\n", word.c_str());
            printCommandUsage("set", stderr);
            return kBadInput;
        }
        assignments.push_back(*assignment);
    }
    if (!typeAll(model, assignments))
        return kBadInput;
    const std::string &target = options.output.empty() ? options.file : options.output;
    if (!model.SaveTo(target)) {
        std::fprintf(stderr, "%s: the file could not be saved\n", target.c_str());
        return kSaveFailed;
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
