// The buffered inventory page's controls: the start button, the four
// buffer buttons, the statistics and the record list.
#pragma once

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/panel.h>

#include "wxcrafter/page_support/inventory_stats.h"
#include "wxcrafter/page_support/page_support.h"

class buffer_inventory_pannelBase : public wxPanel, public inventory_stats {
public:
    buffer_inventory_pannelBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                                const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~buffer_inventory_pannelBase();

    wxButton* GetReadBuff_button() { return ReadBuff_button; }
    wxButton* GetReadClearBuff_button() { return ReadClearBuff_button; }
    wxButton* GetClearBuff_button() { return ClearBuff_button; }
    wxButton* GetReadTagNum_button() { return ReadTagNum_button; }
    wxListCtrl* GetListCtrl() { return m_listCtrl; }

protected:
    virtual void StartInventory(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadBuff(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadClearBuff(wxCommandEvent& event) { event.Skip(); }
    virtual void ClearBuff(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadTagNum(wxCommandEvent& event) { event.Skip(); }
    virtual void FlashMenu(wxCommandEvent& event) { event.Skip(); }
    virtual void SaveTag(wxCommandEvent& event) { event.Skip(); }

    wxButton* ReadBuff_button;
    wxButton* ReadClearBuff_button;
    wxButton* ClearBuff_button;
    wxButton* ReadTagNum_button;
    wxListCtrl* m_listCtrl;

private:
    std::vector<PageConnection<buffer_inventory_pannelBase>> connections();
};
