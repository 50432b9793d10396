#include "platform/cmcTask.h"

#include "support/EventLoopPump.h"

#include <QPointer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using testing_support::pumpUntil;

// A second task ticking at the shortest interval: once it has ticked a few
// times, any other task's due tick has had its chance to arrive too.
class TickProbe
{
public:
    TickProbe()
    {
        task_->Bind([](void *context, cmcTask *) { ++*static_cast<int *>(context); }, &ticks_);
        task_->SetPeriod(1);
    }
    // Stopped first, so the task goes at once instead of waiting for a tick
    // that may never come once the test is over.
    ~TickProbe()
    {
        task_->Stop();
        cmcTask::dispose(task_);
    }

    bool waitForTicks(int count)
    {
        const int target = ticks_ + count;
        return pumpUntil([&] { return ticks_ >= target; });
    }

private:
    cmcTask *task_ = new cmcTask;
    int ticks_ = 0;
};

struct Recorder {
    int calls = 0;
    void *seenContext = nullptr;
    cmcTask *seenTask = nullptr;

    static void handler(void *context, cmcTask *task)
    {
        auto *self = static_cast<Recorder *>(context);
        ++self->calls;
        self->seenContext = context;
        self->seenTask = task;
    }
};

TEST(cmcTask, IsCreatedStopped)
{
    cmcTask task;
    EXPECT_TRUE(task.stopped());
    EXPECT_EQ(task.period(), -1);
    EXPECT_FALSE(task.busy());
}

TEST(cmcTask, PeriodZeroRunsAndNegativePeriodsStop)
{
    struct Case {
        std::int32_t period;
        bool stopped;
    } cases[] = {{0, false}, {1, false}, {10, false}, {-1, true}, {-5, true}};
    for (const auto &c : cases) {
        cmcTask task;
        Recorder recorder;
        task.Bind(Recorder::handler, &recorder);
        task.SetPeriod(c.period);
        EXPECT_EQ(task.period(), c.period);
        EXPECT_EQ(task.stopped(), c.stopped) << c.period;
        if (!c.stopped) {
            EXPECT_TRUE(pumpUntil([&] { return recorder.calls >= 3; })) << c.period;
        }
    }
}

TEST(cmcTask, HandlerGetsItsContextAndTask)
{
    cmcTask task;
    Recorder recorder;
    task.Bind(Recorder::handler, &recorder);
    task.SetPeriod(0);
    ASSERT_TRUE(pumpUntil([&] { return recorder.calls > 0; }));
    EXPECT_EQ(recorder.seenContext, &recorder);
    EXPECT_EQ(recorder.seenTask, &task);
}

TEST(cmcTask, StoppedTasksRunNoMore)
{
    struct Case {
        const char *how;
        std::function<void(cmcTask &)> stop;
    } cases[] = {
        {"Stop", [](cmcTask &task) { task.Stop(); }},
        {"SetPeriod(-5)", [](cmcTask &task) { task.SetPeriod(-5); }},
    };
    for (const auto &c : cases) {
        cmcTask task;
        Recorder recorder;
        task.Bind(Recorder::handler, &recorder);
        task.SetPeriod(1);
        ASSERT_TRUE(pumpUntil([&] { return recorder.calls > 0; }));
        c.stop(task);
        EXPECT_TRUE(task.stopped());
        const int callsWhenStopped = recorder.calls;
        TickProbe probe;
        ASSERT_TRUE(probe.waitForTicks(5));
        EXPECT_EQ(recorder.calls, callsWhenStopped) << c.how;
    }
}

TEST(cmcTask, UnboundTaskTicksHarmlessly)
{
    cmcTask task;
    task.SetPeriod(1);
    TickProbe probe;
    EXPECT_TRUE(probe.waitForTicks(3));
}

