#include "image/AddressRange.h"

RangeList usableRanges(const RangeList &ranges, int32_t imageSize)
{
    RangeList usable;
    for (const AddressRange &range : ranges) {
        const bool proper = range.first <= range.last;
        const bool inside = range.first >= 0 && range.last < imageSize;
        if (!proper || !inside)
            break;
        usable.push_back(range);
    }
    return usable;
}
