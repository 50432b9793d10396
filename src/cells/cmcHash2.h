#pragma once

#include "cells/NameHashTable.h"

#include <cstdint>

// An entry of the format cache; the cache defines and owns it.
struct cmcFCacheEntry;

// Names to format cache entries. The table only indexes the entries: it never
// frees them.
class cmcHash2 : public NameHashTable<cmcFCacheEntry *>
{
public:
    // 0 buckets gives the default 1031.
    explicit cmcHash2(std::uint32_t bucketCount = 0);
};
