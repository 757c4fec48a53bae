#include "wxcrafter/reader_switchant_inventory_base/rfid_switchant_inventory.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

static bool bBitmapLoaded = false;

namespace {

// The four controls of one round, created in this order.
struct RoundMembers {
    wxStaticText** letter;
    wxChoice** antenna;
    wxStaticText** count_label;
    wxTextCtrl** count;
};

// A caption above its control, both in `column`.
void add_above(wxSizer* column, wxWindow* label, wxWindow* control)
{
    column->Add(label, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 3);
    column->Add(control, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 3);
}

}  // namespace

reader_switchant_inventory_pannelBase::reader_switchant_inventory_pannelBase(wxWindow* parent, wxWindowID id,
                                                                             const wxPoint& pos, const wxSize& size,
                                                                             long style)
    : wxPanel(parent, id, pos, size, style)
{
    init_page_bitmaps(bBitmapLoaded);

    wxBoxSizer* page_sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(page_sizer);

    wxStaticBoxSizer* control_box = new wxStaticBoxSizer(wxHORIZONTAL, this, wxEmptyString);
    page_sizer->Add(control_box, 0, wxEXPAND | wxALL, 5);
    StartInventory_button = new wxButton(this, wxID_ANY, u8("开始盘存"));
    // Proportions would widen the page to fit the widest part several
    // times over: the room left goes between the parts instead.
    control_box->Add(StartInventory_button, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 20);
    control_box->AddStretchSpacer(1);

    // Rounds A to D above E to H.
    const RoundMembers rounds[kRounds] = {
        {&A_staticText, &A_choice, &Around_staticText, &Around_textCtrl},
        {&B_staticText, &B_choice, &Bround_staticText, &Bround_textCtrl},
        {&C_staticText, &C_choice, &Cround_staticText, &Cround_textCtrl},
        {&D_staticText, &D_choice, &Dround_staticText, &Dround_textCtrl},
        {&E_staticText, &E_choice, &Eround_staticText, &Eround_textCtrl},
        {&F_staticText, &F_choice, &Fround_staticText, &Fround_textCtrl},
        {&G_staticText, &G_choice, &Ground_staticText, &Ground_textCtrl},
        {&H_staticText, &H_choice, &Hround_staticText, &Hround_textCtrl},
    };
    wxBoxSizer* rounds_column = new wxBoxSizer(wxVERTICAL);
    control_box->Add(rounds_column, 0, wxEXPAND | wxLEFT, 5);
    control_box->AddStretchSpacer(1);
    wxBoxSizer* row = nullptr;
    for (int k = 0; k < kRounds; ++k) {
        if (k % 4 == 0) {
            row = new wxBoxSizer(wxHORIZONTAL);
            rounds_column->Add(row, 0, 0, 0);
        }
        const RoundMembers& r = rounds[k];
        wxBoxSizer* group = new wxBoxSizer(wxHORIZONTAL);
        row->Add(group, 0, 0, 0);
        wxBoxSizer* antenna_column = new wxBoxSizer(wxVERTICAL);
        group->Add(antenna_column, 0, 0, 0);
        *r.letter = new wxStaticText(this, wxID_ANY, wxString(wxUniChar('A' + k)));
        const wxString first[] = {wxT("ANT1")};
        *r.antenna = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, WXSIZEOF(first), first);
        add_above(antenna_column, *r.letter, *r.antenna);
        wxBoxSizer* count_column = new wxBoxSizer(wxVERTICAL);
        group->Add(count_column, 0, wxLEFT, 5);
        *r.count_label = new wxStaticText(this, wxID_ANY, u8("轮询次数"));
        *r.count = new wxTextCtrl(this, wxID_ANY, wxT("1"), wxDefaultPosition, wxDLG_UNIT(this, wxSize(20, -1)),
                                  wxTE_CENTRE);
        add_above(count_column, *r.count_label, *r.count);
    }

    wxBoxSizer* settings = new wxBoxSizer(wxVERTICAL);
    control_box->Add(settings, 0, wxLEFT | wxRIGHT | wxBOTTOM, 5);
    wxBoxSizer* counts_row = new wxBoxSizer(wxHORIZONTAL);
    settings->Add(counts_row, 1, wxEXPAND | wxRIGHT, 30);
    // A caption above its box, both disabled (the page opens what it uses).
    const auto add_setting = [this, counts_row](const wxString& caption, const wxString& value,
                                                wxStaticText*& label, wxTextCtrl*& box) {
        wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
        counts_row->Add(column, 1, wxEXPAND, 5);
        label = new wxStaticText(this, wxID_ANY, caption);
        label->Enable(false);
        box = new wxTextCtrl(this, wxID_ANY, value, wxDefaultPosition, wxDefaultSize, wxTE_CENTRE);
        box->Enable(false);
        add_above(column, label, box);
    };
    add_setting(u8("天线间延时(ms)"), wxT("0"), antdelay_staticText, antdelay_textCtrl);
    add_setting(u8("循环次数"), wxT("10"), cycle_staticText, cycle_textCtrl);

    wxBoxSizer* session_row = new wxBoxSizer(wxHORIZONTAL);
    settings->Add(session_row, 1, wxEXPAND | wxRIGHT, 30);
    const wxString sessions[] = {wxT("S0"), wxT("S1"), wxT("S2"), wxT("S3"), wxT("SL")};
    session_choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, WXSIZEOF(sessions), sessions);
    session_choice->SetSelection(0);
    session_choice->Enable(false);
    session_row->Add(session_choice, 1, wxALIGN_CENTER_VERTICAL | wxTOP, 20);
    const wxString flags[] = {wxT("A"), wxT("B")};
    Flag_choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, WXSIZEOF(flags), flags);
    Flag_choice->SetSelection(0);
    Flag_choice->Enable(false);
    session_row->Add(Flag_choice, 1, wxALIGN_CENTER_VERTICAL | wxLEFT | wxTOP, 20);

    m_listCtrl = create_stats(this, page_sizer, u8("累计运行的时间(毫秒):"));
    reset_list_columns(m_listCtrl, {{"ID", wxLIST_AUTOSIZE},
                                    {"EPC", 400},
                                    {"PC", 80},
                                    {"识别次数", 200},
                                    {"RSSI", 80},
                                    {"载波频率", 100}});

    finish_page(this, wxT("reader_switchant_inventory_pannelBase"));

    bind_page(this, connections(), true);
}

