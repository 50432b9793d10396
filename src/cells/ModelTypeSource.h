#pragma once

#include <cstdint>

// Where the cell engine learns the model type (0 or 1) that selects the
// memory channel tables. The settings object that holds it lives above this
// folder, so the program installs a source at start-up; until then the type
// is 1.
using ModelTypeSource = std::int32_t (*)();

// nullptr restores the default.
void setModelTypeSource(ModelTypeSource source);
std::int32_t currentModelType();
