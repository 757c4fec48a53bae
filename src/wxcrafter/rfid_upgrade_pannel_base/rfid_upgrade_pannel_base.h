// The firmware-upgrade page's generated base. Its controls arrive with the
// page's own work; until then it is an empty panel of its class.
#pragma once

#include <wx/panel.h>

class rfid_upgradebase : public wxPanel {
public:
    rfid_upgradebase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~rfid_upgradebase();
};
