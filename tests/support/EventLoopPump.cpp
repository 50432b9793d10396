#include "support/EventLoopPump.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace testing_support {

bool pumpUntil(const std::function<bool()> &done)
{
    constexpr qint64 kLimitMs = 10000;
    QTimer wakeUp; // keeps WaitForMoreEvents from sleeping past the limit
    wakeUp.start(2);
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > kLimitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace testing_support
