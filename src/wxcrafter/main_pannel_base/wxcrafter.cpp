#include "wxcrafter/main_pannel_base/wxcrafter.h"

#include <wx/persist.h>
#include <wx/persist/bookctrl.h>
#include <wx/persist/toplevel.h>
#include <wx/settings.h>
#include <wx/sizer.h>

// Restores a window's saved state, registering it first when it is new.
template <class W>
static void restore_state(W* window)
{
    if (!wxPersistenceManager::Get().Find(window))
        wxPersistenceManager::Get().RegisterAndRestore(window);
    else
        wxPersistenceManager::Get().Restore(window);
}

MainFrameBaseClass::MainFrameBaseClass(wxWindow* parent, wxWindowID id, const wxString& title,
                                       const wxPoint& pos, const wxSize& size, long style)
    : wxFrame(parent, id, title, pos, size, style)
{
    // Background only: on GTK a frame's foreground colour reaches every
    // label inside it, and a highlight-text foreground draws them white on
    // white.
    SetOwnBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT));

    wxBoxSizer* frame_sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(frame_sizer);

    m_notebook1 = new wxNotebook(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0);
    m_notebook1->SetName(wxT("m_notebook1"));
    frame_sizer->Add(m_notebook1, 1, wxLEFT | wxRIGHT | wxTOP | wxEXPAND, FromDIP(5));

    wxBoxSizer* log_sizer = new wxBoxSizer(wxVERTICAL);
    frame_sizer->Add(log_sizer, 0, wxALL | wxEXPAND, FromDIP(5));

    wxBoxSizer* log_header = new wxBoxSizer(wxHORIZONTAL);
    log_sizer->Add(log_header, 0, 0, 0);

    m_staticText41 = new wxStaticText(this, wxID_ANY, wxString::FromUTF8("操作记录："));
    m_staticText41->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    log_header->Add(m_staticText41, 0, wxALIGN_CENTER_VERTICAL, 0);

    auto_clear_log_checkBox = new wxCheckBox(this, wxID_ANY, wxString::FromUTF8("自动清空"));
    auto_clear_log_checkBox->SetValue(false);
    log_header->Add(auto_clear_log_checkBox, 0, wxLEFT | wxALIGN_CENTER_VERTICAL, FromDIP(5));

    open_uart_monitor_checkBox = new wxCheckBox(this, wxID_ANY, wxString::FromUTF8("打开串口监控"));
    open_uart_monitor_checkBox->SetValue(false);
    log_header->Add(open_uart_monitor_checkBox, 0, wxALIGN_CENTER_VERTICAL, 0);

    UartDataLog = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                 wxTE_MULTILINE | wxTE_READONLY | wxTE_RICH);
    UartDataLog->SetMinSize(FromDIP(wxSize(600, 150)));
    log_sizer->Add(UartDataLog, 0, wxEXPAND, 0);

    SetName(wxT("MainFrameBaseClass"));
    SetMinClientSize(FromDIP(wxSize(1080, 750)));
    GetSizer()->Fit(this);
    if (GetParent())
        CentreOnParent(wxBOTH);
    else
        CentreOnScreen(wxBOTH);

    restore_state(static_cast<wxBookCtrlBase*>(m_notebook1));
    restore_state(static_cast<wxTopLevelWindow*>(this));

    UartDataLog->Bind(wxEVT_TEXT, &MainFrameBaseClass::OnLogText, this);
}

MainFrameBaseClass::~MainFrameBaseClass()
{
    UartDataLog->Unbind(wxEVT_TEXT, &MainFrameBaseClass::OnLogText, this);
}
