#include "cells/cmcEvMan.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A listener that records what reaches it and may act while being called.
struct Listener {
    Listener() = default;
    Listener(std::string listenerName, std::vector<std::string> *sharedLog)
        : name(std::move(listenerName)), log(sharedLog)
    {}

    std::string name;
    std::vector<std::string> *log = nullptr;
    std::vector<cmcEvent> seen;
    std::function<void(const cmcEvent &)> act;

    static void callback(void *object, const cmcEvent &event)
    {
        auto *self = static_cast<Listener *>(object);
        self->seen.push_back(event);
        if (self->log != nullptr)
            self->log->push_back(self->name + ":" + std::to_string(event.type));
        if (self->act)
            self->act(event);
    }
    void registerWith(cmcEvMan &manager) { manager.Register(&Listener::callback, this); }
    void unregisterFrom(cmcEvMan &manager) { manager.Unregister(&Listener::callback, this); }

    std::vector<std::int32_t> types(bool withIdle = false) const
    {
        std::vector<std::int32_t> out;
        for (const auto &event : seen) {
            if (withIdle || event.type != kEvIdle)
                out.push_back(event.type);
        }
        return out;
    }
};

using Types = std::vector<std::int32_t>;

TEST(cmcEvMan, PostedEventsWaitForTheTickAndKeepTheirOrder)
{
    cmcEvMan manager;
    Listener listener;
    listener.registerWith(manager);
    manager.Post(13);
    manager.Post(16, nullptr, 7);
    EXPECT_TRUE(listener.seen.empty());
    EXPECT_EQ(manager.queuedCount(), 2u);

    manager.Tick();
    ASSERT_EQ(listener.types(true), (Types{13, 16}));
    EXPECT_EQ(listener.seen[0].delivery, cmcEvent::kPosted);
    EXPECT_EQ(listener.seen[1].argument, 7);
    EXPECT_EQ(manager.queuedCount(), 0u);
}

TEST(cmcEvMan, EventsPostedDuringATickWaitForTheNextOne)
{
    cmcEvMan manager;
    Listener listener;
    listener.act = [&](const cmcEvent &event) {
        if (event.type == 25)
            manager.Post(40);
    };
    listener.registerWith(manager);
    manager.Post(25);
    manager.Tick();
    EXPECT_EQ(listener.types(true), (Types{25}));
    manager.Tick();
    EXPECT_EQ(listener.types(true), (Types{25, 40}));
}

TEST(cmcEvMan, AnEmptyTickSendsTheIdleEvent)
{
    cmcEvMan manager;
    Listener listener;
    listener.registerWith(manager);
    manager.Tick();
    ASSERT_EQ(listener.types(true), (Types{kEvIdle}));
    EXPECT_EQ(listener.seen[0].delivery, cmcEvent::kSent);
    EXPECT_EQ(listener.seen[0].data, std::vector<char>{'\0'});
    EXPECT_EQ(listener.seen[0].text(), "");
}

