#include "rfid_event/rfid_command_event.h"

rfidConfigEvent::rfidConfigEvent(wxEventType type, int id) : wxCommandEvent(type, id) {}

rfidConfigEvent::rfidConfigEvent(const rfidConfigEvent& event) : wxCommandEvent(event) {}

rfidConfigEvent::~rfidConfigEvent() {}

wxEvent* rfidConfigEvent::Clone() const { return new rfidConfigEvent(*this); }

rfidConnectEvent::rfidConnectEvent(wxEventType type, int id) : wxCommandEvent(type, id) {}

rfidConnectEvent::rfidConnectEvent(const rfidConnectEvent& event) : wxCommandEvent(event) {}

rfidConnectEvent::~rfidConnectEvent() {}

wxEvent* rfidConnectEvent::Clone() const { return new rfidConnectEvent(*this); }
