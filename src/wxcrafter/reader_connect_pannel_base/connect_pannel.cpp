#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"

#include <climits>

#include "wxcrafter/page_support/page_support.h"

int LinkMethod = 0;
std::string UartNumber = "COM1";
long BaudRate = 115200;
std::string ipv4_hostname = "192.168.1.178";
int tcp_port = 8080;
uint8_t GetGpio1Value = 0;
uint8_t GetGpio2Value = 0;
uint8_t GetBeepStatus = 0;
uint8_t RS485Address = 0;
uint8_t GetUartBound = 0;

namespace {

// The rates of the two baud-rate choices, by item index.
const long kBaudRates[] = {1200,  2400,  4800,   9600,   14400,  19200,  38400,
                           57600, 76800, 115200, 128000, 230400, 256000, 460800};

const unsigned long kMaxRs485Address = 255;
const unsigned long kMaxTcpPort = 65535;

wxString address_refusal()
{
    return u8("地址范围:0~255！");
}

// Keeps the leading run of digits of an address or port box.
void filter_digits(wxTextCtrl* box)
{
    cut_at_first_refused(box, is_decimal_digit);
}

bool is_address_char(wxUniChar c)
{
    return is_decimal_digit(c) || c == '.';
}

// An RS-485 box holds at most three digits: a fourth empties it (the blank
// written first is itself refused on the next pass).
void filter_rs485(wxTextCtrl* box)
{
    if (box->GetValue().length() >= 4) {
        box->SetValue(wxT(" "));
        box->SetInsertionPointEnd();
        return;
    }
    filter_digits(box);
}

}  // namespace

connect_pannel::connect_pannel(wxWindow* parent)
    : connect_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL)
{
    // SetValue, so that the boxes' filters see what the program puts there.
    ReaderID_textCtrl->SetValue(wxString::FromUTF8(ipv4_hostname.c_str()));
    PortName_textCtrl->SetValue(wxString::Format(wxT("%i"), tcp_port));
    LinkMethod = GetreaderConnectMethod();
}

connect_pannel::~connect_pannel() {}

bool connect_pannel::connect_address_fits()
{
    unsigned long address = 0;
    if (leading_decimal(RS485conect_textCtrl->GetValue(), kMaxRs485Address, address))
        return true;
    show_refusal(address_refusal());
    return false;
}

// ---- handlers ----

void connect_pannel::ConnectedMethod(wxCommandEvent& event)
{
    LinkMethod = GetreaderConnectMethod();
    post_request(wxEVT_CONNECTMETHOD);
    event.Skip();
}

void connect_pannel::SelectAntType(wxCommandEvent&) {}

void connect_pannel::SelectUartNumber(wxCommandEvent&) {}

void connect_pannel::ConnectReader(wxCommandEvent& event)
{
    const int port = UartNumber_choice->GetSelection();
    const int rate = UartBound_choice->GetSelection();
    UartNumber = port == wxNOT_FOUND ? std::string() : std::string(UartNumber_choice->GetString(port).mb_str());
    if (rate >= 0 && rate < static_cast<int>(sizeof kBaudRates / sizeof kBaudRates[0]))
        BaudRate = kBaudRates[rate];
    if (UartNumber.empty())
        return;
    // The controller frames with this address: one a frame cannot carry
    // would reach a reader the operator did not name.
    if (!connect_address_fits())
        return;
    post_request(wxEVT_CONNECT_PORT);
    event.Skip();
}

void connect_pannel::SelectBound(wxCommandEvent&) {}

void connect_pannel::DisconnectReader(wxCommandEvent& event)
{
    post_request(wxEVT_DISCONNECT_PORT);
    event.Skip();
}

void connect_pannel::SetBound(wxCommandEvent& event)
{
    GetUartBound = static_cast<uint8_t>(SetBound_choice->GetSelection());
    post_request(wxEVT_SETBOUND);
    event.Skip();
}

void connect_pannel::TcpIdEnter(wxCommandEvent&)
{
    cut_at_first_refused(ReaderID_textCtrl, is_address_char);
}

