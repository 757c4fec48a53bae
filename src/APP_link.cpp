// The controller's link lifecycle: one link thread per link method, connect
// and disconnect, the threads' notices, and the control states that follow.
#include "APP.h"

#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "sdk_package/hid/HIDThread.h"
#include "sdk_package/socket/TCPThread.h"
#include "sdk_package/uart/UartThread.h"
#include "wxcrafter/buffer_inv_pannel_base/buffer_inventory_pannel.h"
#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_rfparam_pannel_base/rf_paramset_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/reader_switchant_inventory_base/reader_switchant_inventory_pannel.h"
#include "wxcrafter/reader_uart_monitor_pannel_base/uart_monitor_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/log.h>

#include <algorithm>
#include <cstring>

namespace {

// Link method codes of the connection page.
enum { METHOD_SERIAL = 0, METHOD_TCP = 1, METHOD_HID = 2 };

// Whether `name` is one of the ports of `list` (each name followed by "n",
// the whole ended by "s"; no listed name holds either letter).
bool port_listed(const wxString& list, const wxString& name)
{
    return !name.empty() && ("n" + list).Contains("n" + name + "n");
}

// Starts a link thread object made by the caller; false when the system
// thread could not be made or run.
bool start_link_thread(LinkThread* thread)
{
    thread->DeleteFlag = 1;
    if (thread->Create() != wxTHREAD_NO_ERROR)
        return false;
    {
        // Raising a thread's priority needs privileges most users lack; the
        // link works the same without, so no message about it.
        wxLogNull quiet;
        thread->SetPriority(wxPRIORITY_MAX);
    }
    return thread->Run() == wxTHREAD_NO_ERROR;
}

}  // namespace

LinkThread* MainAPP::active_link()
{
    return link_for(connect_page()->GetreaderConnectMethod());
}

LinkThread* MainAPP::link_for(int method)
{
    switch (method) {
    case METHOD_TCP:
        return tcp_thread;
    case METHOD_HID:
        return hid_thread;
    default:
        return uart_thread;
    }
}

FrameLink* MainAPP::driver_for(int method)
{
    LinkThread* link = link_for(method);
    return link ? &link->frames() : nullptr;
}

void MainAPP::post_link_control()
{
    if (LinkThread* link = active_link()) {
        rfidConfigEvent event(link->control_event(), 0);
        EventNotifier::Get()->AddPendingEvent(event);
    }
}

// ------------------------------------------------------ thread management

template <class T>
static T* create_link_thread(MainAPP* owner, T* current, std::vector<LinkThread*>& ending,
                             const std::function<void()>& receive_wake)
{
    // A thread of this link that still runs serves on; one that is ending
    // is kept until its completion notice, so a new one may start beside it.
    if (current && current->DeleteFlag == 1)
        return current;
    if (current)
        ending.push_back(current);
    T* thread = new T(owner);
    thread->frames().SetRxWake(receive_wake);
    if (!start_link_thread(thread)) {
        delete thread;
        return nullptr;
    }
    return thread;
}

void MainAPP::uartthreadcreat()
{
    uart_thread = create_link_thread(this, uart_thread, ending_threads, receive_wake_hook());
    if (!uart_thread)
        return;
    if (!uart_thread->library_loaded() && !lodeport_missing_reported) {
        lodeport_missing_reported = true;
        SetCmdLog(wxString::FromUTF8("串口库加载失败，串口连接不可用：") +
                      wxString::FromUTF8(uart_thread->library_error().c_str()),
                  1);
    }
    connect_page()->SetConnectMethodState(true);
}

void MainAPP::hidthreadcreat()
{
    hid_thread = create_link_thread(this, hid_thread, ending_threads, receive_wake_hook());
    if (!hid_thread)
        return;
    if (!hid_thread->library_loaded() && !hidapi_missing_reported) {
        hidapi_missing_reported = true;
        SetCmdLog(wxString::FromUTF8("USB-HID库加载失败，USB-HID连接不可用：") +
                      wxString::FromUTF8(hid_thread->library_error().c_str()),
                  1);
    }
    connect_page()->SetConnectMethodState(true);
}

