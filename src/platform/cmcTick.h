#pragma once

#include <cstdint>

// A millisecond countdown: started with a duration, it reports the time left
// until it runs out and then disarms itself.
class cmcTick
{
public:
    cmcTick();
    ~cmcTick();

    void Start(std::uint32_t ms);
    // Milliseconds left; 0 when never started or run out (which disarms).
    std::uint32_t Remaining();

    // Blocks the calling thread for the given time by polling a countdown.
    // Nothing else of the program runs meanwhile; keep such waits short.
    static void busyWait(std::uint32_t ms);

private:
    std::uint32_t duration_ = 0;
    std::uint32_t start_ = 0;
    bool armed_ = false;
};
