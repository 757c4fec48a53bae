#include "link_fixture.h"

#include "sim_codec.h"

#include "platform/platform.h"
#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "sdk_package/hid/HIDThread.h"
#include "sdk_package/socket/TCPThread.h"
#include "sdk_package/uart/UartThread.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/reader_uart_monitor_pannel_base/uart_monitor_pannel.h"

#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/radiobox.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace link_test {

namespace {

// Made before the first controller exists, so no worker reads the
// environment while it changes.
struct PortPath {
    PortPath()
    {
        // No lower-case n or s anywhere: the program never lists such a name.
        dir = "/tmp/RDRLINK" + std::to_string(getpid());
        path = dir + "/ttyLINK0";
        mkdir(dir.c_str(), 0700);
        setenv("READER_EXTRA_PORTS", path.c_str(), 1);
    }
    ~PortPath()
    {
        unlink(path.c_str());
        rmdir(dir.c_str());
    }
    std::string dir;
    std::string path;
};

PortPath& port_path()
{
    static PortPath p;
    return p;
}

}  // namespace

const char* link_name(Link link)
{
    switch (link) {
    case Link::Tcp:
        return "Tcp";
    case Link::Hid:
        return "Hid";
    default:
        return "Serial";
    }
}

std::string link_param_name(const testing::TestParamInfo<Link>& info)
{
    return link_name(info.param);
}

std::unique_ptr<SimEndpoint> make_endpoint(Link link)
{
    switch (link) {
    case Link::Tcp:
        return std::make_unique<SimServer>();
    case Link::Hid:
        return std::make_unique<SimHid>();
    default:
        return std::make_unique<SimPort>();
    }
}

wxString connected_text(Link link)
{
    return wxString::FromUTF8(link == Link::Tcp ? "连接成功" : "连接成功！");
}

// ------------------------------------------------------------ serial

const std::string& SimPort::path() { return port_path().path; }

SimPort::SimPort() { plug(); }

SimPort::~SimPort() { unplug(); }

void SimPort::plug()
{
    unplug();
    reader_ = std::make_unique<readersim::SimReader>();
    pty_ = std::make_unique<readersim::SimPty>(*reader_);
    std::string error;
    if (!pty_->Start(&error)) {
        ADD_FAILURE() << "simulated reader: " << error;
        return;
    }
    // Point the listed path at the new device in one step.
    const std::string next = path() + ".next";
    unlink(next.c_str());
    if (symlink(pty_->DevicePath().c_str(), next.c_str()) != 0 ||
        rename(next.c_str(), path().c_str()) != 0)
        ADD_FAILURE() << "cannot link " << path();
}

void SimPort::unplug()
{
    if (!pty_)
        return;
    unlink(path().c_str());
    pty_->CloseLink();
    pty_.reset();
    reader_.reset();
}

// --------------------------------------------------------------- TCP

SimServer::SimServer() { plug(); }

SimServer::~SimServer()
{
    if (server_)
        server_->Stop();
}

void SimServer::plug()
{
    if (server_)
        server_->Stop();
    server_.reset();
    reader_ = std::make_unique<readersim::SimReader>();
    server_ = std::make_unique<readersim::SimTcpServer>(*reader_);
    std::string error;
    if (!server_->Start(port_, &error))
        ADD_FAILURE() << "simulated reader: " << error;
    port_ = server_->Port();
}

void SimServer::unplug()
{
    server_->CloseLink();
}

// ----------------------------------------------------------- USB-HID

SimHid::SimHid()
{
    if (!hidstub::control().loaded())
        ADD_FAILURE() << "no stand-in hidapi beside the test program";
    plug();
}

SimHid::~SimHid()
{
    device_.reset();
    if (hidstub::control().loaded())
        hidstub::control().reset();
}

void SimHid::plug()
{
    device_.reset();
    if (hidstub::control().loaded())
        hidstub::control().reset();
    reader_ = std::make_unique<readersim::SimReader>();
    device_ = std::make_unique<hidstub::SimHidDevice>(*reader_, kPath,
                                                      hidstub::default_manufacturer());
    device_->plug();
}

void SimHid::unplug()
{
    device_->unplug();
}

// ---------------------------------------------------------------- App

App::App() : app_(new MainAPP(nullptr))
{
    app_->Show();
}

