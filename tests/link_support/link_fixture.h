// What the end-to-end link tests share: a simulated reader behind each of
// the three link methods, and the program's controller window driven
// through its connection page.
#pragma once

#include "APP.h"
#include "gui_test_support.h"
#include "sdk_package/link_thread/LinkThread.h"
#include "sim_hid.h"
#include "sim_reader.h"
#include "sim_transport.h"

#include <memory>
#include <string>
#include <vector>

class connect_pannel;
class uart_monitor_pannel;
class wxButton;

namespace link_test {

// The connection page's link method codes.
enum class Link { Serial = 0, Tcp = 1, Hid = 2 };
const char* link_name(Link link);
// For TEST_P names.
std::string link_param_name(const testing::TestParamInfo<Link>& info);

// A simulated reader behind one link method, there from construction.
class SimEndpoint {
public:
    virtual ~SimEndpoint() = default;
    virtual Link link() const = 0;
    readersim::SimReader& reader() { return *reader_; }
    // A fresh simulated reader behind the link.
    virtual void plug() = 0;
    // The reader goes away: the port vanishes, the server drops the
    // connection, the device is unplugged.
    virtual void unplug() = 0;

protected:
    std::unique_ptr<readersim::SimReader> reader_;
};

std::unique_ptr<SimEndpoint> make_endpoint(Link link);

// A port at a fixed path (listed through READER_EXTRA_PORTS) that leads to
// a simulated reader's pseudo-terminal. The path stays; what it leads to
// changes, the way an adapter is unplugged and plugged in again.
class SimPort : public SimEndpoint {
public:
    SimPort();
    ~SimPort() override;
    Link link() const override { return Link::Serial; }
    void plug() override;
    void unplug() override;
    bool plugged() const { return pty_ != nullptr; }

    readersim::SimPty& pty() { return *pty_; }
    // The path the program lists, the same for the whole test run.
    static const std::string& path();

private:
    std::unique_ptr<readersim::SimPty> pty_;
};

// A simulated reader listening on 127.0.0.1 at a free port.
class SimServer : public SimEndpoint {
public:
    SimServer();
    ~SimServer() override;
    Link link() const override { return Link::Tcp; }
    // A new reader on the same port.
    void plug() override;
    // Drops the program's connection; the server goes on listening.
    void unplug() override;

    uint16_t port() const { return port_; }
    readersim::SimTcpServer& server() { return *server_; }

private:
    std::unique_ptr<readersim::SimTcpServer> server_;
    uint16_t port_ = 0;
};

// A simulated reader as a HID device of the stand-in hidapi, listed with
// the manufacturer the program looks for.
class SimHid : public SimEndpoint {
public:
    static constexpr const char* kPath = "/dev/hidraw-sim0";

    SimHid();
    ~SimHid() override;
    Link link() const override { return Link::Hid; }
    void plug() override;
    void unplug() override;

    hidstub::SimHidDevice& device() { return *device_; }

private:
    std::unique_ptr<hidstub::SimHidDevice> device_;
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
    // Serial: picks the baud rate at `index` of the list and presses connect.
    void connect(int baud_index = 9);
    void disconnect();

    // Chooses `link` on the connection page; true once its thread runs and
    // the other links' threads have ended.
    bool choose(Link link);
    // Points the connection page at `end` (its port, or its address and
    // port) and presses the connect button of its link.
    bool connect_to(SimEndpoint& end);
    void disconnect(Link link);
    // The connect button of `link`, enabled while not connected.
    wxButton* connect_button(Link link);
    LinkThread* link_thread(Link link);
    // Asks `link` for one request the way the controller does: a request
    // flag, then the link's control event.
    void request(Link link, LinkThread::Flag LinkThread::*flag, uint8_t value = 1);

    // Waits until the operation log holds a line ending in `text`.
    bool wait_for_log(const wxString& text, int timeout_ms = 5000);
    // Lines of the operation log ending in `text`, with whether they are red.
    int log_count(const wxString& text);
    // Places in the operation log where `text` stands, inside lines too.
    int log_mentions(const wxString& text);
    bool log_line_red(const wxString& text);
    // The monitor's lines, each with whether it is red.
    struct Line {
        std::string text;
        bool red;
    };
    std::vector<Line> monitor_lines();
    // Whether the monitor shows `frame`, sent (black) or received (red).
    bool monitor_shows(const std::vector<uint8_t>& frame, bool red);

private:
    MainAPP* app_;
};

// The state text of a successful connect on `link`.
wxString connected_text(Link link);

// Connects `app` to `end` and waits for the link to come up and the reset
// to reach the reader.
void connect_and_reset(App& app, SimEndpoint& end);

// Waits, running the program meanwhile, until the reader has received the
// `nth` frame with command `cmd`.
bool reader_got(SimEndpoint& end, uint8_t cmd, size_t nth = 1, int timeout_ms = 3000);

// Runs a copy of this test program, alone in a new folder under /tmp (so
// none of the libraries beside it), with --gtest_filter=`filter`; true when
// exactly one test ran and passed, else false with its output in `output`.
bool rerun_alone(const std::string& filter, std::string* output);

// The last frame with command `cmd` the reader received, header to check
// byte as the monitor shows it; "" when none came.
std::string last_frame(SimEndpoint& end, uint8_t cmd);

// A frame's bytes as the monitor shows them: "A0 03 00 70 ED".
std::string hex(const std::vector<uint8_t>& bytes);
// The bytes of a monitor line ("[time] A0 03 ..."), empty when malformed.
std::vector<uint8_t> line_bytes(const std::string& line);

}  // namespace link_test
