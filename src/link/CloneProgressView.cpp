#include "link/CloneProgressView.h"

#include <algorithm>

std::int32_t filledProgressSegments(std::int32_t bytes, std::int32_t total)
{
    if (total <= 0)
        return 0;
    const std::int64_t filled = std::int64_t(bytes) * 33 / total;
    return std::int32_t(std::clamp<std::int64_t>(filled, 0, CloneProgressView::kSegments));
}

ProgressSegment progressSegment(std::int32_t index, std::int32_t areaWidth)
{
    const std::int32_t width = areaWidth / CloneProgressView::kSegments;
    return {width * index, width * (index + 1) - 1};
}
