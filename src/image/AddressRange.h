#pragma once

#include <cstdint>
#include <vector>

// One inclusive span of image addresses. A range list ends at the first pair
// whose last address lies below its first (by habit the pair (1, 0)); the end
// of the vector ends it too.
struct AddressRange {
    int32_t first = 0;
    int32_t last = -1;
};

using RangeList = std::vector<AddressRange>;

// The leading ranges of a list that an image of the given size can serve:
// every range up to the first one that is improper or reaches outside the
// image. Whatever follows that pair is ignored, as the terminator would be.
RangeList usableRanges(const RangeList &ranges, int32_t imageSize);
