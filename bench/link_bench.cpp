// A timed run of the TCP and USB-HID links through the real controller and
// link threads: how many reply frames a second reach the decoder while the
// simulated reader streams tag reports over TCP loopback, whether any is
// lost, and what the program costs while connected and idle on each link,
// beside a bare wx program with the controller's 1 ms and 5 ms timers.
//
// Run under a display, from the folder holding the stand-in hidapi:
//   cd build/bin-hidstub && xvfb-run -a ./link_bench [reports] [idle seconds]
#include "APP.h"
#include "quiet_idle_app.h"
#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "sdk_package/hid/HIDThread.h"
#include "sdk_package/socket/TCPThread.h"
#include "sim_hid.h"
#include "sim_reader.h"
#include "sim_transport.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/radiobox.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <easylogging++.h>

#include <algorithm>
#include <chrono>
#include <vector>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include <pthread.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

class BenchApp : public QuietIdleApp {
public:
    bool OnInit() override { return true; }
};

bool pump_until(const std::function<bool()>& done, int timeout_ms)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (Clock::now() > deadline)
            return false;
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

double process_cpu_seconds()
{
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return use.ru_utime.tv_sec + use.ru_stime.tv_sec +
           (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

double thread_cpu_seconds(wxThread* thread)
{
    clockid_t clock;
    timespec ts{};
    if (!thread || pthread_getcpuclockid(static_cast<pthread_t>(thread->GetId()), &clock) != 0 ||
        clock_gettime(clock, &ts) != 0)
        return 0;
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

void press(wxButton* button)
{
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

void choose(wxRadioBox* box, int index)
{
    box->SetSelection(index);
    wxCommandEvent event(wxEVT_RADIOBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(index);
    box->ProcessWindowEvent(event);
}

// Runs the framework's own event loop, as the program does, for `seconds`;
// prints the CPU the process and `thread` used meanwhile.
void measure_idle(const char* what, int seconds, wxThread* thread)
{
    const double cpu0 = process_cpu_seconds();
    const double thread0 = thread_cpu_seconds(thread);
    const auto t0 = Clock::now();
    {
        wxGUIEventLoop loop;
        wxTimer stop;
        stop.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { loop.Exit(); });
        stop.StartOnce(seconds * 1000);
        loop.Run();
    }
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    std::printf("%-40s whole program %5.2f%% of one core", what,
                100 * (process_cpu_seconds() - cpu0) / wall);
    if (thread)
        std::printf(", link thread %5.3f%%", 100 * (thread_cpu_seconds(thread) - thread0) / wall);
    std::printf("\n");
}

// A window with nothing but the controller's 1 ms and 5 ms timers.
long resident_kb()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void bare_program(int seconds)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "bare");
    frame->Show();
    wxTimer fast(frame), slow(frame);
    uint64_t ticks = 0;
    frame->Bind(wxEVT_TIMER, [&](wxTimerEvent&) { ++ticks; });
    fast.Start(1);
    slow.Start(5);
    measure_idle("bare wx program, 1 ms + 5 ms timers:", seconds, nullptr);
    std::printf("resident of the bare wx program: %ld MB\n", resident_kb() / 1024);
    fast.Stop();
    slow.Stop();
    frame->Destroy();
    wxTheApp->ProcessIdle();
}

// One inventory of `reports` tag reports as fast as TCP takes them.
void stream(MainAPP* app, readersim::SimReader& reader, uint64_t reports, bool monitor)
{
    app->GetOpen_uart_monitor_checkBox()->SetValue(monitor);
    readersim::StreamConfig config;
    config.population = 5000;
    config.rate = 0;
    config.limit = reports;
    reader.SetStream(config);
    const uint64_t before = app->get_frames_decoded();
    const auto start = Clock::now();
    app->get_tcp_thread()->StartInventoryFlag = 1;
    rfidConfigEvent event(wxEVT_TCP_CTRL, 0);
    EventNotifier::Get()->AddPendingEvent(event);
    const bool all = pump_until([&] { return app->get_frames_decoded() - before >= reports; },
                                120000);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    reader.WaitStreamEnd(std::chrono::milliseconds(1000));
    pump_until([] { return false; }, 200);
    const uint64_t got = app->get_frames_decoded() - before;
    std::printf("TCP, monitor %-3s: %llu of %llu reports reached the decoder in %.2f s: "
                "%.0f frames/s%s\n",
                monitor ? "on" : "off", static_cast<unsigned long long>(got),
                static_cast<unsigned long long>(reader.StreamSent()), seconds, got / seconds,
                all && got == reader.StreamSent() ? "" : "  (FRAMES LOST)");
    app->get_tcp_thread()->StartInventoryFlag = 3;
    EventNotifier::Get()->AddPendingEvent(event);
    pump_until([] { return false; }, 300);
}

// A real-time inventory started with the page's own button: 5,000 distinct
// tags, `reports` reports at `rate` a second (0: as fast as TCP takes
// them). Reports per second into the page's table, whether any was lost
// (the page's accumulated count against what the reader sent), the longest
// turns of the event loop, and the resident memory.
void inventory_through_page(MainAPP* app, readersim::SimReader& reader, uint64_t reports, double rate,
                            bool monitor)
{
    realtime_inventory_pannel* page = app->rfid_6c_tag_test_pannel->realtime_inventory_subpannel;
    app->GetOpen_uart_monitor_checkBox()->SetValue(monitor);
    press(page->GetFlashManu_button());
    readersim::StreamConfig config;
    config.population = 5000;
    config.rate = rate;
    config.limit = reports;
    reader.SetStream(config);
    const wxString want = wxString::Format("%llu", static_cast<unsigned long long>(reports));
    std::vector<double> turns;
    const auto start = Clock::now();
    press(page->GetStartInventory_button());
    auto last = Clock::now();
    const auto deadline = start + std::chrono::seconds(180);
    while (page->GetAcumulateData_textCtrl()->GetValue() != want && Clock::now() < deadline) {
        wxTheApp->Yield(true);
        const auto now = Clock::now();
        turns.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::sort(turns.begin(), turns.end());
    const double p99 = turns.empty() ? 0 : turns[turns.size() * 99 / 100];
    const double worst = turns.empty() ? 0 : turns.back();
    std::printf("real-time page over TCP, %s a second, monitor %-3s: %s of %llu reports in the table "
                "(%d tags) in %.2f s: %.0f reports/s; event-loop turns p99 %.1f ms, longest %.1f ms; "
                "resident %ld MB\n",
                rate > 0 ? std::to_string(static_cast<long>(rate)).c_str() : "as fast as possible",
                monitor ? "on" : "off", page->GetAcumulateData_textCtrl()->GetValue().utf8_string().c_str(),
                static_cast<unsigned long long>(reader.StreamSent()), page->GetEpcBufferNum(), seconds,
                reports / seconds, p99, worst, resident_kb() / 1024);
    press(page->GetStartInventory_button());
    pump_until([] { return false; }, 300);
}

}  // namespace

int main(int argc, char** argv)
{
    const uint64_t reports = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 50000;
    const int idle_seconds = argc > 2 ? std::atoi(argv[2]) : 10;
    setenv("NO_AT_BRIDGE", "1", 1);

    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "no display: run under xvfb-run -a\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    el::Loggers::reconfigureAllLoggers(el::ConfigurationType::ToStandardOutput, "false");

    bare_program(idle_seconds);

    readersim::SimReader reader;
    readersim::SimTcpServer server(reader);
    std::string error;
    if (!server.Start(0, &error)) {
        std::fprintf(stderr, "simulated reader: %s\n", error.c_str());
        return 1;
    }
    MainAPP* app = new MainAPP(nullptr);
    app->Show();
    pump_until([] { return false; }, 300);
    std::printf("resident with the window up: %ld MB\n", resident_kb() / 1024);
    connect_pannel* page = app->base_setting_pannel->connect_subpannel;
    choose(page->GetConnectMethod(), 1);
    pump_until([&] { return app->get_uart_thread() == nullptr; }, 5000);
    page->GetReaderID_textCtrl()->SetValue("127.0.0.1");
    page->GetPortName_textCtrl()->SetValue(std::to_string(server.Port()));
    press(page->GetConnecteReader_button());
    if (!pump_until([&] { return app->get_frames_decoded() >= 1; }, 5000)) {
        std::fprintf(stderr, "no reply to the reset over TCP\n");
        return 1;
    }
    stream(app, reader, reports, false);
    stream(app, reader, reports, true);
    inventory_through_page(app, reader, 200000, 0, false);
    inventory_through_page(app, reader, 20000, 2000, true);
    pump_until([] { return false; }, 500);
    measure_idle("TCP connected and idle:", idle_seconds, app->get_tcp_thread());
    press(page->GetDisConnecteReader_button());
    pump_until([] { return false; }, 500);

    // USB-HID over the stand-in hidapi.
    if (!hidstub::control().loaded()) {
        std::fprintf(stderr, "no stand-in hidapi beside the program: USB-HID not measured\n");
    } else {
        readersim::SimReader hid_reader;
        hidstub::SimHidDevice device(hid_reader, "/dev/hidraw-bench",
                                     hidstub::default_manufacturer());
        device.plug();
        choose(page->GetConnectMethod(), 2);
        pump_until([&] { return app->get_tcp_thread() == nullptr; }, 5000);
        const uint64_t before = app->get_frames_decoded();
        press(page->GetConnecthid_button());
        if (pump_until([&] { return app->get_frames_decoded() > before; }, 5000)) {
            pump_until([] { return false; }, 500);
            measure_idle("USB-HID connected and idle:", idle_seconds, app->get_hid_thread());
        } else {
            std::fprintf(stderr, "no reply to the reset over USB-HID\n");
        }
        press(page->GetDisconnecthid_button());
        pump_until([] { return false; }, 300);
        device.unplug();
    }

    app->Close(true);
    wxTheApp->ProcessIdle();
    server.Stop();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
