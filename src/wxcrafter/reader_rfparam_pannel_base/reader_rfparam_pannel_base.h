// The RF-parameter page's controls and layout. Every control event goes to a
// virtual handler that only lets the event go on; rf_paramset_pannel gives
// them their behaviour.
#pragma once

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/radiobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "wxcrafter/page_support/page_support.h"

class rf_paramset_pannelBase : public wxPanel {
public:
    rf_paramset_pannelBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                           const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~rf_paramset_pannelBase();

    wxStaticText* GetAntPort_staticText() { return AntPort_staticText; }
    wxChoice* GetAntPort_choice() { return AntPort_choice; }
    wxButton* GetAntPort_Read_button() { return AntPort_Read_button; }
    wxButton* GetAntPort_Set_button() { return AntPort_Set_button; }
    wxStaticText* GetAntPort1_staticText() { return AntPort1_staticText; }
    wxTextCtrl* GetAntPort1_textCtrl() { return AntPort1_textCtrl; }
    wxStaticText* GetAntPort2_staticText() { return AntPort2_staticText; }
    wxTextCtrl* GetAntPort2_textCtrl() { return AntPort2_textCtrl; }
    wxStaticText* GetAntPort3_staticText() { return AntPort3_staticText; }
    wxTextCtrl* GetAntPort3_textCtrl() { return AntPort3_textCtrl; }
    wxStaticText* GetAntPort4_staticText() { return AntPort4_staticText; }
    wxTextCtrl* GetAntPort4_textCtrl() { return AntPort4_textCtrl; }
    wxStaticText* GetAntPort5_staticText() { return AntPort5_staticText; }
    wxTextCtrl* GetAntPort5_textCtrl() { return AntPort5_textCtrl; }
    wxStaticText* GetAntPort6_staticText() { return AntPort6_staticText; }
    wxTextCtrl* GetAntPort6_textCtrl() { return AntPort6_textCtrl; }
    wxStaticText* GetAntPort7_staticText() { return AntPort7_staticText; }
    wxTextCtrl* GetAntPort7_textCtrl() { return AntPort7_textCtrl; }
    wxStaticText* GetAntPort8_staticText() { return AntPort8_staticText; }
    wxTextCtrl* GetAntPort8_textCtrl() { return AntPort8_textCtrl; }
    wxStaticText* GetAntPort0_staticText() { return AntPort0_staticText; }
    wxStaticText* GetDBm_staticText() { return dBm_staticText; }
    wxButton* GetAntPower_Read_button() { return AntPower_Read_button; }
    wxButton* GetAntPower_Write_button() { return AntPower_Write_button; }
    wxStaticText* GetFastEpc_staticText() { return FastEpc_staticText; }
    wxRadioBox* GetFastEpc_radioBox() { return FastEpc_radioBox; }
    wxButton* GetFastEpc_Read_button() { return FastEpc_Read_button; }
    wxButton* GetFastEpc_Write_button() { return FastEpc_Write_button; }
    wxChoice* GetRfLink_radioBox() { return RfLink_radioBox; }
    wxButton* GetRfLink_Read_button() { return RfLink_Read_button; }
    wxButton* GetRfLink_Write_button() { return RfLink_Write_button; }
    wxRadioBox* GetFreq_radioBox() { return Freq_radioBox; }
    wxChoice* GetFreqStander_choice() { return FreqStander_choice; }
    wxStaticText* GetFreq_staticText() { return Freq_staticText; }
    wxChoice* GetFreqMin_choice() { return FreqMin_choice; }
    wxStaticText* GetMaxMHz_staticText() { return MaxMHz_staticText; }
    wxStaticText* GetStaticText() { return _staticText; }
    wxChoice* GetFreqMax_choice() { return FreqMax_choice; }
    wxStaticText* GetMinMHz_staticText() { return MinMHz_staticText; }
    wxStaticText* GetStartFreq_staticText() { return StartFreq_staticText; }
    wxTextCtrl* GetStartFreq_textCtrl() { return StartFreq_textCtrl; }
    wxStaticText* GetStartFreqMHz_staticText() { return StartFreqMHz_staticText; }
    wxStaticText* GetFreqGap_staticText() { return FreqGap_staticText; }
    wxTextCtrl* GetFreqGap_textCtrl() { return FreqGap_textCtrl; }
    wxStaticText* GetFreqGapKHz_staticText() { return FreqGapKHz_staticText; }
    wxStaticText* GetFreqNum_staticText() { return FreqNum_staticText; }
    wxTextCtrl* GetFreqNum_textCtrl() { return FreqNum_textCtrl; }
    wxButton* GetFreq_Read_button() { return Freq_Read_button; }
    wxButton* GetFreq_Write_button() { return Freq_Write_button; }
    wxButton* GetFlashMenu_button() { return FlashMenu_button; }

protected:
    virtual void AntPortRead(wxCommandEvent& event) { event.Skip(); }
    virtual void AntPortset(wxCommandEvent& event) { event.Skip(); }
    virtual void AntPort1Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void AntPort2Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void AntPort3Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void AntPort4Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void AntPort5Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void AntPort6Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void AntPort7Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void AntPort8Enter(wxCommandEvent& event) { event.Skip(); }
    virtual void AntPowerRead(wxCommandEvent& event) { event.Skip(); }
    virtual void AntPowerWrite(wxCommandEvent& event) { event.Skip(); }
    virtual void FastEpcRead(wxCommandEvent& event) { event.Skip(); }
    virtual void FastEpcWrite(wxCommandEvent& event) { event.Skip(); }
    virtual void RfLinkRead(wxCommandEvent& event) { event.Skip(); }
    virtual void RfLinkWrite(wxCommandEvent& event) { event.Skip(); }
    virtual void SelectSettingMode(wxCommandEvent& event) { event.Skip(); }
    virtual void SelectStandardFreq(wxCommandEvent& event) { event.Skip(); }
    virtual void StartFreqEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void FreqGapEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void FreqNumEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadFreqSetting(wxCommandEvent& event) { event.Skip(); }
    virtual void WriteFreqSetting(wxCommandEvent& event) { event.Skip(); }
    virtual void FlashMenu(wxCommandEvent& event) { event.Skip(); }

