// The controller's command handlers: what reaches the link for each command
// (the frame the active link's driver sends), what the operation log says,
// and whether the response time-out runs, with and without an inventory in
// the way.
#include "app_test_support.h"

#include "reader_params.h"
#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "sdk_package/uart/UartThread.h"

#include <cstring>
#include <functional>

using namespace app_test;

namespace {

std::string hex(const uint8_t* frame)
{
    std::string out;
    char b[4];
    for (int i = 0; frame[0] == 0xA0 && i < frame[1] + 2; ++i) {
        std::snprintf(b, sizeof b, "%02X ", frame[i]);
        out += b;
    }
    return out.empty() ? out : out.substr(0, out.size() - 1);
}

// The last frame the link's driver built, as the serial monitor shows it.
std::string sent(LinkThread* link)
{
    uint8_t frame[256];
    link->frames().GetTxData(frame);
    return hex(frame);
}

struct Row {
    const char* what;
    std::function<void()> post;
    std::vector<bool> running;  // real-time, buffered, custom, antenna-switch
    const char* frame;          // sent on the serial link, "" for none
    const char* log;            // newest log entry after the command
    bool red;
    bool timeout;
};

template <class Carrier>
std::function<void()> post(const wxEventTypeTag<Carrier>& type)
{
    return [&type] {
        Carrier event(type, 0);
        EventNotifier::Get()->AddPendingEvent(event);
    };
}

const std::vector<bool> kIdle{false, false, false, false};
const std::vector<bool> kCustom{false, false, true, false};
const std::vector<bool> kRealtime{true, false, false, false};
const char* const kBusy = "请先关闭盘存，再操作！";

TEST(CommandHandlers, EachCommandSendsItsFrameOrIsRefusedWithAReason)
{
    std::fill(std::begin(AntPower), std::end(AntPower), 20);
    const std::vector<Row> rows = {
        {"set power", post(wxEVT_SETPOWER), kIdle, "A0 04 00 76 14 D2", "设置当前发射功率", false, true},
        {"set power during any inventory", post(wxEVT_SETPOWER), kCustom, "", kBusy, true, false},
        {"version during a custom one", post(wxEVT_GETVERSION), kCustom, "A0 03 00 72 EB", "获取固件版本", false, true},
        {"version during real-time", post(wxEVT_GETVERSION), kRealtime, "", kBusy, true, false},
        {"temperature always", post(wxEVT_GETWORKTEMP), kRealtime, "A0 03 00 7B E2", "读取工作温度", false, true},
        {"baud rate on RS-232", post(wxEVT_SETBOUND), kIdle, "A0 04 00 71 00 EB", "设置波特率", false, false},
        {"multi-tag operation", post(wxEVT_NUMTAGOPERATE), kRealtime, "A0 03 00 86 D7", "", false, false},
        {"GB kill", post(wxEVT_GB_KILL), kIdle, "A0 07 00 49 00 00 00 00 10", "国标标签灭活", false, false},
        {"buffer count", post(wxEVT_READTAGNUM), kRealtime, "A0 03 00 92 CB", "读取缓存数量", false, false},
        {"reader mode logs only", post(wxEVT_SETREADERMODE), kIdle, "", "设置读写器天线模式", false, false},
        {"upgrade without a file", post(wxEVT_UPGRADE), kIdle, "", "请选择文件！", true, false},
    };
    Bin_Path.clear();
    Upgrade_Enable = false;
    GetUartBound = 0;
    DistroyPassWord = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Controller c;
        UartThread* link = c.get_uart_thread();
        ASSERT_NE(link, nullptr);
        c.GetUartDataLog()->Clear();
        c.set_inventories(false);
        c.set_running(row.running);
        row.post();
        deliver();
        EXPECT_EQ(sent(link), row.frame);
        const std::vector<std::string> entries = log_entries(c.GetUartDataLog());
        if (*row.log) {
            ASSERT_FALSE(entries.empty());
            EXPECT_EQ(entries.back().substr(entries.back().find("  ") + 2), row.log);
            EXPECT_EQ(colour_at(c.GetUartDataLog(), c.GetUartDataLog()->GetLastPosition() - 2),
                      row.red ? *wxRED : *wxBLACK);
        } else {
            EXPECT_TRUE(entries.empty());
        }
        EXPECT_EQ(c.timeout_running(), row.timeout);
        c.Destroy();
        deliver();
    }
}

// Restarting the reader ends a real-time inventory on the controller's side.
TEST(CommandHandlers, RestartEndsTheRealTimeInventory)
{
    Controller c;
    UartThread* link = c.get_uart_thread();
    c.set_running(kRealtime);
    c.start_elapsed_timer();
    link->StartInventoryFlag = 2;
    post(wxEVT_RESTART_READER)();
    deliver();
    EXPECT_EQ(sent(link), "A0 03 00 70 ED");
    EXPECT_EQ(link->StartInventoryFlag, 0);
    EXPECT_EQ(c.inventories(), kIdle);
    EXPECT_FALSE(c.elapsed_timer_running());
    EXPECT_TRUE(c.timeout_running());
    c.Destroy();
    deliver();
}

}  // namespace
