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
}

TCPThread::~TCPThread()
{
    delete tcp;
}

wxThread::ExitCode TCPThread::Entry()
{
    return refuse_connects(id_completion_, id_state_, wxString::FromUTF8("连接失败"));
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
            // Not carried on this link: cleared, nothing sent.
            link_requests::gb_secure_read<tcp_client, driver>(),
            link_requests::gb_secure_write<tcp_client, driver>(),
            link_requests::tag_write_by_method<tcp_client, driver>(),
            link_requests::save_param<tcp_client, driver>(),
        });
    return table;
}
