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
#include <cstring>
#include <string>

namespace {

// Frames the serial link decodes per 1 ms tick at the most.
constexpr size_t kSerialFramesPerTick = 50;
// Entries the tag-list feed hands on per 5 ms tick.
constexpr int kFeedPerTick = 20;

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

void MainAPP::DataTimer(wxTimerEvent& event)
{
    const int method = connect_page()->GetreaderConnectMethod();
    const bool serial = method == 0;
    FrameLink* driver = driver_for(method);
    if (!driver) {
        event.Skip();
        return;
    }
    size_t n = driver->rxbuf_qe.size_approx();
    if (serial) {
        LOG(TRACE) << "package len = " << static_cast<int>(pakagelen);
        n = std::min(n, kSerialFramesPerTick);
    }
    RXBUF frame;
    for (size_t i = 0; i < n; ++i) {
        // The decoder may run a nested event loop (a dialog) in which the
        // link thread can end, so the driver is looked up for every frame.
        driver = driver_for(method);
        if (!driver || !driver->rxbuf_qe.try_dequeue(frame))
            break;
        std::memset(rx_data, 0, 255);
        pakagelen = frame.RXBuff[1];
        // The record holds 255 bytes; the data start at byte 4.
        const size_t count = std::min<size_t>(pakagelen, sizeof frame.RXBuff - 4);
        std::memcpy(rx_data, frame.RXBuff + 4, count);
        ++frames_decoded;
        cmd_decode(frame.RXBuff[3]);
        if (open_uart_monitor_checkBox->GetValue())
            Logqueue->enqueue(frame);
    }
    event.Skip();
}

void MainAPP::show_frame_line(const uint8_t* frame, size_t capacity, int colour)
{
    std::string line;
    append_frame_line(line, gettime().ToStdString(), frame, capacity);
    rfid_uart_monitor_pannel->SetUartDataShow(wxString::FromAscii(line.c_str()), colour);
}

void MainAPP::LogTimer(wxTimerEvent& event)
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
    event.Skip();
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
        tests->rfid_storage_subpannel->AddTagList(epc);
        --tag_list_lenght;
    }
    event.Skip();
}
