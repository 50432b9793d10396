#include "sheets/SheetColumnWidthStore.h"

#include "platform/RegistryStore.h"
#include "settings/indEnviron.h"
#include "textdb/cmcGTex.h"

#include <string_view>

namespace {

std::string displayKey(const std::string &registryName)
{
    return std::string(platform::RegistryStore::kRoot) + "\\Display\\" + registryName;
}

constexpr const char *kWidthSubkey = "colwidth";

} // namespace

// Calls visit(sheetName, registryName) for each line of the list; stops
// when visit returns true.
template <typename Visit>
void SheetColumnWidthStore::forEachEntry(cmcGTex &texts, Visit visit)
{
    for (int index = 0;; ++index) {
        const std::string line = texts.GetLine(kListKey, index);
        if (!line.empty() && line.front() == '#')
            return;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        if (visit(std::string_view(line).substr(0, colon), line.substr(colon + 1)))
            return;
    }
}

std::string SheetColumnWidthStore::RegistryName(cmcGTex &texts, const std::string &sheetName)
{
    std::string found;
    forEachEntry(texts, [&](std::string_view sheet, const std::string &registryName) {
        if (sheet != sheetName)
            return false;
        found = registryName;
        return true;
    });
    return found;
}

std::string SheetColumnWidthStore::KeyPath(const std::string &registryName)
{
    return displayKey(registryName) + "\\" + kWidthSubkey;
}

int SheetColumnWidthStore::Read(const std::string &registryName, int col)
{
    return indEnviron::ReadRegistryInteger(KeyPath(registryName), std::to_string(col));
}

void SheetColumnWidthStore::Write(const std::string &registryName, int col, int width)
{
    indEnviron::WriteRegistryInteger(KeyPath(registryName), width, std::to_string(col));
}

void SheetColumnWidthStore::ResetAll(cmcGTex &texts)
{
    forEachEntry(texts, [](std::string_view, const std::string &registryName) {
        if (!registryName.empty())
            indEnviron::DeleteRegistryKey(displayKey(registryName), kWidthSubkey);
        return false;
    });
}