void MainAPP::tcpthreadcreat()
{
    tcp_thread = create_link_thread(this, tcp_thread, ending_threads, receive_wake_hook());
    if (tcp_thread)
        connect_page()->SetConnectMethodState(true);
}

void MainAPP::uartthreaddelate()
{
    if (uart_thread)
        uart_thread->request_stop();
}

void MainAPP::hidthreaddelate()
{
    if (hid_thread)
        hid_thread->request_stop();
}

void MainAPP::tcpthreaddelate()
{
    if (tcp_thread)
        tcp_thread->request_stop();
}

// The completion notice carries its thread object: only that object is
// joined and deleted, and a newer thread of the same link stays.
template <class T>
static bool finish_link_thread(wxThreadEvent& event, T*& current, std::vector<LinkThread*>& ending)
{
    LinkThread* done = event.GetPayload<LinkThread*>();
    if (done == current) {
        current = nullptr;
    } else {
        auto it = std::find(ending.begin(), ending.end(), done);
        if (it == ending.end())
            return false;  // not one of ours (or already joined at shutdown)
        ending.erase(it);
    }
    done->Wait();
    delete done;
    return true;
}

void MainAPP::UartOnThreadcomple(wxThreadEvent& event)
{
    if (finish_link_thread(event, uart_thread, ending_threads))
        thread_finished();
}

void MainAPP::HidOnThreadcomple(wxThreadEvent& event)
{
    if (finish_link_thread(event, hid_thread, ending_threads))
        thread_finished();
}

void MainAPP::TCPOnThreadcomple(wxThreadEvent& event)
{
    if (finish_link_thread(event, tcp_thread, ending_threads))
        thread_finished();
}

void MainAPP::thread_finished()
{
    SetCmdLog(wxString::FromUTF8("切换成功!"), 1);
    // A link that is up or coming up keeps the method until it is down.
    if (!link_up)
        connect_page()->SetConnectMethodState(true);
}

void MainAPP::shutdown_links()
{
    // Every thread stops and is joined, its port closed, before the window
    // and the pages it reads go away.
    std::vector<LinkThread*> all = ending_threads;
    ending_threads.clear();
    for (LinkThread* t : {static_cast<LinkThread*>(uart_thread), static_cast<LinkThread*>(hid_thread),
                          static_cast<LinkThread*>(tcp_thread)})
        if (t)
            all.push_back(t);
    uart_thread = nullptr;
    hid_thread = nullptr;
    tcp_thread = nullptr;
    link_up = nullptr;
    for (LinkThread* t : all)
        t->request_stop();
    for (LinkThread* t : all) {
        t->Wait();
        delete t;
    }
}

void MainAPP::OnClose(wxCloseEvent& event)
{
    data_timer->Stop();
    log_timer->Stop();
    tag_list_timer->Stop();
    drop_upgrade();
    timeout->Stop();
    m_timer->Stop();
    shutdown_links();
    event.Skip();
}

// --------------------------------------------------------- link method

void MainAPP::SetConnectMethod(rfidConnectEvent& event)
{
    // A connect still under way goes with its link: the thread ends, and
    // what it opened is closed.
    if (link_up)
        link_down(link_up, {false, false, wxString()});
    connect_pannel* page = connect_page();
    page->SetConnectMethodState(false);
    wxString text;
    switch (page->GetreaderConnectMethod()) {
    case METHOD_TCP:
        uartthreaddelate();
        hidthreaddelate();
        tcpthreadcreat();
        text = wxString::FromUTF8("设置读写器为TCP/IP连接");
        break;
    case METHOD_HID:
        uartthreaddelate();
        tcpthreaddelate();
        hidthreadcreat();
        text = wxString::FromUTF8("设置读写器为HID连接");
        break;
    default:
        uartthreadcreat();
        hidthreaddelate();
        tcpthreaddelate();
        text = wxString::FromUTF8("设置读写器为串口连接");
        break;
    }
    changeconnect();
    SetCmdLog(text, 0);
    event.Skip();
}

