#include "wxcrafter/tag_6c_test_pannel_base/tag_6c_test_pannel_base.h"

#include <wx/sizer.h>

#include "wxcrafter/page_support/page_support.h"

static bool bBitmapLoaded = false;

rfid_6c_tag_testBase::rfid_6c_tag_testBase(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                           long style)
    : wxPanel(parent, id, pos, size, style)
{
    init_page_bitmaps(bBitmapLoaded);

    wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(sizer);
    m_notebook9 = new wxNotebook(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0);
    m_notebook9->SetName(wxT("m_notebook9"));
    sizer->Add(m_notebook9, 1, wxEXPAND | wxALL, FromDIP(5));

    finish_page(this, wxT("rfid_6c_tag_testBase"));
}

rfid_6c_tag_testBase::~rfid_6c_tag_testBase() {}
