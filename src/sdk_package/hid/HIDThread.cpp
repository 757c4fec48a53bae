#include "sdk_package/hid/HIDThread.h"

#include "rfid_event/rfid_event.h"
#include "reader_params.h"

HIDThread::HIDThread(wxWindow* owner)
    : LinkThread(owner, wxEVT_HID_CTRL, notice_id("Thread_hid"), 103),
      hid(new LibWinHid),
      id_completion_(notice_id("hidThreadcompletion")),
      id_state_(notice_id("Thread_hidstate"))
{
}

HIDThread::~HIDThread()
{
    delete hid;
}

wxThread::ExitCode HIDThread::Entry()
{
    return refuse_connects(id_completion_, id_state_, wxString::FromUTF8("设备不存在！"));
}

void HIDThread::send_tag_write()
{
    hid->RFID_Write(WriteMethod, OperateArea, OperateStartAddr, DataLenght, bytes(WriteData),
                    sizeof WriteData, OperatePassWord);
}

void HIDThread::send_gb_secure_read()
{
    hid->RFID_GbSeRead(OperateArea, static_cast<uint16_t>(OperateStartAddr), DataLenght,
                       OperatePassWord);
}

void HIDThread::send_gb_secure_write()
{
    hid->RFID_GbSeWrite(OperateArea, static_cast<uint16_t>(OperateStartAddr), DataLenght,
                        bytes(WriteData), sizeof WriteData, OperatePassWord);
}

void HIDThread::send_save_param()
{
    hid->Save_Param();
}
