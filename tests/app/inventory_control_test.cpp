// The four inventory start buttons: start, stop, the request still pending,
// and the refusals while another kind runs.
#include "app_test_support.h"

#include "reader_params.h"
#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "sdk_package/uart/UartThread.h"
#include "wxcrafter/buffer_inv_pannel_base/buffer_inventory_pannel.h"
#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"
#include "wxcrafter/reader_switchant_inventory_base/reader_switchant_inventory_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

using namespace app_test;

namespace {

std::string newest(Controller& c)
{
    const std::vector<std::string> entries = log_entries(c.GetUartDataLog());
    return entries.empty() ? std::string() : entries.back().substr(entries.back().find("  ") + 2);
}

uint8_t sent_command(LinkThread* link)
{
    uint8_t frame[256];
    link->frames().GetTxData(frame);
    return frame[3];
}

void press(wxEventType type)
{
    rfidConfigEvent event(type, 0);
    EventNotifier::Get()->AddPendingEvent(event);
    deliver();
}

struct Kind {
    const char* name;
    wxEventType type;
    std::atomic<uint8_t> LinkThread::*flag;
    uint8_t start_command;
    const char* start_line;
    const char* stop_line;
    std::function<wxButton*(rfid_6c_tag_test*)> button;
    // The tags' way to the storage page, and a reply with which the reader
    // ends the inventory.
    wxEventType tag_list;
    std::vector<uint8_t> reader_end;
};

std::vector<Kind> kinds()
{
    return {
        {"real-time", wxEVT_INVENTORY, &LinkThread::StartInventoryFlag, 0x89, "开始实时盘存", "结束实时盘存",
         [](rfid_6c_tag_test* t) { return t->realtime_inventory_subpannel->GetStartInventory_button(); },
         wxEVT_SETREALTIMETAGLIST, {0xA0, 0x04, 0x00, 0x89, 0x22}},
        {"buffered", wxEVT_BUFFINVENTORY, &LinkThread::StartBuffInventoryFlag, 0x80, "开始盘存", "结束盘存",
         [](rfid_6c_tag_test* t) { return t->buffer_inventory_subpannel->GetStartInventory_button(); },
         wxEVT_NULL, {0xA0, 0x04, 0x00, 0x80, 0x22}},
        {"custom", wxEVT_CUSTOMINVENTORY, &LinkThread::StartcustominventoryFlag, 0x8A, "开始自定义盘存",
         "结束自定义盘存",
         [](rfid_6c_tag_test* t) { return t->custom_inventory_subpannel->GetStartInventory_button(); },
         wxEVT_CUSTOMTAGLIST, {0xA0, 0x04, 0x00, 0x8A, 0x12}},
        {"antenna-switch", wxEVT_SWITCHANTINVENTORY, &LinkThread::StartSwitchAntInventoryFlag, 0x87,
         "开始天线轮询盘存", "结束天线轮询盘存",
         [](rfid_6c_tag_test* t) { return t->reader_switchant_inventory_subpannel->GetStartInventory_button(); },
         wxEVT_ANTSWTAGLIST, {0xA0, 0x04, 0x00, 0x87, 0x13}},
    };
}

// The stop hands the tags found to the storage page once: the reader's own
// end of the inventory, coming after it, does not hand them on again.
TEST(InventoryControl, EachButtonStartsThenStopsItsInventory)
{
    ant_num = 4;
    inventory_mode = 0;
    for (const Kind& kind : kinds()) {
        SCOPED_TRACE(kind.name);
        Controller c;
        UartThread* link = c.get_uart_thread();
        wxButton* button = kind.button(c.get_rfid_6c_tag_test_pannel());
        int handed_on = 0;
        std::function<void()> unbind = [] {};
        for (const EventTypeRow& row : event_type_rows())
            if (row.type == kind.tag_list)
                unbind = row.bind([&](wxEvent&) { ++handed_on; });

        press(kind.type);
        EXPECT_EQ(link->*kind.flag, 2);
        EXPECT_EQ(sent_command(link), kind.start_command);
        EXPECT_EQ(button->GetLabel(), wxString::FromUTF8("停止盘存"));
        EXPECT_TRUE(c.elapsed_timer_running());
        EXPECT_EQ(newest(c), kind.start_line);
        EXPECT_FALSE(c.timeout_running());

        press(kind.type);
        EXPECT_EQ(link->*kind.flag, 0);
        EXPECT_EQ(sent_command(link), 0x8C);
        EXPECT_EQ(button->GetLabel(), wxString::FromUTF8("开始盘存"));
        EXPECT_FALSE(c.elapsed_timer_running());
        EXPECT_EQ(newest(c), kind.stop_line);
        EXPECT_EQ(c.inventories(), (std::vector<bool>{false, false, false, false}));

        RXBUF late{};
        std::copy(kind.reader_end.begin(), kind.reader_end.end(), late.RXBuff);
        link->libuart->rxbuf_qe.enqueue(late);
        EXPECT_EQ(c.take_received(), 1u);
        deliver();
        EXPECT_EQ(handed_on, kind.tag_list == wxEVT_NULL ? 0 : 1);
        unbind();
        c.Destroy();
        deliver();
    }
}

// While one kind runs, no other starts: the reader serves one inventory
// at a time.
TEST(InventoryControl, AnotherKindRunningRefusesTheStartByName)
{
    const char* const running_text[] = {"请先关闭实时盘存，再操作！", "请先关闭缓存盘存，再操作！",
                                        "请先关闭自定义盘存，再操作！", "请先关闭天线轮询盘存，再操作！"};
    const std::vector<Kind> all = kinds();
    for (size_t running = 0; running < all.size(); ++running)
        for (size_t pressed = 0; pressed < all.size(); ++pressed) {
            if (running == pressed)
                continue;
            SCOPED_TRACE(std::string(all[pressed].name) + " while " + all[running].name + " runs");
            Controller c;
            std::vector<bool> flags(4, false);
            flags[running] = true;
            c.set_running(flags);
            LinkThread* link = c.get_uart_thread();
            press(all[pressed].type);
            EXPECT_EQ(newest(c), running_text[running]);
            EXPECT_EQ(link->*all[pressed].flag, 0);
            c.Destroy();
            deliver();
        }
}

TEST(InventoryControl, APressWhileTheRequestIsPendingDoesNothing)
{
    Controller c;
    LinkThread* link = c.get_uart_thread();
    for (uint8_t pending : {1, 3}) {
        link->StartInventoryFlag = pending;
        c.GetUartDataLog()->Clear();
        rfidConfigEvent event(wxEVT_INVENTORY, 0);
        c.ToggleInventory(event);
        EXPECT_EQ(link->StartInventoryFlag, pending);
        EXPECT_TRUE(log_entries(c.GetUartDataLog()).empty());
    }
    link->StartInventoryFlag = 0;
    c.Destroy();
    deliver();
}

}  // namespace
