#include "sdk_package/hid/HIDThread.h"

#include "rfid_event/rfid_event.h"
#include "reader_params.h"
#include "sdk_package/link_thread/link_requests.h"

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
            // Not offered on this link: the request stays raised and
            // nothing is sent.
            {"StartSwitchAntInventory", nullptr, 0, 0, nullptr},
            {"StopSwitchAntInventory", nullptr, 0, 0, nullptr},
            {"GbDoubleIdentify", nullptr, 0, 0, nullptr},
            link_requests::gb_secure_read<LibWinHid, driver>(),
            link_requests::gb_secure_write<LibWinHid, driver>(),
            link_requests::tag_write_by_method<LibWinHid, driver>(),
            link_requests::save_param<LibWinHid, driver>(),
        });
    return table;
}
