// The process-wide event hub. Pages and the controller post requests to it;
// the controller and the link thread objects bind their handlers on it.
// GUI thread only: worker threads reach the controller through thread events.
#pragma once

#include <wx/event.h>
#include <wx/frame.h>
#include <wx/string.h>

class EventNotifier : public wxEvtHandler {
public:
    static EventNotifier* Get();
    static void Release();

    void DisableEvents(bool b) { _eventsDiabled = b; }
    bool IsEventsDiabled() const { return _eventsDiabled; }

    // Plain command events built and handled at once; false when disabled.
    bool SendCommandEvent(int eventId, void* clientData);
    bool SendCommandEvent(int eventId, void* clientData, const wxString& str);
    // The same event queued instead; nothing when disabled.
    void PostCommandEvent(int eventId, void* clientData);

    wxFrame* TopFrame();

    bool ProcessEvent(wxEvent& event) override;
    void AddPendingEvent(const wxEvent& event) override;

private:
    EventNotifier();
    virtual ~EventNotifier();
    EventNotifier(const EventNotifier&) = delete;
    EventNotifier& operator=(const EventNotifier&) = delete;

    bool _eventsDiabled;
    static EventNotifier* eventNotifier;
};