// ------------------------------------------------- connect, disconnect

void MainAPP::set_upgrade_controls(bool enable)
{
    rfid_upgrade_pannel* upgrade = base_setting_pannel->rfid_upgrade_subpannel;
    upgrade->SetButtonUpgradeState(enable);
    upgrade->SetChooseupobjectState(enable);
}

void MainAPP::ConnectUart(rfidConnectEvent& event)
{
    if (uart_thread) {
        uart_thread->libuart->set_rs485_addr(connect_page()->GetConnectRs485Addr());
        uart_thread->set_connect_target(UartNumber, BaudRate);
        SetCmdLog(wxString::FromUTF8("打开串口"), 0);
        uart_thread->request_connect();
        link_up = uart_thread;
        link_up_connected = false;
        serial_port_up = wxString::FromUTF8(UartNumber.c_str());
        set_upgrade_controls(true);
        SetTimeOut(1);
    }
    event.Skip();
}

void MainAPP::ConnectTCP(rfidConnectEvent& event)
{
    if (tcp_thread) {
        SetCmdLog(wxString::FromUTF8("打开TCP/IP连接"), 0);
        SetTimeOut(1);
        tcp_thread->tcp->set_rs485_addr(connect_page()->GetConnectRs485Addr());
        tcp_thread->set_connect_target(ipv4_hostname, tcp_port);
        set_upgrade_controls(true);
        tcp_thread->request_connect();
        link_up = tcp_thread;
        link_up_connected = false;
    }
    event.Skip();
}

void MainAPP::ConnectHID(rfidConnectEvent& event)
{
    if (hid_thread) {
        hid_thread->request_connect();
        link_up = hid_thread;
        link_up_connected = false;
        set_upgrade_controls(true);
        SetTimeOut(1);
        SetCmdLog(wxString::FromUTF8("打开HID连接"), 0);
    }
    event.Skip();
}

void MainAPP::link_down(LinkThread* thread, const LinkDown& how)
{
    const bool upgrade_cut = drop_upgrade();
    if (thread) {
        thread->clear_inventory_flags();
        if (how.close_link)
            thread->request_disconnect();
        if (thread == link_up)
            link_up = nullptr;
    }
    reset_inventories();
    m_timer->Stop();
    menudisable();
    ClearTimeOut();
    if (how.stop_feed)
        ClearTagListTime();
    if (!how.reason.empty())
        SetCmdLog(how.reason, 1);
    if (upgrade_cut)
        SetCmdLog(wxString::FromUTF8("升级失败"), 1);
}

void MainAPP::DisConnectUart(rfidConnectEvent& event)
{
    if (uart_thread) {
        SetCmdLog(wxString::FromUTF8("关闭串口"), 0);
        link_down(uart_thread, {true, true, wxString()});
    }
    event.Skip();
}

void MainAPP::DisConnectTCP(rfidConnectEvent& event)
{
    if (tcp_thread) {
        SetCmdLog(wxString::FromUTF8("关闭TCP/IP连接"), 0);
        link_down(tcp_thread, {true, true, wxString()});
    }
    event.Skip();
}

void MainAPP::DisConnectHID(rfidConnectEvent& event)
{
    if (hid_thread) {
        SetCmdLog(wxString::FromUTF8("关闭HID连接"), 0);
        link_down(hid_thread, {true, false, wxString()});
    }
    event.Skip();
}

void MainAPP::Set485ADDR(rfidConnectEvent& event)
{
    if (request_refused(Guard::realtime_or_buffered)) {
        event.Skip();
        return;
    }
    SetCmdLog(wxString::FromUTF8("设置读写器RS485地址"), 0);
    if (connect_page()->GetreaderConnectMethod() == METHOD_SERIAL && uart_thread) {
        uart_thread->SetReaderAddrFlag = 1;
        rfidConfigEvent request(wxEVT_UART_CTRL, 0);
        EventNotifier::Get()->AddPendingEvent(request);
    }
    event.Skip();
}

// ------------------------------------------------------------- notices

