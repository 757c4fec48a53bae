#include "wxcrafter/realtime_inv_pannel_base/realtime_invt_wxcraft.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

#include "wxcrafter/page_support/antenna_rotation.h"

static bool bBitmapLoaded = false;

namespace {

// A label beside its control, centred in `row`.
void add_labelled(wxSizer* row, wxWindow* label, wxWindow* control)
{
    row->Add(label, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 15);
    row->Add(control, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
}

}  // namespace

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
    control_box->Add(StartInventory_button, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);

    SelectANT_staticText = new wxStaticText(this, wxID_ANY, u8("选择天线:"));
    SelectANT_choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                    antenna_items(antenna_rotation()));
    SelectANT_choice->SetSelection(0);
    fit_antenna_choice(SelectANT_choice);
    SelectANT_choice->Enable(false);
    add_labelled(control_box, SelectANT_staticText, SelectANT_choice);

    wxBoxSizer* session_kind = new wxBoxSizer(wxVERTICAL);
    control_box->Add(session_kind, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 15);
    Auto_radioButton = new wxRadioButton(this, wxID_ANY, u8("自动"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    Auto_radioButton->SetValue(true);
    session_kind->Add(Auto_radioButton, 0, wxALL, 3);
    Self_radioButton = new wxRadioButton(this, wxID_ANY, u8("自定义Session"));
    Self_radioButton->SetValue(false);
    session_kind->Add(Self_radioButton, 0, wxALL, 3);

    SessionID_staticText = new wxStaticText(this, wxID_ANY, wxT("Session_ID:"));
    const wxString sessions[] = {wxT("S0"), wxT("S1"), wxT("S2"), wxT("S3"), wxT("SL")};
    SessionID_choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDLG_UNIT(this, wxSize(60, -1)),
                                    WXSIZEOF(sessions), sessions);
    SessionID_choice->SetSelection(2);
    SessionID_choice->Enable(false);
    add_labelled(control_box, SessionID_staticText, SessionID_choice);

    InventoryFlag_staticText = new wxStaticText(this, wxID_ANY, wxT("Inventory Flag:"));
    const wxString flags[] = {wxT("A"), wxT("B")};
    InventoryFlag_choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDLG_UNIT(this, wxSize(40, -1)),
                                        WXSIZEOF(flags), flags);
    InventoryFlag_choice->SetSelection(0);
    InventoryFlag_choice->Enable(false);
    add_labelled(control_box, InventoryFlag_staticText, InventoryFlag_choice);

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
        {Auto_radioButton, wxEVT_RADIOBUTTON, &P::AutoInventorySession},
        {Self_radioButton, wxEVT_RADIOBUTTON, &P::DefineInventorySession},
        {InventoryTagNumber_textCtrl, wxEVT_TEXT, &P::NewTagInter},
        {FlashManu_button, wxEVT_BUTTON, &P::FlashMenu},
        {SaveTag_button, wxEVT_BUTTON, &P::SaveTag},
    };
}
