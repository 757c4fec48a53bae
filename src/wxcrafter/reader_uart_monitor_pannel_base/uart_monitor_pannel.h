// The serial monitor: shows the frames the controller reports (received in
// red, sent in black) and sends a raw command typed in hexadecimal.
#pragma once

#include "reader_params.h"

#include <cstdint>

#include <wx/string.h>

#include "wxcrafter/reader_uart_monitor_pannel_base/reader_uart_monitor_pannel_base.h"

class uart_monitor_pannel : public uart_monitor_pannelBase {
public:
    explicit uart_monitor_pannel(wxWindow* parent);
    virtual ~uart_monitor_pannel();

    // Appends `text` to the log, red when `mode` is non-zero, else black.
    void SetUartDataShow(wxString text, char mode);
    void clearUartData();

protected:
    void InputDataEnter(wxCommandEvent& event) override;
    void SendData(wxCommandEvent& event) override;
    void ClearData(wxCommandEvent& event) override;
};
