#include "rf_pages_support.h"

#include <wx/app.h>

#include "rfid_event/rfid_notifiler.h"

namespace rf_test {

namespace {

// Built on first use: the event types get their values during static
// initialisation of another unit.
const std::vector<wxEventType>& requests()
{
    static const std::vector<wxEventType> types = {
        wxEVT_GETCHECKOUTWORKANT, wxEVT_SETCHECKOUTWORKANT, wxEVT_GETPOWER,  wxEVT_SETPOWER,
        wxEVT_GETREADTAGMODE,     wxEVT_SETREADTAGMODE,     wxEVT_GETRFLINK, wxEVT_SETRFLINK,
        wxEVT_GETFREQ,            wxEVT_SETFREQ,            wxEVT_UPGRADE,   wxEVT_RESET_PARA,
        wxEVT_SAVE_PARA,
    };
    return types;
}

}  // namespace

Recorder::Recorder()
{
    wxTheApp->ProcessPendingEvents();  // an earlier test's leftovers are not ours
    for (wxEventType type : requests())
        EventNotifier::Get()->Bind(wxEventTypeTag<wxCommandEvent>(type), &Recorder::on_event, this);
}

Recorder::~Recorder()
{
    for (wxEventType type : requests())
        EventNotifier::Get()->Unbind(wxEventTypeTag<wxCommandEvent>(type), &Recorder::on_event, this);
}

std::vector<Posted> Recorder::take()
{
    wxTheApp->ProcessPendingEvents();
    std::vector<Posted> out;
    out.swap(seen);
    return out;
}

std::vector<wxEventType> Recorder::take_types()
{
    std::vector<wxEventType> types;
    for (const Posted& p : take())
        types.push_back(p.type);
    return types;
}

void Recorder::on_event(wxCommandEvent& event)
{
    EXPECT_EQ(event.GetId(), 0);
    const bool is_connect = dynamic_cast<rfidConnectEvent*>(&event) != nullptr;
    EXPECT_TRUE(is_connect || dynamic_cast<rfidConfigEvent*>(&event)) << "a request of neither command class";
    seen.push_back({event.GetEventType(), is_connect, event.GetId()});
}

int ExpectRefusal::OnInvoked(wxMessageDialog* dialog) const
{
    EXPECT_EQ(dialog->GetMessage().utf8_string(), text_);
    EXPECT_EQ(dialog->GetCaption().utf8_string(), "错误信息");
    EXPECT_TRUE(dialog->GetMessageDialogStyle() & wxICON_INFORMATION);
    return wxID_OK;
}

}  // namespace rf_test
