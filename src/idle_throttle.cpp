#include "idle_throttle.h"

namespace {

constexpr std::chrono::milliseconds kWalkPeriod(20);

}  // namespace

bool ThrottledIdleApp::ProcessIdle()
{
    const auto now = std::chrono::steady_clock::now();
    if (now - last_walk_ < kWalkPeriod) {
        // The application's own idle duties, without the window walk.
        wxAppConsoleBase::ProcessIdle();
        return false;
    }
    last_walk_ = now;
    return wxApp::ProcessIdle();
}
