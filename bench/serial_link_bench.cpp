// A timed run of the RS-232 link through the real controller and link
// thread: how many reply frames a second reach the decoder while the
// simulated reader streams tag reports over a pseudo-terminal, whether any
// is lost, and what the program costs while connected and idle.
//
// Run under a display, from the folder holding liblodeport.so and log.conf:
//   cd build/bin && xvfb-run -a ./serial_link_bench [reports] [idle seconds]
#include "APP.h"
#include "diagnostic_log.h"
#include "quiet_idle_app.h"
#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "sdk_package/uart/UartThread.h"
#include "sim_reader.h"
#include "sim_transport.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/timer.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include <pthread.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

double thread_cpu_seconds(pthread_t thread)
{
    clockid_t clock;
    timespec ts{};
    if (pthread_getcpuclockid(thread, &clock) != 0 || clock_gettime(clock, &ts) != 0)
        return 0;
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

void command(MainAPP* app, LinkThread::Flag UartThread::*flag, uint8_t value)
{
    app->get_uart_thread()->*flag = value;
    rfidConfigEvent event(wxEVT_UART_CTRL, 0);
    EventNotifier::Get()->AddPendingEvent(event);
}

// One inventory of `reports` tag reports; prints the rate at the decoder.
bool stream(MainAPP* app, readersim::SimReader& reader, uint64_t reports, bool monitor)
{
    app->GetOpen_uart_monitor_checkBox()->SetValue(monitor);
    readersim::StreamConfig config;
    config.population = 5000;
    config.rate = 0;  // as fast as the link takes them
    config.limit = reports;
    reader.SetStream(config);
    const uint64_t before = app->get_frames_decoded();
    const auto start = Clock::now();
    command(app, &UartThread::StartInventoryFlag, 1);
    const bool all = pump_until(
        [&] { return app->get_frames_decoded() - before >= reports; }, 120000);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    reader.WaitStreamEnd(std::chrono::milliseconds(1000));
    pump_until([] { return false; }, 200);
    const uint64_t got = app->get_frames_decoded() - before;
    std::printf("monitor %-3s: %llu of %llu reports sent reached the decoder in %.2f s: "
                "%.0f frames/s%s\n",
                monitor ? "on" : "off", static_cast<unsigned long long>(got),
                static_cast<unsigned long long>(reader.StreamSent()), seconds, got / seconds,
                all && got == reader.StreamSent() ? "" : "  (FRAMES LOST)");
    command(app, &UartThread::StartInventoryFlag, 3);
    pump_until([] { return false; }, 300);
    return all;
}

}  // namespace

int main(int argc, char** argv)
{
    const uint64_t reports = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 50000;
    const int idle_seconds = argc > 2 ? std::atoi(argv[2]) : 10;

    readersim::SimReader reader;
    readersim::SimPty pty(reader);
    std::string error;
    if (!pty.Start(&error)) {
        std::fprintf(stderr, "simulated reader: %s\n", error.c_str());
        return 1;
    }
    setenv("READER_EXTRA_PORTS", pty.LinkPath().c_str(), 1);
    setenv("NO_AT_BRIDGE", "1", 1);

    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "no display: run under xvfb-run -a\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    // The shipped log.conf, as the program runs it (the trace line a tick).
    configure_diagnostic_log("log.conf");

    MainAPP* app = new MainAPP(nullptr);
    app->Show();
    connect_pannel* page = app->base_setting_pannel->connect_subpannel;
    wxChoice* ports = page->GetUartNumber_choice();
    const wxString port = wxString::FromUTF8(pty.LinkPath().c_str());
    if (!pump_until([&] { return ports->FindString(port) != wxNOT_FOUND; }, 5000)) {
        std::fprintf(stderr, "the port never showed up\n");
        return 1;
    }
    ports->SetSelection(ports->FindString(port));
    page->GetUartBound_choice()->SetSelection(13);
    wxCommandEvent press(wxEVT_BUTTON, page->GetConnectReader_button()->GetId());
    press.SetEventObject(page->GetConnectReader_button());
    page->GetConnectReader_button()->ProcessWindowEvent(press);
    if (!pump_until([&] { return app->get_frames_decoded() >= 1; }, 5000)) {
        std::fprintf(stderr, "no reply to the reset\n");
        return 1;
    }

    stream(app, reader, reports, false);
    stream(app, reader, reports, true);

    // Connected, nothing on the line.
    pump_until([] { return false; }, 500);
    const pthread_t link = static_cast<pthread_t>(app->get_uart_thread()->GetId());
    const double cpu0 = process_cpu_seconds();
    const double link0 = thread_cpu_seconds(link);
    const auto t0 = Clock::now();
    // The framework's own event loop, as in the program, until a timer ends it.
    {
        wxGUIEventLoop loop;
        wxTimer stop;
        stop.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { loop.Exit(); });
        stop.StartOnce(idle_seconds * 1000);
        loop.Run();
    }
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    std::printf("connected and idle for %.1f s: whole program %.2f%% of one core, "
                "link thread %.2f%%\n",
                wall, 100 * (process_cpu_seconds() - cpu0) / wall,
                100 * (thread_cpu_seconds(link) - link0) / wall);

    app->Close(true);
    wxTheApp->ProcessIdle();
    pty.CloseLink();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