LinkThread* MainAPP::attempt_sender(wxThreadEvent& event)
{
    LinkThread* from = event.GetPayload<LinkThread*>();
    // Compared before it is used: a thread that is no longer ours may be
    // gone.
    if (from == nullptr || from != active_link() ||
        !from->attempt_current(static_cast<unsigned>(event.GetInt())))
        return nullptr;
    return from;
}

void MainAPP::link_state(wxThreadEvent& event, bool hid)
{
    const wxString text = event.GetString();
    if (text.empty() || !link_up || attempt_sender(event) != link_up)
        return;
    SetCmdLog(text, 1);
    if (!text.Contains(wxString::FromUTF8("成功"))) {
        // A connect that failed; a connected link's other states leave it up.
        if (!link_up_connected)
            link_up = nullptr;
        ClearTimeOut();
        return;
    }
    link_up_connected = true;
    menuinit();
    connect_pannel* page = connect_page();
    if (hid && page->GetReaderType() != 0)
        page->SetReaderType(0);
    const int type = page->GetReaderType();
    base_setting_pannel->rf_paramset_subpannel->AntModeSelect(type);
    rfid_6c_tag_test* tests = rfid_6c_tag_test_pannel;
    tests->realtime_inventory_subpannel->SetAntMode(type);
    tests->buffer_inventory_subpannel->SetAntMode(type);
    tests->custom_inventory_subpannel->SetAntMode(type);
    tests->reader_switchant_inventory_subpannel->SetAntMode(type);
}

void MainAPP::UartState(wxThreadEvent& event) { link_state(event, false); }

void MainAPP::TCPState(wxThreadEvent& event) { link_state(event, false); }

void MainAPP::HidState(wxThreadEvent& event) { link_state(event, true); }

void MainAPP::OpenFailure(wxThreadEvent& event)
{
    // It follows the failure's state notice, which has already let the
    // link go.
    const wxString reason = event.GetString();
    if (!reason.empty() && attempt_sender(event))
        SetCmdLog(reason, 1);
}

void MainAPP::OnThreadUpdate_GetPort(wxThreadEvent& event)
{
    const wxString list = event.GetString();
    if (list.empty())
        return;
    connect_page()->SetUartPort(list);
    // Only the port the serial link has open, or is opening, matters; any
    // other port simply leaves the list.
    if (!link_up || link_up != uart_thread || port_listed(list, serial_port_up))
        return;
    link_down(uart_thread, {true, false,
                            wxString::FromUTF8("串口") + serial_port_up +
                                wxString::FromUTF8("已不存在，连接已断开！")});
}

void MainAPP::OnThreadUpdate_GetPath(wxThreadEvent& event)
{
    const wxString info = event.GetString();
    if (!info.empty() && link_up && attempt_sender(event) == link_up)
        connect_page()->SetHidInfo(info);
}

void MainAPP::echo_sent_frame(LinkThread* thread)
{
    if (!thread || !open_uart_monitor_checkBox->GetValue() || thread->TxData[0] != FrameLink::kHeader)
        return;
    show_frame_line(thread->TxData, sizeof thread->TxData, 0);
    std::memset(thread->TxData, 0, sizeof thread->TxData);
}

void MainAPP::OnThreadUpdate(wxThreadEvent& event)
{
    if (event.GetInt() == 101)
        echo_sent_frame(uart_thread);
}

void MainAPP::OnThreadUpdate_Hid(wxThreadEvent& event)
{
    const int value = event.GetInt();
    if (value == 103) {
        echo_sent_frame(hid_thread);
    } else if (value < 0) {
        // The worker has closed the device itself.
        link_down(hid_thread, {false, false, wxString::FromUTF8("设备断开连接!")});
    }
}

void MainAPP::OnThreadUpdate_TCP(wxThreadEvent& event)
{
    const int value = event.GetInt();
    if (value == 105) {
        echo_sent_frame(tcp_thread);
    } else if (value < 0) {
        // The worker has closed the socket itself.
        link_down(tcp_thread, {false, false, wxString::FromUTF8("服务器连接丢失!")});
    }
}

