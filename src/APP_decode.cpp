// The controller's reply decoder: each reply from the active link goes
// through the window-free decode, and what it asks for is carried out here
// on the pages, the link flags, the timers and the operation log.
#include "APP.h"

#include "reader_params.h"
#include "reply_decoder.h"
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
    // Only its acknowledgements stop an upgrade's time-out: a late reply to
    // an earlier command would leave a lost packet unnoticed.
    if (out.clear_timeout && !upgrading())
        ClearTimeOut();
    for (const reply::Line& line : out.lines)
        SetCmdLog(wxString::FromUTF8(line.text.c_str()), line.red ? 1 : 0);
    show_reply(r, out);
    // After an end too: the rotation moves on, so the reader's work antenna
    // is the next one.
    if (out.antenna_step)
        antenna_step(cmd == 0x8A || cmd == 0xD9, out.ended);
}

void MainAPP::show_reply(const reply::Reply& r, const reply::Outcome& out)
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
    case Action::realtime_end:
        inventory_ended(1, out.post_tag_list);
        break;
    case Action::realtime_report:
        say_notice(tests->realtime_inventory_subpannel->SetEpcTable(rx_data, pakagelen).notice);
        break;
    case Action::buffer_count:
        tests->buffer_inventory_subpannel->SetTagNumber(out.values[0]);
        break;
    case Action::buffer_record: {
        const taken_report record = tests->buffer_inventory_subpannel->SetEpcTable(rx_data, pakagelen);
        say_notice(record.notice);
        say_notice(tests->rfid_storage_subpannel->AddTagList(record.epc));
        break;
    }
    case Action::switchant_report:
        say_notice(tests->reader_switchant_inventory_subpannel->SetEpcTable(rx_data, pakagelen));
        break;
    case Action::buffer_end:
        inventory_ended(0, false);
        break;
    case Action::switchant_end:
        inventory_ended(3, out.post_tag_list);
        break;
    case Action::custom_report:
        show_custom_report(out.parser);
        break;
    case Action::custom_end:
        inventory_ended(2, out.post_tag_list);
        break;
    case Action::tag_memory_result:
        show_tag_memory_result(out.parser, r);
        break;
    default:
        show_rf_reply(out);
        break;
    }
}

void MainAPP::show_custom_report(reply::Parser parser)
{
    using reply::Parser;
    custom_inventory_pannel* page = rfid_6c_tag_test_pannel->custom_inventory_subpannel;
    switch (parser) {
    case Parser::temperature:
        say_notice(page->SetTemperateTable(rx_data, pakagelen));
        break;
    case Parser::match_data:
        say_notice(page->SetTable(rx_data, pakagelen));
        break;
    case Parser::gb_match_data:
        say_notice(page->SetGBTable(rx_data, pakagelen));
        break;
    case Parser::temperature1:
        say_notice(page->SetTemperate1Table(rx_data, pakagelen));
        break;
    case Parser::epc:
        say_notice(page->SetEpcTable(rx_data, pakagelen));
        break;
    case Parser::vela_temperature:
        say_notice(page->SetVelaTagTempTable(rx_data, pakagelen));
        break;
    default:
        break;
    }
}

void MainAPP::show_tag_memory_result(reply::Parser parser, const reply::Reply& r)
{
    using reply::Parser;
    using Setter = bool (rfid_storage_pannel::*)(const uint8_t*, size_t);
    static const struct {
        Parser parser;
        Setter setter;
    } setters[] = {
        {Parser::read, &rfid_storage_pannel::SetReadTable},
        {Parser::write, &rfid_storage_pannel::SetWriteTable},
        {Parser::lock, &rfid_storage_pannel::SetLockTable},
        {Parser::kill, &rfid_storage_pannel::SetKillTable},
        {Parser::gb_read, &rfid_storage_pannel::SetGbReadTable},
        {Parser::gb_write, &rfid_storage_pannel::SetGbWriteTable},
        {Parser::gb_lock, &rfid_storage_pannel::SetGbLockTable},
        {Parser::gb_kill, &rfid_storage_pannel::SetGbKillTable},
        {Parser::double_identify, &rfid_storage_pannel::SetDoubleIdentifyTable},
    };
    // The page reads the reply's data bytes and nothing after them; a reply
    // it cannot read is said, not dropped.
    rfid_storage_pannel* page = rfid_6c_tag_test_pannel->rfid_storage_subpannel;
    for (const auto& s : setters)
        if (s.parser == parser && !(page->*s.setter)(rx_data, r.size))
            SetCmdLog(wxString::FromUTF8(reply::unread_result_line(r).c_str()), 1);
}

