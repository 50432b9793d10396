#pragma once

#include <cstddef>
#include <cstdint>

namespace vradio {

// Holds a byte stream to the speed of a serial line: ten bits per byte (start,
// eight data bits, stop) at the given baud. Unused line time is not saved up
// beyond a few milliseconds, so an idle pause never turns into a burst.
class LinePacer
{
public:
    // A baud of 0 or less means no limit.
    explicit LinePacer(int baud) : baud_(baud) {}

    // Bytes that may cross the line at the given time.
    std::size_t allowance(std::int64_t nowUs);
    void consume(std::size_t bytes);

private:
    int baud_;
    double credit_ = 0;
    std::int64_t lastUs_ = -1;
};

} // namespace vradio
