#include "platform/cmcTask.h"

#include <QTimerEvent>

#include <algorithm>

cmcTask::cmcTask() { SetPeriod(-1); }

cmcTask::~cmcTask() = default;

void cmcTask::Bind(Handler handler, void *context)
{
    handler_ = handler;
    context_ = context;
}

void cmcTask::SetPeriod(std::int32_t ms)
{
    if (releasePending_)
        return;
    period_ = ms;
    if (ms < 0) {
        timer_.stop();
    } else {
        runTimer(std::max(ms, 1));
    }
    stopped_ = !timer_.isActive();
}

void cmcTask::runTimer(int intervalMs)
{
    // Restarting an unchanged timer would only shift its phase.
    if (timer_.isActive() && interval_ == intervalMs)
        return;
    interval_ = intervalMs;
    timer_.start(intervalMs, Qt::PreciseTimer, this);
}

void cmcTask::Stop()
{
    handler_ = nullptr;
    context_ = nullptr;
    SetPeriod(-1);
}

void cmcTask::Release()
{
    SetPeriod(1);
    releasePending_ = true;
}

void cmcTask::dispose(cmcTask *task)
{
    if (task == nullptr)
        return;
    // A stopped task may still be inside its handler (the handler stopped it
    // and then destroyed the owner); only an idle stopped task can go now.
    if (task->stopped() && !task->busy()) {
        delete task;
        return;
    }
    task->Stop();
    task->Release();
}

void cmcTask::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != timer_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    // Dropping a tick while the handler runs keeps it from being re-entered
    // and, once released, keeps the task alive until its handler returns.
    if (busy_)
        return;
    if (releasePending_) {
        delete this;
        return;
    }
    if (handler_ == nullptr)
        return;
    busy_ = true;
    handler_(context_, this);
    busy_ = false;
}
