#include "OverlayChecker.h"

#include "cells/CellFaultReport.h"
#include "cells/CellIdentifiers.h"
#include "cells/CellLabels.h"
#include "cells/cmcCellObj.h"
#include "model/indMain.h"
#include "textdb/GlobalTexts.h"
#include "textdb/LanguageList.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>

namespace {

struct Faults : CellFaultReport {
    std::vector<std::string> texts;
    void Fault(const std::string &text) override { texts.push_back(text); }
};

// The option lists of the functions that keys, dials, actions and ports
// hold, and the scan key's own text: context help reads them only from an
// overlay that has them.
constexpr const char *kHelpFunctionTexts[] = {
    "GI_Sheet_Sel_Keys_Conv_Pmr_Dpmr_Popup",
    "GI_Sheet_Sel_KDisp_Scan_B_Key",
    "GI_Sheet_Sel_Dials_Conv_Popup",
    "GI_Sheet_Sel_Digital_Status_Action_Popup",
    "GI_Sheet_Sel_Digital_CAlert_Action_Popup",
    "GI_Sheet_Sel_Dpmr_Status_Action_Popup",
    "GI_Sheet_Sel_DTMF_Action_Popup",
    "GI_Sheet_Sel_Input_Port_Conv_Pmr_Dpmr_Popup",
    "GI_Sheet_Sel_Output_Port_Conv_Rep_Popup",
    "GI_Sheet_Sel_DA_Port_Conv_Rep_Popup",
    "GI_Sheet_Sel_AD_Port_Conv_Rep_Popup",
};

bool readWhenPresent(const std::string &key)
{
    return std::find(std::begin(kHelpFunctionTexts), std::end(kHelpFunctionTexts), key) !=
           std::end(kHelpFunctionTexts);
}

// Names the code compares with, never reads: print-all replaces a tree node
// of that sheet by its tables, and only when the tree holds one.
bool onlyCompared(const std::string &key) { return key == "GI_Sheet_MultipleTable"; }

struct DialogKeys {
    const char *prefix;
    const char *errorSuffix;
};
constexpr DialogKeys kDialogs[] = {
    {"GI_AppInd_Opt_ComSel", "_OutofRange"}, {"GI_AppInd_Opt_IpAddr", "_OutofRange"},
    {"GI_AppInd_Opt_IpPort", "_OutofRange"}, {"GI_AppInd_Opt_ClonePwd", "_OutofRange"},
    {"GI_AppInd_Opt_AdjReadPwd", "_Error"},
};
constexpr const char *kDialogSuffixes[] = {"_Caption", "_Notice", "_Buttons", "_SizeOfButtons"};

constexpr const char *kHelpKeys[] = {
    "GI_AppItem_Topic_ID",
    "GI_AppItem_Key_Assign_Topic_ID",
    "GI_AppItem_Dial_Assign_Topic_ID",
    "GI_AppItem_DigStatus_Act_Assign_Topic_ID",
    "GI_AppItem_DigCAlert_Act_Assign_Topic_ID",
    "GI_AppItem_DpmrStatus_Act_Assign_Topic_ID",
    "GI_AppItem_Dtmf_Act_Assign_Topic_ID",
    "GI_AppItem_ExtPort_Input_Assign_Topic_ID",
    "GI_AppItem_ExtPort_Output_Assign_Topic_ID",
    "GI_AppItem_ExtPort_DA_Assign_Topic_ID",
    "GI_AppItem_ExtPort_AD_Assign_Topic_ID",
    "GI_AppItem_Context_ID",
};
constexpr const char *kPlainTopicKey = "GI_AppItem_Topic_ID";
constexpr const char *kContextKey = "GI_AppItem_Context_ID";

// Keys the code names that another database holds (the flag bits window
// describes its sheet in a database of its own). Other "GI_AppItem_" keys
// (the CTCSS list) live in the language's own overlay.
bool readElsewhere(const std::string &key)
{
    return key == "GI_Sys_Language" || key == "GI_Sheet_FBitsR" ||
           std::find(std::begin(kHelpKeys), std::end(kHelpKeys), key) != std::end(kHelpKeys);
}

bool isMenuName(const std::string &key)
{
    for (const char *prefix : {"GI_Menu_", "GI_PMenu_", "GI_ToolBar_", "GI_Tree_"}) {
        if (key.starts_with(prefix))
            return !key.starts_with("GI_Tree_Branch_");
    }
    return false;
}

bool isSheetName(const std::string &key) { return key.starts_with("GI_Sheet_"); }

// The key prefix of a call text "[class]prefix,tag".
std::string sheetPrefix(const std::string &descriptor)
{
    std::string head = descriptor.substr(0, descriptor.find(','));
    if (!head.empty() && head[0] == '[') {
        const auto close = head.find(']');
        if (close != std::string::npos)
            head = head.substr(close + 1);
    }
    return head;
}

// Menus and trees write an item as its level characters, '+' and the
// description; tool bars write the description alone.
int itemLevel(std::string_view line)
{
    const auto plus = line.find('+');
    return plus == std::string_view::npos ? -1 : static_cast<int>(plus);
}

// The tree's bank node line is a format: "%%" for '%', then the model's
// suffix and the bank number in turn.
std::string fillBankFormat(const std::string &format, const std::string &suffix, int bank)
{
    std::string out;
    int argument = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        const char next = format[++i];
        if (next == '%')
            out += '%';
        else if (next == 's' || next == 'd')
            out += argument++ == 0 ? suffix : std::to_string(bank);
        else
            out += std::string("%") + next;
    }
    return out;
}

