#pragma once

#include "cells/cmcEvAns.h"
#include "cells/cmcEvent.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <string_view>

class cmcTask;

// The program-wide message bus. Windows, sheets, menus and the model object
// register a callback; any part of the program raises numbered events that
// are posted (delivered on the next tick), sent (delivered at once) or
// queried (delivered at once, listeners may answer). Everything runs on the
// user-interface thread, and listeners may post, send, query, register and
// unregister while they are being called.
class cmcEvMan
{
public:
    using Callback = void (*)(void *object, const cmcEvent &event);

    static constexpr std::int32_t kTickMs = 10;

    // Starts ticking when the application object exists; otherwise the
    // program calls StartTicking() once it does.
    cmcEvMan();
    ~cmcEvMan();
    cmcEvMan(const cmcEvMan &) = delete;
    cmcEvMan &operator=(const cmcEvMan &) = delete;

    void StartTicking();

    // A pair registered again keeps one registration, now the first called.
    // Listeners are called most recently registered first. Function values
    // below 65536 are not callbacks and are ignored.
    void Register(Callback callback, void *object);
    // Takes effect at once; the listener's entry goes after the delivery in
    // progress, if any.
    void Unregister(Callback callback, void *object);

    void Post(std::int32_t type, void *object = nullptr, std::intptr_t argument = 0);
    void PostText(std::int32_t type, void *object, std::intptr_t argument, std::string_view text);
    void PostData(std::int32_t type, const void *data, std::size_t length);

    void Send(std::int32_t type, void *object = nullptr, std::intptr_t argument = 0);
    void SendText(std::int32_t type, std::string_view text);
    void SendText(std::int32_t type, void *object, std::intptr_t argument, std::string_view text);

    // Delivers at once; the first answer, or nullptr when nobody answered.
    // The answers stay valid until the next query made in the same context
    // (at top level, or inside the same listener call of an outer query).
    const cmcEvAns *Query(std::int32_t type, void *object = nullptr, std::intptr_t argument = 0);
    // Called by a listener during a query; ignored outside one.
    void Answer(std::int32_t code, std::int32_t value);
    void AnswerData(const void *data, std::size_t length);

    // One round of the queue: delivers what was posted before the tick
    // began, in posting order; sends the idle event when nothing was
    // delivered. Run by the timer every kTickMs; a tick started while one
    // runs does nothing.
    void Tick();

    std::size_t queuedCount() const { return queue_.size(); }
    std::size_t listenerCount() const;

private:
    struct Listener {
        Callback callback;
        void *object;
        bool removed;
    };
    struct Queued {
        cmcEvent event;
        bool done = false;
        bool fresh = true;
    };

    static cmcEvent makeEvent(std::int32_t type, std::int32_t delivery, void *object,
                              std::intptr_t argument);
    static cmcEvent makeTextEvent(std::int32_t type, std::int32_t delivery, void *object,
                                  std::intptr_t argument, std::string_view text);
    void deliver(const cmcEvent &event);
    void purgeListeners();
    void answer(std::int32_t code, std::int32_t value, const void *data, std::size_t length,
                bool withData);
    static void freeAnswers(cmcEvAns *first);

    std::list<Queued> queue_;
    std::list<Listener> listeners_;
    cmcEvAns root_;
    cmcEvAns *current_ = &root_;
    int deliveries_ = 0; // delivery walks in progress
    bool ticking_ = false;
    cmcTask *task_ = nullptr;
};