void connect_pannel::ConnectTcp(wxCommandEvent& event)
{
    ipv4_hostname = ReaderID_textCtrl->GetValue().utf8_string();
    unsigned long port = 0;
    if (!leading_decimal(PortName_textCtrl->GetValue(), kMaxTcpPort, port)) {
        show_refusal(u8("端口号范围:0~65535！"));
        return;
    }
    tcp_port = static_cast<int>(port);
    if (!connect_address_fits())
        return;
    post_request(wxEVT_CONNECT_TCP);
    event.Skip();
}

void connect_pannel::TcpPortEnter(wxCommandEvent&)
{
    filter_digits(PortName_textCtrl);
}

void connect_pannel::DisconnectTcp(wxCommandEvent& event)
{
    post_request(wxEVT_DISCONNECT_TCP);
    event.Skip();
}

void connect_pannel::RS485connectEnter(wxCommandEvent&)
{
    filter_rs485(RS485conect_textCtrl);
}

void connect_pannel::RS485AddrEnter(wxCommandEvent&)
{
    filter_rs485(RS485Address_textCtrl);
}

void connect_pannel::Set485Addr(wxCommandEvent& event)
{
    unsigned long address = 0;
    if (!leading_decimal(RS485Address_textCtrl->GetValue(), kMaxRs485Address, address)) {
        show_refusal(address_refusal());
        return;
    }
    RS485Address = static_cast<uint8_t>(address);
    post_request(wxEVT_SET485ADDR);
    event.Skip();
}

void connect_pannel::ConnectHID(wxCommandEvent& event)
{
    post_request(wxEVT_CONNECTHID);
    event.Skip();
}

void connect_pannel::DisConnectHID(wxCommandEvent& event)
{
    hiddevice_richTextCtrl->Clear();
    post_request(wxEVT_DISCONNECTHID);
    event.Skip();
}

void connect_pannel::ReadFrameWare(wxCommandEvent& event)
{
    post_request(wxEVT_GETVERSION);
    event.Skip();
}

void connect_pannel::ReadTemp(wxCommandEvent& event)
{
    post_request(wxEVT_GETWORKTEMP);
    event.Skip();
}

void connect_pannel::ReadGPIO1(wxCommandEvent& event)
{
    post_request(wxEVT_GETGPIO1);
    event.Skip();
}

void connect_pannel::WriteGPIO1(wxCommandEvent& event)
{
    GetGpio1Value = GPIO1_radioBox->GetSelection() == 0 ? 1 : 0;
    post_request(wxEVT_SETGPIO1);
    event.Skip();
}

void connect_pannel::SelectGPIO2(wxCommandEvent&) {}

void connect_pannel::ReadGPIO2(wxCommandEvent& event)
{
    post_request(wxEVT_GETGPIO2);
    event.Skip();
}

void connect_pannel::WriteGPIO2(wxCommandEvent& event)
{
    GetGpio2Value = GPIO2_radioBox->GetSelection() == 0 ? 1 : 0;
    post_request(wxEVT_SETGPIO2);
    event.Skip();
}

void connect_pannel::SetBeepStatus(wxCommandEvent& event)
{
    GetBeepStatus = static_cast<uint8_t>(beep_radioBox->GetSelection());
    post_request(wxEVT_SETBEEP);
    event.Skip();
}

void connect_pannel::RestartReader(wxCommandEvent& event)
{
    post_request(wxEVT_RESTART_READER);
    event.Skip();
}

void connect_pannel::FlashMenu(wxCommandEvent& event)
{
    Frameware_textCtrl->Clear();
    WorkTemprature_textCtrl->Clear();
    GPIO1_radioBox->SetSelection(0);
    GPIO2_radioBox->SetSelection(0);
    beep_radioBox->SetSelection(0);
    event.Skip();
}

// ---- operations for the controller ----

int connect_pannel::GetreaderConnectMethod()
{
    return ConnectMethod->GetSelection();
}

uint8_t connect_pannel::GetReaderType()
{
    return static_cast<uint8_t>(ReaderType->GetSelection());
}

void connect_pannel::SetReaderType(uint8_t type)
{
    ReaderType->SetSelection(type);
}

uint8_t connect_pannel::GetConnectRs485Addr()
{
    unsigned long address = 0;
    if (!leading_decimal(RS485conect_textCtrl->GetValue(), ULONG_MAX, address))
        return 0;
    return static_cast<uint8_t>(address & 0xFF);
}

