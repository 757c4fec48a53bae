// What the window, controller and event-hub tests share: the controller with
// its protected state in reach, opening and closing it as the program does,
// the operation log cut into entries, and the table of the 71 event types.
#pragma once

#include <gtest/gtest.h>

#include <wx/string.h>
#include <wx/textctrl.h>

#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "APP.h"
#include "gui_test_support.h"

namespace app_test {

inline std::string utf8(const wxString& s)
{
    return std::string(s.utf8_str().data());
}

// MainAPP as the program creates it (no parent), with the state that the
// time-out and the inventory guard keep made visible.
class Controller : public MainAPP {
public:
    Controller() : MainAPP(nullptr) {}

    bool timeout_running() const { return timeout->IsRunning(); }
    bool elapsed_timer_running() const { return m_timer->IsRunning(); }
    void start_elapsed_timer() { m_timer->Start(1000); }
    // A tick of the response time-out's timer, for calling OnTimeOut.
    wxTimerEvent timeout_tick() { return wxTimerEvent(*timeout); }

    // Real-time, buffered, custom, antenna-switch.
    std::vector<bool> inventories() const
    {
        return {inventory_flag, buffer_inventory_flag, custom_inventory_flag, switchant_inventory_flag};
    }
    void set_inventories(bool running)
    {
        inventory_flag = buffer_inventory_flag = custom_inventory_flag = switchant_inventory_flag = running;
    }
    void set_running(const std::vector<bool>& running)
    {
        inventory_flag = running.at(0);
        buffer_inventory_flag = running.at(1);
        custom_inventory_flag = running.at(2);
        switchant_inventory_flag = running.at(3);
    }
};

// Shows `window` and runs the loop until it is on screen.
void show(wxWindow* window);

// Closes `window` as the operator does and runs the loop until it has been
// destroyed; fails the test when it is still there after a few seconds.
void close_window(wxWindow* window);

// The log box's entries: its text cut after each "\r" (the empty rest after
// the last one is not an entry).
std::vector<std::string> log_entries(wxTextCtrl* log);

// The colour of the character at `position` of a log box.
wxColour colour_at(wxTextCtrl* log, long position);

// One of the 71 event types: its name, its value, the class its type tag
// declares, and how to bind a recorder on it and post one event of it.
struct EventTypeRow {
    const char* name;
    wxEventType type;
    const std::type_info* declared;
    // Binds `handler` for this type on the hub with the tag's own class;
    // returns the matching unbind.
    std::function<std::function<void()>(std::function<void(wxEvent&)> handler)> bind;
    // Posts one event of the tag's class with id 0 through the hub.
    std::function<void()> post;
};

// All 71, in declaration order.
const std::vector<EventTypeRow>& event_type_rows();

// Delivers everything queued on the hub (and whatever that queues).
void deliver();

}  // namespace app_test
