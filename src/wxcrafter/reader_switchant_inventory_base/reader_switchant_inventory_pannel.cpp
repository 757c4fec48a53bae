#include "wxcrafter/reader_switchant_inventory_base/reader_switchant_inventory_pannel.h"

#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/reader_rfparam_pannel_base/rf_param_tables.h"

uint8_t ant_num = 0;
uint8_t Round_Ant[8] = {0};
uint8_t Round_Num[8] = {0};
uint8_t ChangeAntInventory_Round = 0;
uint8_t session_select = 0;
uint8_t flag_select = 0;

namespace {

// A known tag keeps its first PC; antenna numbers outside 1..8 count on no
// antenna (the tag is still kept).
const tag_table_rules kSwitchRules = {false, false};

// The counts fit one byte each.
const unsigned long kMaxCount = 255;
// The boxes take at most three digits.
const size_t kCountDigits = 3;

// A count box keeps decimal digits only, three at most; anything else
// empties it.
void filter_count(wxTextCtrl* box)
{
    empty_if_refused(box, kCountDigits, is_decimal_digit);
}

// The rounds a reader runs by its antenna count; every round before the
// first SetAntMode.
int rounds_for(uint8_t antennas)
{
    return antennas == 1 || antennas == 4 ? antennas : reader_switchant_inventory_pannelBase::kRounds;
}

}  // namespace

reader_switchant_inventory_pannel::reader_switchant_inventory_pannel(wxWindow* parent)
    : reader_switchant_inventory_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300),
                                            wxTAB_TRAVERSAL),
      listed_tag_table(kSwitchRules, this, m_listCtrl)
{
    set_stats_fonts();
    reset_list();
    cycle_staticText->Enable(true);
    cycle_textCtrl->Enable(true);
    // Read at every press, so the operator may set them (also while an
    // inventory runs: they apply to the next start).
    session_choice->Enable(true);
    Flag_choice->Enable(true);
}

reader_switchant_inventory_pannel::~reader_switchant_inventory_pannel() {}

void reader_switchant_inventory_pannel::reset_list()
{
    reset_list_columns(m_listCtrl, {{"ID", wxLIST_AUTOSIZE},
                                    {"类型", 40},
                                    {"EPC", 400},
                                    {"PC", 80},
                                    {"识别次数", 200},
                                    {"RSSI", 80},
                                    {"载波频率", 100}});
    show_rows();
}

void reader_switchant_inventory_pannel::StartInventory(wxCommandEvent& event)
{
    session_select = static_cast<uint8_t>(session_choice->GetSelection());
    flag_select = static_cast<uint8_t>(Flag_choice->GetSelection());
    const std::array<wxChoice*, kRounds> choices = round_choices();
    for (int k = 0; k < kRounds; ++k)
        Round_Ant[k] = static_cast<uint8_t>(choices[k]->GetSelection() + 1);

    unsigned long cycles = 0;
    if (!leading_decimal(cycle_textCtrl->GetValue(), kMaxCount, cycles) || cycles == 0) {
        show_refusal(u8("循环次数最大为255！ 最小为1!"));
        return;
    }
    ChangeAntInventory_Round = static_cast<uint8_t>(cycles);

    // Every round is checked, so the operator hears of each bad one.
    bool refused = false;
    const std::array<wxTextCtrl*, kRounds> boxes = round_boxes();
    for (int k = 0; k < kRounds; ++k) {
        unsigned long polls = 0;
        if (leading_decimal(boxes[k]->GetValue(), kMaxCount, polls)) {
            Round_Num[k] = static_cast<uint8_t>(polls);
        } else {
            show_refusal(u8("轮询次数最大为255！"));
            refused = true;
        }
    }
    if (refused)
        return;
    post_request(wxEVT_SWITCHANTINVENTORY);
    event.Skip();
}

