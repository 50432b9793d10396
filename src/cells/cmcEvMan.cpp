#include "cells/cmcEvMan.h"

#include "cells/EventCodes.h"
#include "platform/cmcTask.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

cmcEvMan::cmcEvMan() : task_(new cmcTask)
{
    task_->Bind([](void *manager, cmcTask *) { static_cast<cmcEvMan *>(manager)->Tick(); }, this);
    if (QCoreApplication::instance() != nullptr)
        StartTicking();
}

cmcEvMan::~cmcEvMan()
{
    // Stopped first, the task goes at once unless its tick is what destroys
    // the manager; that also holds after the application object is gone,
    // when no timer could be restarted for a later release.
    task_->Stop();
    cmcTask::dispose(task_);
    queue_.clear();
    listeners_.clear();
    freeAnswers(root_.opened);
}

void cmcEvMan::StartTicking() { task_->SetPeriod(kTickMs); }

std::size_t cmcEvMan::listenerCount() const
{
    return static_cast<std::size_t>(std::count_if(listeners_.begin(), listeners_.end(),
                                                  [](const Listener &l) { return !l.removed; }));
}

void cmcEvMan::Register(Callback callback, void *object)
{
    // Small values are resource numbers or error codes, never functions.
    if (reinterpret_cast<std::uintptr_t>(callback) < 65536)
        return;
    Unregister(callback, object);
    listeners_.push_front(Listener{callback, object, false});
}

void cmcEvMan::Unregister(Callback callback, void *object)
{
    for (Listener &listener : listeners_) {
        if (listener.callback == callback && listener.object == object)
            listener.removed = true;
    }
    purgeListeners();
}

// A walk in progress holds a position in the list, so entries leave only
// when no delivery runs.
void cmcEvMan::purgeListeners()
{
    if (deliveries_ == 0)
        listeners_.remove_if([](const Listener &l) { return l.removed; });
}

// New listeners go to the front, before the walk's position, so they are not
// called for the event being delivered.
void cmcEvMan::deliver(const cmcEvent &event)
{
    ++deliveries_;
    for (const Listener &listener : listeners_) {
        if (!listener.removed)
            listener.callback(listener.object, event);
    }
    --deliveries_;
}

cmcEvent cmcEvMan::makeEvent(std::int32_t type, std::int32_t delivery, void *object,
                             std::intptr_t argument)
{
    cmcEvent event;
    event.type = type;
    event.delivery = delivery;
    event.object = object;
    event.argument = argument;
    return event;
}

cmcEvent cmcEvMan::makeTextEvent(std::int32_t type, std::int32_t delivery, void *object,
                                 std::intptr_t argument, std::string_view text)
{
    cmcEvent event = makeEvent(type, delivery, object, argument);
    event.data.assign(text.begin(), text.end());
    event.data.push_back('\0');
    return event;
}

void cmcEvMan::Post(std::int32_t type, void *object, std::intptr_t argument)
{
    queue_.push_back(Queued{makeEvent(type, cmcEvent::kPosted, object, argument)});
}

void cmcEvMan::PostText(std::int32_t type, void *object, std::intptr_t argument,
                        std::string_view text)
{
    queue_.push_back(Queued{makeTextEvent(type, cmcEvent::kPosted, object, argument, text)});
}

void cmcEvMan::PostData(std::int32_t type, const void *data, std::size_t length)
{
    cmcEvent event = makeEvent(type, cmcEvent::kPosted, nullptr, 0);
    if (data != nullptr)
        event.data.assign(static_cast<const char *>(data),
                          static_cast<const char *>(data) + length);
    queue_.push_back(Queued{std::move(event)});
}

void cmcEvMan::Send(std::int32_t type, void *object, std::intptr_t argument)
{
    deliver(makeEvent(type, cmcEvent::kSent, object, argument));
}

void cmcEvMan::SendText(std::int32_t type, std::string_view text)
{
    deliver(makeTextEvent(type, cmcEvent::kSent, nullptr, 0, text));
}

void cmcEvMan::SendText(std::int32_t type, void *object, std::intptr_t argument,
                        std::string_view text)
{
    deliver(makeTextEvent(type, cmcEvent::kSent, object, argument, text));
}

void cmcEvMan::freeAnswers(cmcEvAns *first)
{
    while (first != nullptr) {
        cmcEvAns *next = first->next;
        freeAnswers(first->opened);
        delete first;
        first = next;
    }
}

const cmcEvAns *cmcEvMan::Query(std::int32_t type, void *object, std::intptr_t argument)
{
    cmcEvAns *context = current_;
    freeAnswers(context->opened);
    auto *first = new cmcEvAns;
    first->context = context;
    context->opened = first;
    current_ = first;

    deliver(makeEvent(type, cmcEvent::kQuery, object, argument));

    // Each answer left a fresh empty record open behind it; that one goes.
    cmcEvAns *trailing = current_;
    current_ = context;
    if (trailing == first) {
        freeAnswers(first);
        context->opened = nullptr;
        return nullptr;
    }
    cmcEvAns *last = first;
    while (last->next != trailing)
        last = last->next;
    last->next = nullptr;
    freeAnswers(trailing);
    return first;
}

void cmcEvMan::answer(std::int32_t code, std::int32_t value, const void *data, std::size_t length,
                      bool withData)
{
    cmcEvAns *open = current_;
    if (open == &root_)
        return;
    open->code = code;
    open->value = value;
    if (withData) {
        const auto *bytes = static_cast<const char *>(data);
        open->data.assign(bytes, bytes + (bytes != nullptr ? length : 0));
    }
    auto *fresh = new cmcEvAns;
    fresh->context = open->context;
    open->next = fresh;
    current_ = fresh;
}

void cmcEvMan::Answer(std::int32_t code, std::int32_t value)
{
    answer(code, value, nullptr, 0, false);
}

void cmcEvMan::AnswerData(const void *data, std::size_t length)
{
    answer(0, 0, data, length, true);
}

void cmcEvMan::Tick()
{
    if (ticking_)
        return;
    ticking_ = true;
    for (Queued &queued : queue_)
        queued.fresh = false;
    bool delivered = false;
    // Events posted during the walk are appended as fresh and wait.
    for (Queued &queued : queue_) {
        if (queued.done || queued.fresh)
            continue;
        deliver(queued.event);
        queued.done = true;
        delivered = true;
    }
    queue_.remove_if([](const Queued &q) { return q.done; });
    purgeListeners();
    if (!delivered)
        SendText(kEvIdle, "");
    ticking_ = false;
}
