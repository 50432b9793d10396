#include "sheets/SheetModelFacts.h"

#include "channels/datCh.h"
#include "image/GlobalModel.h"
#include "image/indMain.h"

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
    indMain *model = modelObject();
    return model != nullptr ? datCh(&model->WorkingImage()).listCount(recordKind) : 0;
}
