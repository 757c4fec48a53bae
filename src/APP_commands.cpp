// The controller's command handlers: one table row per operator command
// that has the common shape (inventory guard, black log line, request flag
// on the active link, its control event, response time-out), and the few
// handlers that differ from it.
#include "APP.h"

#include "link_carriage.h"
#include "reader_params.h"
#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "sdk_package/link_thread/LinkThread.h"
#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <fstream>
#include <vector>

namespace {

using Flag = std::atomic<uint8_t> LinkThread::*;
using Guard = MainAPP::Guard;

struct Command {
    wxEventType type;
    Guard guard;
    const char* log;     // black line, or none
    Flag flag;           // request raised on the active link, or none
    uint8_t value;
    int timeout;         // response time-out kind, 0 for none
    carriage::Request need = carriage::Request::Any;  // what the link must carry
};

using L = LinkThread;
using R = carriage::Request;
constexpr Guard kAny = Guard::any;
constexpr Guard kTwo = Guard::realtime_or_buffered;
constexpr Guard kNone = Guard::none;

// Built on first use: the event types get their values at start-up.
const std::vector<Command>& commands()
{
    static const std::vector<Command> table = {
        // Connection page.
        {wxEVT_GETVERSION, kTwo, "获取固件版本", &L::ReadFrameWareFlag, 1, 2},
        {wxEVT_GETWORKTEMP, kNone, "读取工作温度", &L::ReadWorkTempFlag, 1, 2},
        {wxEVT_GETGPIO1, kAny, "读取GPIO1", &L::ReadGPIO1Flag, 1, 2},
        {wxEVT_SETGPIO1, kAny, "设置GPIO1", &L::WriteGPIO1Flag, 1, 2},
        {wxEVT_GETGPIO2, kAny, "读取GPIO2", &L::ReadGPIO2Flag, 1, 2},
        {wxEVT_SETGPIO2, kAny, "设置GPIO2", &L::WriteGPIO2Flag, 1, 2},
        {wxEVT_SETBEEP, kAny, "设置蜂鸣器状态", &L::SetBeepFlag, 1, 2},
        // RF-parameter page.
        {wxEVT_GETCHECKOUTWORKANT, kAny, "读取当前工作天线", &L::ReadWorkAntFlag, 1, 2},
        // Also what a rotating inventory uses to change antennas.
        {wxEVT_SETCHECKOUTWORKANT, kNone, "设置当前工作天线", &L::SetWorkAntFlag, 1, 2},
        {wxEVT_GETPOWER, kAny, "读取当前发射功率", &L::ReadAntPowerFlag, 1, 2},
        {wxEVT_SETPOWER, kAny, "设置当前发射功率", &L::SetAntPowerFlag, 1, 2, R::SetPower},
        {wxEVT_GETREADTAGMODE, kAny, "读取单标签多标签模式", &L::ReadFastEpcReadFlag, 1, 2},
        {wxEVT_SETREADTAGMODE, kAny, "设置单标签多标签模式", &L::SetFastEpcReadFlag, 1, 2},
        {wxEVT_GETFREQ, kAny, "读取读写器当前工作频率", &L::ReadFreqFlag, 1, 2},
        {wxEVT_SETFREQ, kAny, "设置读写器当前工作频率", &L::SetFreqFlag, 1, 2},
        {wxEVT_GETRFLINK, kAny, "读取读写器当前工作带宽", &L::ReadProfilIDFlag, 1, 2},
        {wxEVT_SETRFLINK, kAny, "设置读写器当前工作带宽", &L::SetProfilIDFlag, 1, 2},
        {wxEVT_SETREADERMODE, kNone, "设置读写器天线模式", nullptr, 0, 0},
        // Firmware-upgrade page.
        {wxEVT_SAVE_PARA, kTwo, "保存设置参数", &L::SaveParaFlag, 1, 0},
        {wxEVT_RESET_PARA, kTwo, "恢复出厂设置", &L::ReaderParaResetFlag, 1, 0},
        // Buffered-inventory page.
        {wxEVT_READTAGBUFF, kNone, "读取缓存标签", &L::ReadBuffFlag, 1, 0},
        {wxEVT_CLEARBUFF, kNone, "清除缓存", &L::ClearBuffFlag, 1, 0},
        {wxEVT_READCLEARTAGBUFF, kNone, "读取然后清楚缓存", &L::ReadBuffAndClearFlag, 1, 0},
        {wxEVT_READTAGNUM, kNone, "读取缓存数量", &L::ReadTagNumberFlag, 1, 0},
        // Tag-storage page.
        {wxEVT_ACCESSTAG, kAny, "设置匹配EPC", &L::SelectTagFlag, 1, 2},
        {wxEVT_SINGLETAGOPERATE, kNone, nullptr, &L::SelectTagFlag, 2, 0},
        {wxEVT_NUMTAGOPERATE, kNone, nullptr, &L::SelectTagFlag, 3, 0},
        {wxEVT_READ, kAny, "读EPC数据", &L::ReadTagFlag, 1, 0},
        {wxEVT_WRITE, kAny, "写EPC数据", &L::WriteTagFlag, 1, 0, R::TagWrite},
        {wxEVT_LOCK, kAny, "锁定EPC", &L::LockTagFlag, 1, 0},
        {wxEVT_KILL, kAny, "EPC灭活", &L::DistroyTagFlag, 1, 0},
        {wxEVT_GB_READ, kAny, "国标读标签", &L::GbReadTagFlag, 1, 0},
        {wxEVT_GB_WRITE, kAny, "国标写标签", &L::GbWriteTagFlag, 1, 0, R::GbWrite},
        {wxEVT_GB_LOCK, kAny, "国标标签上锁", &L::GbLockTagFlag, 1, 0},
        {wxEVT_GB_KILL, kAny, "国标标签灭活", &L::GbDistroyTagFlag, 1, 0},
        {wxEVT_GB_SREAD, kAny, "国标加密通讯读", &L::GbSeReadTagFlag, 1, 0, R::GbSecureRead},
        {wxEVT_GB_SWRITE, kAny, "国标加密通讯写", &L::GbSeWriteTagFlag, 1, 0, R::GbSecureWrite},
        {wxEVT_GB_SLOCK, kAny, "国标加密通讯上锁", &L::GbSeLockTagFlag, 1, 0, R::GbSecureLock},
        {wxEVT_GB_SKILL, kAny, "国标加密通讯灭活", &L::GbSeDistroyTagFlag, 1, 0, R::GbSecureKill},
        {wxEVT_GB_DOUBLEID, kAny, "国标双向认证", &L::GbDoubleIdTagFlag, 1, 0, R::GbDoubleIdentify},
        // Serial monitor.
        {wxEVT_SENDUARTDATA, kNone, "发送串口数据", &L::SendDataFlag, 1, 0, R::RawFrame},
    };
    return table;
}

const Command* command_of(wxEventType type)
{
    for (const Command& c : commands())
        if (c.type == type)
            return &c;
    return nullptr;
}

}  // namespace

