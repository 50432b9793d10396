#include "SheetCommand.h"

#include "CliTexts.h"
#include "CommandTable.h"

#include "cells/DescriptionText.h"
#include "cells/indCellHandler.h"
#include "clonefile/CloneFilePolicy.h"
#include "clonefile/cmcVrcFile.h"
#include "image/cmcEeprom.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/SheetDescriptor.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetLayoutFactory.h"
#include "sheets/SheetTextDump.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <cstdio>
#include <memory>
#include <optional>

namespace {

struct Options {
    std::string descriptor;
    std::string file;
    std::optional<int> modelType;
    std::optional<int> language;
};

bool readNumber(const std::string &text, int low, int high, std::optional<int> &number)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int value = readDecimal(text);
    if (value < low || value > high)
        return false;
    number = value;
    return true;
}

bool readOption(const std::string &name, const std::string &value, Options &options)
{
    if (name == "--file") {
        options.file = value;
        return true;
    }
    if (name == "--model-type")
        return readNumber(value, 0, 1, options.modelType);
    return readNumber(value, 0, 255, options.language);
}

bool parseOptions(const std::vector<std::string> &arguments, Options &options)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &word = arguments[i];
        if (word == "--file" || word == "--model-type" || word == "--lang") {
            if (i + 1 >= arguments.size() || !readOption(word, arguments[i + 1], options))
                return false;
            ++i;
        } else if (!word.starts_with("--") && options.descriptor.empty()) {
            options.descriptor = word;
        } else {
            return false;
        }
    }
    return !options.descriptor.empty();
}

// The sheets the tree and its overview pages open. A sheet named by its key
// alone opens as they open it, with its class and tag (a bank sheet then
// shows every channel of the bank, not a single row).
struct CallingText {
    const char *prefix;
    const char *suffix;
};
constexpr CallingText kCallingTexts[] = {
    {"GI_Tree_Main", "_Body"}, {"GI_Sheet_Top", "_Cells"}, {"GI_Sheet_Memory_CH_Top", "_Cells"}};

std::string asTheTreeCallsIt(const std::string &descriptor)
{
    if (descriptor.find_first_of("[,") != std::string::npos)
        return descriptor;
    constexpr std::string_view kCall = "CallSheet:";
    cmcGTex &texts = mainTextDatabase();
    for (const CallingText &calling : kCallingTexts) {
        const std::string key = std::string(calling.prefix) + calling.suffix;
        std::string line;
        for (int index = 0; texts.TryGetLine(key, index, line); ++index) {
            for (std::size_t at = line.find(kCall); at != std::string::npos;
                 at = line.find(kCall, at + 1)) {
                const std::size_t start = at + kCall.size();
                const std::string call = line.substr(start, line.find(')', start) - start);
                if (SheetDescriptor::Parse(call).prefix == descriptor)
                    return call;
            }
        }
    }
    return descriptor;
}

int printSheet(const std::string &named, cmcCellHandler handler)
{
    const std::string descriptor = asTheTreeCallsIt(named);
    if (!SheetLayout::InTexts(mainTextDatabase(), descriptor)) {
        std::fprintf(stderr, "no sheet '%s' in the overlay\n", descriptor.c_str());
        return 1;
    }
    // The class the descriptor names, as the desktop program would open it.
    const std::unique_ptr<SheetLayout> layout =
        SheetLayoutFactory::Create(mainTextDatabase(), descriptor);
    // Reading a sheet must not change the user's column widths.
    layout->SetWidthsPersistent(false);
    layout->SetHandler(handler, nullptr);
    layout->Show();
    for (const std::string &row : SheetTextDump::Rows(*layout))
        std::printf("%s\n", row.c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

// The file's own faults are told by their code; the model's refusals are
// told by the model, through the message service, while it loads.
int loadCloneFile(indMain &model, const std::string &path)
{
    cmcEeprom image;
    image.SetSize(model.WorkingImage().GetSize());
    cmcVrcFile file;
    file.SetImage(&image);
    clone_file_policy::applyTo(file);
    file.SetReportErrors(false);
    const int code = file.Read(path);
    if (code != cmcVrcFile::ErrNone) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), fileErrorText(code).c_str());
        return kFileErrorExitBase + code;
    }
    return model.LoadFile(path) ? 0 : 1;
}

int runSheetCommand(const std::vector<std::string> &arguments)
{
    return runSheetCommandWith(arguments, &indCellHandler::Handle);
}

int runSheetCommandWith(const std::vector<std::string> &arguments, cmcCellHandler handler)
{
    Options options;
    if (!parseOptions(arguments, options)) {
        printCommandUsage("sheet", stderr);
        return 2;
    }
    if (!openInstalledTexts()) {
        std::fprintf(stderr, "the overlay files are not installed beside the program\n");
        return 1;
    }
    if (options.language && *options.language >= installedLanguageCount()) {
        std::fprintf(stderr, "--lang %d: no such language (the list has %d)\n", *options.language,
                     installedLanguageCount());
        return 2;
    }
    if (options.language && !openInstalledTexts(*options.language)) {
        std::fprintf(stderr, "the overlay of language %d is not installed\n", *options.language);
        return 1;
    }
    indEnviron &settings = environment();
    if (options.language)
        settings.languageNumber = *options.language;
    if (options.modelType)
        settings.modelType = *options.modelType;
    indMain model;
    installModelObject(&model);
    model.BuildWindow();
    int result = options.file.empty() ? 0 : loadCloneFile(model, options.file);
    if (result == 0)
        result = printSheet(options.descriptor, handler);
    installModelObject(nullptr);
    return result;
}
