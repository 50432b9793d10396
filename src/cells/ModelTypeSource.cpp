#include "cells/ModelTypeSource.h"

namespace {

std::int32_t defaultModelType() { return 1; }

ModelTypeSource g_source = defaultModelType;

} // namespace

void setModelTypeSource(ModelTypeSource source)
{
    g_source = source != nullptr ? source : defaultModelType;
}

std::int32_t currentModelType() { return g_source(); }
