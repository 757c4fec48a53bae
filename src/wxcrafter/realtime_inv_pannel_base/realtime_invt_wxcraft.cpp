#include "wxcrafter/realtime_inv_pannel_base/realtime_invt_wxcraft.h"

#include <wx/statbox.h>

static bool bBitmapLoaded = false;

realtime_inventory_pannelBase::realtime_inventory_pannelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                             const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    init_page_bitmaps(bBitmapLoaded);

    wxBoxSizer* page_sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(page_sizer);

    wxStaticBoxSizer* control_box = new wxStaticBoxSizer(wxHORIZONTAL, this, wxEmptyString);
    page_sizer->Add(control_box, 0, wxEXPAND | wxALL, 5);
    StartInventory_button = new wxButton(this, wxID_ANY, u8("开始盘存"), wxDefaultPosition,
                                         wxDLG_UNIT(this, wxSize(50, 20)));
    control_box->Add(StartInventory_button, 0, wxALL, 5);

    m_listCtrl13 = create_stats(this, page_sizer, u8("累计运行的时间(秒):"));

    finish_page(this, wxT("realtime_inventory_pannelBase"));

    bind_page(this, connections(), true);
}

realtime_inventory_pannelBase::~realtime_inventory_pannelBase()
{
    bind_page(this, connections(), false);
}

std::vector<PageConnection<realtime_inventory_pannelBase>> realtime_inventory_pannelBase::connections()
{
    using P = realtime_inventory_pannelBase;
    return {
        {StartInventory_button, wxEVT_BUTTON, &P::StartInventory},
        {FlashManu_button, wxEVT_BUTTON, &P::FlashMenu},
        {SaveTag_button, wxEVT_BUTTON, &P::SaveTag},
    };
}
