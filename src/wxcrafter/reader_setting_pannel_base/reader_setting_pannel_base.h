// The "读写器设置" container's base: one notebook filling the panel.
#pragma once

#include <wx/notebook.h>
#include <wx/panel.h>

class reader_base_setting_pannelBase : public wxPanel {
public:
    reader_base_setting_pannelBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(500, 300),
                                   long style = wxTAB_TRAVERSAL);
    virtual ~reader_base_setting_pannelBase();

    wxNotebook* GetNotebook1() { return m_notebook1; }

protected:
    wxNotebook* m_notebook1;
};
