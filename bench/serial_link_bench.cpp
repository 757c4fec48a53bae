// A timed run of the RS-232 link through the real controller and link
// thread against the simulated reader on a pseudo-terminal, all on the
// framework's own event loop as in the program:
//   - what the program costs while idle, not connected and connected (the
//     whole program and its link thread), beside a bare wx program with a
//     1 ms and a 5 ms timer measured in the same run;
//   - how many reply frames a second reach the decoder while the reader
//     streams tag reports, with the serial monitor off and on, and whether
//     any is lost;
//   - the delay from a frame's arrival at the port to its decoding, while
//     replies keep coming and after a silence;
//   - how long a 200-byte firmware packet holds the thread that sends it
//     (the GUI thread) at 9,600 baud.
// CPU figures are medians of several samples; the simulated reader's own
// threads are left out of them.
//
// Run under a display, from the folder holding liblodeport.so and log.conf:
//   cd build/bin && xvfb-run -a ./serial_link_bench [reports] [idle seconds] [samples]
#include "APP.h"
#include "diagnostic_log.h"
#include "quiet_idle_app.h"
#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "platform/platform.h"
#include "sdk_package/uart/UartThread.h"
#include "serial_port_library/lodeport.h"
#include "sim_reader.h"
#include "sim_transport.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/reader_uart_monitor_pannel_base/uart_monitor_pannel.h"

#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <dirent.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

class BenchApp : public QuietIdleApp {
public:
    bool OnInit() override { return true; }
};

// Runs the framework's event loop until `done` holds (looked at every
// 10 ms) or `timeout_ms` passes; returns whether it held.
bool run_until(const std::function<bool()>& done, int timeout_ms)
{
    if (done())
        return true;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    bool held = false;
    wxGUIEventLoop loop;
    wxTimer check;
    check.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        held = done();
        if (held || Clock::now() >= deadline)
            loop.Exit();
    });
    check.Start(10);
    loop.Run();
    return held;
}

// Runs the event loop for `ms` with nothing else added to it.
void run_for(int ms)
{
    wxGUIEventLoop loop;
    wxTimer stop;
    stop.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { loop.Exit(); });
    stop.StartOnce(ms);
    loop.Run();
}

// ------------------------------------------------------------ CPU account

std::vector<long> tasks()
{
    std::vector<long> ids;
    if (DIR* dir = opendir("/proc/self/task")) {
        while (dirent* e = readdir(dir))
            if (e->d_name[0] != '.')
                ids.push_back(std::atol(e->d_name));
        closedir(dir);
    }
    return ids;
}

// Time the task has run, in seconds (user and system).
double task_cpu(long tid)
{
    std::ifstream in("/proc/self/task/" + std::to_string(tid) + "/schedstat");
    double ns = 0;
    in >> ns;
    return ns / 1e9;
}

double thread_cpu(pthread_t thread)
{
    clockid_t clock;
    timespec ts{};
    if (pthread_getcpuclockid(thread, &clock) != 0 || clock_gettime(clock, &ts) != 0)
        return 0;
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// The simulated reader's threads, which are not the program's.
std::set<long> g_sim_tasks;

double program_cpu()
{
    double sum = 0;
    for (long tid : tasks())
        if (!g_sim_tasks.count(tid))
            sum += task_cpu(tid);
    return sum;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t at = std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5));
    return v[at];
}

struct IdleCost {
    double program = 0;  // percent of one core
    double link = 0;
};

// `samples` runs of the event loop of `seconds` each: the medians of the
// program's and of the thread `link`'s (if any) share of one core.
IdleCost idle_cost(int seconds, int samples, const pthread_t* link)
{
    std::vector<double> program, thread;
    for (int i = 0; i < samples; ++i) {
        const double p0 = program_cpu();
        const double l0 = link ? thread_cpu(*link) : 0;
        const auto t0 = Clock::now();
        run_for(seconds * 1000);
        const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
        program.push_back(100 * (program_cpu() - p0) / wall);
        if (link)
            thread.push_back(100 * (thread_cpu(*link) - l0) / wall);
    }
    return {median(program), median(thread)};
}

// A bare wx program: one empty frame, a 1 ms and a 5 ms timer, the
// framework's default idle processing.
double bare_timers_cost(int seconds, int samples)
{
    const wxUpdateUIMode ui_mode = wxUpdateUIEvent::GetMode();
    const wxIdleMode idle_mode = wxIdleEvent::GetMode();
    wxUpdateUIEvent::SetMode(wxUPDATE_UI_PROCESS_ALL);
    wxIdleEvent::SetMode(wxIDLE_PROCESS_ALL);
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "bare");
    frame->Show();
    wxTimer fast(frame), slow(frame);
    frame->Bind(wxEVT_TIMER, [](wxTimerEvent& e) { e.Skip(); });
    fast.Start(1);
    slow.Start(5);
    run_for(500);
    const double cost = idle_cost(seconds, samples, nullptr).program;
    fast.Stop();
    slow.Stop();
    frame->Destroy();
    run_for(200);
    // Back to what the program asks for.
    wxUpdateUIEvent::SetMode(ui_mode);
    wxIdleEvent::SetMode(idle_mode);
    return cost;
}

