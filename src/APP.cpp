// The controller's construction, timers, operation log and response
// time-out. Its receive path and link lifecycle are in APP_receive.cpp and
// APP_link.cpp.
#include "APP.h"

#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "sdk_package/link_thread/LinkThread.h"
#include "wxcrafter/buffer_inv_pannel_base/buffer_inventory_pannel.h"
#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"
#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/reader_switchant_inventory_base/reader_switchant_inventory_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/datetime.h>
#include <wx/msgdlg.h>
#include <wx/xrc/xmlres.h>

#include <cstring>

enum {
    ID_ELAPSED_TIMER = 1000,
    ID_TIMEOUT_TIMER = 1001,
    ID_DATA_TIMER = 1002,
    ID_TAG_LIST_TIMER = 1003,
    ID_LOG_TIMER = 1004,
};

// Entries the operation log keeps when it is not cleared automatically.
constexpr int kLogLines = 5000;

wxBEGIN_EVENT_TABLE(MainAPP, MainFrame)
    EVT_TIMER(ID_ELAPSED_TIMER, MainAPP::Ontimer)
    EVT_TIMER(ID_TIMEOUT_TIMER, MainAPP::OnTimeOut)
    EVT_TIMER(ID_DATA_TIMER, MainAPP::DataTimer)
    EVT_TIMER(ID_TAG_LIST_TIMER, MainAPP::TagListTimer)
    EVT_TIMER(ID_LOG_TIMER, MainAPP::LogTimer)
    EVT_THREAD(XRCID("uartThreadcompletion"), MainAPP::UartOnThreadcomple)
    EVT_THREAD(XRCID("hidThreadcompletion"), MainAPP::HidOnThreadcomple)
    EVT_THREAD(XRCID("tcpThreadcompletion"), MainAPP::TCPOnThreadcomple)
    EVT_THREAD(XRCID("Thread"), MainAPP::OnThreadUpdate)
    EVT_THREAD(XRCID("Thread_hid"), MainAPP::OnThreadUpdate_Hid)
    EVT_THREAD(XRCID("Thread_tcp"), MainAPP::OnThreadUpdate_TCP)
    EVT_THREAD(XRCID("Thread_uartstate"), MainAPP::UartState)
    EVT_THREAD(XRCID("Thread_openfailure"), MainAPP::OpenFailure)
    EVT_THREAD(XRCID("Thread_hidstate"), MainAPP::HidState)
    EVT_THREAD(XRCID("Thread_tcpstate"), MainAPP::TCPState)
    EVT_THREAD(XRCID("Thread_Gethidinfo"), MainAPP::OnThreadUpdate_GetPath)
    EVT_THREAD(XRCID("Thread_GetPort"), MainAPP::OnThreadUpdate_GetPort)
wxEND_EVENT_TABLE()

wxString format_log_time(int hour, int minute, int second, int millisecond)
{
    return wxString::Format("%d:%d:%d:%d", hour, minute, second, millisecond);
}

MainAPP::MainAPP(wxWindow* parent)
    : MainFrame(parent), receive_wake_id(wxWindow::NewControlId())
{
    pakagelen = 0;
    Logqueue = new moodycamel::ConcurrentQueue<RXBUF>(1024);
    inventory_flag = false;
    buffer_inventory_flag = false;
    custom_inventory_flag = false;
    switchant_inventory_flag = false;
    tag_list_lenght = 0;
    list_enum_flag = NULL_FLAG;
    inventorymode = 0;
    std::memset(&rxlog, 0, sizeof rxlog);

    m_timer = new wxTimer(this, ID_ELAPSED_TIMER);
    timeout = new wxTimer(this, ID_TIMEOUT_TIMER);
    data_timer = new wxTimer(this, ID_DATA_TIMER);
    tag_list_timer = new wxTimer(this, ID_TAG_LIST_TIMER);
    log_timer = new wxTimer(this, ID_LOG_TIMER);
    timeoutflag = 0;
    uart_thread = nullptr;
    hid_thread = nullptr;
    tcp_thread = nullptr;

    realtime_inventory_pannel* realtime = rfid_6c_tag_test_pannel->realtime_inventory_subpannel;
    realtime->SetTagNumber(0);
    realtime->SetIdentifyTime(0);
    realtime->SetExcuteTime("0");
    realtime->SetAcumulateData("0");
    realtime->SetAcumulatetime("0");

    // The receive buffer exists before anything can reach the decoder.
    rx_data = static_cast<uint8_t*>(calloc(255, 1));

    bind_requests(true);
    bind_commands(true);
    bind_inventory_control(true);
    Bind(wxEVT_CLOSE_WINDOW, &MainAPP::OnClose, this);
    Bind(wxEVT_THREAD, &MainAPP::OnReceiveWake, this, receive_wake_id);
    Bind(wxEVT_PAGE_NOTICE, [this](wxCommandEvent& notice) { say_notice(notice.GetString()); });

    uartthreadcreat();
    changeconnect();
    menudisable();

    SetDataTime();
    SetLogTime();
}

