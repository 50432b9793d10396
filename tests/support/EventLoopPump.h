#pragma once

#include <functional>

namespace testing_support {

// Runs the event loop until the condition holds; false when it still does
// not after a generous limit (a hang, not a timing check).
bool pumpUntil(const std::function<bool()> &done);

} // namespace testing_support
