#pragma once

#include <cstdint>
#include <vector>

// One answer to a query. The answers of a query form a chain through next;
// queries made by a listener while it is being queried hang below the
// record that was open at that moment, so nested queries keep their answers
// apart. The event manager owns every record.
struct cmcEvAns {
    std::int32_t code = 0;
    std::int32_t value = 0;
    std::vector<char> data;
    // The next answer of the same query.
    cmcEvAns *next = nullptr;

    // The context this record belongs to, and the first answer of the latest
    // query made in this record's context.
    cmcEvAns *context = nullptr;
    cmcEvAns *opened = nullptr;
};
