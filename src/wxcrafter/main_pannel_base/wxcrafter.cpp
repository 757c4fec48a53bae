#include "wxcrafter/main_pannel_base/wxcrafter.h"

#include <wx/display.h>
#include <wx/persist.h>
#include <wx/persist/bookctrl.h>
#include <wx/persist/toplevel.h>
#include <wx/settings.h>
#include <wx/sizer.h>

#include <algorithm>

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

    // The pages scroll inside the frame when the screen is smaller than
    // they are; the operation log under them always stays in view.
    m_pages_scroll = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                          wxHSCROLL | wxVSCROLL);
    m_pages_scroll->SetScrollRate(FromDIP(10), FromDIP(10));
    wxBoxSizer* scroll_sizer = new wxBoxSizer(wxVERTICAL);
    m_pages_scroll->SetSizer(scroll_sizer);
    frame_sizer->Add(m_pages_scroll, 1, wxLEFT | wxRIGHT | wxTOP | wxEXPAND, FromDIP(5));

    m_notebook1 = new wxNotebook(m_pages_scroll, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0);
    m_notebook1->SetName(wxT("m_notebook1"));
    scroll_sizer->Add(m_notebook1, 1, wxEXPAND, 0);

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

    UartDataLog->Bind(wxEVT_TEXT, &MainFrameBaseClass::OnLogText, this);
}

void MainFrameBaseClass::place_on_screen()
{
    // The pages get their own size where the screen has room for it, and
    // scroll inside what is left once the operation log has its place.
    const wxRect area = work_area();
    const wxSize pages = m_pages_scroll->GetSizer()->GetMinSize();
    m_pages_scroll->SetMinSize(wxSize(0, 0));
    // Decorations and the borders around the pages; the log sits under them.
    const wxSize frame_without_pages = ClientToWindowSize(GetSizer()->GetMinSize());
    const int beside_pages = ClientToWindowSize(wxSize(0, 0)).GetWidth() + 2 * FromDIP(5);
    m_pages_scroll->SetMinSize(wxSize(std::min(pages.GetWidth(), area.GetWidth() - beside_pages),
                                      std::min(pages.GetHeight(), area.GetHeight() - frame_without_pages.GetHeight())));
    GetSizer()->Fit(this);
    m_pages_scroll->SetMinSize(FromDIP(wxSize(200, 100)));

    if (GetParent())
        CentreOnParent(wxBOTH);
    else
        CentreOnScreen(wxBOTH);

    restore_state(static_cast<wxBookCtrlBase*>(m_notebook1));
    restore_state(static_cast<wxTopLevelWindow*>(this));

    // A size or place saved on a larger screen is brought back onto this one.
    wxRect rect = GetRect();
    rect.SetWidth(std::min(rect.GetWidth(), area.GetWidth()));
    rect.SetHeight(std::min(rect.GetHeight(), area.GetHeight()));
    rect.SetX(std::clamp(rect.GetX(), area.GetLeft(), area.GetRight() + 1 - rect.GetWidth()));
    rect.SetY(std::clamp(rect.GetY(), area.GetTop(), area.GetBottom() + 1 - rect.GetHeight()));
    // GTK shows a window at its minimum size: until it is up, that is the
    // size wanted. Then the operator may make it smaller, the pages scroll.
    SetMinSize(rect.GetSize());
    SetSize(rect);
    placed_ = rect;
    Bind(wxEVT_SHOW, &MainFrameBaseClass::OnFirstShow, this);
}

void MainFrameBaseClass::OnFirstShow(wxShowEvent& event)
{
    event.Skip();
    if (!event.IsShown())
        return;
    Unbind(wxEVT_SHOW, &MainFrameBaseClass::OnFirstShow, this);
    CallAfter([this] {
        SetMinSize(ClientToWindowSize(GetSizer()->GetMinSize()));
        SetSize(placed_);
        m_pages_scroll->FitInside();
    });
}

wxRect MainFrameBaseClass::work_area() const
{
    const int index = wxDisplay::GetFromWindow(this);
    return wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea();
}

MainFrameBaseClass::~MainFrameBaseClass()
{
    UartDataLog->Unbind(wxEVT_TEXT, &MainFrameBaseClass::OnLogText, this);
}