App::~App()
{
    app_->Close(true);
    wxTheApp->ProcessIdle();
}

connect_pannel* App::connection() { return app_->base_setting_pannel->connect_subpannel; }

uart_monitor_pannel* App::monitor() { return app_->rfid_uart_monitor_pannel; }

bool App::pick_port(const std::string& port, int timeout_ms)
{
    wxChoice* ports = connection()->GetUartNumber_choice();
    const wxString name = wxString::FromUTF8(port.c_str());
    if (!gui_test::pump_until([&] { return ports->FindString(name) != wxNOT_FOUND; },
                              timeout_ms))
        return false;
    gui_test::choose(ports, ports->FindString(name));
    return true;
}

void App::connect(int baud_index)
{
    gui_test::choose(connection()->GetUartBound_choice(), baud_index);
    gui_test::press(connection()->GetConnectReader_button());
}

void App::disconnect()
{
    gui_test::press(connection()->GetDisConnect_button());
}

bool App::choose(Link link)
{
    gui_test::choose(connection()->GetConnectMethod(), static_cast<int>(link));
    // The other links' threads have ended too, so no late completion
    // notice changes the controls after this.
    return gui_test::pump_until([&] {
        for (Link other : {Link::Serial, Link::Tcp, Link::Hid})
            if ((link_thread(other) != nullptr) != (other == link))
                return false;
        return link_thread(link)->DeleteFlag == 1;
    });
}

bool App::connect_to(SimEndpoint& end)
{
    connect_pannel* page = connection();
    switch (end.link()) {
    case Link::Serial:
        if (!pick_port(SimPort::path()))
            return false;
        connect();
        return true;
    case Link::Tcp:
        gui_test::paste_text(page->GetReaderID_textCtrl(), "127.0.0.1");
        gui_test::paste_text(page->GetPortName_textCtrl(),
                             std::to_string(static_cast<SimServer&>(end).port()));
        gui_test::press(page->GetConnecteReader_button());
        return true;
    case Link::Hid:
        gui_test::press(page->GetConnecthid_button());
        return true;
    }
    return false;
}

void App::disconnect(Link link)
{
    switch (link) {
    case Link::Serial:
        disconnect();
        break;
    case Link::Tcp:
        gui_test::press(connection()->GetDisConnecteReader_button());
        break;
    case Link::Hid:
        gui_test::press(connection()->GetDisconnecthid_button());
        break;
    }
}

wxButton* App::connect_button(Link link)
{
    switch (link) {
    case Link::Tcp:
        return connection()->GetConnecteReader_button();
    case Link::Hid:
        return connection()->GetConnecthid_button();
    default:
        return connection()->GetConnectReader_button();
    }
}

LinkThread* App::link_thread(Link link)
{
    switch (link) {
    case Link::Tcp:
        return app_->get_tcp_thread();
    case Link::Hid:
        return app_->get_hid_thread();
    default:
        return app_->get_uart_thread();
    }
}

void App::request(Link link, LinkThread::Flag LinkThread::*flag, uint8_t value)
{
    link_thread(link)->*flag = value;
    const wxEventType control = link == Link::Tcp   ? wxEventType(wxEVT_TCP_CTRL)
                                : link == Link::Hid ? wxEventType(wxEVT_HID_CTRL)
                                                    : wxEventType(wxEVT_UART_CTRL);
    rfidConfigEvent event(control, 0);
    EventNotifier::Get()->AddPendingEvent(event);
}

int App::log_count(const wxString& text)
{
    return log_mentions("  " + text + "\r");
}

int App::log_mentions(const wxString& text)
{
    const wxString log = app_->GetUartDataLog()->GetValue();
    int n = 0;
    for (size_t at = log.find(text); at != wxString::npos; at = log.find(text, at + 1))
        ++n;
    return n;
}

bool App::log_line_red(const wxString& text)
{
    wxTextCtrl* log = app_->GetUartDataLog();
    const long at = log->GetValue().find("  " + text + "\r");
    if (at == static_cast<long>(wxString::npos))
        return false;
    wxTextAttr style;
    log->GetStyle(at + 3, style);
    return style.HasTextColour() && style.GetTextColour() == *wxRED;
}

