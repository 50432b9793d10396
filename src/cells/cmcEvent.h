#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One raised event as listeners see it.
struct cmcEvent {
    enum Delivery : std::int32_t { kPosted = 0, kSent = 1, kQuery = 2 };

    std::int32_t type = 0;
    std::int32_t delivery = kPosted;
    // Opaque to the manager: a menu owner, a builder, sometimes a number.
    void *object = nullptr;
    // An index, a label identifier or a control; wide enough for a pointer.
    std::intptr_t argument = 0;
    // The raiser's data copied: a text with its terminating zero, or a record.
    std::vector<char> data;

    // The data as a text, up to its terminating zero.
    std::string text() const;
};
