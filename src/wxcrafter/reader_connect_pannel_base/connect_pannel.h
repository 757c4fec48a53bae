// The connection page: link method, serial, TCP and HID connection, the
// RS-485 address, reader information, GPIO, beeper and restart. Its handlers
// write the connection globals below and post one request to the event hub;
// the controller fills the page back through the setters.
#pragma once

#include "reader_params.h"

#include <cstdint>
#include <string>

#include <wx/string.h>

#include "wxcrafter/reader_connect_pannel_base/reader_connect_pannel_base.h"

class connect_pannel : public connect_pannelBase {
public:
    explicit connect_pannel(wxWindow* parent);
    virtual ~connect_pannel();

    // 0 RS-232, 1 TCP/IP, 2 USB-HID.
    int GetreaderConnectMethod();
    // 0 one antenna, 1 four, 2 eight.
    uint8_t GetReaderType();
    void SetReaderType(uint8_t type);
    // The address to frame with while connecting, low eight bits of the box.
    // The connect handlers post nothing while the box holds more than 255.
    uint8_t GetConnectRs485Addr();
    // Refills the port choice from the library's list ("COM3nCOM4ns"),
    // keeping the operator's selection. 1 when the list is empty or the port
    // selected before is gone, else 0.
    int SetUartPort(wxString list);
    // A non-empty text replaces the HID box's content; always 0.
    int SetHidInfo(wxString text);
    void ClearHidinfo();
    void SetFrameware(wxString text);
    void SetWorkTemp(wxString text);
    // Radio index, not level: 0 "高", 1 "低".
    void SetGpio1Value(int index);
    void SetGpio2Value(int index);

    // Control states, set by the controller as the link comes and goes.
    void SetConnectMethodState(bool on);
    void SetReaderTypeState(bool on);
    void SetSelectUartNumberState(bool on);
    void SetConnectButtonState(bool on);
    void SetSelectUartBoundrateState(bool on);
    void SetDisconnectButtonState(bool on);
    void SetSetBoundRateState(bool on);
    void SetSetBoundRateButtonState(bool on);
    void SetTcpIdState(bool on);
    void SetConnectTcpButtonState(bool on);
    void SetTcpPortState(bool on);
    void SetDisConnectTcpButtonState(bool on);
    void SetConnectRs485State(bool on);
    void SetRS485AddrEnterState(bool on);
    void SetRS485AddrButtonState(bool on);
    void SetConnectHIDButtonState(bool on);
    void SetDisConnectHIDButtonState(bool on);
    void SetFramewareState(bool on);
    void SetWorkTempState(bool on);
    void SetGpio1ReadState(bool on);
    void SetGpio1WriteState(bool on);
    void SetGpio2ReadState(bool on);
    void SetGpio2WriteState(bool on);
    void SetBeep1StatusStte(bool on);
    void SetBeepStatusState(bool on);
    void SetRestartReaderState(bool on);

protected:
    void ConnectedMethod(wxCommandEvent& event) override;
    void SelectAntType(wxCommandEvent& event) override;
    void SelectUartNumber(wxCommandEvent& event) override;
    void ConnectReader(wxCommandEvent& event) override;
    void SelectBound(wxCommandEvent& event) override;
    void DisconnectReader(wxCommandEvent& event) override;
    void SetBound(wxCommandEvent& event) override;
    void TcpIdEnter(wxCommandEvent& event) override;
    void ConnectTcp(wxCommandEvent& event) override;
    void TcpPortEnter(wxCommandEvent& event) override;
    void DisconnectTcp(wxCommandEvent& event) override;
    void RS485connectEnter(wxCommandEvent& event) override;
    void RS485AddrEnter(wxCommandEvent& event) override;
    void Set485Addr(wxCommandEvent& event) override;
    void ConnectHID(wxCommandEvent& event) override;
    void DisConnectHID(wxCommandEvent& event) override;
    void ReadFrameWare(wxCommandEvent& event) override;
    void ReadTemp(wxCommandEvent& event) override;
    void ReadGPIO1(wxCommandEvent& event) override;
    void WriteGPIO1(wxCommandEvent& event) override;
    void SelectGPIO2(wxCommandEvent& event) override;
    void ReadGPIO2(wxCommandEvent& event) override;
    void WriteGPIO2(wxCommandEvent& event) override;
    void SetBeepStatus(wxCommandEvent& event) override;
    void RestartReader(wxCommandEvent& event) override;
    void FlashMenu(wxCommandEvent& event) override;

private:
    // The connect-address box holds an address a frame can carry.
    bool connect_address_fits();
};
