#include "wxcrafter/buffer_inv_pannel_base/buffer_inv_wxcraft.h"

#include <wx/statbox.h>

static bool bBitmapLoaded = false;

buffer_inventory_pannelBase::buffer_inventory_pannelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                         const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    init_page_bitmaps(bBitmapLoaded);

    wxBoxSizer* page_sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(page_sizer);

    wxStaticBoxSizer* control_box = new wxStaticBoxSizer(wxHORIZONTAL, this, wxEmptyString);
    page_sizer->Add(control_box, 0, wxEXPAND | wxALL, 5);
    StartInventory_button = new wxButton(this, wxID_ANY, u8("开始盘存"), wxDefaultPosition,
                                         wxDLG_UNIT(this, wxSize(50, 25)));
    control_box->Add(StartInventory_button, 1, wxALIGN_CENTER | wxLEFT | wxRIGHT, 30);

    wxBoxSizer* buffer_buttons = new wxBoxSizer(wxVERTICAL);
    control_box->Add(buffer_buttons, 1, 0, 0);
    wxBoxSizer* read_row = new wxBoxSizer(wxHORIZONTAL);
    buffer_buttons->Add(read_row, 0, wxEXPAND | wxRIGHT, 30);
    ReadBuff_button = new wxButton(this, wxID_ANY, u8("读取缓存"));
    read_row->Add(ReadBuff_button, 1, wxALL, 5);
    ReadClearBuff_button = new wxButton(this, wxID_ANY, u8("读取并清空缓存"));
    read_row->Add(ReadClearBuff_button, 1, wxALL, 5);
    wxBoxSizer* clear_row = new wxBoxSizer(wxHORIZONTAL);
    buffer_buttons->Add(clear_row, 0, wxEXPAND | wxRIGHT, 30);
    ClearBuff_button = new wxButton(this, wxID_ANY, u8("清空缓存"));
    clear_row->Add(ClearBuff_button, 1, wxALL, 5);
    ReadTagNum_button = new wxButton(this, wxID_ANY, u8("读取缓存中标签数量"));
    clear_row->Add(ReadTagNum_button, 1, wxALL, 5);

    m_listCtrl = create_stats(this, page_sizer, u8("累计运行的时间(毫秒):"));

    finish_page(this, wxT("buffer_inventory_pannelBase"));

    bind_page(this, connections(), true);
}

buffer_inventory_pannelBase::~buffer_inventory_pannelBase()
{
    bind_page(this, connections(), false);
}

std::vector<PageConnection<buffer_inventory_pannelBase>> buffer_inventory_pannelBase::connections()
{
    using P = buffer_inventory_pannelBase;
    return {
        {StartInventory_button, wxEVT_BUTTON, &P::StartInventory},
        {ReadBuff_button, wxEVT_BUTTON, &P::ReadBuff},
        {ReadClearBuff_button, wxEVT_BUTTON, &P::ReadClearBuff},
        {ClearBuff_button, wxEVT_BUTTON, &P::ClearBuff},
        {ReadTagNum_button, wxEVT_BUTTON, &P::ReadTagNum},
        {FlashManu_button, wxEVT_BUTTON, &P::FlashMenu},
        {SaveTag_button, wxEVT_BUTTON, &P::SaveTag},
    };
}
