#include "wxcrafter/reader_setting_pannel_base/reader_setting_pannel_base.h"

#include <wx/sizer.h>

#include "wxcrafter/page_support/page_support.h"

static bool bBitmapLoaded = false;

reader_base_setting_pannelBase::reader_base_setting_pannelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                               const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    init_page_bitmaps(bBitmapLoaded);

    wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(sizer);
    m_notebook1 = new wxNotebook(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0);
    m_notebook1->SetName(wxT("m_notebook1"));
    sizer->Add(m_notebook1, 1, wxEXPAND | wxALL, FromDIP(5));

    finish_page(this, wxT("reader_base_setting_pannelBase"));
}

reader_base_setting_pannelBase::~reader_base_setting_pannelBase() {}
