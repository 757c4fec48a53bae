// The "标签测试" container's base: one notebook filling the panel.
#pragma once

#include <wx/notebook.h>
#include <wx/panel.h>

class rfid_6c_tag_testBase : public wxPanel {
public:
    rfid_6c_tag_testBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                         const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~rfid_6c_tag_testBase();

    wxNotebook* GetNotebook9() { return m_notebook9; }

protected:
    wxNotebook* m_notebook9;
};