// ------------------------------------------------------------ the link

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
    const bool all =
        run_until([&] { return app->get_frames_decoded() - before >= reports; }, 120000);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    reader.WaitStreamEnd(std::chrono::milliseconds(1000));
    run_for(200);
    const uint64_t got = app->get_frames_decoded() - before;
    std::printf("frames into the decoder, monitor %-3s: %8.0f frames/s  (%llu of %llu sent, "
                "in %.2f s)%s\n",
                monitor ? "on" : "off", got / seconds, static_cast<unsigned long long>(got),
                static_cast<unsigned long long>(reader.StreamSent()), seconds,
                all && got == reader.StreamSent() ? "" : "  FRAMES LOST");
    command(app, &UartThread::StartInventoryFlag, 3);
    run_for(300);
    return all;
}

// `count` reset replies, each `gap` after the last, from another thread; the
// delay of each from just before its write to the port until the decoder's
// log line for it, in milliseconds.
std::vector<double> reply_delays(MainAPP* app, readersim::SimReader& reader, int count,
                                 std::chrono::milliseconds gap)
{
    std::mutex lock;
    std::vector<Clock::time_point> sent, decoded;
    wxTextCtrl* log = app->GetUartDataLog();
    auto on_line = [&](wxCommandEvent& e) {
        const auto now = Clock::now();
        std::lock_guard<std::mutex> hold(lock);
        decoded.push_back(now);
        e.Skip();
    };
    log->Bind(wxEVT_TEXT, on_line);
    std::atomic<bool> done{false};
    std::thread sender([&] {
        for (int i = 0; i < count; ++i) {
            std::this_thread::sleep_for(gap);
            {
                std::lock_guard<std::mutex> hold(lock);
                sent.push_back(Clock::now());
            }
            reader.SendFrame(0, 0x70, {0x10});
        }
        done = true;
    });
    run_until([&] {
        std::lock_guard<std::mutex> hold(lock);
        return done && decoded.size() >= sent.size();
    }, count * static_cast<int>(gap.count()) + 10000);
    sender.join();
    log->Unbind(wxEVT_TEXT, on_line);
    std::vector<double> delays;
    for (size_t i = 0; i < sent.size() && i < decoded.size(); ++i)
        delays.push_back(std::chrono::duration<double, std::milli>(decoded[i] - sent[i]).count());
    if (decoded.size() != sent.size())
        std::printf("  %zu replies sent, %zu decoded\n", sent.size(), decoded.size());
    return delays;
}

// ---------------------------------------------------------- a slow line

// liblodeport's port, whose Write also takes as long as a UART at 9,600 baud
// needs for the bytes (ten bits each), as it does on a real port: a
// pseudo-terminal takes any amount at once.
class PacedPort : public LodePort {
public:
    bool Write(char* buffer, long count) override
    {
        const bool sent = LodePort::Write(buffer, count);
        std::this_thread::sleep_for(std::chrono::microseconds(count * 10 * 1000000 / 9600));
        return sent;
    }
};

// The serial driver sends `packets` firmware packets of 200 bytes at 9,600
// baud on `device`, each 300 ms after the last (the reader's
// acknowledgement), while a worker writes what is queued as the link thread
// does; prints how long each send held the sending thread.
void packet_hold(const std::string& device, int packets)
{
    PacedPort port;
    LibWinUart uart;
    uart.Serial = &port;
    if (uart.ConnectUart(device, 9600) != 0) {
        std::fprintf(stderr, "cannot open %s\n", device.c_str());
        uart.Serial = nullptr;
        return;
    }
    const int wake = platform::OpenWakeup();
    uart.set_wake_fd(wake);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        while (!done) {
            platform::WaitReadable(-1, wake, 100);
            platform::ClearWakeup(wake);
            uart.flush_writes();
        }
    });
    const std::vector<uint8_t> image(200, 0x5A);
    std::vector<double> held;
    for (int i = 0; i < packets; ++i) {
        const auto start = Clock::now();
        uart.Reader_App_Upgrade(static_cast<uint32_t>(i), 0, image.data(), static_cast<uint16_t>(image.size()));
        held.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    done = true;
    platform::RaiseWakeup(wake);
    worker.join();
    uart.DisConnected();
    uart.Serial = nullptr;
    platform::CloseWakeup(wake);
    std::printf("sending thread held per 200-byte packet at 9600 baud: median %7.3f ms, max %7.3f ms  "
                "(%d packets)\n",
                median(held), *std::max_element(held.begin(), held.end()), packets);
}