reader_switchant_inventory_pannelBase::~reader_switchant_inventory_pannelBase()
{
    bind_page(this, connections(), false);
}

std::vector<PageConnection<reader_switchant_inventory_pannelBase>>
reader_switchant_inventory_pannelBase::connections()
{
    using P = reader_switchant_inventory_pannelBase;
    return {
        {StartInventory_button, wxEVT_BUTTON, &P::StartInventory},
        {A_choice, wxEVT_CHOICE, &P::RoundA_AntSelect},
        {Around_textCtrl, wxEVT_TEXT, &P::RoundA_RoundNum_Enter},
        {B_choice, wxEVT_CHOICE, &P::RoundB_AntSelect},
        {Bround_textCtrl, wxEVT_TEXT, &P::RoundB_RoundNum_Enter},
        {C_choice, wxEVT_CHOICE, &P::RoundC_AntSelect},
        {Cround_textCtrl, wxEVT_TEXT, &P::RoundC_RoundNum_Enter},
        {D_choice, wxEVT_CHOICE, &P::RoundD_AntSelect},
        {Dround_textCtrl, wxEVT_TEXT, &P::RoundD_RoundNum_Enter},
        {E_choice, wxEVT_CHOICE, &P::RoundE_AntSelect},
        {Eround_textCtrl, wxEVT_TEXT, &P::RoundE_RoundNum_Enter},
        {F_choice, wxEVT_CHOICE, &P::RoundF_AntSelect},
        {Fround_textCtrl, wxEVT_TEXT, &P::RoundF_RoundNum_Enter},
        {G_choice, wxEVT_CHOICE, &P::RoundG_AntSelect},
        {Ground_textCtrl, wxEVT_TEXT, &P::RoundG_RoundNum_Enter},
        {H_choice, wxEVT_CHOICE, &P::RoundH_AntSelect},
        {Hround_textCtrl, wxEVT_TEXT, &P::RoundH_RoundNum_Enter},
        {cycle_textCtrl, wxEVT_TEXT, &P::cycle_Enter},
        {FlashManu_button, wxEVT_BUTTON, &P::FlashMenu},
        {SaveTag_button, wxEVT_BUTTON, &P::SaveTag},
    };
}
