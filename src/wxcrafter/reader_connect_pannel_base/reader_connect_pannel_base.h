// The connection page's controls and layout. Every control event goes to a
// virtual handler that only lets the event go on; connect_pannel gives them
// their behaviour.
#pragma once

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/radiobox.h>
#include <wx/richtext/richtextctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "wxcrafter/page_support/page_support.h"

class connect_pannelBase : public wxPanel {
public:
    connect_pannelBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                       const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~connect_pannelBase();

    wxRadioBox* GetConnectMethod() { return ConnectMethod; }
    wxRadioBox* GetReaderType() { return ReaderType; }
    wxStaticText* GetUartNumber_staticText() { return UartNumber_staticText; }
    wxChoice* GetUartNumber_choice() { return UartNumber_choice; }
    wxButton* GetConnectReader_button() { return ConnectReader_button; }
    wxStaticText* GetUartBound_staticText() { return UartBound_staticText; }
    wxChoice* GetUartBound_choice() { return UartBound_choice; }
    wxButton* GetDisConnect_button() { return DisConnect_button; }
    wxStaticText* GetSetBound_staticText() { return SetBound_staticText; }
    wxChoice* GetSetBound_choice() { return SetBound_choice; }
    wxButton* GetSetBound_button() { return SetBound_button; }
    wxStaticText* GetReaderID_staticText() { return ReaderID_staticText; }
    wxTextCtrl* GetReaderID_textCtrl() { return ReaderID_textCtrl; }
    wxButton* GetConnecteReader_button() { return ConnecteReader_button; }
    wxStaticText* GetPortName_staticText() { return PortName_staticText; }
    wxTextCtrl* GetPortName_textCtrl() { return PortName_textCtrl; }
    wxButton* GetDisConnecteReader_button() { return DisConnecteReader_button; }
    wxTextCtrl* GetRS485conect_textCtrl() { return RS485conect_textCtrl; }
    wxTextCtrl* GetRS485Address_textCtrl() { return RS485Address_textCtrl; }
    wxButton* GetRS485AddressSet_button() { return RS485AddressSet_button; }
    wxRichTextCtrl* GetHiddevice_richTextCtrl() { return hiddevice_richTextCtrl; }
    wxButton* GetConnecthid_button() { return connecthid_button; }
    wxButton* GetDisconnecthid_button() { return disconnecthid_button; }
    wxTextCtrl* GetFrameware_textCtrl() { return Frameware_textCtrl; }
    wxButton* GetFrameware_button() { return Frameware_button; }
    wxTextCtrl* GetWorkTemprature_textCtrl() { return WorkTemprature_textCtrl; }
    wxButton* GetWorkTemprature_button() { return WorkTemprature_button; }
    wxRadioBox* GetGPIO1_radioBox() { return GPIO1_radioBox; }
    wxButton* GetGPIO1Read_button() { return GPIO1Read_button; }
    wxButton* GetGPIO1Write_button() { return GPIO1Write_button; }
    wxRadioBox* GetGPIO2_radioBox() { return GPIO2_radioBox; }
    wxButton* GetGPIO2Read_button() { return GPIO2Read_button; }
    wxButton* GetGPIO2Write_button() { return GPIO2Write_button; }
    wxRadioBox* GetBeep_radioBox() { return beep_radioBox; }
    wxButton* GetBeepSetting_button() { return BeepSetting_button; }
    wxButton* GetRestartReader_button() { return RestartReader_button; }
    wxButton* GetFlashMenu_button() { return FlashMenu_button; }

protected:
    virtual void ConnectedMethod(wxCommandEvent& event) { event.Skip(); }
    virtual void SelectAntType(wxCommandEvent& event) { event.Skip(); }
    virtual void SelectUartNumber(wxCommandEvent& event) { event.Skip(); }
    virtual void ConnectReader(wxCommandEvent& event) { event.Skip(); }
    virtual void SelectBound(wxCommandEvent& event) { event.Skip(); }
    virtual void DisconnectReader(wxCommandEvent& event) { event.Skip(); }
    virtual void SetBound(wxCommandEvent& event) { event.Skip(); }
    virtual void TcpIdEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void ConnectTcp(wxCommandEvent& event) { event.Skip(); }
    virtual void TcpPortEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void DisconnectTcp(wxCommandEvent& event) { event.Skip(); }
    virtual void RS485connectEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void RS485AddrEnter(wxCommandEvent& event) { event.Skip(); }
    virtual void Set485Addr(wxCommandEvent& event) { event.Skip(); }
    virtual void ConnectHID(wxCommandEvent& event) { event.Skip(); }
    virtual void DisConnectHID(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadFrameWare(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadTemp(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadGPIO1(wxCommandEvent& event) { event.Skip(); }
    virtual void WriteGPIO1(wxCommandEvent& event) { event.Skip(); }
    virtual void SelectGPIO2(wxCommandEvent& event) { event.Skip(); }
    virtual void ReadGPIO2(wxCommandEvent& event) { event.Skip(); }
    virtual void WriteGPIO2(wxCommandEvent& event) { event.Skip(); }
    virtual void SetBeepStatus(wxCommandEvent& event) { event.Skip(); }
    virtual void RestartReader(wxCommandEvent& event) { event.Skip(); }
    virtual void FlashMenu(wxCommandEvent& event) { event.Skip(); }

    wxRadioBox* ConnectMethod;
    wxRadioBox* ReaderType;
    wxStaticText* UartNumber_staticText;
    wxChoice* UartNumber_choice;
    wxButton* ConnectReader_button;
    wxStaticText* UartBound_staticText;
    wxChoice* UartBound_choice;
    wxButton* DisConnect_button;
    wxStaticText* SetBound_staticText;
    wxChoice* SetBound_choice;
    wxButton* SetBound_button;
    wxStaticText* ReaderID_staticText;
    wxTextCtrl* ReaderID_textCtrl;
    wxButton* ConnecteReader_button;
    wxStaticText* PortName_staticText;
    wxTextCtrl* PortName_textCtrl;
    wxButton* DisConnecteReader_button;
    wxTextCtrl* RS485conect_textCtrl;
    wxTextCtrl* RS485Address_textCtrl;
    wxButton* RS485AddressSet_button;
    wxRichTextCtrl* hiddevice_richTextCtrl;
    wxButton* connecthid_button;
    wxButton* disconnecthid_button;
    wxTextCtrl* Frameware_textCtrl;
    wxButton* Frameware_button;
    wxTextCtrl* WorkTemprature_textCtrl;
    wxButton* WorkTemprature_button;
    wxRadioBox* GPIO1_radioBox;
    wxButton* GPIO1Read_button;
    wxButton* GPIO1Write_button;
    wxRadioBox* GPIO2_radioBox;
    wxButton* GPIO2Read_button;
    wxButton* GPIO2Write_button;
    wxRadioBox* beep_radioBox;
    wxButton* BeepSetting_button;
    wxButton* RestartReader_button;
    wxButton* FlashMenu_button;

private:
    // The 26 connections, in the order they are made and undone.
    std::vector<PageConnection<connect_pannelBase>> connections();
};
