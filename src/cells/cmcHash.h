#pragma once

#include "cells/NameHashTable.h"

#include <cstdint>

// Names to integers: the category and label names, the colour names.
class cmcHash : public NameHashTable<std::int32_t>
{
public:
    // 0 buckets gives the default 1031.
    explicit cmcHash(std::uint32_t bucketCount = 0);
};
