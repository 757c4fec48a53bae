// The tag-storage page's controls, as far as they stand yet: the selected
// tag, the choice of inventoried tags and the result list.
#pragma once

#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class rfid_storage_pannelBase : public wxPanel {
public:
    rfid_storage_pannelBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                            const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~rfid_storage_pannelBase();

    wxStaticText* GetSelectedTag_staticText() { return SelectedTag_staticText; }
    wxTextCtrl* GetSelectedTag_textCtrl() { return SelectedTag_textCtrl; }
    wxStaticText* GetTagList_staticText() { return TagList_staticText; }
    wxChoice* GetTagList_choice() { return TagList_choice; }
    wxListCtrl* GetListCtrl11() { return m_listCtrl11; }

protected:
    wxStaticText* SelectedTag_staticText;
    wxTextCtrl* SelectedTag_textCtrl;
    wxStaticText* TagList_staticText;
    wxChoice* TagList_choice;
    wxListCtrl* m_listCtrl11;
};