std::vector<std::string> contentLines(cmcGTex &texts, const std::string &key)
{
    std::vector<std::string> lines;
    std::string line;
    for (int n = 0; texts.TryGetLine(key, n, line) && !(line.starts_with("#")); ++n)
        lines.push_back(line);
    return lines;
}

// The two fields of a help overlay line: the text before the first TAB and
// the text after it up to the next one.
std::pair<std::string, std::string> helpFields(const std::string &line)
{
    const auto tab = line.find('\t');
    if (tab == std::string::npos)
        return {line, {}};
    const auto next = line.find('\t', tab + 1);
    return {line.substr(0, tab),
            line.substr(tab + 1, next == std::string::npos ? next : next - tab - 1)};
}

std::string fileText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The help viewer finds a context by its anchor "ctxN", written as a name
// or an id.
bool hasAnchor(const std::string &page, long context)
{
    const std::string anchor = "ctx" + std::to_string(context) + "\"";
    return page.find("name=\"" + anchor) != std::string::npos ||
           page.find("id=\"" + anchor) != std::string::npos;
}

} // namespace

OverlayChecker::OverlayChecker(std::string dataDir, std::set<std::string> sourceKeys)
    : dataDir_(std::move(dataDir)), sourceKeys_(std::move(sourceKeys))
{}

// One line per problem: the fatal texts of the cell parser span two.
void OverlayChecker::problem(const std::string &text)
{
    std::string line = (language_.empty() ? "" : language_ + ": ") + text;
    for (char &c : line) {
        if (c == '\n')
            c = ' ';
    }
    problems_.push_back(line);
}

std::vector<std::string> OverlayChecker::Run()
{
    problems_.clear();
    const std::string listPath = LanguageList::listOverlayPath(dataDir_);
    const OverlayFile list = OverlayFile::Scan(listPath);
    if (!list.readable) {
        problem("cannot read the language list " + listPath);
        return problems_;
    }
    if (!list.endMarker)
        problem(listPath + " does not end with #End_Of_Ovl");
    if (!list.Has("GI_Sys_Language")) {
        problem(listPath + " has no GI_Sys_Language");
        return problems_;
    }
    languageTextDatabase().Open(listPath);
    LanguageList languages(languageTextDatabase());
    std::vector<OverlayFile> mains;
    std::vector<OverlayFile> helps;
    for (int n = 0; n < languages.count(); ++n) {
        checkLanguage(n, languages.displayName(n), languages.overlayFile(n));
        mains.push_back(overlay_);
        std::string helpFile;
        if (mainTextDatabase().TryGetLine("GI_Sys_MyHelpOvl", 0, helpFile))
            helps.push_back(OverlayFile::Scan(dataDir_ + helpFile));
    }
    language_.clear();
    if (languages.count() == 0)
        problem("the language list names no language");
    compareKeySets(mains, "overlay");
    compareKeySets(helps, "help overlay");
    return problems_;
}