void MainAPP::show_rf_reply(const reply::Outcome& out)
{
    using reply::Action;
    rf_paramset_pannel* rf = base_setting_pannel->rf_paramset_subpannel;
    switch (out.action) {
    case Action::show_work_antenna:
        rf->SetAntPort(static_cast<uint8_t>(out.values[0]));
        break;
    case Action::show_fast_epc:
        rf->SetFastEpc(static_cast<uint8_t>(out.values[0]));
        break;
    case Action::show_powers: {
        using Box = void (*)(rf_paramset_pannel*, const wxString&);
        static const Box boxes[8] = {
            [](rf_paramset_pannel* p, const wxString& t) { p->SetOutPut1Power(t); },
            [](rf_paramset_pannel* p, const wxString& t) { p->SetOutPut2Power(t); },
            [](rf_paramset_pannel* p, const wxString& t) { p->SetOutPut3Power(t); },
            [](rf_paramset_pannel* p, const wxString& t) { p->SetOutPut4Power(t); },
            [](rf_paramset_pannel* p, const wxString& t) { p->SetOutPut5Power(t); },
            [](rf_paramset_pannel* p, const wxString& t) { p->SetOutPut6Power(t); },
            [](rf_paramset_pannel* p, const wxString& t) { p->SetOutPut7Power(t); },
            [](rf_paramset_pannel* p, const wxString& t) { p->SetOutPut8Power(t); },
        };
        for (size_t i = 0; i < out.texts.size() && i < 8; ++i)
            boxes[i](rf, wxString::FromUTF8(out.texts[i].c_str()));
        break;
    }
    case Action::show_profile:
        RfProfileID = static_cast<uint8_t>(out.values[0]);
        rf->SetPrifilID(RfProfileID);
        break;
    case Action::show_custom_plan:
        rf->SetFreqMode(1);
        rf->FreqModeSelect(1);
        rf->SetFreqGap(wxString::FromUTF8(out.texts[0].c_str()));
        rf->SetFreqNum(wxString::FromUTF8(out.texts[1].c_str()));
        rf->SetStartFreq(wxString::FromUTF8(out.texts[2].c_str()));
        break;
    case Action::show_standard_plan:
        rf->SetFreqMode(0);
        rf->FreqModeSelect(0);
        if (out.values[0] >= 0) {
            rf->FreqStandardSelect(out.values[0]);
            rf->SetFreqRegion(static_cast<uint8_t>(out.values[1]), static_cast<uint8_t>(out.values[2]));
        }
        break;
    default:
        break;
    }
}

void MainAPP::upgrade_acknowledged(unsigned target)
{
    // An acknowledgement for the other target, or while no upgrade runs,
    // belongs to no upgrade here.
    if (target != UpObject || !upgrading())
        return;
    ClearTimeOut();
    upgrade_timeout_count = 0;
    LinkThread* link = active_link();
    if (!link)
        return;
    rfid_upgrade_pannel* upgrade = base_setting_pannel->rfid_upgrade_subpannel;
    const bool more = target == 0 ? link->ReaderAppUpgradeFlag != 0 : link->BasebandFirmwareUpgradeFlag != 0;
    upgrade->SetGaugeUpgradeValue(Gaugeupgrade_Postion);
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
    upgrade->SetGaugeUpgradeValue(100);
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

void MainAPP::start_set_work_antenna(int ant)
{
    base_setting_pannel->rf_paramset_subpannel->StartSetAntEnvet(ant);
}
