// The custom inventory page's controls: the start button, the antenna,
// round count, match mode and match length, the statistics and the tag
// list.
#pragma once

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "wxcrafter/page_support/inventory_stats.h"
#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/page_support/tag_list_ctrl.h"

class custom_inventory_pannelBase : public wxPanel, public inventory_stats {
public:
    custom_inventory_pannelBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                                const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~custom_inventory_pannelBase();

    wxStaticText* GetSelectANT_staticText() { return SelectANT_staticText; }
    wxChoice* GetSelectANT_choice() { return SelectANT_choice; }
    wxStaticText* GetInventoryround_staticText() { return Inventoryround_staticText; }
    wxSpinCtrl* GetInventoryround_spinCtrl() { return Inventoryround_spinCtrl; }
    wxStaticText* GetMembank_staticText() { return Membank_staticText; }
    wxChoice* GetMembank_choice() { return Membank_choice; }
    wxStaticText* GetReadlen_staticText() { return readlen_staticText; }
    wxTextCtrl* GetReadlen_textCtrl() { return readlen_textCtrl; }
    tag_list_ctrl* GetListCtrl11() { return m_listCtrl11; }

protected:
    virtual void StartInventory(wxCommandEvent& event) { event.Skip(); }
    virtual void ivnetoryround_input(wxCommandEvent& event) { event.Skip(); }
    virtual void select_read_membank(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadLenEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void NewTagInter(wxCommandEvent& event) { event.Skip(); }
    virtual void FlashMenu(wxCommandEvent& event) { event.Skip(); }
    virtual void SaveTag(wxCommandEvent& event) { event.Skip(); }

    wxStaticText* SelectANT_staticText;
    wxChoice* SelectANT_choice;
    wxStaticText* Inventoryround_staticText;
    wxSpinCtrl* Inventoryround_spinCtrl;
    wxStaticText* Membank_staticText;
    wxChoice* Membank_choice;
    wxStaticText* readlen_staticText;
    wxTextCtrl* readlen_textCtrl;
    tag_list_ctrl* m_listCtrl11;

private:
    std::vector<PageConnection<custom_inventory_pannelBase>> connections();
};