MainAPP::~MainAPP()
{
    shutdown_links();
    bind_inventory_control(false);
    bind_commands(false);
    bind_requests(false);
    delete m_timer;
    delete timeout;
    delete data_timer;
    delete tag_list_timer;
    delete log_timer;
    free(rx_data);
    delete Logqueue;
}

void MainAPP::bind_requests(bool bind)
{
    EventNotifier* hub = EventNotifier::Get();
    auto link = [&](const wxEventTypeTag<rfidConnectEvent>& type,
                    void (MainAPP::*handler)(rfidConnectEvent&)) {
        if (bind)
            hub->Bind(type, handler, this);
        else
            hub->Unbind(type, handler, this);
    };
    auto config = [&](const wxEventTypeTag<rfidConfigEvent>& type,
                      void (MainAPP::*handler)(rfidConfigEvent&)) {
        if (bind)
            hub->Bind(type, handler, this);
        else
            hub->Unbind(type, handler, this);
    };
    link(wxEVT_CONNECT_PORT, &MainAPP::ConnectUart);
    link(wxEVT_DISCONNECT_PORT, &MainAPP::DisConnectUart);
    link(wxEVT_CONNECT_TCP, &MainAPP::ConnectTCP);
    link(wxEVT_DISCONNECT_TCP, &MainAPP::DisConnectTCP);
    link(wxEVT_CONNECTMETHOD, &MainAPP::SetConnectMethod);
    link(wxEVT_SET485ADDR, &MainAPP::Set485ADDR);
    link(wxEVT_CONNECTHID, &MainAPP::ConnectHID);
    link(wxEVT_DISCONNECTHID, &MainAPP::DisConnectHID);
    config(wxEVT_SETREALTIMETAGLIST, &MainAPP::SetRealTimeTagList);
    config(wxEVT_ANTSWTAGLIST, &MainAPP::SetAntSwTagList);
    config(wxEVT_CUSTOMTAGLIST, &MainAPP::SetCustomTagList);
    config(wxEVT_SETBUFFERTAGLIST, &MainAPP::SetBufferTagList);
}

connect_pannel* MainAPP::connect_page()
{
    return base_setting_pannel->connect_subpannel;
}

wxString MainAPP::gettime()
{
    const wxDateTime now = wxDateTime::UNow();
    return format_log_time(now.GetHour(), now.GetMinute(), now.GetSecond(), now.GetMillisecond());
}

void MainAPP::SetCmdLog(wxString text, int colour)
{
    UartDataLog->SetDefaultStyle(wxTextAttr(colour ? *wxRED : *wxBLACK));
    UartDataLog->AppendText(gettime() + "  " + text + "\r");
    drop_oldest_lines(UartDataLog, kLogLines);
}

void MainAPP::say_notice(const wxString& notice)
{
    if (!notice.empty())
        SetCmdLog(notice, 1);
}

void MainAPP::UartDataLogUpdate(wxCommandEvent& event)
{
    // GTK reports the change from inside the insertion, while it still
    // holds positions into the text: changing the box here crashes it. The
    // cut runs as soon as the insertion is over.
    if (auto_clear_log_checkBox->GetValue() && UartDataLog->GetNumberOfLines() >= 7) {
        CallAfter([this] {
            // Each entry ends with a carriage return, so the last counted
            // line is the empty one after it and the newest entry is line
            // n - 2.
            const int n = UartDataLog->GetNumberOfLines();
            if (!auto_clear_log_checkBox->GetValue() || n < 7)
                return;
            const wxString newest = UartDataLog->GetLineText(n - 2);
            UartDataLog->Clear();
            UartDataLog->AppendText(newest + "\r");
        });
    }
    event.Skip();
}

void MainAPP::SetTimeOut(int kind)
{
    ++timeouts_armed;
    timeoutflag = kind;
    timeout->Start(2000, wxTIMER_CONTINUOUS);
}

void MainAPP::ClearTimeOut()
{
    timeoutflag = 0;
    timeout->Stop();
}

