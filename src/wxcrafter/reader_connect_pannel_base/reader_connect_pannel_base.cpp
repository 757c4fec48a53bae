#include "wxcrafter/reader_connect_pannel_base/reader_connect_pannel_base.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

static bool bBitmapLoaded = false;

namespace {

const char* const kBaudRates[] = {"1200",  "2400",  "4800",   "9600",   "14400",  "19200",  "38400",
                                  "57600", "76800", "115200", "128000", "230400", "256000", "460800"};
const int kDefaultBaudIndex = 9;  // 115200

wxArrayString baud_items()
{
    wxArrayString items;
    for (const char* rate : kBaudRates)
        items.Add(rate);
    return items;
}

// One row of a link box: a label, the control that stretches, a button.
void add_link_row(wxSizer* box, wxWindow* label, wxWindow* control, wxWindow* button)
{
    wxBoxSizer* row = new wxBoxSizer(wxHORIZONTAL);
    box->Add(row, 1, wxEXPAND | wxALL, 2);
    row->Add(label, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    row->Add(control, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    row->Add(button, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
}

// A radio box beside a column of "read" above "write".
void add_gpio_row(wxSizer* box, wxWindow* radio, wxWindow* read, wxWindow* write)
{
    wxBoxSizer* row = new wxBoxSizer(wxHORIZONTAL);
    box->Add(row, 0, wxEXPAND | wxALL, 2);
    row->Add(radio, 1, wxALL | wxEXPAND, 5);
    wxBoxSizer* buttons = new wxBoxSizer(wxVERTICAL);
    row->Add(buttons, 0, wxALIGN_CENTER_VERTICAL, 0);
    buttons->Add(read, 0, wxALL, 3);
    buttons->Add(write, 0, wxALL, 3);
}

}  // namespace

connect_pannelBase::connect_pannelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                       long style)
    : wxPanel(parent, id, pos, size, style)
{
    init_page_bitmaps(bBitmapLoaded);

    wxBoxSizer* page_sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(page_sizer);
    wxBoxSizer* columns = new wxBoxSizer(wxHORIZONTAL);
    page_sizer->Add(columns, 1, wxEXPAND | wxALL, 5);

    // Left column: link method, the three links and the RS-485 address.
    wxBoxSizer* left = new wxBoxSizer(wxVERTICAL);
    columns->Add(left, 1, wxEXPAND | wxALL, 5);

    wxBoxSizer* method_row = new wxBoxSizer(wxHORIZONTAL);
    left->Add(method_row, 0, wxEXPAND | wxALL, 2);
    ConnectMethod = new wxRadioBox(this, wxID_ANY, u8("连接方式"), wxDefaultPosition, wxDefaultSize,
                                   utf8_items({"RS232", "TCP/IP", "HID"}), 1, wxRA_SPECIFY_ROWS);
    ConnectMethod->SetSelection(0);
    method_row->Add(ConnectMethod, 0, wxALL, 5);
    ReaderType = new wxRadioBox(this, wxID_ANY, u8("读写器类型"), wxDefaultPosition, wxDefaultSize,
                                utf8_items({"1天线", "4天线", "8天线"}), 1, wxRA_SPECIFY_ROWS);
    ReaderType->SetSelection(0);
    method_row->Add(ReaderType, 1, wxALL, 5);

    wxStaticBoxSizer* uart_box = new wxStaticBoxSizer(wxVERTICAL, this, wxT("RS-232"));
    left->Add(uart_box, 1, wxEXPAND | wxALL, 5);
    UartNumber_staticText = new wxStaticText(this, wxID_ANY, u8("串口号:"));
    UartNumber_choice = new wxChoice(this, wxID_ANY);
    ConnectReader_button = new wxButton(this, wxID_ANY, u8("连接读写器"));
    add_link_row(uart_box, UartNumber_staticText, UartNumber_choice, ConnectReader_button);
    UartBound_staticText = new wxStaticText(this, wxID_ANY, u8("串口波特率:"));
    UartBound_choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, baud_items());
    UartBound_choice->SetSelection(kDefaultBaudIndex);
    DisConnect_button = new wxButton(this, wxID_ANY, u8("断开读写器"));
    add_link_row(uart_box, UartBound_staticText, UartBound_choice, DisConnect_button);
    SetBound_staticText = new wxStaticText(this, wxID_ANY, u8("设置波特率:"));
    SetBound_choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, baud_items());
    SetBound_choice->SetSelection(kDefaultBaudIndex);
    SetBound_button = new wxButton(this, wxID_ANY, u8("设置"));
    add_link_row(uart_box, SetBound_staticText, SetBound_choice, SetBound_button);