// ------------------------------------------------------ control states

void MainAPP::set_link_pages(bool enable)
{
    rfid_6c_tag_test_pannel->Enable(enable);
    rfid_uart_monitor_pannel->Enable(enable);
    base_setting_pannel->rf_paramset_subpannel->Enable(enable);
}

void MainAPP::menudisable()
{
    connect_pannel* page = connect_page();
    set_upgrade_controls(false);
    page->SetFramewareState(false);
    page->SetWorkTempState(false);
    page->SetRestartReaderState(false);
    page->SetGpio1ReadState(false);
    page->SetGpio2ReadState(false);
    page->SetGpio1WriteState(false);
    page->SetGpio2WriteState(false);
    page->SetBeepStatusState(false);
    page->SetBeep1StatusStte(false);
    page->SetConnectMethodState(true);
    page->SetReaderTypeState(true);
    page->SetConnectRs485State(true);
    set_link_pages(false);
    switch (page->GetreaderConnectMethod()) {
    case METHOD_TCP:
        page->SetTcpIdState(true);
        page->SetTcpPortState(true);
        page->SetConnectTcpButtonState(true);
        page->SetDisConnectTcpButtonState(false);
        break;
    case METHOD_HID:
        page->ClearHidinfo();
        page->SetConnectHIDButtonState(true);
        page->SetDisConnectHIDButtonState(false);
        break;
    default:
        page->SetConnectButtonState(true);
        page->SetSelectUartNumberState(true);
        page->SetSelectUartBoundrateState(true);
        page->SetDisconnectButtonState(false);
        page->SetRS485AddrEnterState(false);
        page->SetRS485AddrButtonState(false);
        page->SetSetBoundRateState(false);
        page->SetSetBoundRateButtonState(false);
        break;
    }
}

void MainAPP::menuinit()
{
    connect_pannel* page = connect_page();
    page->SetFramewareState(true);
    page->SetWorkTempState(true);
    page->SetRestartReaderState(true);
    page->SetGpio1ReadState(true);
    page->SetGpio2ReadState(true);
    page->SetGpio1WriteState(true);
    page->SetGpio2WriteState(true);
    page->SetBeepStatusState(true);
    page->SetBeep1StatusStte(true);
    page->SetConnectMethodState(false);
    page->SetReaderTypeState(false);
    page->SetConnectRs485State(false);
    set_link_pages(true);
    switch (page->GetreaderConnectMethod()) {
    case METHOD_TCP:
        page->SetTcpIdState(false);
        page->SetTcpPortState(false);
        page->SetConnectTcpButtonState(false);
        page->SetDisConnectTcpButtonState(true);
        break;
    case METHOD_HID:
        page->SetConnectHIDButtonState(false);
        page->SetDisConnectHIDButtonState(true);
        break;
    default:
        page->SetConnectButtonState(false);
        page->SetSelectUartNumberState(false);
        page->SetSelectUartBoundrateState(false);
        page->SetDisconnectButtonState(true);
        page->SetRS485AddrEnterState(true);
        page->SetRS485AddrButtonState(true);
        break;
    }
}

void MainAPP::changeconnect()
{
    connect_pannel* page = connect_page();
    const int method = page->GetreaderConnectMethod();
    const bool serial = method == METHOD_SERIAL;
    const bool tcp = method == METHOD_TCP;
    const bool hid = method == METHOD_HID;
    page->SetConnectButtonState(serial);
    page->SetSelectUartNumberState(serial);
    page->SetSelectUartBoundrateState(serial);
    page->SetDisconnectButtonState(false);
    page->SetRS485AddrEnterState(false);
    page->SetRS485AddrButtonState(false);
    page->SetSetBoundRateState(false);
    page->SetSetBoundRateButtonState(false);
    page->SetTcpIdState(tcp);
    page->SetTcpPortState(tcp);
    page->SetConnectTcpButtonState(tcp);
    page->SetDisConnectTcpButtonState(false);
    page->SetConnectHIDButtonState(hid);
    page->SetDisConnectHIDButtonState(false);
}
