#pragma once

#include <string>

class cmcGTex;

// Where sheets keep the column widths the user chose: one settings key per
// sheet listed in "GI_CellWidthRegList" (lines "sheetname:regname"), holding
// one number per column named by the column number.
class SheetColumnWidthStore
{
public:
    static constexpr const char *kListKey = "GI_CellWidthRegList";

    // The registry name of the sheet with this key prefix; empty when the
    // sheet is not listed (it then keeps no widths).
    static std::string RegistryName(cmcGTex &texts, const std::string &sheetName);
    // The settings key of a registry name.
    static std::string KeyPath(const std::string &registryName);

    // -1 when nothing is stored for the column.
    static int Read(const std::string &registryName, int col);
    static void Write(const std::string &registryName, int col, int width);
    // Forgets the widths of every listed sheet.
    static void ResetAll(cmcGTex &texts);

private:
    template <typename Visit>
    static void forEachEntry(cmcGTex &texts, Visit visit);
};
