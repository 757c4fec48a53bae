#include "rfid_event/rfid_notifiler.h"

#include <wx/app.h>

EventNotifier* EventNotifier::eventNotifier = nullptr;

EventNotifier::EventNotifier() : _eventsDiabled(false) {}

EventNotifier::~EventNotifier() {}

EventNotifier* EventNotifier::Get()
{
    if (!eventNotifier)
        eventNotifier = new EventNotifier();
    return eventNotifier;
}

void EventNotifier::Release()
{
    delete eventNotifier;
    eventNotifier = nullptr;
}

bool EventNotifier::SendCommandEvent(int eventId, void* clientData)
{
    if (_eventsDiabled)
        return false;
    wxCommandEvent event(eventId, 0);
    event.SetClientData(clientData);
    return ProcessEvent(event);
}

bool EventNotifier::SendCommandEvent(int eventId, void* clientData, const wxString& str)
{
    if (_eventsDiabled)
        return false;
    wxCommandEvent event(eventId, 0);
    event.SetClientData(clientData);
    event.SetString(str);
    return ProcessEvent(event);
}

void EventNotifier::PostCommandEvent(int eventId, void* clientData)
{
    if (_eventsDiabled)
        return;
    wxCommandEvent event(eventId, 0);
    event.SetClientData(clientData);
    AddPendingEvent(event);
}

wxFrame* EventNotifier::TopFrame()
{
    return wxTheApp ? dynamic_cast<wxFrame*>(wxTheApp->GetTopWindow()) : nullptr;
}

bool EventNotifier::ProcessEvent(wxEvent& event)
{
    // Queued events come back through here when delivered, so switching
    // delivery off also swallows what is already waiting.
    if (_eventsDiabled)
        return false;
    return wxEvtHandler::ProcessEvent(event);
}

void EventNotifier::AddPendingEvent(const wxEvent& event)
{
    if (_eventsDiabled)
        return;
    wxEvtHandler::AddPendingEvent(event);
}