// Both run only while there is work: each stops itself after a quiet spell
// (DataTimer, LogTimer), and starting one grants it a full spell.
void MainAPP::SetDataTime()
{
    receive_busy_at = std::chrono::steady_clock::now();
    data_timer->Start(1, wxTIMER_CONTINUOUS);
}

void MainAPP::SetLogTime()
{
    monitor_busy_at = std::chrono::steady_clock::now();
    log_timer->Start(5, wxTIMER_CONTINUOUS);
}

void MainAPP::SetTagListTime() { tag_list_timer->Start(5, wxTIMER_CONTINUOUS); }

void MainAPP::ClearTagListTime() { tag_list_timer->Stop(); }

void MainAPP::Ontimer(wxTimerEvent& event)
{
    show_acumulate_time(static_cast<uint8_t>(inventorymode));
    event.Skip();
}

int MainAPP::show_acumulate_time(uint8_t mode)
{
    rfid_6c_tag_test* tests = rfid_6c_tag_test_pannel;
    switch (mode) {
    case 1:
        tests->realtime_inventory_subpannel->AcumulateTime();
        break;
    case 2:
        tests->custom_inventory_subpannel->AcumulateTime();
        break;
    case 3:
        tests->reader_switchant_inventory_subpannel->AcumulateTime();
        break;
    default:
        tests->buffer_inventory_subpannel->AcumulateTime();
        break;
    }
    return 0;
}

wxString MainAPP::ConvertType(uint8_t value, int radix)
{
    if (radix == 16)
        return wxString::Format("%02X", value);
    return wxString::Format("%d", value);
}

void MainAPP::reset_inventories()
{
    rfid_6c_tag_test* tests = rfid_6c_tag_test_pannel;
    tests->realtime_inventory_subpannel->SetInventoryButton(0);
    tests->buffer_inventory_subpannel->SetInventoryButton(0);
    tests->custom_inventory_subpannel->SetInventoryButton(0);
    tests->reader_switchant_inventory_subpannel->SetInventoryButton(0);
    inventory_flag = false;
    buffer_inventory_flag = false;
    custom_inventory_flag = false;
    switchant_inventory_flag = false;
}

bool MainAPP::drop_upgrade()
{
    const bool running = upgrading();
    for (int method = 0; method < 3; ++method)
        if (LinkThread* link = link_for(method))
            link->abort_upgrade();
    upgrade_timeout_count = 0;
    Gaugeupgrade_Postion = 0;
    if (running)
        ClearTimeOut();
    return running;
}

void MainAPP::OnTimeOut(wxTimerEvent& event)
{
    // A reply that has come but waits behind a busy window, or behind a
    // backlog of reports, is not late: it is taken first, and ends the wait
    // it answers (or starts the next).
    const unsigned armed = timeouts_armed;
    take_received(true);
    if (timeouts_armed != armed) {
        event.Skip();
        return;
    }
    switch (timeoutflag) {
    case 1:
    case 2: {
        const int kind = timeoutflag;
        // Cleared before asking, so no second question can stack up while
        // this one waits for the operator.
        timeoutflag = 0;
        const wxString question =
            kind == 1 ? wxString::FromUTF8("当前连接不是正确的读写器，是否继续连接？")
                      : wxString::FromUTF8("读写器响应超时，是否继续连接？");
        const int answer = wxMessageBox(question, wxString::FromUTF8("警告"),
                                        wxYES_NO | wxCANCEL | wxNO_DEFAULT | wxICON_INFORMATION);
        if (answer == wxNO) {
            link_down(active_link(), {true, false, wxString()});
            SetCmdLog(wxString::FromUTF8("断开连接"), 0);
        }
        break;
    }
    case 3:
        timeoutflag = 0;
        // Counted in a row: an acknowledgement starts the count again.
        ++upgrade_timeout_count;
        if (upgrade_timeout_count > 2) {
            // The upgrade has failed: nothing more goes out for it, and
            // nothing is waited for.
            drop_upgrade();
            ClearTimeOut();
            upgraed_flag = false;
            rfid_upgrade_pannel* upgrade = base_setting_pannel->rfid_upgrade_subpannel;
            upgrade->SetButtonUpgradeState(true);
            upgrade->SetChooseupobjectState(true);
            SetCmdLog(wxString::FromUTF8("升级失败"), 1);
        } else {
            // The packet that was not acknowledged goes once more; the
            // next one would leave a gap in the reader's image.
            if (LinkThread* link = active_link())
                link->resend_upgrade_packet();
            post_link_control();
            SetCmdLog(wxString::FromUTF8("升级超时"), 0);
            SetTimeOut(3);
        }
        break;
    default:
        break;
    }
    event.Skip();
}
