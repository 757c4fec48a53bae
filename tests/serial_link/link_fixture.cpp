#include "link_fixture.h"

#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/reader_uart_monitor_pannel_base/uart_monitor_pannel.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/choice.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

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

bool App::log_red(const wxString& text)
{
    wxTextCtrl* log = app_->GetUartDataLog();
    const size_t found = log->GetValue().rfind(text);
    const long at = found == wxString::npos ? wxNOT_FOUND : static_cast<long>(found);
    wxTextAttr style;
    return at != wxNOT_FOUND && log->GetStyle(at + 1, style) && style.GetTextColour() == *wxRED;
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

}  // namespace link_test
