// An application whose idle processing walks the window tree at most 50
// times a second.
//
// Every timer tick ends in idle processing, and with the 1 ms receive timer
// that would mean a thousand walks a second over every control of every
// page: most of what the program costs while it waits. Pending events,
// deferred deletions and log flushing still run on every idle pass.
#pragma once

#include <wx/app.h>

#include <chrono>

class ThrottledIdleApp : public wxApp {
public:
    bool ProcessIdle() override;

private:
    std::chrono::steady_clock::time_point last_walk_{};
};
