#include "wxcrafter/custom_inv_pannel_base/custom_inv_wxcraft.h"

#include <wx/statbox.h>

static bool bBitmapLoaded = false;

custom_inventory_pannelBase::custom_inventory_pannelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
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
    control_box->Add(StartInventory_button, 0, wxALIGN_CENTER | wxLEFT, 30);

    m_listCtrl11 = create_stats(this, page_sizer, u8("累计运行的时间(秒):"));

    finish_page(this, wxT("custom_inventory_pannelBase"));

    bind_page(this, connections(), true);
}

custom_inventory_pannelBase::~custom_inventory_pannelBase()
{
    bind_page(this, connections(), false);
}

std::vector<PageConnection<custom_inventory_pannelBase>> custom_inventory_pannelBase::connections()
{
    using P = custom_inventory_pannelBase;
    return {
        {StartInventory_button, wxEVT_BUTTON, &P::StartInventory},
        {FlashManu_button, wxEVT_BUTTON, &P::FlashMenu},
        {SaveTag_button, wxEVT_BUTTON, &P::SaveTag},
    };
}