void OverlayChecker::checkLanguage(int number, const std::string &name, const std::string &file)
{
    language_ = name + " (" + file + ")";
    languageNumber_ = number;
    overlay_ = OverlayFile::Scan(dataDir_ + file);
    if (!overlay_.readable) {
        problem("cannot read the overlay");
        return;
    }
    if (!overlay_.endMarker)
        problem("the overlay does not end with #End_Of_Ovl");
    // Only the first of two equal keys is ever read.
    std::set<std::string> seen;
    for (const std::string &key : overlay_.keys) {
        if (!seen.insert(key).second)
            problem("key " + key + " appears more than once");
    }
    mainTextDatabase().Open(dataDir_ + file);
    menuQueue_.clear();
    sheetQueue_.clear();
    menusDone_.clear();
    sheetsDone_.clear();
    checkCodeKeys();
    checkTreeBranch();
    checkWidthList();
    drainQueues();
    checkEverySheet();
    checkHelpOverlay();
    checkDataFiles();
}

bool OverlayChecker::require(const std::string &key)
{
    if (overlay_.Has(key))
        return true;
    problem("missing key " + key);
    return false;
}

void OverlayChecker::checkCodeKeys()
{
    for (const std::string &key : sourceKeys_) {
        if (readElsewhere(key) || onlyCompared(key) || readWhenPresent(key))
            continue;
        bool dialog = false;
        for (const DialogKeys &keys : kDialogs) {
            if (key != keys.prefix)
                continue;
            dialog = true;
            for (const char *suffix : kDialogSuffixes)
                require(key + suffix);
            require(key + keys.errorSuffix);
        }
        if (dialog)
            continue;
        if (isMenuName(key))
            menuQueue_.push_back(key);
        else if (isSheetName(key))
            sheetQueue_.push_back(key);
        else
            require(key);
    }
}

void OverlayChecker::drainQueues()
{
    while (!menuQueue_.empty() || !sheetQueue_.empty()) {
        if (!menuQueue_.empty()) {
            const std::string name = menuQueue_.front();
            menuQueue_.pop_front();
            if (menusDone_.insert(name).second)
                checkMenu(name);
            continue;
        }
        const std::string descriptor = sheetQueue_.front();
        sheetQueue_.pop_front();
        if (sheetsDone_.insert(descriptor).second)
            checkSheet(descriptor);
    }
}

bool OverlayChecker::parseCell(const std::string &where, std::string_view line,
                               std::int32_t *counters, const cmcCellObj *parent, cmcCellObj &cell)
{
    Faults faults;
    cell.Parse(line, counters, parent, false, &faults);
    for (const std::string &text : faults.texts)
        problem(where + ": " + text);
    return faults.texts.empty();
}

// Menus, sheets and tree nodes lead on: a cell's context menu, and the
// sheet a CallSheet cell opens.
void OverlayChecker::follow(const cmcCellObj &cell)
{
    if (const std::string *menu = cell.PopupMenuName(); menu != nullptr && !menu->empty())
        menuQueue_.push_back(*menu);
    if (cell.label == CallSheet && cell.suffix && !cell.suffix->empty())
        sheetQueue_.push_back(*cell.suffix);
}

void OverlayChecker::checkMenu(const std::string &name)
{
    const std::string baseKey = name + "_BasicCell";
    const std::string bodyKey = name + "_Body";
    if (!require(baseKey) || !require(bodyKey))
        return;
    cmcCellObj base;
    parseCell(baseKey, mainTextDatabase().GetFirstLine(baseKey), nullptr, nullptr, base);
    const Body body = name.starts_with("GI_ToolBar_") ? Body::Buttons : Body::Items;
    const std::vector<std::string> lines = contentLines(mainTextDatabase(), bodyKey);
    if (lines.empty())
        problem(bodyKey + " has no entries");
    for (std::size_t n = 0; n < lines.size(); ++n) {
        std::string_view description = lines[n];
        if (body == Body::Items) {
            const int level = itemLevel(description);
            if (level < 0)
                continue;
            description.remove_prefix(static_cast<std::size_t>(level) + 1);
        }
        cmcCellObj cell;
        if (parseCell(bodyKey + " line " + std::to_string(n), description, nullptr, &base, cell))
            follow(cell);
    }
}

