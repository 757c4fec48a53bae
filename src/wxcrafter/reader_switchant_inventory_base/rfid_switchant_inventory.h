// The antenna-switch inventory page's controls: the start button, the
// statistics and the tag list.
#pragma once

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/panel.h>

#include "wxcrafter/page_support/inventory_stats.h"
#include "wxcrafter/page_support/page_support.h"

class reader_switchant_inventory_pannelBase : public wxPanel, public inventory_stats {
public:
    reader_switchant_inventory_pannelBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                                          const wxPoint& pos = wxDefaultPosition,
                                          const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~reader_switchant_inventory_pannelBase();

    wxListCtrl* GetListCtrl() { return m_listCtrl; }

protected:
    virtual void StartInventory(wxCommandEvent& event) { event.Skip(); }
    virtual void FlashMenu(wxCommandEvent& event) { event.Skip(); }
    virtual void SaveTag(wxCommandEvent& event) { event.Skip(); }

    wxListCtrl* m_listCtrl;

private:
    std::vector<PageConnection<reader_switchant_inventory_pannelBase>> connections();
};