void MainAPP::bind_commands(bool bind)
{
    EventNotifier* hub = EventNotifier::Get();
    // Both command-event classes are command events: one handler serves them.
    for (const Command& c : commands()) {
        if (bind)
            hub->Bind(wxEventTypeTag<wxCommandEvent>(c.type), &MainAPP::OnCommand, this);
        else
            hub->Unbind(wxEventTypeTag<wxCommandEvent>(c.type), &MainAPP::OnCommand, this);
    }
    auto own = [&](const wxEventType type, void (MainAPP::*handler)(wxCommandEvent&)) {
        if (bind)
            hub->Bind(wxEventTypeTag<wxCommandEvent>(type), handler, this);
        else
            hub->Unbind(wxEventTypeTag<wxCommandEvent>(type), handler, this);
    };
    own(wxEVT_SETBOUND, &MainAPP::SetBound);
    own(wxEVT_RESTART_READER, &MainAPP::RestartReader);
    own(wxEVT_UPGRADE, &MainAPP::UpgradeProgram);
    own(wxEVT_LOGRXDATA, &MainAPP::LogData);
}

bool MainAPP::inventory_in_the_way(bool any)
{
    const bool busy = inventory_flag || buffer_inventory_flag ||
                      (any && (custom_inventory_flag || switchant_inventory_flag));
    if (busy)
        SetCmdLog(u8("请先关闭盘存，再操作！"), 1);
    return busy;
}

