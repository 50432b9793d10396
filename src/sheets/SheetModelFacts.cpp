#include "sheets/SheetModelFacts.h"

namespace {
const SheetModelFacts *g_installed = nullptr;
}

const SheetModelFacts &sheetModelFacts()
{
    static const SheetModelFacts defaults;
    return g_installed != nullptr ? *g_installed : defaults;
}

void installSheetModelFacts(const SheetModelFacts *facts) { g_installed = facts; }
