#include "page_test_support.h"

#include <wx/app.h>
#include <wx/choice.h>
#include <wx/radiobox.h>

namespace page_test {

namespace {

// Built on first use: the event types get their values during static
// initialisation of another unit.
const std::vector<wxEventType>& requests()
{
    static const std::vector<wxEventType> types = {
    wxEVT_CONNECTMETHOD,  wxEVT_CONNECT_PORT,    wxEVT_DISCONNECT_PORT, wxEVT_SETBOUND,
    wxEVT_CONNECT_TCP,    wxEVT_DISCONNECT_TCP,  wxEVT_SET485ADDR,      wxEVT_CONNECTHID,
    wxEVT_DISCONNECTHID,  wxEVT_GETVERSION,      wxEVT_GETWORKTEMP,     wxEVT_GETGPIO1,
    wxEVT_SETGPIO1,       wxEVT_GETGPIO2,        wxEVT_SETGPIO2,        wxEVT_SETBEEP,
    wxEVT_RESTART_READER, wxEVT_SENDUARTDATA,    wxEVT_INVENTORY,       wxEVT_FLASHINVENTORYMENU,
    wxEVT_BUFFINVENTORY,  wxEVT_READTAGBUFF,     wxEVT_READCLEARTAGBUFF, wxEVT_CLEARBUFF,
    wxEVT_READTAGNUM,     wxEVT_FLASHBUFFINVENTORYMENU, wxEVT_SWITCHANTINVENTORY, wxEVT_CUSTOMINVENTORY,
    };
    return types;
}

// Delivers everything queued (the hub alone would hand out one event per
// call, and complains when it has none).
void deliver_queued()
{
    wxTheApp->ProcessPendingEvents();
}

}  // namespace

Recorder::Recorder()
{
    // Whatever an earlier test left queued is not this test's.
    deliver_queued();
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
    deliver_queued();
    std::vector<Posted> out;
    out.swap(seen);
    return out;
}

void Recorder::on_event(wxCommandEvent& event)
{
    const bool is_connect = dynamic_cast<rfidConnectEvent*>(&event) != nullptr;
    const bool is_config = dynamic_cast<rfidConfigEvent*>(&event) != nullptr;
    EXPECT_TRUE(is_connect || is_config) << "a request of neither command class";
    seen.push_back({event.GetEventType(), is_connect, event.GetId()});
}

bool click(wxButton* button)
{
    EXPECT_TRUE(button->IsEnabled()) << "clicking a disabled button";
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    return !button->ProcessWindowEvent(event);
}

bool choose_skipped(wxWindow* control, wxEventType type, int index)
{
    if (wxRadioBox* radio = dynamic_cast<wxRadioBox*>(control))
        radio->SetSelection(index);
    else if (wxChoice* choice = dynamic_cast<wxChoice*>(control))
        choice->SetSelection(index);
    wxCommandEvent event(type, control->GetId());
    event.SetEventObject(control);
    event.SetInt(index);
    return !control->ProcessWindowEvent(event);
}

}  // namespace page_test
