#include "cells/cmcHash.h"

cmcHash::cmcHash(std::uint32_t bucketCount) : NameHashTable(bucketCount, "Overlapped Hash table.")
{}
