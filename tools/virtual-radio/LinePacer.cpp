#include "LinePacer.h"

#include <algorithm>
#include <cstdint>

namespace vradio {

namespace {

constexpr double kSavedLineTimeUs = 5000;

} // namespace

std::size_t LinePacer::allowance(std::int64_t nowUs)
{
    if (baud_ <= 0)
        return SIZE_MAX;
    const double bytesPerUs = baud_ / 10.0 / 1e6;
    if (lastUs_ >= 0 && nowUs > lastUs_)
        credit_ += static_cast<double>(nowUs - lastUs_) * bytesPerUs;
    lastUs_ = std::max(lastUs_, nowUs);
    credit_ = std::min(credit_, std::max(1.0, kSavedLineTimeUs * bytesPerUs));
    return static_cast<std::size_t>(credit_);
}

void LinePacer::consume(std::size_t bytes)
{
    if (baud_ > 0)
        credit_ -= static_cast<double>(bytes);
}

} // namespace vradio
