#include "wxcrafter/reader_uart_monitor_pannel_base/reader_uart_monitor_pannel_base.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

static bool bBitmapLoaded = false;

uart_monitor_pannelBase::uart_monitor_pannelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                 const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    init_page_bitmaps(bBitmapLoaded);

    wxBoxSizer* page_sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(page_sizer);

    textCtrl = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                              wxTE_MULTILINE | wxTE_READONLY | wxTE_RICH2);
    page_sizer->Add(textCtrl, 1, wxALL | wxEXPAND, 5);

    wxStaticBoxSizer* input_row = new wxStaticBoxSizer(wxHORIZONTAL, this, wxEmptyString);
    page_sizer->Add(input_row, 0, wxALL | wxEXPAND, 5);

    InputData_staticText = new wxStaticText(this, wxID_ANY, u8("输入数据:"));
    input_row->Add(InputData_staticText, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    InputData_textCtrl = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
    input_row->Add(InputData_textCtrl, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    CheckBit_staticText = new wxStaticText(this, wxID_ANY, u8("校验位 :"));
    input_row->Add(CheckBit_staticText, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    CheckBit_textCtrl = new wxTextCtrl(this, wxID_ANY, wxEmptyString);
    input_row->Add(CheckBit_textCtrl, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    SendData_button = new wxButton(this, wxID_ANY, u8("发送数据"));
    input_row->Add(SendData_button, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    ClearData_button = new wxButton(this, wxID_ANY, u8("清空数据"));
    input_row->Add(ClearData_button, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);

    finish_page(this, wxT("uart_monitor_pannelBase"));

    bind_page(this, connections(), true);
}

uart_monitor_pannelBase::~uart_monitor_pannelBase()
{
    bind_page(this, connections(), false);
}

std::vector<PageConnection<uart_monitor_pannelBase>> uart_monitor_pannelBase::connections()
{
    using P = uart_monitor_pannelBase;
    return {
        {InputData_textCtrl, wxEVT_TEXT, &P::InputDataEnter},
        {SendData_button, wxEVT_BUTTON, &P::SendData},
        {ClearData_button, wxEVT_BUTTON, &P::ClearData},
    };
}