int connect_pannel::SetUartPort(wxString list)
{
    if (list.empty()) {
        UartNumber_choice->Clear();
        return 1;
    }
    const wxString remembered = UartNumber_choice->GetStringSelection();
    UartNumber_choice->Clear();

    bool found = false;
    wxString name;
    unsigned int index = 0;
    for (wxUniChar c : list) {
        if (c == 's')
            break;
        if (c != 'n') {
            name += c;
            continue;
        }
        UartNumber_choice->Insert(name, index++);
        // Only a real selection is looked for: an empty item is no port.
        if (!remembered.empty() && name == remembered) {
            UartNumber_choice->SetStringSelection(name);
            found = true;
        }
        name.clear();
    }
    return (found || remembered.empty()) ? 0 : 1;
}

int connect_pannel::SetHidInfo(wxString text)
{
    if (!text.empty())
        hiddevice_richTextCtrl->SetValue(text);
    return 0;
}

void connect_pannel::ClearHidinfo()
{
    hiddevice_richTextCtrl->Clear();
}

void connect_pannel::SetFrameware(wxString text)
{
    Frameware_textCtrl->SetValue(text);
}

void connect_pannel::SetWorkTemp(wxString text)
{
    WorkTemprature_textCtrl->SetValue(text);
}

void connect_pannel::SetGpio1Value(int index)
{
    GPIO1_radioBox->SetSelection(index);
}

void connect_pannel::SetGpio2Value(int index)
{
    GPIO2_radioBox->SetSelection(index);
}

// ---- control states ----

void connect_pannel::SetConnectMethodState(bool on) { ConnectMethod->Enable(on); }
void connect_pannel::SetReaderTypeState(bool on) { ReaderType->Enable(on); }
void connect_pannel::SetSelectUartNumberState(bool on) { UartNumber_choice->Enable(on); }
void connect_pannel::SetConnectButtonState(bool on) { ConnectReader_button->Enable(on); }
void connect_pannel::SetSelectUartBoundrateState(bool on) { UartBound_choice->Enable(on); }
void connect_pannel::SetDisconnectButtonState(bool on) { DisConnect_button->Enable(on); }
void connect_pannel::SetSetBoundRateButtonState(bool on) { SetBound_button->Enable(on); }
void connect_pannel::SetTcpIdState(bool on) { ReaderID_textCtrl->Enable(on); }
void connect_pannel::SetConnectTcpButtonState(bool on) { ConnecteReader_button->Enable(on); }
void connect_pannel::SetTcpPortState(bool on) { PortName_textCtrl->Enable(on); }
void connect_pannel::SetDisConnectTcpButtonState(bool on) { DisConnecteReader_button->Enable(on); }
void connect_pannel::SetConnectRs485State(bool on) { RS485conect_textCtrl->Enable(on); }
void connect_pannel::SetRS485AddrEnterState(bool on) { RS485Address_textCtrl->Enable(on); }
void connect_pannel::SetRS485AddrButtonState(bool on) { RS485AddressSet_button->Enable(on); }
void connect_pannel::SetConnectHIDButtonState(bool on) { connecthid_button->Enable(on); }
void connect_pannel::SetDisConnectHIDButtonState(bool on) { disconnecthid_button->Enable(on); }
void connect_pannel::SetFramewareState(bool on) { Frameware_button->Enable(on); }
void connect_pannel::SetWorkTempState(bool on) { WorkTemprature_button->Enable(on); }
void connect_pannel::SetGpio1ReadState(bool on) { GPIO1Read_button->Enable(on); }
void connect_pannel::SetGpio1WriteState(bool on) { GPIO1Write_button->Enable(on); }
void connect_pannel::SetGpio2ReadState(bool on) { GPIO2Read_button->Enable(on); }
void connect_pannel::SetGpio2WriteState(bool on) { GPIO2Write_button->Enable(on); }
void connect_pannel::SetBeep1StatusStte(bool on) { beep_radioBox->Enable(on); }
void connect_pannel::SetBeepStatusState(bool on) { BeepSetting_button->Enable(on); }
void connect_pannel::SetRestartReaderState(bool on) { RestartReader_button->Enable(on); }

void connect_pannel::SetSetBoundRateState(bool on)
{
    SetBound_staticText->Enable(on);
    SetBound_choice->Enable(on);
}
