#include "CliTexts.h"

#include "clonefile/cmcVrcFile.h"
#include "platform/ProgramDir.h"
#include "textdb/GlobalTexts.h"
#include "textdb/LanguageList.h"
#include "textdb/TextFields.h"
#include "textdb/cmcGTex.h"

#include <sys/stat.h>

namespace {

bool g_textsOpen = false;

const char *const kFallbackTexts[] = {
    "",
    "The file cannot be opened.",
    "The file could not be written.",
    "The file is for another radio model.",
    "The file is for another variant of the radio model.",
    "The file's memory map revision is not supported.",
    "The file is not a valid clone file.",
    "The file does not hold the radio's whole memory.",
    "The file holds data outside the radio's memory.",
    "The file holds data written by a newer program.",
};

bool isFile(const std::string &path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool overlayHolds(const char *key)
{
    return g_textsOpen && key != nullptr && mainTextDatabase().HasKey(key);
}

} // namespace

bool openInstalledTexts(int language)
{
    const std::string folder = platform::programDirectory();
    const std::string listPath = LanguageList::listOverlayPath(folder);
    if (!isFile(listPath))
        return false;
    cmcGTex &languages = languageTextDatabase();
    languages.Open(listPath);
    std::string line;
    if (language < 0 || language >= LanguageList(languages).count() ||
        !languages.TryGetLine("GI_Sys_Language", language, line))
        return false;
    const std::string overlayName = textField(line, 1);
    if (overlayName.empty() || !isFile(folder + overlayName))
        return false;
    mainTextDatabase().Open(folder + overlayName);
    g_textsOpen = true;
    return true;
}

int installedLanguageCount() { return LanguageList(languageTextDatabase()).count(); }

std::string fileErrorText(int code)
{
    std::string text = "error " + std::to_string(code) + ": ";
    const char *key = cmcVrcFile::ErrorKey(code);
    if (key == nullptr)
        return text + "unknown file error";
    if (overlayHolds(key) && overlayHolds("GI_Mess_FileErr_Headline"))
        return text + cmcVrcFile::ErrorText(code);
    return text + kFallbackTexts[code];
}