// The timer drives the queue on its own once the event loop runs.
TEST(cmcEvMan, TheTimerDeliversPostedEvents)
{
    cmcEvMan &manager = eventManager();
    EXPECT_EQ(&manager, &eventManager());
    Listener listener;
    listener.registerWith(manager);
    manager.Post(3);
    QTimer wakeUp;
    wakeUp.start(5);
    QElapsedTimer clock;
    clock.start();
    while (listener.types().empty() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    listener.unregisterFrom(manager);
    EXPECT_EQ(listener.types(), (Types{3}));
}

TEST(cmcEvMan, TextsAndDataAreCopied)
{
    cmcEvMan manager;
    Listener listener;
    listener.registerWith(manager);
    int owner = 0;
    std::string text = "status";
    manager.SendText(kEvStatusText, &owner, 0x8000000F, text);
    manager.PostText(kEvBankCaption, nullptr, 2, text);
    char record[3] = {1, 0, 2};
    manager.PostData(12, record, sizeof record);
    text = "changed";
    record[0] = 9;
    manager.Tick();

    ASSERT_EQ(listener.seen.size(), 3u);
    EXPECT_EQ(listener.seen[0].text(), "status");
    EXPECT_EQ(listener.seen[0].data.size(), 7u); // with its terminating zero
    EXPECT_EQ(listener.seen[0].object, &owner);
    EXPECT_EQ(listener.seen[0].argument, 0x8000000F);
    EXPECT_EQ(listener.seen[1].text(), "status");
    EXPECT_EQ(listener.seen[1].argument, 2);
    EXPECT_EQ(listener.seen[2].data, (std::vector<char>{1, 0, 2}));
}

TEST(cmcEvMan, ListenersAreCalledNewestFirstAndOncePerPair)
{
    cmcEvMan manager;
    std::vector<std::string> log;
    Listener a{"a", &log};
    Listener b{"b", &log};
    a.registerWith(manager);
    b.registerWith(manager);
    manager.Send(9);
    a.registerWith(manager); // again: one registration, now the newest
    manager.Send(20);
    EXPECT_EQ(log, (std::vector<std::string>{"b:9", "a:9", "a:20", "b:20"}));
    EXPECT_EQ(manager.listenerCount(), 2u);

    manager.Register(reinterpret_cast<cmcEvMan::Callback>(std::uintptr_t{0xFFFF}), &a);
    EXPECT_EQ(manager.listenerCount(), 2u);
    a.unregisterFrom(manager);
    b.unregisterFrom(manager);
    manager.Send(2);
    EXPECT_EQ(log.size(), 4u);
    EXPECT_EQ(manager.listenerCount(), 0u);
}

TEST(cmcEvMan, RegistrationChangesDuringDeliveryLeaveTheWalkIntact)
{
    cmcEvMan manager;
    std::vector<std::string> log;
    Listener late{"late", &log};
    Listener victim{"victim", &log};
    Listener actor{"actor", &log};
    actor.act = [&](const cmcEvent &event) {
        if (event.type != 1)
            return;
        late.registerWith(manager);
        victim.unregisterFrom(manager);
        actor.unregisterFrom(manager);
    };
    victim.registerWith(manager);
    actor.registerWith(manager);
    manager.Send(1);
    manager.Send(2);
    EXPECT_EQ(log, (std::vector<std::string>{"actor:1", "late:2"}));
}

TEST(cmcEvMan, ATickInsideATickDoesNothing)
{
    cmcEvMan manager;
    Listener listener;
    listener.act = [&](const cmcEvent &event) {
        if (event.type == 13)
            manager.Tick();
    };
    listener.registerWith(manager);
    manager.Post(13);
    manager.Post(16);
    manager.Tick();
    EXPECT_EQ(listener.types(true), (Types{13, 16}));
}

TEST(cmcEvMan, QueryCollectsAnswersInTurn)
{
    cmcEvMan manager;
    Listener silent;
    Listener first;
    Listener second;
    second.act = [&](const cmcEvent &event) {
        if (event.type == kEvCurrentBank)
            manager.Answer(1, 100);
    };
    first.act = [&](const cmcEvent &event) {
        if (event.type == kEvCurrentBank) {
            const char record[] = "cell";
            manager.AnswerData(record, sizeof record);
        }
    };
    silent.registerWith(manager);
    second.registerWith(manager);
    first.registerWith(manager);

    const cmcEvAns *answer = manager.Query(kEvCurrentBank, &silent, 5);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(silent.seen.at(0).delivery, cmcEvent::kQuery);
    EXPECT_EQ(silent.seen.at(0).argument, 5);
    EXPECT_EQ(answer->code, 0);
    EXPECT_EQ(std::string(answer->data.data()), "cell");
    ASSERT_NE(answer->next, nullptr);
    EXPECT_EQ(answer->next->code, 1);
    EXPECT_EQ(answer->next->value, 100);
    EXPECT_EQ(answer->next->next, nullptr);

    EXPECT_EQ(manager.Query(kEvCurrentTable), nullptr);
}

// A listener may query while it is being queried; each context keeps its
// own answers.
TEST(cmcEvMan, NestedQueriesKeepTheirAnswersApart)
{
    cmcEvMan manager;
    Listener table;
    table.act = [&](const cmcEvent &event) {
        if (event.type == kEvCurrentTable)
            manager.Answer(7, 0);
    };
    Listener bank;
    const cmcEvAns *inner = nullptr;
    bank.act = [&](const cmcEvent &event) {
        if (event.type != kEvCurrentBank)
            return;
        inner = manager.Query(kEvCurrentTable);
        manager.Answer(inner != nullptr ? inner->code + 1 : -1, 3);
    };
    table.registerWith(manager);
    bank.registerWith(manager);

    const cmcEvAns *outer = manager.Query(kEvCurrentBank);
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->code, 8);
    EXPECT_EQ(outer->value, 3);
    EXPECT_EQ(outer->next, nullptr);
    ASSERT_NE(inner, nullptr); // still valid: its context is the outer answer
    EXPECT_EQ(inner->code, 7);

    manager.Answer(99, 99); // outside a query: nobody to answer
    const cmcEvAns *again = manager.Query(kEvCurrentTable);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->code, 7);
    EXPECT_EQ(again->next, nullptr);
}

// Queued events, listeners and answers all belong to the manager.
TEST(cmcEvMan, DestructionFreesWhatIsLeft)
{
    Listener listener;
    listener.act = [](const cmcEvent &) {};
    {
        cmcEvMan manager;
        listener.registerWith(manager);
        manager.PostText(41, nullptr, 0, "left behind");
        manager.Register(&Listener::callback, &listener);
        listener.act = [&](const cmcEvent &) { manager.Answer(1, 2); };
        EXPECT_NE(manager.Query(12), nullptr);
    }
    EXPECT_EQ(listener.types(), (Types{12}));
}

} // namespace
