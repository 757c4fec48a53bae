// The main window's controls: the notebook and, under it, the operation log
// with its two check boxes. Behaviour lives in the derived classes.
#pragma once

#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/notebook.h>
#include <wx/scrolwin.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class MainFrameBaseClass : public wxFrame {
public:
    MainFrameBaseClass(wxWindow* parent, wxWindowID id, const wxString& title,
                       const wxPoint& pos, const wxSize& size, long style);
    virtual ~MainFrameBaseClass();

    wxNotebook* GetNotebook1() { return m_notebook1; }
    wxStaticText* GetStaticText41() { return m_staticText41; }
    wxCheckBox* GetAuto_clear_log_checkBox() { return auto_clear_log_checkBox; }
    wxCheckBox* GetOpen_uart_monitor_checkBox() { return open_uart_monitor_checkBox; }
    wxTextCtrl* GetUartDataLog() { return UartDataLog; }

protected:
    // Sizes the frame around its pages, within the display's work area,
    // centres it, then restores the state saved by the last run. Called once
    // the pages exist.
    void place_on_screen();
    wxRect work_area() const;

    virtual void UartDataLogUpdate(wxCommandEvent& event) { event.Skip(); }

    wxScrolledWindow* m_pages_scroll;
    wxNotebook* m_notebook1;
    wxStaticText* m_staticText41;
    wxCheckBox* auto_clear_log_checkBox;
    wxCheckBox* open_uart_monitor_checkBox;
    wxTextCtrl* UartDataLog;

private:
    void OnFirstShow(wxShowEvent& event);

    wxRect placed_;
    void OnLogText(wxCommandEvent& event) { UartDataLogUpdate(event); }
};
