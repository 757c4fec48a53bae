// The controller's receive path: reply frames from the active link's queue
// to the decoder and the serial monitor, the tag-list feed and the
// elapsed-time tick.
#include "APP.h"

#include "sdk_package/hid/HIDThread.h"
#include "sdk_package/socket/TCPThread.h"
#include "sdk_package/uart/UartThread.h"
#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_rw_pannel_base/rfid_storage_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/reader_switchant_inventory_base/reader_switchant_inventory_pannel.h"
#include "wxcrafter/reader_uart_monitor_pannel_base/uart_monitor_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <easylogging++.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>

namespace {

// Frames the serial link decodes per 1 ms tick at the most.
constexpr size_t kSerialFramesPerTick = 50;
// Entries the tag-list feed hands on per 5 ms tick.
constexpr int kFeedPerTick = 20;
// How long the receive and monitor timers go on ticking over an empty queue
// before they stop: a reader that answers or reports at all keeps them
// running, a silent one costs nothing.
constexpr std::chrono::milliseconds kQuietSpell(100);

// "[time] A0 03 00 70 ED \n": Len + 2 bytes, never past `capacity`.
void append_frame_line(std::string& out, const std::string& time, const uint8_t* frame,
                       size_t capacity)
{
    static const char hex[] = "0123456789ABCDEF";
    const size_t count = std::min<size_t>(capacity < 2 ? capacity : frame[1] + 2u, capacity);
    out += '[';
    out += time;
    out += "] ";
    for (size_t i = 0; i < count; ++i) {
        out += hex[frame[i] >> 4];
        out += hex[frame[i] & 0x0F];
        out += ' ';
    }
    out += '\n';
}

}  // namespace

std::function<void()> MainAPP::receive_wake_hook()
{
    // Runs on the worker: it only queues an event.
    wxEvtHandler* self = this;
    const int id = receive_wake_id;
    return [self, id] { wxQueueEvent(self, new wxThreadEvent(wxEVT_THREAD, id)); };
}

void MainAPP::OnReceiveWake(wxThreadEvent&)
{
    if (data_timer->IsRunning())
        return;
    SetDataTime();
    // The first tick at once, rather than a timer period later.
    wxTimerEvent tick(*data_timer);
    DataTimer(tick);
}

bool MainAPP::quiet_for_long(std::chrono::steady_clock::time_point& busy_at, bool worked)
{
    const auto now = std::chrono::steady_clock::now();
    if (worked) {
        busy_at = now;
        return false;
    }
    return now - busy_at >= kQuietSpell;
}

void MainAPP::DataTimer(wxTimerEvent& event)
{
    const size_t taken = take_received();
    if (quiet_for_long(receive_busy_at, taken > 0)) {
        // Asleep only when the link agrees that nothing waits; its next
        // frame then wakes the timer (OnReceiveWake). A link thread made
        // later counts as sleeping: its first frame wakes this timer.
        FrameLink* driver = driver_for(connect_page()->GetreaderConnectMethod());
        if (!driver || driver->SleepRx())
            data_timer->Stop();
    }
    event.Skip();
}

size_t MainAPP::take_received(bool until_answered)
{
    const int method = connect_page()->GetreaderConnectMethod();
    FrameLink* driver = driver_for(method);
    // Not again from a nested event loop of a decode: the reply buffer is
    // in use.
    if (!driver || taking_received)
        return 0;
    taking_received = true;
    size_t n = driver->rxbuf_qe.size_approx();
    if (method == 0) {
        LOG(TRACE) << "package len = " << static_cast<int>(pakagelen);
        if (!until_answered)
            n = std::min(n, kSerialFramesPerTick);
    }
    const unsigned armed = timeouts_armed;
    const int waiting = timeoutflag;
    RXBUF frame;
    size_t taken = 0;
    for (size_t i = 0; i < n && !(until_answered && (timeouts_armed != armed || timeoutflag != waiting)); ++i) {
        // The decoder may run a nested event loop (a dialog) in which the
        // link thread can end, so the driver is looked up for every frame.
        driver = driver_for(method);
        if (!driver || !driver->rxbuf_qe.try_dequeue(frame))
            break;
        ++taken;
        std::memset(rx_data, 0, 255);
        pakagelen = frame.RXBuff[1];
        // The record holds 255 bytes; the data start at byte 4.
        const size_t count = std::min<size_t>(pakagelen, sizeof frame.RXBuff - 4);
        std::memcpy(rx_data, frame.RXBuff + 4, count);
        ++frames_decoded;
        cmd_decode(frame.RXBuff[3]);
        if (open_uart_monitor_checkBox->GetValue()) {
            Logqueue->enqueue(frame);
            // At once: the next decode may hold this tick in a dialog.
            if (!log_timer->IsRunning())
                SetLogTime();
        }
    }
    taking_received = false;
    return taken;
}