// A round's antenna is read at the start.
void reader_switchant_inventory_pannel::RoundA_AntSelect(wxCommandEvent&) {}
void reader_switchant_inventory_pannel::RoundB_AntSelect(wxCommandEvent&) {}
void reader_switchant_inventory_pannel::RoundC_AntSelect(wxCommandEvent&) {}
void reader_switchant_inventory_pannel::RoundD_AntSelect(wxCommandEvent&) {}
void reader_switchant_inventory_pannel::RoundE_AntSelect(wxCommandEvent&) {}
void reader_switchant_inventory_pannel::RoundF_AntSelect(wxCommandEvent&) {}
void reader_switchant_inventory_pannel::RoundG_AntSelect(wxCommandEvent&) {}
void reader_switchant_inventory_pannel::RoundH_AntSelect(wxCommandEvent&) {}

void reader_switchant_inventory_pannel::RoundA_RoundNum_Enter(wxCommandEvent&) { filter_count(Around_textCtrl); }
void reader_switchant_inventory_pannel::RoundB_RoundNum_Enter(wxCommandEvent&) { filter_count(Bround_textCtrl); }
void reader_switchant_inventory_pannel::RoundC_RoundNum_Enter(wxCommandEvent&) { filter_count(Cround_textCtrl); }
void reader_switchant_inventory_pannel::RoundD_RoundNum_Enter(wxCommandEvent&) { filter_count(Dround_textCtrl); }
void reader_switchant_inventory_pannel::RoundE_RoundNum_Enter(wxCommandEvent&) { filter_count(Eround_textCtrl); }
void reader_switchant_inventory_pannel::RoundF_RoundNum_Enter(wxCommandEvent&) { filter_count(Fround_textCtrl); }
void reader_switchant_inventory_pannel::RoundG_RoundNum_Enter(wxCommandEvent&) { filter_count(Ground_textCtrl); }
void reader_switchant_inventory_pannel::RoundH_RoundNum_Enter(wxCommandEvent&) { filter_count(Hround_textCtrl); }

void reader_switchant_inventory_pannel::cycle_Enter(wxCommandEvent&)
{
    filter_count(cycle_textCtrl);
}

void reader_switchant_inventory_pannel::FlashMenu(wxCommandEvent& event)
{
    clear_table();
    zero_stats();
    reset_list();
    post_request(wxEVT_FLASHINVENTORYMENU);
    event.Skip();
}

void reader_switchant_inventory_pannel::SaveTag(wxCommandEvent&)
{
    save_table(this);
}

void reader_switchant_inventory_pannel::SetAntMode(int reader_type)
{
    const int antennas = rf_tables::antenna_count(reader_type);
    wxArrayString items;
    for (int a = 1; a <= antennas; ++a)
        items.Add(u8("天线") + wxString::Format(wxT("%d"), a));
    const std::array<wxChoice*, kRounds> choices = round_choices();
    const std::array<wxTextCtrl*, kRounds> boxes = round_boxes();
    for (int k = 0; k < kRounds; ++k) {
        choices[k]->Set(items);
        if (!items.IsEmpty())
            choices[k]->SetSelection(0);
        // Round A is always run and keeps what the operator set.
        if (antennas == 0 || k == 0)
            continue;
        const bool runs = k < antennas;
        choices[k]->Enable(runs);
        boxes[k]->Enable(runs);
        boxes[k]->SetValue(runs ? wxT("1") : wxT("0"));
    }
    if (antennas > 0)
        ant_num = static_cast<uint8_t>(antennas);
}

void reader_switchant_inventory_pannel::SetInventoryButton(uint8_t state)
{
    // The rounds and the cycle count cannot change under a running command.
    const bool open = state != 1;
    if (!open)
        new_inventory();
    const int runs = rounds_for(ant_num);
    const std::array<wxChoice*, kRounds> choices = round_choices();
    const std::array<wxTextCtrl*, kRounds> boxes = round_boxes();
    for (int k = 0; k < kRounds; ++k) {
        choices[k]->Enable(open && k < runs);
        boxes[k]->Enable(open && k < runs);
    }
    cycle_textCtrl->Enable(open);
    reader_switchant_inventory_pannelBase::SetInventoryButton(state);
}

wxString reader_switchant_inventory_pannel::SetEpcTable(uint8_t* data, uint8_t len)
{
    return take_report(data, len).notice;
}
