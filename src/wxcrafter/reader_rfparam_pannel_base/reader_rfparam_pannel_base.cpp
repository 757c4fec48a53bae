#include "wxcrafter/reader_rfparam_pannel_base/reader_rfparam_pannel_base.h"

#include <wx/sizer.h>

#include "wxcrafter/page_support/page_support.h"

static bool bBitmapLoaded = false;

rf_paramset_pannelBase::rf_paramset_pannelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                               const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    init_page_bitmaps(bBitmapLoaded);
    SetSizer(new wxBoxSizer(wxVERTICAL));
    finish_page(this, wxT("rf_paramset_pannelBase"));
}

rf_paramset_pannelBase::~rf_paramset_pannelBase() {}
