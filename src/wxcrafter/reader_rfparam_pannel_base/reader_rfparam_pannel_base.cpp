#include "wxcrafter/reader_rfparam_pannel_base/reader_rfparam_pannel_base.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

#include "wxcrafter/reader_rfparam_pannel_base/rf_param_tables.h"

static bool bBitmapLoaded = false;

namespace {

wxArrayString profile_items()
{
    wxArrayString items;
    for (const rf_tables::LinkProfile& p : rf_tables::kProfiles)
        items.Add(u8(p.text));
    return items;
}

wxArrayString region_items()
{
    wxArrayString items;
    for (const rf_tables::Region& r : rf_tables::kRegions)
        items.Add(u8(r.name));
    return items;
}

// Creates the "读取" and "设置" pair that ends most groups.
wxBoxSizer* read_write_pair(wxWindow* parent, wxButton*& read, wxButton*& write)
{
    read = new wxButton(parent, wxID_ANY, u8("读取"));
    write = new wxButton(parent, wxID_ANY, u8("设置"));
    wxBoxSizer* pair = new wxBoxSizer(wxHORIZONTAL);
    pair->Add(read, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    pair->Add(write, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    return pair;
}

}  // namespace

rf_paramset_pannelBase::rf_paramset_pannelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                               const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    init_page_bitmaps(bBitmapLoaded);

    wxBoxSizer* page_sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(page_sizer);
    wxBoxSizer* columns = new wxBoxSizer(wxHORIZONTAL);
    page_sizer->Add(columns, 1, wxEXPAND | wxALL, 5);
    wxBoxSizer* left = new wxBoxSizer(wxVERTICAL);
    columns->Add(left, 1, wxEXPAND | wxALL, 5);
    wxBoxSizer* right = new wxBoxSizer(wxVERTICAL);
    columns->Add(right, 1, wxEXPAND | wxALL, 5);

    // Work antenna.
    wxStaticBoxSizer* ant_box = new wxStaticBoxSizer(wxHORIZONTAL, this, u8("切换工作天线"));
    left->Add(ant_box, 0, wxEXPAND | wxALL, 5);
    AntPort_staticText = new wxStaticText(this, wxID_ANY, u8("天线端口:"));
    ant_box->Add(AntPort_staticText, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    AntPort_choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, utf8_items({"天线1"}));
    AntPort_choice->SetSelection(0);
    ant_box->Add(AntPort_choice, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    ant_box->Add(read_write_pair(this, AntPort_Read_button, AntPort_Set_button), 0, wxALIGN_CENTER_VERTICAL, 0);

    // Output power: a row of antenna numbers over a row of boxes.
    wxStaticBoxSizer* power_box = new wxStaticBoxSizer(wxVERTICAL, this, u8("功率设置"));
    left->Add(power_box, 0, wxEXPAND | wxALL, 5);
    wxFlexGridSizer* power_grid = new wxFlexGridSizer(2, 9, 2, 4);
    power_box->Add(power_grid, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 5);
    AntPort0_staticText = new wxStaticText(this, wxID_ANY, u8("天线号"));
    dBm_staticText = new wxStaticText(this, wxID_ANY, wxT("dBm"));
    wxStaticText** labels[] = {&AntPort1_staticText, &AntPort2_staticText, &AntPort3_staticText,
                               &AntPort4_staticText, &AntPort5_staticText, &AntPort6_staticText,
                               &AntPort7_staticText, &AntPort8_staticText};
    wxTextCtrl** boxes[] = {&AntPort1_textCtrl, &AntPort2_textCtrl, &AntPort3_textCtrl, &AntPort4_textCtrl,
                            &AntPort5_textCtrl, &AntPort6_textCtrl, &AntPort7_textCtrl, &AntPort8_textCtrl};
    power_grid->Add(AntPort0_staticText, 0, wxALIGN_CENTER_VERTICAL | wxALIGN_RIGHT, 0);
    for (int i = 0; i < 8; ++i) {
        *labels[i] = new wxStaticText(this, wxID_ANY, wxString::Format(wxT("%d"), i + 1));
        power_grid->Add(*labels[i], 0, wxALIGN_CENTER, 0);
    }
    power_grid->Add(dBm_staticText, 0, wxALIGN_CENTER_VERTICAL | wxALIGN_RIGHT, 0);
    for (int i = 0; i < 8; ++i) {
        wxTextCtrl* box =
            new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_CENTRE);
        // Small, but two digits and the caret always show whole.
        box->SetMinSize(box->GetSizeFromTextSize(box->GetTextExtent(wxT("888"))));
        box->Enable(i == 0);
        power_grid->Add(box, 0, wxALIGN_CENTER, 0);
        *boxes[i] = box;
    }
    power_box->Add(read_write_pair(this, AntPower_Read_button, AntPower_Write_button), 0, wxALIGN_RIGHT, 0);

    // Multi-tag (fast EPC) mode.
    wxStaticBoxSizer* fast_box = new wxStaticBoxSizer(wxHORIZONTAL, this, u8("多标签模式"));
    left->Add(fast_box, 0, wxEXPAND | wxALL, 5);
    FastEpc_staticText =
        new wxStaticText(this, wxID_ANY, u8("说明:多标签模式是正常工作模式。\n默认打开，关闭仅用于调试。"));
    fast_box->Add(FastEpc_staticText, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    FastEpc_radioBox = new wxRadioBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                      utf8_items({"关闭", "打开"}), 1, wxRA_SPECIFY_ROWS);
    FastEpc_radioBox->SetSelection(1);
    fast_box->Add(FastEpc_radioBox, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    fast_box->Add(read_write_pair(this, FastEpc_Read_button, FastEpc_Write_button), 0, wxALIGN_CENTER_VERTICAL, 0);

    // RF link profile.
    wxStaticBoxSizer* link_box = new wxStaticBoxSizer(wxHORIZONTAL, this, u8("通讯带宽"));
    left->Add(link_box, 0, wxEXPAND | wxALL, 5);
    RfLink_radioBox = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, profile_items());
    link_box->Add(RfLink_radioBox, 1, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    link_box->Add(read_write_pair(this, RfLink_Read_button, RfLink_Write_button), 0, wxALIGN_CENTER_VERTICAL, 0);

    // Frequency plan: a standard region or a custom plan.
    wxStaticBoxSizer* freq_box = new wxStaticBoxSizer(wxVERTICAL, this, u8("频率设置"));
    right->Add(freq_box, 0, wxEXPAND | wxALL, 5);
    Freq_radioBox = new wxRadioBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                   utf8_items({"标准频点", "自定义频点"}), 1, wxRA_SPECIFY_ROWS);
    Freq_radioBox->SetSelection(1);
    freq_box->Add(Freq_radioBox, 0, wxALL, 5);

    // The region controls stay off until the operator picks the standard plan.
    const auto region_choice = [this](const wxArrayString& items) {
        wxChoice* choice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, items);
        choice->SetSelection(0);
        choice->Disable();
        return choice;
    };
    wxStaticBoxSizer* standard_box = new wxStaticBoxSizer(wxVERTICAL, this, u8("标准频点设置"));
    freq_box->Add(standard_box, 0, wxEXPAND | wxALL, 5);
    FreqStander_choice = region_choice(region_items());
    standard_box->Add(FreqStander_choice, 0, wxALL, 5);
    wxBoxSizer* range_row = new wxBoxSizer(wxHORIZONTAL);
    standard_box->Add(range_row, 0, wxEXPAND | wxALL, 0);
    Freq_staticText = new wxStaticText(this, wxID_ANY, u8("频谱范围:"));
    FreqMin_choice = region_choice(utf8_items({rf_tables::kRegions[0].min_mhz}));
    MaxMHz_staticText = new wxStaticText(this, wxID_ANY, wxT("MHz"));
    _staticText = new wxStaticText(this, wxID_ANY, u8("——"));
    FreqMax_choice = region_choice(utf8_items({rf_tables::kRegions[0].max_mhz}));
    MinMHz_staticText = new wxStaticText(this, wxID_ANY, wxT("MHz"));
    for (wxWindow* w : std::initializer_list<wxWindow*>{Freq_staticText, FreqMin_choice, MaxMHz_staticText,
                                                         _staticText, FreqMax_choice, MinMHz_staticText}) {
        const bool stretches = w == FreqMin_choice || w == FreqMax_choice;
        range_row->Add(w, stretches ? 1 : 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    }

    wxStaticBoxSizer* custom_box = new wxStaticBoxSizer(wxVERTICAL, this, u8("用户自定义"));
    freq_box->Add(custom_box, 0, wxEXPAND | wxALL, 5);
    wxFlexGridSizer* custom_grid = new wxFlexGridSizer(3, 3, 0, 0);
    custom_grid->AddGrowableCol(1);
    custom_box->Add(custom_grid, 0, wxEXPAND, 0);
    const auto add_custom_row = [&](wxStaticText*& label, const char* label_text, wxTextCtrl*& box,
                                    wxStaticText*& unit) {
        label = new wxStaticText(this, wxID_ANY, u8(label_text));
        custom_grid->Add(label, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
        box = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_CENTRE);
        custom_grid->Add(box, 1, wxALL | wxEXPAND, 5);
        unit = new wxStaticText(this, wxID_ANY, wxT("KHz"));
        custom_grid->Add(unit, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    };
    add_custom_row(StartFreq_staticText, "起始频率:", StartFreq_textCtrl, StartFreqMHz_staticText);
    add_custom_row(FreqGap_staticText, "频道间隔:", FreqGap_textCtrl, FreqGapKHz_staticText);
    FreqNum_staticText = new wxStaticText(this, wxID_ANY, u8("频点数量:"));
    custom_grid->Add(FreqNum_staticText, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    FreqNum_textCtrl =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_CENTRE);
    custom_grid->Add(FreqNum_textCtrl, 1, wxALL | wxEXPAND, 5);

    freq_box->Add(read_write_pair(this, Freq_Read_button, Freq_Write_button), 0, wxALIGN_RIGHT, 0);

    FlashMenu_button = new wxButton(this, wxID_ANY, u8("刷新界面"));
    right->Add(FlashMenu_button, 0, wxALL | wxALIGN_RIGHT, 10);

    finish_page(this, wxT("rf_paramset_pannelBase"));

    bind_page(this, connections(), true);
}

rf_paramset_pannelBase::~rf_paramset_pannelBase()
{
    bind_page(this, connections(), false);
}

std::vector<PageConnection<rf_paramset_pannelBase>> rf_paramset_pannelBase::connections()
{
    using P = rf_paramset_pannelBase;
    return {
        {AntPort_Read_button, wxEVT_BUTTON, &P::AntPortRead},
        {AntPort_Set_button, wxEVT_BUTTON, &P::AntPortset},
        {AntPort1_textCtrl, wxEVT_TEXT, &P::AntPort1Enter},
        {AntPort2_textCtrl, wxEVT_TEXT, &P::AntPort2Enter},
        {AntPort3_textCtrl, wxEVT_TEXT, &P::AntPort3Enter},
        {AntPort4_textCtrl, wxEVT_TEXT, &P::AntPort4Enter},
        {AntPort5_textCtrl, wxEVT_TEXT, &P::AntPort5Enter},
        {AntPort6_textCtrl, wxEVT_TEXT, &P::AntPort6Enter},
        {AntPort7_textCtrl, wxEVT_TEXT, &P::AntPort7Enter},
        {AntPort8_textCtrl, wxEVT_TEXT, &P::AntPort8Enter},
        {AntPower_Read_button, wxEVT_BUTTON, &P::AntPowerRead},
        {AntPower_Write_button, wxEVT_BUTTON, &P::AntPowerWrite},
        {FastEpc_Read_button, wxEVT_BUTTON, &P::FastEpcRead},
        {FastEpc_Write_button, wxEVT_BUTTON, &P::FastEpcWrite},
        {RfLink_Read_button, wxEVT_BUTTON, &P::RfLinkRead},
        {RfLink_Write_button, wxEVT_BUTTON, &P::RfLinkWrite},
        {Freq_radioBox, wxEVT_RADIOBOX, &P::SelectSettingMode},
        {FreqStander_choice, wxEVT_CHOICE, &P::SelectStandardFreq},
        {StartFreq_textCtrl, wxEVT_TEXT, &P::StartFreqEnter},
        {FreqGap_textCtrl, wxEVT_TEXT, &P::FreqGapEnter},
        {FreqNum_textCtrl, wxEVT_TEXT, &P::FreqNumEnter},
        {Freq_Read_button, wxEVT_BUTTON, &P::ReadFreqSetting},
        {Freq_Write_button, wxEVT_BUTTON, &P::WriteFreqSetting},
        {FlashMenu_button, wxEVT_BUTTON, &P::FlashMenu},
    };
}
