// Lets a page's list and boxes follow its data at most once a period: the
// first request starts a one-shot timer, and requests until it fires ride
// on it. So a reader reporting as fast as it can costs the window one
// redraw a period, not one per report. GUI thread only.
#pragma once

#include <functional>
#include <utility>

#include <wx/timer.h>

class refresh_timer : public wxTimer {
public:
    // The pages' period: the longest a change waits before it shows.
    static const int kPeriodMs = 100;

    explicit refresh_timer(std::function<void()> show_in, int period_ms_in = kPeriodMs)
        : show(std::move(show_in)), period_ms(period_ms_in) {}

    // `show` runs within one period.
    void request()
    {
        if (!IsRunning())
            StartOnce(period_ms);
    }

protected:
    void Notify() override { show(); }

private:
    std::function<void()> show;
    int period_ms;
};
