#include "sheets/SheetModelFacts.h"

#include "cells/CellHost.h"
#include "channels/datCh.h"

namespace {
const SheetModelFacts *g_installed = nullptr;
}

const SheetModelFacts &sheetModelFacts()
{
    static const SheetModelFacts defaults;
    return g_installed != nullptr ? *g_installed : defaults;
}

void installSheetModelFacts(const SheetModelFacts *facts) { g_installed = facts; }

int SheetModelFacts::ListCount(int recordKind) const
{
    CellHost *host = cellHost();
    return host != nullptr ? datCh(&host->WorkingImage()).listCount(recordKind) : 0;
}

int SheetModelFacts::CallListEntries(DpmrIdFilter filter) const
{
    CellHost *host = cellHost();
    if (host == nullptr)
        return 0;
    const DpmrIdList list = DpmrIdList::Read(datCh(&host->WorkingImage()));
    return static_cast<int>(list.Passing(filter).size());
}
