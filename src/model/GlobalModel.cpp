#include "model/GlobalModel.h"

#include "cells/CellHost.h"
#include "model/indMain.h"

namespace {
indMain *g_model = nullptr;
}

indMain *modelObject() { return g_model; }

void installModelObject(indMain *model)
{
    g_model = model;
    installCellHost(model);
}
