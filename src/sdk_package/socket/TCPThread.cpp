#include "sdk_package/socket/TCPThread.h"

#include "rfid_event/rfid_event.h"
#include "reader_params.h"
#include "sdk_package/link_thread/link_requests.h"

#include <wx/socket.h>

TCPThread::TCPThread(wxWindow* owner)
    : LinkThread(owner, wxEVT_TCP_CTRL, notice_id("Thread_tcp"), 105),
      tcp(nullptr),
      id_completion_(notice_id("tcpThreadcompletion")),
      id_state_(notice_id("Thread_tcpstate"))
{
    // Sockets made on a worker need the socket layer set up on the main
    // thread first.
    if (!wxSocketBase::IsInitialized())
        wxSocketBase::Initialize();
    tcp = new tcp_client;
    tcp->set_wake_fd(wake_fd());
}

TCPThread::~TCPThread()
{
    delete tcp;
}

void TCPThread::set_connect_target(const std::string& address, int port)
{
    std::lock_guard<std::mutex> hold(target_lock_);
    target_address_ = address;
    target_port_ = port;
}

void TCPThread::TcpState(const wxString& text)
{
    post_text(id_state_, text);
}

wxThread::ExitCode TCPThread::Entry()
{
    return idle_loop(id_completion_);
}

void TCPThread::serve_connect_request()
{
    std::string address;
    int port;
    {
        std::lock_guard<std::mutex> hold(target_lock_);
        address = target_address_;
        port = target_port_;
    }
    const int result = tcp->ConnectServer(address, port);
    if (result == -1) {
        TcpState(wxString::FromUTF8("请先关闭"));
        return;
    }
    if (result != 0) {
        TcpState(wxString::FromUTF8("连接失败"));
        return;
    }
    DisconnectedReaderFlag = 0;
    TcpState(wxString::FromUTF8("连接成功"));
    tcp->Restart_Reader();
    // Each pass waits for the reader's bytes, a frame to send or a request
    // (they raise the thread's wake-up), so an idle link costs nothing.
    for (;;) {
        if (DisconnectedReaderFlag) {
            DisconnectedReaderFlag = 0;
            tcp->DisConnected();
            return;
        }
        const int status = tcp->GetServerData();
        if (status < 0) {
            // Reported once: the next pass closes the socket and goes idle.
            post_link_lost(status);
            DisconnectedReaderFlag = 1;
        }
    }
}

namespace {

tcp_client& driver(LinkThread& t)
{
    return *static_cast<TCPThread&>(t).tcp;
}

}  // namespace

const RequestTable& TCPThread::request_table()
{
    static const RequestTable table = with_rows(
        shared_requests(),
        {
            link_requests::switch_ant_inventory<tcp_client, driver>(),
            link_requests::tag_write_by_method<tcp_client, driver>(),
            link_requests::save_param<tcp_client, driver>(),
        });
    return table;
}
