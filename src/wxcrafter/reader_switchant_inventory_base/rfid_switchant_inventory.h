// The antenna-switch inventory page's controls: the start button; rounds
// A to H, each a letter, an antenna choice and a poll count; the
// inter-antenna delay (shown, never sent), the cycle count, the session
// and the target flag; the statistics and the tag list.
#pragma once

#include <array>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "wxcrafter/page_support/inventory_stats.h"
#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/page_support/tag_list_ctrl.h"

class reader_switchant_inventory_pannelBase : public wxPanel, public inventory_stats {
public:
    reader_switchant_inventory_pannelBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                                          const wxPoint& pos = wxDefaultPosition,
                                          const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~reader_switchant_inventory_pannelBase();

    static const int kRounds = 8;

    wxStaticText* GetA_staticText() { return A_staticText; }
    wxChoice* GetA_choice() { return A_choice; }
    wxStaticText* GetAround_staticText() { return Around_staticText; }
    wxTextCtrl* GetAround_textCtrl() { return Around_textCtrl; }
    wxStaticText* GetB_staticText() { return B_staticText; }
    wxChoice* GetB_choice() { return B_choice; }
    wxStaticText* GetBround_staticText() { return Bround_staticText; }
    wxTextCtrl* GetBround_textCtrl() { return Bround_textCtrl; }
    wxStaticText* GetC_staticText() { return C_staticText; }
    wxChoice* GetC_choice() { return C_choice; }
    wxStaticText* GetCround_staticText() { return Cround_staticText; }
    wxTextCtrl* GetCround_textCtrl() { return Cround_textCtrl; }
    wxStaticText* GetD_staticText() { return D_staticText; }
    wxChoice* GetD_choice() { return D_choice; }
    wxStaticText* GetDround_staticText() { return Dround_staticText; }
    wxTextCtrl* GetDround_textCtrl() { return Dround_textCtrl; }
    wxStaticText* GetE_staticText() { return E_staticText; }
    wxChoice* GetE_choice() { return E_choice; }
    wxStaticText* GetEround_staticText() { return Eround_staticText; }
    wxTextCtrl* GetEround_textCtrl() { return Eround_textCtrl; }
    wxStaticText* GetF_staticText() { return F_staticText; }
    wxChoice* GetF_choice() { return F_choice; }
    wxStaticText* GetFround_staticText() { return Fround_staticText; }
    wxTextCtrl* GetFround_textCtrl() { return Fround_textCtrl; }
    wxStaticText* GetG_staticText() { return G_staticText; }
    wxChoice* GetG_choice() { return G_choice; }
    wxStaticText* GetGround_staticText() { return Ground_staticText; }
    wxTextCtrl* GetGround_textCtrl() { return Ground_textCtrl; }
    wxStaticText* GetH_staticText() { return H_staticText; }
    wxChoice* GetH_choice() { return H_choice; }
    wxStaticText* GetHround_staticText() { return Hround_staticText; }
    wxTextCtrl* GetHround_textCtrl() { return Hround_textCtrl; }
    wxStaticText* GetAntdelay_staticText() { return antdelay_staticText; }
    wxTextCtrl* GetAntdelay_textCtrl() { return antdelay_textCtrl; }
    wxStaticText* GetCycle_staticText() { return cycle_staticText; }
    wxTextCtrl* GetCycle_textCtrl() { return cycle_textCtrl; }
    wxChoice* GetSession_choice() { return session_choice; }
    wxChoice* GetFlag_choice() { return Flag_choice; }
    tag_list_ctrl* GetListCtrl() { return m_listCtrl; }

    // The antenna choices and poll-count boxes of rounds A to H, in order.
    std::array<wxChoice*, kRounds> round_choices() const
    {
        return {A_choice, B_choice, C_choice, D_choice, E_choice, F_choice, G_choice, H_choice};
    }
    std::array<wxTextCtrl*, kRounds> round_boxes() const
    {
        return {Around_textCtrl, Bround_textCtrl, Cround_textCtrl, Dround_textCtrl,
                Eround_textCtrl, Fround_textCtrl, Ground_textCtrl, Hround_textCtrl};
    }

protected:
    virtual void StartInventory(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundA_AntSelect(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundA_RoundNum_Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundB_AntSelect(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundB_RoundNum_Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundC_AntSelect(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundC_RoundNum_Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundD_AntSelect(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundD_RoundNum_Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundE_AntSelect(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundE_RoundNum_Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundF_AntSelect(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundF_RoundNum_Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundG_AntSelect(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundG_RoundNum_Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundH_AntSelect(wxCommandEvent& event) { event.Skip(); }
    virtual void RoundH_RoundNum_Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void cycle_Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void FlashMenu(wxCommandEvent& event) { event.Skip(); }
    virtual void SaveTag(wxCommandEvent& event) { event.Skip(); }

    wxStaticText* A_staticText;
    wxChoice* A_choice;
    wxStaticText* Around_staticText;
    wxTextCtrl* Around_textCtrl;
    wxStaticText* B_staticText;
    wxChoice* B_choice;
    wxStaticText* Bround_staticText;
    wxTextCtrl* Bround_textCtrl;
    wxStaticText* C_staticText;
    wxChoice* C_choice;
    wxStaticText* Cround_staticText;
    wxTextCtrl* Cround_textCtrl;
    wxStaticText* D_staticText;
    wxChoice* D_choice;
    wxStaticText* Dround_staticText;
    wxTextCtrl* Dround_textCtrl;
    wxStaticText* E_staticText;
    wxChoice* E_choice;
    wxStaticText* Eround_staticText;
    wxTextCtrl* Eround_textCtrl;
    wxStaticText* F_staticText;
    wxChoice* F_choice;
    wxStaticText* Fround_staticText;
    wxTextCtrl* Fround_textCtrl;
    wxStaticText* G_staticText;
    wxChoice* G_choice;
    wxStaticText* Ground_staticText;
    wxTextCtrl* Ground_textCtrl;
    wxStaticText* H_staticText;
    wxChoice* H_choice;
    wxStaticText* Hround_staticText;
    wxTextCtrl* Hround_textCtrl;
    wxStaticText* antdelay_staticText;
    wxTextCtrl* antdelay_textCtrl;
    wxStaticText* cycle_staticText;
    wxTextCtrl* cycle_textCtrl;
    wxChoice* session_choice;
    wxChoice* Flag_choice;
    tag_list_ctrl* m_listCtrl;

private:
    std::vector<PageConnection<reader_switchant_inventory_pannelBase>> connections();
};
