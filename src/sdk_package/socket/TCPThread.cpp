#include "sdk_package/socket/TCPThread.h"

#include "rfid_event/rfid_event.h"
#include "reader_params.h"

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
