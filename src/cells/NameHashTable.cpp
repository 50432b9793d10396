#include "cells/NameHashTable.h"

std::uint32_t nameHashBucket(std::string_view name, std::uint32_t bucketCount)
{
    const std::uint32_t halfBuckets = bucketCount / 2;
    std::uint32_t hash = 0;
    std::uint32_t step = halfBuckets;
    for (std::size_t i = 0; i < name.size(); ++i) {
        // Characters count as signed bytes, as the tables were always built.
        const auto signedChar = static_cast<std::int32_t>(static_cast<std::int8_t>(name[i]));
        hash = 2 * hash + step + static_cast<std::uint32_t>(signedChar);
        // The step halves on each following character with its low bit
        // set; the end of the name counts as a zero character.
        const char following = i + 1 < name.size() ? name[i + 1] : '\0';
        if ((following & 1) != 0) {
            step /= 2;
            if (step == 0)
                step = halfBuckets;
        }
    }
    return bucketCount == 0 ? 0 : hash % bucketCount;
}
