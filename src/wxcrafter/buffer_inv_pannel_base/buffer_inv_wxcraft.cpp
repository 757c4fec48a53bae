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
    // Proportions would widen the page to fit the widest part several
    // times over: the room left goes between the parts instead.
    control_box->Add(StartInventory_button, 0, wxALIGN_CENTER | wxLEFT | wxRIGHT, 30);
    control_box->AddStretchSpacer(1);

    // Antennas 1 to 4 above 5 to 8; only the first is offered until the
    // reader type is known.
    wxBoxSizer* antenna_rows = new wxBoxSizer(wxVERTICAL);
    control_box->Add(antenna_rows, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 30);
    control_box->AddStretchSpacer(1);
    wxCheckBox** boxes[] = {&Ant1_checkBox, &Ant2_checkBox, &Ant3_checkBox, &Ant4_checkBox,
                            &Ant5_checkBox, &Ant6_checkBox, &Ant7_checkBox, &Ant8_checkBox};
    wxBoxSizer* antenna_row = nullptr;
    for (int k = 0; k < 8; ++k) {
        if (k % 4 == 0) {
            antenna_row = new wxBoxSizer(wxHORIZONTAL);
            antenna_rows->Add(antenna_row, 0, wxALL, 5);
        }
        wxCheckBox* box = new wxCheckBox(this, wxID_ANY, u8("天线") + wxString::Format(wxT("%d"), k + 1));
        box->SetValue(k == 0);
        box->Enable(k == 0);
        antenna_row->Add(box, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 5);
        *boxes[k] = box;
    }

    wxBoxSizer* buffer_buttons = new wxBoxSizer(wxVERTICAL);
    control_box->Add(buffer_buttons, 0, wxALIGN_CENTER_VERTICAL, 0);
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
        {Ant1_checkBox, wxEVT_CHECKBOX, &P::ant1_select},
        {Ant2_checkBox, wxEVT_CHECKBOX, &P::ant2_select},
        {Ant3_checkBox, wxEVT_CHECKBOX, &P::ant3_select},
        {Ant4_checkBox, wxEVT_CHECKBOX, &P::ant4_select},
        {Ant5_checkBox, wxEVT_CHECKBOX, &P::ant5_select},
        {Ant6_checkBox, wxEVT_CHECKBOX, &P::ant6_select},
        {Ant7_checkBox, wxEVT_CHECKBOX, &P::ant7_select},
        {Ant8_checkBox, wxEVT_CHECKBOX, &P::ant8_select},
        {ReadBuff_button, wxEVT_BUTTON, &P::ReadBuff},
        {ReadClearBuff_button, wxEVT_BUTTON, &P::ReadClearBuff},
        {ClearBuff_button, wxEVT_BUTTON, &P::ClearBuff},
        {ReadTagNum_button, wxEVT_BUTTON, &P::ReadTagNum},
        {FlashManu_button, wxEVT_BUTTON, &P::FlashMenu},
        {SaveTag_button, wxEVT_BUTTON, &P::SaveTag},
    };
}
