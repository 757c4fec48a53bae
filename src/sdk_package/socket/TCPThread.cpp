#include "sdk_package/socket/TCPThread.h"

#include "rfid_event/rfid_event.h"
#include "reader_params.h"
#include "sdk_package/link_thread/link_requests.h"

TCPThread::TCPThread(wxWindow* owner)
    : LinkThread(owner, wxEVT_TCP_CTRL, notice_id("Thread_tcp"), 105),
      tcp(new tcp_client),
      id_completion_(notice_id("tcpThreadcompletion")),
      id_state_(notice_id("Thread_tcpstate"))
{
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
    post_attempt(id_state_, text);
}

wxThread::ExitCode TCPThread::Entry()
{
    return idle_loop(id_completion_);
}

bool TCPThread::open_link()
{
    std::string address;
    int port;
    {
        std::lock_guard<std::mutex> hold(target_lock_);
        address = target_address_;
        port = target_port_;
    }
    switch (tcp->ConnectServer(address, port)) {
    case 0:
        return true;
    case -1:
        TcpState(wxString::FromUTF8("请先关闭"));
        return false;
    case 2:
        // Given up for a request that came meanwhile; it says what follows.
        if (link_must_close())
            return false;
        [[fallthrough]];
    default:
        TcpState(wxString::FromUTF8("连接失败"));
        return false;
    }
}

void TCPThread::on_connected()
{
    TcpState(wxString::FromUTF8("连接成功"));
}

int TCPThread::serve_link()
{
    return tcp->GetServerData();
}

void TCPThread::close_link()
{
    tcp->DisConnected();
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
