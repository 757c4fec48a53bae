#include "wxcrafter/reader_rw_pannel_base/reader_rw_wxcraft.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

#include "wxcrafter/page_support/inventory_stats.h"
#include "wxcrafter/page_support/page_support.h"

static bool bBitmapLoaded = false;

rfid_storage_pannelBase::rfid_storage_pannelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                 const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    init_page_bitmaps(bBitmapLoaded);

    wxBoxSizer* page_sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(page_sizer);

    wxStaticBoxSizer* tag_box = new wxStaticBoxSizer(wxHORIZONTAL, this, u8("选定操作标签"));
    page_sizer->Add(tag_box, 0, wxEXPAND | wxALL, 5);
    wxBoxSizer* selected_row = new wxBoxSizer(wxHORIZONTAL);
    tag_box->Add(selected_row, 1, wxALIGN_CENTER | wxLEFT, 5);
    SelectedTag_staticText = new wxStaticText(this, wxID_ANY, u8("已选定标签:"));
    selected_row->Add(SelectedTag_staticText, 0, wxALIGN_CENTER | wxLEFT, 5);
    SelectedTag_textCtrl =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
    selected_row->Add(SelectedTag_textCtrl, 1, wxALIGN_CENTER | wxLEFT, 5);
    wxBoxSizer* list_row = new wxBoxSizer(wxHORIZONTAL);
    tag_box->Add(list_row, 1, wxALIGN_CENTER | wxLEFT, 5);
    TagList_staticText = new wxStaticText(this, wxID_ANY, u8("标签列表:"));
    list_row->Add(TagList_staticText, 0, wxALIGN_CENTER | wxLEFT, 5);
    TagList_choice = new wxChoice(this, wxID_ANY);
    list_row->Add(TagList_choice, 1, wxALIGN_CENTER | wxLEFT, 5);

    m_listCtrl11 = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT);
    reset_list_columns(m_listCtrl11, {{"ID", wxLIST_AUTOSIZE},
                                      {"CRC", wxLIST_AUTOSIZE},
                                      {"EPC", 300},
                                      {"数据", 300},
                                      {"数据长度", 80},
                                      {"天线", 80}});
    page_sizer->Add(m_listCtrl11, 1, wxEXPAND | wxALL, 5);

    finish_page(this, wxT("rfid_storage_pannelBase"));
}

rfid_storage_pannelBase::~rfid_storage_pannelBase() {}
