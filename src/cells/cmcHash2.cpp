#include "cells/cmcHash2.h"

cmcHash2::cmcHash2(std::uint32_t bucketCount)
    : NameHashTable(bucketCount, "Overlapped Hash2 table.")
{}
