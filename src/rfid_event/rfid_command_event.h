// The two command-event classes. Neither carries data: the event type alone
// says what is asked, parameters travel in the page globals.
#pragma once

#include <wx/event.h>

// Configuration and command requests.
class rfidConfigEvent : public wxCommandEvent {
public:
    rfidConfigEvent(wxEventType type = wxEVT_NULL, int id = 0);
    rfidConfigEvent(const rfidConfigEvent& event);
    virtual ~rfidConfigEvent();
    wxEvent* Clone() const override;
};

// Connection-level requests.
class rfidConnectEvent : public wxCommandEvent {
public:
    rfidConnectEvent(wxEventType type = wxEVT_NULL, int id = 0);
    rfidConnectEvent(const rfidConnectEvent& event);
    virtual ~rfidConnectEvent();
    wxEvent* Clone() const override;
};