void OverlayChecker::checkSheet(const std::string &descriptor)
{
    const std::string prefix = sheetPrefix(descriptor);
    bool complete = true;
    for (const char *suffix : {"_Style", "_BasicCell", "_Cells"})
        complete = require(prefix + suffix) && complete;
    if (!complete)
        return;
    cmcCellObj base;
    const std::string baseKey = prefix + "_BasicCell";
    parseCell(baseKey, mainTextDatabase().GetFirstLine(baseKey), nullptr, nullptr, base);
    std::array<std::int32_t, cmcCellObj::kChannelCounterCount> counters{};
    const std::vector<std::string> rows = contentLines(mainTextDatabase(), prefix + "_Cells");
    if (rows.empty())
        problem(prefix + "_Cells has no rows");
    for (std::size_t n = 0; n < rows.size(); ++n) {
        if (rows[n].starts_with(":"))
            continue;
        std::string_view rest = rows[n];
        for (int column = 0; !rest.empty(); ++column) {
            Faults faults;
            cmcCellObj cell;
            rest = cell.Parse(rest, counters.data(), &base, false, &faults);
            for (const std::string &text : faults.texts)
                problem(prefix + "_Cells line " + std::to_string(n) + " cell " +
                        std::to_string(column) + ": " + text);
            follow(cell);
        }
    }
    if (buildSheet_) {
        const std::string fault = buildSheet_(languageNumber_, descriptor);
        if (!fault.empty())
            problem("sheet " + descriptor + " does not build: " + fault);
    }
}

// Selection lists are named by the codecs that open them, often through
// tables that the key scan cannot see: every sheet the overlay holds is
// checked, as a plain sheet unless a name of the code reached it already.
void OverlayChecker::checkEverySheet()
{
    std::set<std::string> reached;
    for (const std::string &descriptor : sheetsDone_)
        reached.insert(sheetPrefix(descriptor));
    const std::string cells = "_Cells";
    for (const std::string &key : overlay_.keys) {
        if (!isSheetName(key) || !key.ends_with(cells))
            continue;
        const std::string prefix = key.substr(0, key.size() - cells.size());
        if (!reached.contains(prefix))
            sheetQueue_.push_back(prefix);
    }
    drainQueues();
}

// The memory channel branch is made at run time for the model's types.
void OverlayChecker::checkTreeBranch()
{
    const char *formatKey = "GI_Tree_Branch_Mch_Bank";
    if (!sourceKeys_.contains(formatKey) || !require(formatKey) ||
        !require("GI_Tree_Main_BasicCell"))
        return;
    cmcCellObj base;
    parseCell("GI_Tree_Main_BasicCell", mainTextDatabase().GetFirstLine("GI_Tree_Main_BasicCell"),
              nullptr, nullptr, base);
    const std::string format = mainTextDatabase().GetFirstLine(formatKey);
    for (int modelType = 0; modelType < 2; ++modelType) {
        const std::string line = fillBankFormat(format, indMain::ModelTypeSuffix(modelType), 0);
        const int level = itemLevel(line);
        cmcCellObj cell;
        if (parseCell(formatKey,
                      level < 0
                          ? std::string_view(line)
                          : std::string_view(line).substr(static_cast<std::size_t>(level) + 1),
                      nullptr, &base, cell))
            follow(cell);
    }
}

void OverlayChecker::checkWidthList()
{
    const char *key = "GI_CellWidthRegList";
    if (!sourceKeys_.contains(key) || !require(key))
        return;
    std::string line;
    int n = 0;
    for (; mainTextDatabase().TryGetLine(key, n, line) && !line.starts_with("#"); ++n) {
        const auto colon = line.find(':');
        if (colon == std::string::npos || colon == 0 || colon + 1 == line.size())
            problem(std::string(key) + " line " + std::to_string(n) + " is not sheet:name");
    }
    if (!line.starts_with("#"))
        problem(std::string(key) + " does not end with a '#' line");
}