    wxStaticText* AntPort_staticText;
    wxChoice* AntPort_choice;
    wxButton* AntPort_Read_button;
    wxButton* AntPort_Set_button;
    wxStaticText* AntPort1_staticText;
    wxTextCtrl* AntPort1_textCtrl;
    wxStaticText* AntPort2_staticText;
    wxTextCtrl* AntPort2_textCtrl;
    wxStaticText* AntPort3_staticText;
    wxTextCtrl* AntPort3_textCtrl;
    wxStaticText* AntPort4_staticText;
    wxTextCtrl* AntPort4_textCtrl;
    wxStaticText* AntPort5_staticText;
    wxTextCtrl* AntPort5_textCtrl;
    wxStaticText* AntPort6_staticText;
    wxTextCtrl* AntPort6_textCtrl;
    wxStaticText* AntPort7_staticText;
    wxTextCtrl* AntPort7_textCtrl;
    wxStaticText* AntPort8_staticText;
    wxTextCtrl* AntPort8_textCtrl;
    wxStaticText* AntPort0_staticText;
    wxStaticText* dBm_staticText;
    wxButton* AntPower_Read_button;
    wxButton* AntPower_Write_button;
    wxStaticText* FastEpc_staticText;
    wxRadioBox* FastEpc_radioBox;
    wxButton* FastEpc_Read_button;
    wxButton* FastEpc_Write_button;
    wxChoice* RfLink_radioBox;  // a drop-down choice in spite of its name
    wxButton* RfLink_Read_button;
    wxButton* RfLink_Write_button;
    wxRadioBox* Freq_radioBox;
    wxChoice* FreqStander_choice;
    wxStaticText* Freq_staticText;
    wxChoice* FreqMin_choice;
    wxStaticText* MaxMHz_staticText;
    wxStaticText* _staticText;
    wxChoice* FreqMax_choice;
    wxStaticText* MinMHz_staticText;
    wxStaticText* StartFreq_staticText;
    wxTextCtrl* StartFreq_textCtrl;
    wxStaticText* StartFreqMHz_staticText;
    wxStaticText* FreqGap_staticText;
    wxTextCtrl* FreqGap_textCtrl;
    wxStaticText* FreqGapKHz_staticText;
    wxStaticText* FreqNum_staticText;
    wxTextCtrl* FreqNum_textCtrl;
    wxButton* Freq_Read_button;
    wxButton* Freq_Write_button;
    wxButton* FlashMenu_button;

private:
    // The 24 connections, in the order they are made and undone.
    std::vector<PageConnection<rf_paramset_pannelBase>> connections();
};
