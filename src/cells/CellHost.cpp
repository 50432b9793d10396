#include "cells/CellHost.h"

namespace {
CellHost *g_host = nullptr;
}

CellHost *cellHost() { return g_host; }

void installCellHost(CellHost *host) { g_host = host; }