void print_delays(const char* what, const std::vector<double>& d)
{
    std::printf("delay port -> decoder, %-27s median %5.2f ms, p99 %5.2f ms, max %5.2f ms  "
                "(%zu replies)\n",
                what, median(d), percentile(d, 0.99), d.empty() ? 0 : *std::max_element(d.begin(), d.end()),
                d.size());
}

}  // namespace

int main(int argc, char** argv)
{
    const uint64_t reports = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 50000;
    const int idle_seconds = argc > 2 ? std::atoi(argv[2]) : 10;
    const int samples = argc > 3 ? std::atoi(argv[3]) : 3;

    const long main_task = syscall(SYS_gettid);
    readersim::SimReader reader;
    readersim::SimPty pty(reader);
    std::string error;
    if (!pty.Start(&error)) {
        std::fprintf(stderr, "simulated reader: %s\n", error.c_str());
        return 1;
    }
    for (long tid : tasks())
        if (tid != main_task)
            g_sim_tasks.insert(tid);
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

    std::printf("idle figures: median of %d samples of %d s, %% of one core\n", samples,
                idle_seconds);
    const double bare = bare_timers_cost(idle_seconds, samples);
    std::printf("bare wx program, 1 ms and 5 ms timers:  whole program %5.2f%%\n", bare);

    MainAPP* app = new MainAPP(nullptr);
    app->Show();
    const pthread_t link = static_cast<pthread_t>(app->get_uart_thread()->GetId());
    run_for(1000);
    const IdleCost apart = idle_cost(idle_seconds, samples, &link);
    std::printf("program, not connected:                 whole program %5.2f%%, link thread %5.2f%%\n",
                apart.program, apart.link);

    connect_pannel* page = app->base_setting_pannel->connect_subpannel;
    wxChoice* ports = page->GetUartNumber_choice();
    const wxString port = wxString::FromUTF8(pty.LinkPath().c_str());
    if (!run_until([&] { return ports->FindString(port) != wxNOT_FOUND; }, 5000)) {
        std::fprintf(stderr, "the port never showed up\n");
        return 1;
    }
    ports->SetSelection(ports->FindString(port));
    page->GetUartBound_choice()->SetSelection(13);
    wxCommandEvent press(wxEVT_BUTTON, page->GetConnectReader_button()->GetId());
    press.SetEventObject(page->GetConnectReader_button());
    page->GetConnectReader_button()->ProcessWindowEvent(press);
    if (!run_until([&] { return app->get_frames_decoded() >= 1; }, 5000)) {
        std::fprintf(stderr, "no reply to the reset\n");
        return 1;
    }
    // The connected link's thread is the same object as before.
    run_for(1000);
    const IdleCost together = idle_cost(idle_seconds, samples, &link);
    std::printf("program, connected, reader silent:      whole program %5.2f%%, link thread %5.2f%%\n",
                together.program, together.link);

    // Before the streams fill the monitor with 100,000 lines. Each reset
    // reply writes an operation-log line (and a monitor line), whose
    // drawing the next reply may have to wait for.
    const std::vector<double> busy = reply_delays(app, reader, 200, std::chrono::milliseconds(20));
    const std::vector<double> quiet = reply_delays(app, reader, 60, std::chrono::milliseconds(250));
    // The monitor page in front draws every line as it comes.
    auto* book = static_cast<wxBookCtrlBase*>(app->get_uart_monitor_pannel()->GetParent());
    book->SetSelection(static_cast<size_t>(book->FindPage(app->get_uart_monitor_pannel())));
    const std::vector<double> busy_in_front =
        reply_delays(app, reader, 200, std::chrono::milliseconds(20));
    book->SetSelection(0);
    // The page switch lays the window out again: not part of what follows.
    run_for(500);
    app->GetOpen_uart_monitor_checkBox()->SetValue(false);
    const std::vector<double> busy_unmonitored =
        reply_delays(app, reader, 200, std::chrono::milliseconds(20));

    stream(app, reader, reports, false);
    stream(app, reader, reports, true);

    print_delays("a reply every 20 ms:", busy);
    print_delays("the same, monitor in front:", busy_in_front);
    print_delays("the same, monitor off:", busy_unmonitored);
    print_delays("a reply after 250 ms quiet:", quiet);

    app->Close(true);
    wxTheApp->ProcessIdle();
    packet_hold(pty.LinkPath(), 10);
    pty.CloseLink();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
