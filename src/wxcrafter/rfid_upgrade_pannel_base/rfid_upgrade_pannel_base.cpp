#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel_base.h"

#include <wx/sizer.h>

#include "wxcrafter/page_support/page_support.h"

static bool bBitmapLoaded = false;

rfid_upgradebase::rfid_upgradebase(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                   long style)
    : wxPanel(parent, id, pos, size, style)
{
    init_page_bitmaps(bBitmapLoaded);
    SetSizer(new wxBoxSizer(wxHORIZONTAL));
    finish_page(this, wxT("rfid_upgradebase"));
}

rfid_upgradebase::~rfid_upgradebase() {}