    wxStaticBoxSizer* tcp_box = new wxStaticBoxSizer(wxVERTICAL, this, wxT("TCP/IP"));
    left->Add(tcp_box, 1, wxEXPAND | wxALL, 5);
    ReaderID_staticText = new wxStaticText(this, wxID_ANY, u8("读写器ID:"));
    ReaderID_textCtrl = new wxTextCtrl(this, wxID_ANY, wxT("192.168.0.100"), wxDefaultPosition, wxDefaultSize,
                                       wxTE_CENTRE);
    ConnecteReader_button = new wxButton(this, wxID_ANY, u8("连接读写器"));
    add_link_row(tcp_box, ReaderID_staticText, ReaderID_textCtrl, ConnecteReader_button);
    PortName_staticText = new wxStaticText(this, wxID_ANY, u8("端口号:"));
    PortName_textCtrl = new wxTextCtrl(this, wxID_ANY, wxT("8080"), wxDefaultPosition, wxDefaultSize, wxTE_CENTRE);
    DisConnecteReader_button = new wxButton(this, wxID_ANY, u8("断开读写器"));
    add_link_row(tcp_box, PortName_staticText, PortName_textCtrl, DisConnecteReader_button);

    wxStaticBoxSizer* rs485_box = new wxStaticBoxSizer(wxHORIZONTAL, this, u8("读写器RS-485地址"));
    left->Add(rs485_box, 0, wxEXPAND | wxALL, 5);
    RS485conect_textCtrl =
        new wxTextCtrl(this, wxID_ANY, wxT("0"), wxDefaultPosition, wxDefaultSize, wxTE_CENTRE);
    rs485_box->Add(RS485conect_textCtrl, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    RS485Address_textCtrl =
        new wxTextCtrl(this, wxID_ANY, wxT("0"), wxDefaultPosition, wxDefaultSize, wxTE_CENTRE);
    rs485_box->Add(RS485Address_textCtrl, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    RS485AddressSet_button = new wxButton(this, wxID_ANY, u8("设置"));
    rs485_box->Add(RS485AddressSet_button, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);

    wxStaticBoxSizer* hid_box = new wxStaticBoxSizer(wxHORIZONTAL, this, u8("HID设备"));
    left->Add(hid_box, 1, wxEXPAND | wxALL, 5);
    hiddevice_richTextCtrl = new wxRichTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                                wxSize(-1, 60), wxRE_MULTILINE | wxRE_READONLY);
    hid_box->Add(hiddevice_richTextCtrl, 1, wxALL | wxEXPAND, 5);
    wxBoxSizer* hid_buttons = new wxBoxSizer(wxVERTICAL);
    hid_box->Add(hid_buttons, 0, wxALIGN_CENTER_VERTICAL, 0);
    connecthid_button = new wxButton(this, wxID_ANY, u8("连接读写器"));
    hid_buttons->Add(connecthid_button, 0, wxALL, 5);
    disconnecthid_button = new wxButton(this, wxID_ANY, u8("断开读写器"));
    hid_buttons->Add(disconnecthid_button, 0, wxALL, 5);

    // Right column: reader information, GPIO, beeper and the two page buttons.
    wxBoxSizer* right = new wxBoxSizer(wxVERTICAL);
    columns->Add(right, 0, wxALL, 5);

    wxStaticBoxSizer* version_box = new wxStaticBoxSizer(wxHORIZONTAL, this, u8("固件版本"));
    right->Add(version_box, 0, wxEXPAND | wxALL, 5);
    Frameware_textCtrl = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                        wxTE_CENTRE | wxTE_READONLY);
    version_box->Add(Frameware_textCtrl, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    Frameware_button = new wxButton(this, wxID_ANY, u8("读取"));
    version_box->Add(Frameware_button, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);

    wxStaticBoxSizer* temp_box = new wxStaticBoxSizer(wxHORIZONTAL, this, u8("工作温度监控"));
    right->Add(temp_box, 0, wxEXPAND | wxALL, 5);
    WorkTemprature_textCtrl = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                             wxTE_CENTRE | wxTE_READONLY);
    temp_box->Add(WorkTemprature_textCtrl, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    WorkTemprature_button = new wxButton(this, wxID_ANY, u8("读取"));
    temp_box->Add(WorkTemprature_button, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);

    wxStaticBoxSizer* gpio_box = new wxStaticBoxSizer(wxVERTICAL, this, u8("读写GPIO"));
    right->Add(gpio_box, 0, wxEXPAND | wxALL, 5);
    GPIO1_radioBox = new wxRadioBox(this, wxID_ANY, wxT("GPIO1"), wxDefaultPosition, wxDefaultSize,
                                    utf8_items({"高", "低"}), 1, wxRA_SPECIFY_ROWS);
    GPIO1_radioBox->SetSelection(0);
    GPIO1Read_button = new wxButton(this, wxID_ANY, u8("读取"));
    GPIO1Write_button = new wxButton(this, wxID_ANY, u8("写入"));
    add_gpio_row(gpio_box, GPIO1_radioBox, GPIO1Read_button, GPIO1Write_button);
    GPIO2_radioBox = new wxRadioBox(this, wxID_ANY, wxT("GPIO2"), wxDefaultPosition, wxDefaultSize,
                                    utf8_items({"高", "低"}), 1, wxRA_SPECIFY_ROWS);
    GPIO2_radioBox->SetSelection(0);
    GPIO2Read_button = new wxButton(this, wxID_ANY, u8("读取"));
    GPIO2Write_button = new wxButton(this, wxID_ANY, u8("写入"));
    add_gpio_row(gpio_box, GPIO2_radioBox, GPIO2Read_button, GPIO2Write_button);

    wxStaticBoxSizer* beep_box = new wxStaticBoxSizer(wxHORIZONTAL, this, u8("蜂鸣器状态"));
    right->Add(beep_box, 0, wxEXPAND | wxALL, 5);
    beep_radioBox = new wxRadioBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                   utf8_items({"安静", "每读到一张标签后鸣响"}), 1, 0);
    beep_radioBox->SetSelection(0);
    beep_box->Add(beep_radioBox, 1, wxALL, 5);
    BeepSetting_button = new wxButton(this, wxID_ANY, u8("设置"));
    beep_box->Add(BeepSetting_button, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);