void OverlayChecker::checkHelpOverlay()
{
    std::string helpFile;
    if (!mainTextDatabase().TryGetLine("GI_Sys_MyHelpOvl", 0, helpFile))
        return;
    const OverlayFile help = OverlayFile::Scan(dataDir_ + helpFile);
    if (!help.readable) {
        problem("cannot read the help overlay " + helpFile);
        return;
    }
    if (!help.endMarker)
        problem(helpFile + " does not end with #End_Of_Ovl");
    cmcGTex texts;
    texts.Open(dataDir_ + helpFile);
    for (const char *key : kHelpKeys) {
        if (!help.Has(key)) {
            problem(helpFile + ": missing key " + key);
            continue;
        }
        // A list without its closing "#" runs into the next key's lines.
        std::string line;
        int n = 0;
        while (texts.TryGetLine(key, n, line) && line != "#" && !line.starts_with("#"))
            ++n;
        if (line != "#")
            problem(helpFile + ": " + key + " is not closed by a '#' line");
    }
    checkHelpTopics(texts, helpFile);
}

// Context help goes from a cell's label to a topic, from the topic to a
// context number and from the number to an anchor of the help file; a break
// anywhere on that road shows no help.
void OverlayChecker::checkHelpTopics(cmcGTex &help, const std::string &helpFile)
{
    std::map<std::string, std::string> contexts;
    for (const std::string &line : contentLines(help, kContextKey))
        contexts[helpFields(line).first] = helpFields(line).second;
    std::string pageName;
    const bool withPages = mainTextDatabase().TryGetLine("GI_Sys_MyHelpFile", 0, pageName) &&
                           std::filesystem::exists(dataDir_ + pageName);
    const std::string page = withPages ? fileText(dataDir_ + pageName) : std::string();
    for (const char *key : kHelpKeys) {
        if (std::string(key) == kContextKey || !help.HasKey(key))
            continue;
        for (const std::string &line : contentLines(help, key)) {
            const auto [text, topic] = helpFields(line);
            std::int32_t label = 0;
            if (std::string(key) == kPlainTopicKey && !findCellLabelId(text, label))
                problem(helpFile + ": " + kPlainTopicKey + " names no cell label " + text);
            const auto context = contexts.find(topic);
            if (context == contexts.end()) {
                problem(helpFile + ": topic " + topic + " of " + text + " has no line in " +
                        kContextKey);
                continue;
            }
            const long number = std::atol(context->second.c_str());
            if (number <= 0)
                problem(helpFile + ": the context of topic " + topic + " is not a number");
            else if (withPages && !hasAnchor(page, number))
                problem(pageName + " has no anchor ctx" + std::to_string(number) + " for topic " +
                        topic);
        }
    }
}

void OverlayChecker::checkDataFiles()
{
    std::string name;
    for (int modelType = 0; modelType < 2; ++modelType) {
        if (mainTextDatabase().TryGetLine("GI_App_InitialFile", modelType, name) &&
            !std::filesystem::exists(dataDir_ + name))
            problem("the initial file " + name + " does not exist");
    }
    if (mainTextDatabase().TryGetLine("GI_Sys_MyHelpFile", 0, name) &&
        !std::filesystem::exists(dataDir_ + name))
        problem("the help file " + name + " does not exist");
}

void OverlayChecker::compareKeySets(const std::vector<OverlayFile> &files, const char *what)
{
    if (files.size() < 2)
        return;
    const std::set<std::string> first(files[0].keys.begin(), files[0].keys.end());
    for (std::size_t i = 1; i < files.size(); ++i) {
        const std::set<std::string> other(files[i].keys.begin(), files[i].keys.end());
        for (const std::string &key : first) {
            if (!other.contains(key))
                problem(std::string(what) + " " + files[i].path + " lacks " + key + " of " +
                        files[0].path);
        }
        for (const std::string &key : other) {
            if (!first.contains(key))
                problem(std::string(what) + " " + files[0].path + " lacks " + key + " of " +
                        files[i].path);
        }
    }
}
