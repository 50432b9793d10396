#include "textdb/LanguageList.h"

#include "textdb/TextFields.h"
#include "textdb/cmcGTex.h"

namespace {
const char *const kLanguageKey = "GI_Sys_Language";
}

std::string LanguageList::listOverlayPath(const std::string &programDirectory)
{
    return programDirectory + kSoftwareCode + ".OVL";
}

int LanguageList::count()
{
    for (int line = 0; line < kMaxExamined; ++line) {
        const std::string text = database_.GetLine(kLanguageKey, line);
        if (!text.empty() && text[0] == '#')
            return line;
    }
    return kMaxExamined - 1;
}

std::string LanguageList::displayName(int language)
{
    return textField(database_.GetLine(kLanguageKey, language), 0);
}

std::string LanguageList::overlayFile(int language)
{
    return textField(database_.GetLine(kLanguageKey, language), 1);
}

void openLanguageOverlay(cmcGTex &languageList, cmcGTex &mainTexts, int language,
                         const std::string &programDirectory)
{
    mainTexts.Open(programDirectory + LanguageList(languageList).overlayFile(language));
}

std::string openTextDatabases(cmcGTex &languageList, cmcGTex &mainTexts, int &language,
                              const std::string &programDirectory)
{
    languageList.Open(LanguageList::listOverlayPath(programDirectory));
    LanguageList languages(languageList);
    if (language < 0 || language >= languages.count())
        language = 0;
    openLanguageOverlay(languageList, mainTexts, language, programDirectory);
    return programDirectory + mainTexts.GetFirstLine("GI_Sys_MyHelpOvl");
}
