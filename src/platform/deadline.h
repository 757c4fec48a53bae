// How the platform's bounded waits count down to their deadline.
#pragma once

#include <chrono>

namespace platform {

using Clock = std::chrono::steady_clock;

// Milliseconds left until `deadline` for poll, 0 once it has passed; rounded
// up, so that a wait never ends just short of the deadline.
inline int MsUntil(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return 0;
    return static_cast<int>(left) + 1;
}

}  // namespace platform
