// The buffered inventory page's controls: the start button, the eight
// antenna check boxes, the four buffer buttons, the statistics and the
// record list.
#pragma once

#include <array>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/panel.h>

#include "wxcrafter/page_support/inventory_stats.h"
#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/page_support/tag_list_ctrl.h"

class buffer_inventory_pannelBase : public wxPanel, public inventory_stats {
public:
    buffer_inventory_pannelBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                                const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~buffer_inventory_pannelBase();

    wxCheckBox* GetAnt1_checkBox() { return Ant1_checkBox; }
    wxCheckBox* GetAnt2_checkBox() { return Ant2_checkBox; }
    wxCheckBox* GetAnt3_checkBox() { return Ant3_checkBox; }
    wxCheckBox* GetAnt4_checkBox() { return Ant4_checkBox; }
    wxCheckBox* GetAnt5_checkBox() { return Ant5_checkBox; }
    wxCheckBox* GetAnt6_checkBox() { return Ant6_checkBox; }
    wxCheckBox* GetAnt7_checkBox() { return Ant7_checkBox; }
    wxCheckBox* GetAnt8_checkBox() { return Ant8_checkBox; }
    wxButton* GetReadBuff_button() { return ReadBuff_button; }
    wxButton* GetReadClearBuff_button() { return ReadClearBuff_button; }
    wxButton* GetClearBuff_button() { return ClearBuff_button; }
    wxButton* GetReadTagNum_button() { return ReadTagNum_button; }
    tag_list_ctrl* GetListCtrl() { return m_listCtrl; }

    // Antennas 1..8 in order.
    std::array<wxCheckBox*, 8> antenna_boxes() const
    {
        return {Ant1_checkBox, Ant2_checkBox, Ant3_checkBox, Ant4_checkBox,
                Ant5_checkBox, Ant6_checkBox, Ant7_checkBox, Ant8_checkBox};
    }

protected:
    virtual void StartInventory(wxCommandEvent& event) { event.Skip(); }
    virtual void ant1_select(wxCommandEvent& event) { event.Skip(); }
    virtual void ant2_select(wxCommandEvent& event) { event.Skip(); }
    virtual void ant3_select(wxCommandEvent& event) { event.Skip(); }
    virtual void ant4_select(wxCommandEvent& event) { event.Skip(); }
    virtual void ant5_select(wxCommandEvent& event) { event.Skip(); }
    virtual void ant6_select(wxCommandEvent& event) { event.Skip(); }
    virtual void ant7_select(wxCommandEvent& event) { event.Skip(); }
    virtual void ant8_select(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadBuff(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadClearBuff(wxCommandEvent& event) { event.Skip(); }
    virtual void ClearBuff(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadTagNum(wxCommandEvent& event) { event.Skip(); }
    virtual void FlashMenu(wxCommandEvent& event) { event.Skip(); }
    virtual void SaveTag(wxCommandEvent& event) { event.Skip(); }

    wxCheckBox* Ant1_checkBox;
    wxCheckBox* Ant2_checkBox;
    wxCheckBox* Ant3_checkBox;
    wxCheckBox* Ant4_checkBox;
    wxCheckBox* Ant5_checkBox;
    wxCheckBox* Ant6_checkBox;
    wxCheckBox* Ant7_checkBox;
    wxCheckBox* Ant8_checkBox;
    wxButton* ReadBuff_button;
    wxButton* ReadClearBuff_button;
    wxButton* ClearBuff_button;
    wxButton* ReadTagNum_button;
    tag_list_ctrl* m_listCtrl;

private:
    std::vector<PageConnection<buffer_inventory_pannelBase>> connections();
};
