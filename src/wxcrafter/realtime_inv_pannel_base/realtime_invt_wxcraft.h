// The real-time inventory page's controls: the start button, the antenna
// choice, the automatic or custom session with its session and flag, the
// statistics and the tag list.
#pragma once

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

#include "wxcrafter/page_support/inventory_stats.h"
#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/page_support/tag_list_ctrl.h"

class realtime_inventory_pannelBase : public wxPanel, public inventory_stats {
public:
    realtime_inventory_pannelBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(500, 300),
                                  long style = wxTAB_TRAVERSAL);
    virtual ~realtime_inventory_pannelBase();

    wxStaticText* GetSelectANT_staticText() { return SelectANT_staticText; }
    wxChoice* GetSelectANT_choice() { return SelectANT_choice; }
    wxRadioButton* GetAuto_radioButton() { return Auto_radioButton; }
    wxRadioButton* GetSelf_radioButton() { return Self_radioButton; }
    wxStaticText* GetSessionID_staticText() { return SessionID_staticText; }
    wxChoice* GetSessionID_choice() { return SessionID_choice; }
    wxStaticText* GetInventoryFlag_staticText() { return InventoryFlag_staticText; }
    wxChoice* GetInventoryFlag_choice() { return InventoryFlag_choice; }
    tag_list_ctrl* GetListCtrl13() { return m_listCtrl13; }

protected:
    virtual void StartInventory(wxCommandEvent& event) { event.Skip(); }
    virtual void AutoInventorySession(wxCommandEvent& event) { event.Skip(); }
    virtual void DefineInventorySession(wxCommandEvent& event) { event.Skip(); }
    virtual void NewTagInter(wxCommandEvent& event) { event.Skip(); }
    virtual void FlashMenu(wxCommandEvent& event) { event.Skip(); }
    virtual void SaveTag(wxCommandEvent& event) { event.Skip(); }

    wxStaticText* SelectANT_staticText;
    wxChoice* SelectANT_choice;
    wxRadioButton* Auto_radioButton;
    wxRadioButton* Self_radioButton;
    wxStaticText* SessionID_staticText;
    wxChoice* SessionID_choice;
    wxStaticText* InventoryFlag_staticText;
    wxChoice* InventoryFlag_choice;
    tag_list_ctrl* m_listCtrl13;

private:
    std::vector<PageConnection<realtime_inventory_pannelBase>> connections();
};
