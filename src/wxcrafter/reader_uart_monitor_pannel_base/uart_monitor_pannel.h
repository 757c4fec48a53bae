// The serial monitor: shows the frames the controller reports (received in
// red, sent in black) and sends a raw command typed in hexadecimal.
#pragma once

#include "reader_params.h"

#include <cstdint>
#include <deque>

#include <wx/string.h>

class wxBookCtrlEvent;

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

private:
    // Text that came while another page of the notebook was in front. A
    // wrapping text view that is not on screen lays its whole text out
    // again on every append (several milliseconds of the GUI thread), so
    // the text waits here, as many lines as the view keeps, until the page
    // is brought to the front.
    struct Pending {
        wxString text;
        char mode;
        int lines;
    };
    std::deque<Pending> pending;
    int pending_lines = 0;

    bool behind_other_page() const;
    void append_now(const wxString& text, char mode);
    void show_pending();
    void OnPageChanged(wxBookCtrlEvent& event);
};
