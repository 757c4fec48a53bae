// The RF-parameter page's generated base. Its controls arrive with the
// page's own work; until then it is an empty panel of its class.
#pragma once

#include <wx/panel.h>

class rf_paramset_pannelBase : public wxPanel {
public:
    rf_paramset_pannelBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                           const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~rf_paramset_pannelBase();
};
