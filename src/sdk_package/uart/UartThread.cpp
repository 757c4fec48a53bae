#include "sdk_package/uart/UartThread.h"

#include "platform/deadline.h"
#include "reader_params.h"
#include "rfid_event/rfid_event.h"
#include "sdk_package/link_thread/link_requests.h"

#include <algorithm>
#include <chrono>

namespace {

// How often the port list is looked at: while idle (after each idle wait),
// and at most this often while connected (a list costs a walk through /sys).
constexpr int kPortListPeriodMs = LinkThread::kIdleWaitMs;

}  // namespace

UartThread::UartThread(wxWindow* owner)
    : LinkThread(owner, wxEVT_UART_CTRL, notice_id("Thread"), 101),
      libuart(new LibWinUart),
      id_completion_(notice_id("uartThreadcompletion")),
      id_state_(notice_id("Thread_uartstate")),
      id_port_(notice_id("Thread_GetPort"))
{
    if (libuart->LoadExtLibrary(nullptr) != 0)
        load_error_ = libuart->load_error();
    libuart->set_wake_fd(wake_fd());
}

UartThread::~UartThread()
{
    libuart->FreeExtLibrary(nullptr);
    delete libuart;
}

void UartThread::set_connect_target(const std::string& port, long baud)
{
    std::lock_guard<std::mutex> hold(target_lock_);
    target_port_ = port;
    target_baud_ = baud;
}

void UartThread::UartState(const wxString& text)
{
    post_attempt(id_state_, text);
}

void UartThread::Set_port_log(const wxString& list)
{
    post_text(id_port_, list);
}

void UartThread::report_port_list_change()
{
    if (libuart->Check_Serial_Com()) {
        Set_port_log(wxString::FromUTF8(libuart->GetComPortNum().c_str()));
    }
}

wxThread::ExitCode UartThread::Entry()
{
    return idle_loop(id_completion_);
}

bool UartThread::open_link()
{
    std::string port;
    long baud;
    {
        std::lock_guard<std::mutex> hold(target_lock_);
        port = target_port_;
        baud = target_baud_;
    }
    const int result = libuart->ConnectUart(port, baud);
    if (result == -1) {
        UartState(wxString::FromUTF8("请先关闭"));
        post_open_failure(libuart->open_failure());
    } else if (result == 1) {
        UartState(wxString::FromUTF8("连接失败！"));
    }
    return result == 0;
}

void UartThread::on_connected()
{
    UartState(wxString::FromUTF8("连接成功！"));
    next_list_check_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPortListPeriodMs);
}

int UartThread::serve_link()
{
    using clock = std::chrono::steady_clock;
    if (clock::now() >= next_list_check_) {
        report_port_list_change();
        next_list_check_ = clock::now() + std::chrono::milliseconds(kPortListPeriodMs);
    }
    libuart->flush_writes();
    // One wait on the port and the wake-up, until the next port-list check
    // at the latest; none when a long write has used that time up.
    const int wait_ms = platform::MsUntil(next_list_check_);
    const int got = libuart->WaitUartData(wake_fd(), wait_ms);
    if (got == 0)
        clear_wake();
    else if (got < 0)
        // A hung-up port would end every wait at once: until a request
        // or the port-list check, wait on the wake-up alone.
        wait_for(-1, wait_ms);
    return 0;
}

void UartThread::close_link()
{
    libuart->DisConnected();
}

// ---------------------------------------------------- serial link's frames

namespace {

LibWinUart& serial(LinkThread& t)
{
    return *static_cast<UartThread&>(t).libuart;
}

}  // namespace

const RequestTable& UartThread::request_table()
{
    using L = LinkThread;
    static const RequestTable table = with_rows(
        shared_requests(),
        {
            {"SetBound", &L::SetBoundFlag, 1, 0, [](L& t) { serial(t).Set_Uart_BoundRate(GetUartBound); return true; }},
            // One frame for one, four or eight different powers.
            {"SetAntPower", &L::SetAntPowerFlag, 1, 0,
             [](L& t) {
                 const uint8_t* p = AntPower;
                 const bool all_equal = std::all_of(p, p + 8, [&](uint8_t v) { return v == p[0]; });
                 const bool upper_equal = std::all_of(p + 4, p + 8, [&](uint8_t v) { return v == p[0]; });
                 if (all_equal)
                     serial(t).Set_Ant_power(p[0]);
                 else if (upper_equal)
                     serial(t).Set_Multi_Ant_power(p[0], p[1], p[2], p[3]);
                 else
                     serial(t).Set_Eight_Ant_power(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]);
                 return true;
             }},
            link_requests::switch_ant_inventory<LibWinUart, serial>(),
            // Always as 0x82.
            {"WriteTag", &L::WriteTagFlag, 1, 0,
             [](L& t) {
                 serial(t).RFID_Write(OperateArea, OperateStartAddr, DataLenght, link_requests::bytes(WriteData),
                                      sizeof WriteData, OperatePassWord);
                 return true;
             }},
            link_requests::gb_secure_read<LibWinUart, serial>(),
            link_requests::gb_secure_write<LibWinUart, serial>(),
            {"SavePara", &L::SaveParaFlag, 1, 0, [](L& t) { serial(t).SaveParam(); return true; }},
        });
    return table;
}