bool MainAPP::link_refuses(carriage::Request need)
{
    const std::string why = carriage::refusal(need, connect_page()->GetreaderConnectMethod());
    if (why.empty())
        return false;
    SetCmdLog(wxString::FromUTF8(why.c_str()), 1);
    return true;
}

bool MainAPP::upgrade_in_the_way()
{
    if (!upgrading())
        return false;
    const wxString target = base_setting_pannel->rfid_upgrade_subpannel->TargetName(UpObject);
    SetCmdLog(u8("正在升级") + target + u8("，请等待升级结束，再操作！"), 1);
    return true;
}

bool MainAPP::request_refused(Guard guard)
{
    return upgrade_in_the_way() ||
           (guard != Guard::none && inventory_in_the_way(guard == Guard::any));
}

bool MainAPP::raise_request(std::atomic<uint8_t> LinkThread::*flag, uint8_t value)
{
    LinkThread* link = active_link();
    if (!link)
        return false;
    link->*flag = value;
    post_link_control();
    return true;
}

void MainAPP::OnCommand(wxCommandEvent& event)
{
    event.Skip();
    const Command* c = command_of(event.GetEventType());
    // Decided before anything is logged, raised or armed; a command that
    // sends nothing is never in the way of an upgrade or an inventory.
    if (!c || link_refuses(c->need) || (c->flag && request_refused(c->guard)))
        return;
    if (c->log)
        SetCmdLog(u8(c->log), 0);
    // Without the link's thread object there is nobody to answer.
    if (c->flag && raise_request(c->flag, c->value) && c->timeout)
        SetTimeOut(c->timeout);
}

void MainAPP::SetBound(wxCommandEvent& event)
{
    event.Skip();
    if (request_refused(Guard::any))
        return;
    if (connect_page()->GetreaderConnectMethod() != 0) {
        SetCmdLog(u8("该模式下命令不支持"), 0);
        return;
    }
    SetCmdLog(u8("设置波特率"), 0);
    raise_request(&LinkThread::SetBoundFlag, 1);
}

void MainAPP::RestartReader(wxCommandEvent& event)
{
    event.Skip();
    if (request_refused(Guard::none))
        return;
    SetCmdLog(u8("重启读写器"), 0);
    if (LinkThread* link = active_link())
        link->StartInventoryFlag = 0;
    const bool raised = raise_request(&LinkThread::RestartReaderFlag, 1);
    rfid_6c_tag_test_pannel->realtime_inventory_subpannel->SetInventoryButton(0);
    inventory_flag = false;
    buffer_inventory_flag = false;
    m_timer->Stop();
    if (raised)
        SetTimeOut(2);
}

void MainAPP::UpgradeProgram(wxCommandEvent& event)
{
    event.Skip();
    if (upgrade_in_the_way())
        return;
    // Nothing of an earlier upgrade goes on, whether this one starts or
    // not: a start reads the chosen file anew and sends it from packet 0.
    drop_upgrade();
    // Any inventory: the reader would be sent packets while it streams.
    if (inventory_in_the_way(true))
        return;
    // A path that leads to no readable image would send nothing and then
    // wait for acknowledgements that never come.
    if (!Upgrade_Enable || Bin_Path.empty() || !std::ifstream(Bin_Path, std::ios::binary).good()) {
        SetCmdLog(u8("请选择文件！"), 1);
        return;
    }
    upgraed_flag = true;
    const bool raised =
        raise_request(UpObject == 0 ? &LinkThread::ReaderAppUpgradeFlag : &LinkThread::BasebandFirmwareUpgradeFlag, 1);
    SetCmdLog(wxString::FromUTF8(Bin_Path.c_str()), 0);
    if (!raised)
        return;
    rfid_upgrade_pannel* upgrade = base_setting_pannel->rfid_upgrade_subpannel;
    upgrade->SetGaugeUpgradeValue(0);
    upgrade->SetButtonUpgradeState(false);
    upgrade->SetChooseupobjectState(false);
    SetTimeOut(3);
}

void MainAPP::LogData(wxCommandEvent&)
{
    drain_monitor_queue();
}
