#pragma once

#include "OverlayFile.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

class cmcCellObj;
class cmcGTex;

// Proves the overlays hold what the program reads: every key the code names
// exists in every language, every menu, tool bar, tree and sheet the program
// can reach is there and its cell descriptions parse, every sheet of the
// overlay builds, every help topic leads to a page of the help file, every
// language has the same keys, and every file ends with the end marker.
// Problems are collected, not fatal, so that one run lists them all.
class OverlayChecker
{
public:
    // Builds one sheet by its descriptor in a language with the program's
    // sheet engine and cell handler; it runs in a child process, so a fault
    // of the text that would end the program only fails that sheet. Empty
    // text: the sheet built.
    using SheetBuilder = std::function<std::string(int language, const std::string &descriptor)>;

    // `dataDir` holds the overlays (ending in '/'); `sourceKeys` are the keys
    // the code names.
    OverlayChecker(std::string dataDir, std::set<std::string> sourceKeys);

    void SetSheetBuilder(SheetBuilder builder) { buildSheet_ = std::move(builder); }

    // Every check, for every language; the problems found.
    std::vector<std::string> Run();

    // The sheet descriptors and menus reached in the last language checked.
    const std::set<std::string> &SheetsReached() const { return sheetsDone_; }
    const std::set<std::string> &MenusReached() const { return menusDone_; }

private:
    enum class Body { Items, Buttons };

    void checkLanguage(int number, const std::string &name, const std::string &file);
    void checkCodeKeys();
    void checkHelpOverlay();
    void checkHelpTopics(cmcGTex &help, const std::string &helpFile);
    void checkEverySheet();
    void checkDataFiles();
    void checkWidthList();
    void checkTreeBranch();
    void drainQueues();
    void checkMenu(const std::string &name);
    void checkSheet(const std::string &descriptor);
    bool require(const std::string &key);
    bool parseCell(const std::string &where, std::string_view line, std::int32_t *counters,
                   const cmcCellObj *parent, cmcCellObj &cell);
    void follow(const cmcCellObj &cell);
    void compareKeySets(const std::vector<OverlayFile> &files, const char *what);
    void problem(const std::string &text);

    std::string dataDir_;
    std::set<std::string> sourceKeys_;
    SheetBuilder buildSheet_;
    std::string language_;
    int languageNumber_ = 0;
    OverlayFile overlay_;
    std::deque<std::string> menuQueue_;
    std::deque<std::string> sheetQueue_;
    std::set<std::string> menusDone_;
    std::set<std::string> sheetsDone_;
    std::vector<std::string> problems_;
};