    wxBoxSizer* page_buttons = new wxBoxSizer(wxHORIZONTAL);
    right->Add(page_buttons, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 5);
    RestartReader_button = new wxButton(this, wxID_ANY, u8("重启读写器"));
    page_buttons->Add(RestartReader_button, 0, wxALL, 5);
    FlashMenu_button = new wxButton(this, wxID_ANY, u8("刷新界面"));
    page_buttons->Add(FlashMenu_button, 0, wxALL, 5);

    finish_page(this, wxT("connect_pannelBase"));

    bind_page(this, connections(), true);
}

connect_pannelBase::~connect_pannelBase()
{
    bind_page(this, connections(), false);
}

std::vector<PageConnection<connect_pannelBase>> connect_pannelBase::connections()
{
    using P = connect_pannelBase;
    return {
        {ConnectMethod, wxEVT_RADIOBOX, &P::ConnectedMethod},
        {ReaderType, wxEVT_RADIOBOX, &P::SelectAntType},
        {UartNumber_choice, wxEVT_CHOICE, &P::SelectUartNumber},
        {ConnectReader_button, wxEVT_BUTTON, &P::ConnectReader},
        {UartBound_choice, wxEVT_CHOICE, &P::SelectBound},
        {DisConnect_button, wxEVT_BUTTON, &P::DisconnectReader},
        {SetBound_button, wxEVT_BUTTON, &P::SetBound},
        {ReaderID_textCtrl, wxEVT_TEXT, &P::TcpIdEnter},
        {ConnecteReader_button, wxEVT_BUTTON, &P::ConnectTcp},
        {PortName_textCtrl, wxEVT_TEXT, &P::TcpPortEnter},
        {DisConnecteReader_button, wxEVT_BUTTON, &P::DisconnectTcp},
        {RS485conect_textCtrl, wxEVT_TEXT, &P::RS485connectEnter},
        {RS485Address_textCtrl, wxEVT_TEXT, &P::RS485AddrEnter},
        {RS485AddressSet_button, wxEVT_BUTTON, &P::Set485Addr},
        {connecthid_button, wxEVT_BUTTON, &P::ConnectHID},
        {disconnecthid_button, wxEVT_BUTTON, &P::DisConnectHID},
        {Frameware_button, wxEVT_BUTTON, &P::ReadFrameWare},
        {WorkTemprature_button, wxEVT_BUTTON, &P::ReadTemp},
        {GPIO1Read_button, wxEVT_BUTTON, &P::ReadGPIO1},
        {GPIO1Write_button, wxEVT_BUTTON, &P::WriteGPIO1},
        {GPIO2_radioBox, wxEVT_RADIOBOX, &P::SelectGPIO2},
        {GPIO2Read_button, wxEVT_BUTTON, &P::ReadGPIO2},
        {GPIO2Write_button, wxEVT_BUTTON, &P::WriteGPIO2},
        {BeepSetting_button, wxEVT_BUTTON, &P::SetBeepStatus},
        {RestartReader_button, wxEVT_BUTTON, &P::RestartReader},
        {FlashMenu_button, wxEVT_BUTTON, &P::FlashMenu},
    };
}
