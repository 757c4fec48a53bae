// Tag reports into the real-time inventory page while it is on screen:
// how many reports a second the page takes with its list and boxes kept up
// to date, and how long the event loop is held up at the most while a
// reader reports 20,000 tags a second over 5000 distinct tags (or over
// `tags`, of which those past the 5000th are counted but not listed).
//
// Run under a display: xvfb-run -a ./realtime_page_bench [seconds [tags]]
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class BenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

const int kReportBytes = 3 + 12 + 7;
// The controller hands over at most this many replies per 1 ms tick.
const int kBurst = 50;

struct Reports {
    std::vector<uint8_t> bytes;
    int count = 0;
    int next = 0;

    Reports(int n, int tags) : count(n)
    {
        for (int i = 0; i < n; ++i) {
            const int tag = i % tags;
            const uint8_t one[kReportBytes] = {static_cast<uint8_t>(1 + i % 4), 0x30, 0x00, 0xE2, 0x00, 0x00,
                                               0x17, 0x22, 0x0A, static_cast<uint8_t>(tag >> 16), 0x23,
                                               static_cast<uint8_t>(tag >> 8), static_cast<uint8_t>(tag), 0x89,
                                               0xAB, 0x08, static_cast<uint8_t>(0x10 + i % 29), 0x00, 0x00,
                                               0x0E, 0x0A, 0x3D};
            bytes.insert(bytes.end(), one, one + kReportBytes);
        }
    }

    void feed(realtime_inventory_pannel* page, int n)
    {
        for (int i = 0; i < n; ++i) {
            page->SetEpcTable(&bytes[static_cast<size_t>(next) * kReportBytes], kReportBytes + 3);
            if (++next == count)
                next = 0;
        }
    }
};

double ms_since(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const int tags = argc > 2 ? std::max(1, atoi(argv[2])) : 5000;
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "no display: run under xvfb-run -a\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    {
        wxFrame* frame = new wxFrame(nullptr, wxID_ANY, wxT("bench"), wxDefaultPosition, wxSize(1100, 750));
        realtime_inventory_pannel* page = new realtime_inventory_pannel(frame);
        frame->Show();
        page->SetAntMode(1);
        for (int i = 0; i < 50; ++i)
            wxTheApp->Yield(true);

        Reports reports(std::max(tags * 7, 35000), tags);

        // As fast as the page takes them, kBurst per turn of the event loop.
        const int kFast = 1000000;
        Clock::time_point start = Clock::now();
        double worst_turn = 0;
        for (int sent = 0; sent < kFast; sent += kBurst) {
            const Clock::time_point turn = Clock::now();
            reports.feed(page, kBurst);
            wxTheApp->Yield(true);
            worst_turn = std::max(worst_turn, ms_since(turn));
        }
        const double fast_ms = ms_since(start);
        printf("unpaced: %d reports in %.0f ms = %.0f reports/s; longest loop turn %.1f ms; %d tags listed\n", kFast,
               fast_ms, kFast / fast_ms * 1000.0, worst_turn, page->GetListCtrl13()->GetItemCount());

        // 20,000 reports a second, handed over every millisecond.
        const int kRate = 20000;
        start = Clock::now();
        long sent = 0;
        worst_turn = 0;
        const Clock::time_point cpu_wall = Clock::now();
        const std::clock_t cpu_start = std::clock();
        while (ms_since(start) < seconds * 1000.0) {
            const Clock::time_point turn = Clock::now();
            const long due = static_cast<long>(ms_since(start) * kRate / 1000.0);
            const int now = static_cast<int>(std::min<long>(due - sent, kBurst * 4));
            reports.feed(page, now);
            sent += now;
            wxTheApp->Yield(true);
            worst_turn = std::max(worst_turn, ms_since(turn));
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        const double cpu = 100.0 * (std::clock() - cpu_start) / CLOCKS_PER_SEC / (ms_since(cpu_wall) / 1000.0);
        printf("paced at %d/s for %d s: %ld reports taken, longest loop turn %.1f ms, %.0f%% of a core\n", kRate,
               seconds, sent, worst_turn, cpu);
        frame->Destroy();
        wxTheApp->Yield(true);
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
