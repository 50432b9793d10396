#pragma once

#include <QBasicTimer>
#include <QObject>

#include <cstdint>

// Periodic work on the user-interface thread: a timer of that thread calls
// the bound handler on every tick. A tick that comes while the handler is
// still running (the handler may pump events, a modal dialog for instance)
// is dropped.
//
// A task may be deleted while its handler runs (an owner destroyed from
// inside the handler), so owners never delete a running task directly: they
// hand it to dispose(), which lets the task delete itself on a later tick,
// once no handler of it is on the stack.
class cmcTask final : public QObject
{
public:
    using Handler = void (*)(void *context, cmcTask *task);

    // Created stopped, without parent and without handler.
    cmcTask();
    ~cmcTask() override;
    cmcTask(const cmcTask &) = delete;
    cmcTask &operator=(const cmcTask &) = delete;

    void Bind(Handler handler, void *context);
    // Below 0 stops the timer; otherwise it fires every max(ms, 1) ms.
    void SetPeriod(std::int32_t ms);
    // Unbinds the handler and stops the timer.
    void Stop();
    // The task deletes itself on its next tick. Irrevocable: later period
    // changes are ignored so that the tick still comes.
    void Release();

    // The owner's way to get rid of a task: a stopped task whose handler is
    // not running is deleted at once, any other is stopped and released.
    // Accepts nullptr.
    static void dispose(cmcTask *task);

    std::int32_t period() const { return period_; }
    bool stopped() const { return stopped_; }
    bool busy() const { return busy_; }

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void runTimer(int intervalMs);

    QBasicTimer timer_;
    int interval_ = 0;
    Handler handler_ = nullptr;
    void *context_ = nullptr;
    std::int32_t period_ = -1;
    bool busy_ = false;
    bool releasePending_ = false;
    bool stopped_ = true;
};
