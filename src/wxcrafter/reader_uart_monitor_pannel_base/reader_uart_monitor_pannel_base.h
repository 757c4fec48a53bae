// The serial monitor's controls: the coloured frame log above one row with
// the raw-command input, the check-byte box and the two buttons.
#pragma once

#include <wx/button.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "wxcrafter/page_support/page_support.h"

class uart_monitor_pannelBase : public wxPanel {
public:
    uart_monitor_pannelBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                            const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~uart_monitor_pannelBase();

    wxTextCtrl* GetTextCtrl() { return textCtrl; }
    wxStaticText* GetInputData_staticText() { return InputData_staticText; }
    wxTextCtrl* GetInputData_textCtrl() { return InputData_textCtrl; }
    wxStaticText* GetCheckBit_staticText() { return CheckBit_staticText; }
    wxTextCtrl* GetCheckBit_textCtrl() { return CheckBit_textCtrl; }
    wxButton* GetSendData_button() { return SendData_button; }
    wxButton* GetClearData_button() { return ClearData_button; }

protected:
    virtual void InputDataEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void SendData(wxCommandEvent& event) { event.Skip(); }
    virtual void ClearData(wxCommandEvent& event) { event.Skip(); }

    wxTextCtrl* textCtrl;
    wxStaticText* InputData_staticText;
    wxTextCtrl* InputData_textCtrl;
    wxStaticText* CheckBit_staticText;
    wxTextCtrl* CheckBit_textCtrl;
    wxButton* SendData_button;
    wxButton* ClearData_button;

private:
    std::vector<PageConnection<uart_monitor_pannelBase>> connections();
};
