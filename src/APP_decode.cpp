// The controller's reply decoder: each reply from the active link goes
// through the window-free decode, and what it asks for is carried out here
// on the pages, the link flags, the timers and the operation log.
#include "APP.h"

#include "reader_params.h"
#include "reply_decoder.h"
#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "sdk_package/hid/HIDThread.h"
#include "sdk_package/socket/TCPThread.h"
#include "sdk_package/uart/UartThread.h"
#include "wxcrafter/buffer_inv_pannel_base/buffer_inventory_pannel.h"
#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_rfparam_pannel_base/rf_paramset_pannel.h"
#include "wxcrafter/reader_rw_pannel_base/rfid_storage_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/reader_switchant_inventory_base/reader_switchant_inventory_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <algorithm>

namespace {

void post_hub(wxEventType type)
{
    rfidConfigEvent event(type, 0);
    EventNotifier::Get()->AddPendingEvent(event);
}

}  // namespace

void MainAPP::cmd_decode(uint8_t cmd)
{
    // rx_data holds the data from its first byte; the length byte counts
    // address, command, data and check.
    reply::Reply r;
    r.cmd = cmd;
    r.len_byte = pakagelen;
    r.data = rx_data;
    r.size = std::min<size_t>(pakagelen >= 3 ? pakagelen - 3u : 0, 255);
    const reply::Outcome out = reply::decode(r);
    if (!out.handled)
        return;
    if (out.clear_timeout)
        ClearTimeOut();
    for (const reply::Line& line : out.lines)
        SetCmdLog(wxString::FromUTF8(line.text.c_str()), line.red ? 1 : 0);
    show_reply(cmd, out);
    if (out.antenna_step)
        antenna_step(cmd == 0x8A || cmd == 0xD9, out.ended);
}

void MainAPP::show_reply(uint8_t cmd, const reply::Outcome& out)
{
    using reply::Action;
    connect_pannel* connection = connect_page();
    rfid_6c_tag_test* tests = rfid_6c_tag_test_pannel;
    switch (out.action) {
    case Action::show_version:
        connection->SetFrameware(wxString::FromUTF8(out.text.c_str()));
        break;
    case Action::show_temperature:
        connection->SetWorkTemp(wxString::FromUTF8(out.text.c_str()));
        break;
    case Action::show_gpio:
        if (out.values[0] >= 0)
            connection->SetGpio1Value(out.values[0]);
        if (out.values[1] >= 0)
            connection->SetGpio2Value(out.values[1]);
        break;
    case Action::upgrade_ack:
        upgrade_acknowledged(static_cast<unsigned>(out.values[0]));
        break;
    case Action::realtime_report:
        tests->realtime_inventory_subpannel->SetEpcTable(rx_data, pakagelen);
        break;
    case Action::realtime_end:
        for (LinkThread* link : {link_for(0), link_for(1), link_for(2)})
            if (link)
                link->StartInventoryFlag = 0;
        tests->realtime_inventory_subpannel->SetInventoryButton(0);
        m_timer->Stop();
        break;
    case Action::buffer_count:
        tests->buffer_inventory_subpannel->SetTagNumber(out.values[0]);
        break;
    case Action::buffer_record:
        tests->rfid_storage_subpannel->AddTagList(tests->buffer_inventory_subpannel->SetEpcTable(rx_data, pakagelen));
        break;
    case Action::switchant_report:
        tests->reader_switchant_inventory_subpannel->SetEpcTable(rx_data, pakagelen);
        break;
    case Action::switchant_end:
    case Action::switchant_stop:
        m_timer->Stop();
        for (LinkThread* link : {link_for(0), link_for(1)})
            if (link)
                link->StartSwitchAntInventoryFlag = 0;
        if (out.action == Action::switchant_end)
            switchant_inventory_flag = false;
        tests->reader_switchant_inventory_subpannel->SetInventoryButton(0);
        if (out.post_tag_list)
            post_hub(wxEVT_ANTSWTAGLIST);
        break;
    case Action::custom_report:
        show_custom_report(out.parser);
        break;
    case Action::custom_end:
        m_timer->Stop();
        // The link that ran it: the first existing one could be another.
        if (LinkThread* link = active_link())
            link->StartcustominventoryFlag = 0;
        custom_inventory_flag = false;
        tests->custom_inventory_subpannel->SetInventoryButton(0);
        if (out.post_tag_list)
            post_hub(wxEVT_CUSTOMTAGLIST);
        break;
    case Action::tag_memory_result:
        show_tag_memory_result(out.parser);
        break;
    default:
        show_rf_reply(out);
        break;
    }
    (void)cmd;
}

