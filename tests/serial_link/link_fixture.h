// What the serial-link tests share: a serial port the program lists that
// leads to a simulated reader, and the program's controller window.
#pragma once

#include "APP.h"
#include "gui_test_support.h"
#include "sim_reader.h"
#include "sim_transport.h"

#include <memory>
#include <string>
#include <vector>

class connect_pannel;
class uart_monitor_pannel;

namespace link_test {

// A port at a fixed path (listed through READER_EXTRA_PORTS) that leads to
// a simulated reader's pseudo-terminal. The path stays; what it leads to
// changes, the way an adapter is unplugged and plugged in again.
class SimPort {
public:
    SimPort();
    ~SimPort();
    // A new simulated reader behind the path.
    void plug();
    // The reader hangs up and the path goes away.
    void unplug();
    bool plugged() const { return pty_ != nullptr; }

    readersim::SimReader& reader() { return *reader_; }
    readersim::SimPty& pty() { return *pty_; }
    // The path the program lists, the same for the whole test run.
    static const std::string& path();

private:
    std::unique_ptr<readersim::SimReader> reader_;
    std::unique_ptr<readersim::SimPty> pty_;
};

// The program's controller window, closed (its link threads joined) when
// the test ends.
class App {
public:
    App();
    ~App();
    MainAPP* operator->() { return app_; }
    MainAPP* get() { return app_; }
    connect_pannel* connection();
    uart_monitor_pannel* monitor();

    // Waits until the port list shows `port` and picks it.
    bool pick_port(const std::string& port, int timeout_ms = 5000);
    // Picks the baud rate at `index` of the list and presses connect.
    void connect(int baud_index = 9);
    void disconnect();
    // Waits until the operation log holds a line ending in `text`.
    bool wait_for_log(const wxString& text, int timeout_ms = 5000);
    // Whether the last operation-log line holding `text` is red.
    bool log_red(const wxString& text);
    // The monitor's lines, each with whether it is red.
    struct Line {
        std::string text;
        bool red;
    };
    std::vector<Line> monitor_lines();

private:
    MainAPP* app_;
};

// A frame's bytes as the monitor shows them: "A0 03 00 70 ED".
std::string hex(const std::vector<uint8_t>& bytes);
// The bytes of a monitor line ("[time] A0 03 ..."), empty when malformed.
std::vector<uint8_t> line_bytes(const std::string& line);

}  // namespace link_test