bool App::monitor_shows(const std::vector<uint8_t>& frame, bool red)
{
    for (const Line& l : monitor_lines())
        if (l.red == red && line_bytes(l.text) == frame)
            return true;
    return false;
}

void connect_and_reset(App& app, SimEndpoint& end)
{
    // Only this connect's state line counts.
    app->GetUartDataLog()->Clear();
    ASSERT_TRUE(app.connect_to(end));
    ASSERT_TRUE(app.wait_for_log(connected_text(end.link())));
    ASSERT_TRUE(reader_got(end, 0x70));
}

bool reader_got(SimEndpoint& end, uint8_t cmd, size_t nth, int timeout_ms)
{
    using namespace std::chrono_literals;
    return gui_test::pump_until(
        [&] { return end.reader().WaitForCommand(cmd, 0ms, nth).has_value(); }, timeout_ms);
}

bool App::wait_for_log(const wxString& text, int timeout_ms)
{
    wxTextCtrl* log = app_->GetUartDataLog();
    const bool seen = gui_test::pump_until(
        [&] { return log->GetValue().Contains("  " + text + "\r"); }, timeout_ms);
    if (!seen)
        std::fprintf(stderr, "operation log so far:\n%s\n", log->GetValue().utf8_str().data());
    return seen;
}

std::vector<App::Line> App::monitor_lines()
{
    // As the operator does: the page shows what came while it was behind.
    if (auto* book = dynamic_cast<wxBookCtrlBase*>(monitor()->GetParent()))
        book->SetSelection(static_cast<size_t>(book->FindPage(monitor())));
    wxTextCtrl* box = monitor()->GetTextCtrl();
    std::vector<Line> lines;
    const wxString all = box->GetValue();
    long start = 0;
    for (;;) {
        const long end = all.find('\n', start);
        if (end == static_cast<long>(wxString::npos))
            break;
        if (end > start) {
            wxTextAttr style;
            box->GetStyle(start + 1, style);
            const bool red = style.HasTextColour() && style.GetTextColour() == *wxRED;
            lines.push_back({std::string(all.Mid(start, end - start).utf8_str()), red});
        }
        start = end + 1;
    }
    return lines;
}

bool rerun_alone(const std::string& filter, std::string* output)
{
    char dir_template[] = "/tmp/reader-alone-XXXXXX";
    const char* dir = mkdtemp(dir_template);
    if (!dir) {
        *output = "no folder for the copy";
        return false;
    }
    const std::string copy = std::string(dir) + "/tests";
    {
        std::ifstream from(platform::ExecutablePath(), std::ios::binary);
        std::ofstream to(copy, std::ios::binary);
        to << from.rdbuf();
    }
    chmod(copy.c_str(), 0755);
    const std::string cmd = copy + " --gtest_filter='" + filter + "' > " + dir + "/out.txt 2>&1";
    const int status = std::system(cmd.c_str());
    std::ifstream out(std::string(dir) + "/out.txt");
    output->assign(std::istreambuf_iterator<char>(out), {});
    if (std::system((std::string("rm -rf '") + dir + "'").c_str()) != 0)
        std::fprintf(stderr, "could not remove %s\n", dir);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
           output->find("[  PASSED  ] 1 test") != std::string::npos;
}

std::string hex(const std::vector<uint8_t>& bytes)
{
    std::string out;
    char digits[4];
    for (uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02X ", b);
        out += digits;
    }
    if (!out.empty())
        out.pop_back();
    return out;
}

std::vector<uint8_t> line_bytes(const std::string& line)
{
    std::vector<uint8_t> bytes;
    const size_t close = line.find("] ");
    if (line.empty() || line[0] != '[' || close == std::string::npos)
        return bytes;
    std::istringstream in(line.substr(close + 2));
    std::string token;
    while (in >> token) {
        if (token.size() != 2)
            return {};
        bytes.push_back(static_cast<uint8_t>(std::stoul(token, nullptr, 16)));
    }
    return bytes;
}

std::string last_frame(SimEndpoint& end, uint8_t cmd)
{
    std::string out;
    for (const readersim::TimedFrame& f : end.reader().Received())
        if (f.frame.cmd == cmd)
            out = hex(readersim::EncodeFrame(f.frame.addr, f.frame.cmd, f.frame.data));
    return out;
}

}  // namespace link_test
