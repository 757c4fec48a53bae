#include "sdk_package/hid/HIDThread.h"

#include "rfid_event/rfid_event.h"
#include "reader_params.h"
#include "sdk_package/link_thread/link_requests.h"

HIDThread::HIDThread(wxWindow* owner)
    : LinkThread(owner, wxEVT_HID_CTRL, notice_id("Thread_hid"), 103),
      hid(new LibWinHid),
      id_completion_(notice_id("hidThreadcompletion")),
      id_state_(notice_id("Thread_hidstate")),
      id_info_(notice_id("Thread_Gethidinfo"))
{
    hid->LoadExtLibrary(nullptr);
}

HIDThread::~HIDThread()
{
    delete hid;
}

void HIDThread::HIDState(const wxString& text)
{
    post_attempt(id_state_, text);
}

void HIDThread::Set_port_log(const wxString& info)
{
    post_attempt(id_info_, info);
}

wxThread::ExitCode HIDThread::Entry()
{
    return idle_loop(id_completion_);
}

bool HIDThread::open_link()
{
    if (!hid->library_loaded()) {
        // Already reported when the link was chosen.
        HIDState(wxString::FromUTF8("连接失败！"));
        return false;
    }
    // The reader is looked for anew on every connect.
    if (!hid->Check_HID_Path()) {
        HIDState(wxString::FromUTF8("设备不存在！"));
        post_open_failure(hid->search_failure());
        return false;
    }
    if (hid->ConnectHID(hid->GetHID_PATH_Num()) != 0) {
        HIDState(wxString::FromUTF8("连接失败！"));
        post_open_failure(hid->open_failure());
        return false;
    }
    return true;
}

void HIDThread::on_connected()
{
    HIDState(wxString::FromUTF8("连接成功！"));
    Set_port_log(wxString::FromUTF8(hid->Get_Hid_info().c_str()));
}

int HIDThread::serve_link()
{
    // Each pass waits a few milliseconds for an input report: replies come
    // at once, queued frames go out between waits, and an idle link costs
    // next to nothing.
    return hid->GetHIDData();
}

void HIDThread::close_link()
{
    hid->DisConnected();
}

bool HIDThread::frame_refused()
{
    if (hid->take_refused_frames() == 0)
        return false;
    HIDState(wxString::FromUTF8("帧长度超过USB-HID报告的52字节，未发送"));
    return true;
}

namespace {

LibWinHid& driver(LinkThread& t)
{
    return *static_cast<HIDThread&>(t).hid;
}

}  // namespace

const RequestTable& HIDThread::request_table()
{
    static const RequestTable table = with_rows(
        shared_requests(),
        {
            link_requests::not_carried("StopSwitchAntInventory", &LinkThread::StartSwitchAntInventoryFlag, 3),
            link_requests::not_carried("GbDoubleIdentify", &LinkThread::GbDoubleIdTagFlag),
            link_requests::gb_secure_read<LibWinHid, driver>(),
            link_requests::gb_secure_write<LibWinHid, driver>(),
            link_requests::tag_write_by_method<LibWinHid, driver>(),
            link_requests::save_param<LibWinHid, driver>(),
        });
    return table;
}
