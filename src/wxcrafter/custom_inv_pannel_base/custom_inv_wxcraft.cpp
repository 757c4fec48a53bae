#include "wxcrafter/custom_inv_pannel_base/custom_inv_wxcraft.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

#include "wxcrafter/custom_inv_pannel_base/match_modes.h"
#include "wxcrafter/page_support/antenna_rotation.h"

static bool bBitmapLoaded = false;

namespace {

// A label and its control, the next two cells of `grid`.
void add_labelled(wxSizer* grid, wxWindow* label, wxWindow* control)
{
    grid->Add(label, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 10);
    grid->Add(control, 0, wxEXPAND | wxALL, 5);
}

wxArrayString match_items()
{
    wxArrayString items;
    for (const match_mode& mode : match_modes())
        items.Add(wxString::FromUTF8(mode.entry));
    return items;
}

}  // namespace

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
    control_box->Add(StartInventory_button, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 30);
    // Two lines of choices: on one line the antenna combinations of an
    // eight-antenna reader would push the page past a 1366-pixel screen.
    wxFlexGridSizer* choices = new wxFlexGridSizer(2, 4, 0, 0);
    control_box->Add(choices, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 10);

    SelectANT_staticText = new wxStaticText(this, wxID_ANY, u8("选择天线:"));
    SelectANT_choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                    antenna_items(antenna_rotation()));
    SelectANT_choice->SetSelection(0);
    fit_antenna_choice(SelectANT_choice);
    add_labelled(choices, SelectANT_staticText, SelectANT_choice);

    Inventoryround_staticText = new wxStaticText(this, wxID_ANY, u8("盘存次数:"));
    Inventoryround_spinCtrl = new wxSpinCtrl(this, wxID_ANY, wxT("1"), wxDefaultPosition, wxDefaultSize,
                                             wxSP_ARROW_KEYS, 1, 255, 1);
    add_labelled(choices, Inventoryround_staticText, Inventoryround_spinCtrl);

    Membank_staticText = new wxStaticText(this, wxID_ANY, u8("匹配参数:"));
    Membank_choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, match_items());
    Membank_choice->SetSelection(0);
    add_labelled(choices, Membank_staticText, Membank_choice);

    readlen_staticText = new wxStaticText(this, wxID_ANY, u8("匹配长度:"));
    readlen_textCtrl = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                      wxDLG_UNIT(this, wxSize(40, -1)));
    readlen_textCtrl->Enable(false);
    add_labelled(choices, readlen_staticText, readlen_textCtrl);

    m_listCtrl11 = create_stats(this, page_sizer, u8("累计运行的时间(秒):"));
    // The list scrolls its own columns: the nine of a match mode must not
    // widen the page past the screen.
    m_listCtrl11->SetMinSize(wxSize(FromDIP(200), -1));

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
        {Inventoryround_spinCtrl, wxEVT_TEXT, &P::ivnetoryround_input},
        {Membank_choice, wxEVT_CHOICE, &P::select_read_membank},
        {readlen_textCtrl, wxEVT_TEXT, &P::ReadLenEnter},
        {InventoryTagNumber_textCtrl, wxEVT_TEXT, &P::NewTagInter},
        {FlashManu_button, wxEVT_BUTTON, &P::FlashMenu},
        {SaveTag_button, wxEVT_BUTTON, &P::SaveTag},
    };
}
