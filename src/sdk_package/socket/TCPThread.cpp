#include "sdk_package/socket/TCPThread.h"

#include "rfid_event/rfid_event.h"
#include "reader_params.h"

#include <wx/socket.h>

TCPThread::TCPThread(wxWindow* owner)
    : LinkThread(owner, wxEVT_TCP_CTRL, notice_id("Thread_tcp"), 105),
      tcp(nullptr),
      id_completion_(notice_id("tcpThreadcompletion")),
      id_state_(notice_id("Thread_tcpstate")),
      id_sent_(notice_id("Thread_tcp"))
{
    // Sockets made on a worker need the socket layer set up on the main
    // thread first.
    if (!wxSocketBase::IsInitialized())
        wxSocketBase::Initialize();
    tcp = new tcp_client;
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
    status = text;
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
    // Each pass waits at most ~200 ms for the reader, so a disconnect
    // request is seen within that time and an idle link costs nothing.
    for (;;) {
        if (DisconnectedReaderFlag) {
            DisconnectedReaderFlag = 0;
            tcp->DisConnected();
            return;
        }
        statusnum = tcp->GetServerData();
        if (statusnum < 0) {
            // Reported once: the next pass closes the socket and goes idle.
            post_int(id_sent_, statusnum);
            DisconnectedReaderFlag = 1;
        }
    }
}

void TCPThread::send_switch_ant_inventory()
{
    tcp->Switch_Ant_Inventory(ant_num, Round_Ant, Round_Num, 0, session_select, flag_select,
                              ChangeAntInventory_Round);
}

void TCPThread::send_tag_write()
{
    tcp->RFID_Write(WriteMethod, OperateArea, OperateStartAddr, DataLenght,
                    bytes(WriteData), sizeof WriteData, OperatePassWord);
}

void TCPThread::send_save_param()
{
    tcp->Save_Param();
}