void MainAPP::show_custom_report(reply::Parser parser)
{
    using reply::Parser;
    custom_inventory_pannel* page = rfid_6c_tag_test_pannel->custom_inventory_subpannel;
    switch (parser) {
    case Parser::temperature:
        page->SetTemperateTable(rx_data);
        break;
    case Parser::match_data:
        page->SetTable(rx_data);
        break;
    case Parser::gb_match_data:
        page->SetGBTable(rx_data);
        break;
    case Parser::temperature1:
        page->SetTemperate1Table(rx_data);
        break;
    case Parser::epc:
        page->SetEpcTable(rx_data, pakagelen);
        break;
    case Parser::vela_temperature:
        page->SetVelaTagTempTable(rx_data, pakagelen);
        break;
    default:
        break;
    }
}

void MainAPP::show_tag_memory_result(reply::Parser parser)
{
    using reply::Parser;
    rfid_storage_pannel* page = rfid_6c_tag_test_pannel->rfid_storage_subpannel;
    switch (parser) {
    case Parser::read:
        page->SetReadTable(rx_data);
        break;
    case Parser::write:
        page->SetWriteTable(rx_data);
        break;
    case Parser::lock:
        page->SetLockTable(rx_data);
        break;
    case Parser::kill:
        page->SetKillTable(rx_data);
        break;
    case Parser::gb_read:
        page->SetGbReadTable(rx_data);
        break;
    case Parser::gb_write:
        page->SetGbWriteTable(rx_data);
        break;
    case Parser::gb_lock:
        page->SetGbLockTable(rx_data);
        break;
    case Parser::gb_kill:
        page->SetGbKillTable(rx_data);
        break;
    case Parser::double_identify:
        page->SetDoubleIdentifyTable(rx_data);
        break;
    default:
        break;
    }
}

void MainAPP::show_rf_reply(const reply::Outcome&) {}

void MainAPP::upgrade_acknowledged(unsigned target)
{
    // An acknowledgement for the other target belongs to no upgrade here.
    if (target != UpObject)
        return;
    ClearTimeOut();
    LinkThread* link = active_link();
    if (!link)
        return;
    rfid_upgrade_pannel* upgrade = base_setting_pannel->rfid_upgrade_subpannel;
    const bool more = target == 0 ? link->ReaderAppUpgradeFlag != 0 : link->BasebandFirmwareUpgradeFlag != 0;
    if (more) {
        post_link_control();
        SetTimeOut(3);
        return;
    }
    if (!upgraed_flag)
        return;
    SetCmdLog(wxString::FromUTF8("升级成功"), 0);
    ClearTimeOut();
    upgrade->SetButtonUpgradeState(true);
    upgrade->SetChooseupobjectState(true);
    upgrade_timeout_count = 0;
}

void MainAPP::antenna_step(bool custom, bool ended)
{
    rfid_6c_tag_test* tests = rfid_6c_tag_test_pannel;
    int ant = 0;
    if (custom) {
        ant = tests->custom_inventory_subpannel->change_work_ant();
        ended = ended || (ant > 0 && tests->custom_inventory_subpannel->Get_Time_State());
    } else {
        ant = tests->realtime_inventory_subpannel->change_work_ant();
        ended = ended || (ant > 0 && tests->realtime_inventory_subpannel->Get_Time_State());
    }
    if (ant > 0 && ended)
        start_set_work_antenna(ant);
}

void MainAPP::start_set_work_antenna(int) {}
