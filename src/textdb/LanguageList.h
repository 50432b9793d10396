#pragma once

#include <string>

class cmcGTex;

// The languages offered by the language list overlay ("GI_Sys_Language":
// display name TAB overlay file name, one line per language).
class LanguageList
{
public:
    static constexpr const char *kSoftwareCode = "QX7315C";
    static constexpr int kMaxExamined = 256;

    explicit LanguageList(cmcGTex &database) : database_(database) {}

    // "%s%s.OVL" from the program's folder and the software code.
    static std::string listOverlayPath(const std::string &programDirectory);

    // Lines before the first one beginning with '#', examining at most 256
    // lines (255 when none of them does).
    int count();
    std::string displayName(int language);
    std::string overlayFile(int language);

private:
    cmcGTex &database_;
};

// Opens the language list, keeps the language number within the list
// (resetting it to 0 otherwise) and opens the main text database on that
// language's overlay. Returns the help overlay's path for the caller.
std::string openTextDatabases(cmcGTex &languageList, cmcGTex &mainTexts, int &language,
                              const std::string &programDirectory);
// The language-change half: the main overlay of the given language.
void openLanguageOverlay(cmcGTex &languageList, cmcGTex &mainTexts, int language,
                         const std::string &programDirectory);
