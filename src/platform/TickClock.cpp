#include "platform/TickClock.h"

#include <QElapsedTimer>

namespace {

class SystemTickClock final : public TickClock
{
public:
    SystemTickClock() { timer_.start(); }
    // Only differences of readings matter, so the origin is the first use.
    std::uint32_t nowMs() override { return static_cast<std::uint32_t>(timer_.elapsed()); }

private:
    QElapsedTimer timer_;
};

TickClock *g_installed = nullptr;

TickClock &systemClock()
{
    static SystemTickClock clock;
    return clock;
}

} // namespace

TickClock &TickClock::current() { return g_installed != nullptr ? *g_installed : systemClock(); }

TickClock *TickClock::install(TickClock *clock)
{
    TickClock *previous = g_installed;
    g_installed = clock;
    return previous;
}
