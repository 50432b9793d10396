#pragma once

#include <cstdint>

// The small "Cloning" window a read or write shows. The clone manager opens
// it when the operation starts, hands it the number of filled segments every
// 30 ms and closes it when the operation ends; the window only draws.
class CloneProgressView
{
public:
    static constexpr std::int32_t kSegments = 32;

    virtual ~CloneProgressView() = default;

    virtual void OpenProgress() = 0;
    // 0 to kSegments segments are filled.
    virtual void UpdateProgress(std::int32_t filledSegments) = 0;
    virtual void CloseProgress() = 0;
};

// Segments filled for bytes done out of total: bytes x 33 / total, so the bar
// is full shortly before the last byte. 0 when total is 0.
std::int32_t filledProgressSegments(std::int32_t bytes, std::int32_t total);

// Columns of segment i in a drawing area of the given width: w = width / 32,
// from w x i to w x (i + 1) - 1. The last of them stays in the window colour,
// which separates the segments.
struct ProgressSegment {
    std::int32_t left = 0;
    std::int32_t right = 0;
};
ProgressSegment progressSegment(std::int32_t index, std::int32_t areaWidth);