void MainAPP::show_frame_line(const uint8_t* frame, size_t capacity, int colour)
{
    std::string line;
    append_frame_line(line, gettime().ToStdString(), frame, capacity);
    rfid_uart_monitor_pannel->SetUartDataShow(wxString::FromAscii(line.c_str()), colour);
}

void MainAPP::LogTimer(wxTimerEvent& event)
{
    const size_t n = drain_monitor_queue();
    // Only DataTimer fills the monitor queue, and it starts this timer again.
    if (quiet_for_long(monitor_busy_at, n > 0))
        log_timer->Stop();
    event.Skip();
}

size_t MainAPP::drain_monitor_queue()
{
    const size_t n = Logqueue->size_approx();
    if (n > 0) {
        std::string text;
        const std::string time = gettime().ToStdString();
        for (size_t i = 0; i < n; ++i) {
            if (!Logqueue->try_dequeue(rxlog))
                break;
            append_frame_line(text, time, rxlog.RXBuff, sizeof rxlog.RXBuff);
        }
        if (!text.empty())
            rfid_uart_monitor_pannel->SetUartDataShow(wxString::FromAscii(text.c_str()), 1);
    }
    return n;
}

// ----------------------------------------------------------- tag-list feed

void MainAPP::start_feed(LIST_ENUM kind, int tags, rfidConfigEvent& event)
{
    list_enum_flag = kind;
    if (tags >= 1)
        tag_list_lenght = tags;
    SetTagListTime();
    event.Skip();
}

void MainAPP::SetRealTimeTagList(rfidConfigEvent& event)
{
    start_feed(REALTIME_INVENTORY_LIST_FLAG,
               rfid_6c_tag_test_pannel->realtime_inventory_subpannel->GetEpcBufferNum(), event);
}

void MainAPP::SetCustomTagList(rfidConfigEvent& event)
{
    start_feed(CUSTOM_INVENTROY_LIST_FLAG,
               rfid_6c_tag_test_pannel->custom_inventory_subpannel->GetEpcBufferNum(), event);
}

void MainAPP::SetAntSwTagList(rfidConfigEvent& event)
{
    start_feed(ANTSW_INVENTORY_LIST_FLAG,
               rfid_6c_tag_test_pannel->reader_switchant_inventory_subpannel->GetEpcBufferNum(),
               event);
}

void MainAPP::SetBufferTagList(rfidConfigEvent& event)
{
    event.Skip();
}

void MainAPP::TagListTimer(wxTimerEvent& event)
{
    if (tag_list_lenght <= 0) {
        tag_list_timer->Stop();
        event.Skip();
        return;
    }
    rfid_6c_tag_test* tests = rfid_6c_tag_test_pannel;
    // Twenty entries a tick, each handed once, from the last row up: the
    // storage page inserts at the top, so its list ends in row order.
    for (int k = 0; k < kFeedPerTick && tag_list_lenght > 0; ++k) {
        const unsigned row = static_cast<unsigned>(tag_list_lenght);
        wxString epc;
        switch (list_enum_flag) {
        case REALTIME_INVENTORY_LIST_FLAG:
            epc = tests->realtime_inventory_subpannel->GetEpcBuffer(row);
            break;
        case CUSTOM_INVENTROY_LIST_FLAG:
            epc = tests->custom_inventory_subpannel->GetEpcBuffer(row);
            break;
        case ANTSW_INVENTORY_LIST_FLAG:
            epc = tests->reader_switchant_inventory_subpannel->GetEpcBuffer(row);
            break;
        default:
            tag_list_lenght = 0;
            event.Skip();
            return;
        }
        say_notice(tests->rfid_storage_subpannel->AddTagList(epc));
        --tag_list_lenght;
    }
    event.Skip();
}
