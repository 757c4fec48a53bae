// The controller's inventory control: the four start buttons that start and
// stop their kind of inventory, the refusals while another kind runs, and
// the two page-clearing requests.
#include "APP.h"

#include "reader_params.h"
#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "sdk_package/link_thread/LinkThread.h"
#include "wxcrafter/buffer_inv_pannel_base/buffer_inventory_pannel.h"
#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"
#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_rw_pannel_base/rfid_storage_pannel.h"
#include "wxcrafter/reader_switchant_inventory_base/reader_switchant_inventory_pannel.h"
#include "wxcrafter/reader_uart_monitor_pannel_base/uart_monitor_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

namespace {

// Start flag values in a link thread object.
enum : uint8_t { IDLE = 0, START_ASKED = 1, RUNNING = 2, STOP_ASKED = 3 };

// The ended inventory's tags go to the storage page (its feed starts).
void hand_on_tags(wxEventType tag_list)
{
    rfidConfigEvent list(tag_list, 0);
    EventNotifier::Get()->AddPendingEvent(list);
}

}  // namespace

const std::vector<MainAPP::InventoryKind>& MainAPP::inventory_kinds()
{
    // In the order the refusals name them.
    static const std::vector<InventoryKind> kinds = {
        {wxEVT_BUFFINVENTORY, &LinkThread::StartBuffInventoryFlag, &MainAPP::buffer_inventory_flag, 0,
         "请先关闭缓存盘存，再操作！", "开始盘存", "结束盘存", wxEVT_NULL},
        {wxEVT_INVENTORY, &LinkThread::StartInventoryFlag, &MainAPP::inventory_flag, 1,
         "请先关闭实时盘存，再操作！", "开始实时盘存", "结束实时盘存", wxEVT_SETREALTIMETAGLIST},
        {wxEVT_CUSTOMINVENTORY, &LinkThread::StartcustominventoryFlag, &MainAPP::custom_inventory_flag, 2,
         "请先关闭自定义盘存，再操作！", "开始自定义盘存", "结束自定义盘存", wxEVT_CUSTOMTAGLIST},
        {wxEVT_SWITCHANTINVENTORY, &LinkThread::StartSwitchAntInventoryFlag, &MainAPP::switchant_inventory_flag, 3,
         "请先关闭天线轮询盘存，再操作！", "开始天线轮询盘存", "结束天线轮询盘存", wxEVT_ANTSWTAGLIST},
    };
    return kinds;
}

void MainAPP::bind_inventory_control(bool bind)
{
    EventNotifier* hub = EventNotifier::Get();
    auto on = [&](wxEventType type, void (MainAPP::*handler)(rfidConfigEvent&)) {
        if (bind)
            hub->Bind(wxEventTypeTag<rfidConfigEvent>(type), handler, this);
        else
            hub->Unbind(wxEventTypeTag<rfidConfigEvent>(type), handler, this);
    };
    for (const InventoryKind& kind : inventory_kinds())
        on(kind.type, &MainAPP::ToggleInventory);
    on(wxEVT_FLASHINVENTORYMENU, &MainAPP::FlashInventoryMenu);
    on(wxEVT_FLASHBUFFINVENTORYMENU, &MainAPP::FlashBuffInventoryMenu);
}

void MainAPP::set_inventory_button(int mode, uint8_t state)
{
    rfid_6c_tag_test* tests = rfid_6c_tag_test_pannel;
    switch (mode) {
    case 1:
        tests->realtime_inventory_subpannel->SetInventoryButton(state);
        break;
    case 2:
        tests->custom_inventory_subpannel->SetInventoryButton(state);
        break;
    case 3:
        tests->reader_switchant_inventory_subpannel->SetInventoryButton(state);
        break;
    default:
        tests->buffer_inventory_subpannel->SetInventoryButton(state);
        break;
    }
}

void MainAPP::ToggleInventory(rfidConfigEvent& event)
{
    event.Skip();
    const InventoryKind* kind = nullptr;
    for (const InventoryKind& k : inventory_kinds())
        if (k.type == event.GetEventType())
            kind = &k;
    if (!kind || (kind->mode == 3 && link_refuses(carriage::Request::SwitchAntInventory)))
        return;
    // One inventory at a time: the reader serves one, and their replies
    // would land in each other's pages.
    for (const InventoryKind& other : inventory_kinds())
        if (&other != kind && this->*other.running) {
            SetCmdLog(u8(other.refusal), 1);
            return;
        }
    LinkThread* link = link_for(connect_page()->GetreaderConnectMethod());
    if (!link)
        return;
    std::atomic<uint8_t>& flag = link->*kind->start;
    const bool custom = kind->mode == 2;
    if (flag == IDLE) {
        if (upgrade_in_the_way())
            return;
        flag = START_ASKED;
        // The custom page stores its choices here, inventory_mode among them.
        set_inventory_button(kind->mode, 1);
        m_timer->Start(1000, wxTIMER_CONTINUOUS);
        inventorymode = kind->mode;
        this->*kind->running = true;
        post_link_control();
        if (!custom || inventory_mode == 0) {
            rfid_6c_tag_test_pannel->rfid_storage_subpannel->Flash_Taglist();
            ClearTagListTime();
        }
        SetCmdLog(u8(kind->start_line), 0);
    } else if (flag == RUNNING) {
        flag = STOP_ASKED;
        post_link_control();
        this->*kind->running = false;
        set_inventory_button(kind->mode, 0);
        m_timer->Stop();
        SetCmdLog(u8(kind->stop_line), 0);
        if (kind->tag_list != wxEVT_NULL && (!custom || inventory_mode == 0))
            hand_on_tags(kind->tag_list);
    }
}

void MainAPP::inventory_ended(int mode, bool tags_found)
{
    for (const InventoryKind& kind : inventory_kinds()) {
        if (kind.mode != mode)
            continue;
        const bool running = this->*kind.running;
        // The elapsed time is this kind's only while it runs.
        if (running && inventorymode == mode)
            m_timer->Stop();
        this->*kind.running = false;
        for (int method = 0; method < 3; ++method)
            if (LinkThread* link = link_for(method))
                link->*kind.start = IDLE;
        set_inventory_button(mode, 0);
        // Not once more after the operator's stop has handed them on.
        if (tags_found && running && kind.tag_list != wxEVT_NULL)
            hand_on_tags(kind.tag_list);
    }
}

void MainAPP::FlashInventoryMenu(rfidConfigEvent& event)
{
    tag_list_lenght = 0;
    rfid_6c_tag_test_pannel->rfid_storage_subpannel->Flash_Taglist();
    rfid_uart_monitor_pannel->clearUartData();
    event.Skip();
}

void MainAPP::FlashBuffInventoryMenu(rfidConfigEvent& event)
{
    rfid_6c_tag_test_pannel->rfid_storage_subpannel->ClearTagList();
    event.Skip();
}