// The handler pumps events as a modal dialog would. The restarted timer is
// due again meanwhile; its ticks must be dropped, not nested.
TEST(cmcTask, TicksDuringTheHandlerAreDropped)
{
    struct State {
        int calls = 0;
        int depth = 0;
        int maxDepth = 0;
        bool pumped = false;
    } state;
    cmcTask task;
    task.Bind(
        [](void *context, cmcTask *self) {
            auto &s = *static_cast<State *>(context);
            ++s.calls;
            s.maxDepth = std::max(s.maxDepth, ++s.depth);
            if (s.calls == 1) {
                self->SetPeriod(-1);
                self->SetPeriod(1); // a fresh timer, free to fire while we pump
                TickProbe probe;
                s.pumped = probe.waitForTicks(5);
            }
            --s.depth;
        },
        &state);
    task.SetPeriod(1);
    ASSERT_TRUE(pumpUntil([&] { return state.calls >= 2; }));
    EXPECT_TRUE(state.pumped);
    EXPECT_EQ(state.maxDepth, 1);
}

// An owner that gives its task back by the owner protocol.
class Owner
{
public:
    explicit Owner(std::function<void(Owner *)> onTick) : onTick_(std::move(onTick))
    {
        task_->Bind([](void *context, cmcTask *) { static_cast<Owner *>(context)->tick(); }, this);
        task_->SetPeriod(1);
    }
    ~Owner() { cmcTask::dispose(task_); }

    cmcTask *task() const { return task_; }
    int ticks() const { return ticks_; }

private:
    void tick()
    {
        ++ticks_;
        onTick_(this);
    }

    std::function<void(Owner *)> onTick_;
    cmcTask *task_ = new cmcTask;
    int ticks_ = 0;
};

struct SelfDestruction {
    QPointer<cmcTask> task;
    int handlerRuns = 0;
    bool aliveAfterOwnerGone = false;
    bool aliveWhilePumping = false;
    bool pumped = false;
};

// The owner is destroyed from inside its task's handler, which then goes on
// pumping events: the released task must outlive the handler and delete
// itself on a tick after it returns, without calling the handler again.
void destroyOwnerInsideHandler(bool stopFirst)
{
    auto *state = new SelfDestruction;
    auto *owner = new Owner([state, stopFirst](Owner *self) {
        // Deleting the owner also deletes this closure: copy what it holds.
        SelfDestruction *s = state;
        ++s->handlerRuns;
        if (stopFirst)
            self->task()->SetPeriod(-1); // stopped, but still inside its handler
        delete self;
        s->aliveAfterOwnerGone = !s->task.isNull();
        TickProbe probe;
        s->pumped = probe.waitForTicks(5);
        s->aliveWhilePumping = !s->task.isNull();
    });
    state->task = owner->task();
    EXPECT_TRUE(pumpUntil([&] { return state->task.isNull(); }));
    EXPECT_TRUE(state->aliveAfterOwnerGone);
    EXPECT_TRUE(state->pumped);
    EXPECT_TRUE(state->aliveWhilePumping);
    EXPECT_EQ(state->handlerRuns, 1);
    delete state;
}

TEST(cmcTaskOwnership, OwnerDestroyedInsideTheHandlerOfARunningTask)
{
    destroyOwnerInsideHandler(false);
}

TEST(cmcTaskOwnership, OwnerDestroyedInsideTheHandlerOfAStoppedTask)
{
    destroyOwnerInsideHandler(true);
}

TEST(cmcTaskOwnership, StoppedIdleTaskIsDeletedAtOnce)
{
    auto *owner = new Owner([](Owner *) {});
    QPointer<cmcTask> task = owner->task();
    task->SetPeriod(-1);
    delete owner;
    EXPECT_TRUE(task.isNull());
}

TEST(cmcTaskOwnership, RunningTaskDeletesItselfOnItsNextTick)
{
    int calls = 0;
    auto *owner = new Owner([&calls](Owner *) { ++calls; });
    QPointer<cmcTask> task = owner->task();
    ASSERT_TRUE(pumpUntil([&] { return calls > 0; }));
    delete owner;
    EXPECT_FALSE(task.isNull());
    const int callsAtRelease = calls;
    EXPECT_TRUE(pumpUntil([&] { return task.isNull(); }));
    EXPECT_EQ(calls, callsAtRelease);
}

TEST(cmcTaskOwnership, ReleaseCannotBeUndoneByAPeriodChange)
{
    auto *released = new cmcTask;
    QPointer<cmcTask> task = released;
    released->Release();
    released->SetPeriod(-1);
    EXPECT_FALSE(released->stopped());
    EXPECT_TRUE(pumpUntil([&] { return task.isNull(); }));
}

} // namespace
