#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"

#include "wxcrafter/page_support/page_support.h"

uint8_t WorkAntenna = 0;
uint8_t SelectInventoryMode = 0;
uint8_t SessionID = 0;
uint8_t InventoryFlag = 0;

namespace {

// The real-time page rewrites a known tag's PC and counts antenna numbers
// above 8 on antenna 8.
const tag_table_rules kRealtimeRules = {true, true};

}  // namespace

realtime_inventory_pannel::realtime_inventory_pannel(wxWindow* parent)
    : realtime_inventory_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL),
      listed_tag_table(kRealtimeRules, this, m_listCtrl13)
{
    set_stats_fonts();
    SelectANT_choice->Enable(true);
    reset_list();
}

realtime_inventory_pannel::~realtime_inventory_pannel() {}

void realtime_inventory_pannel::reset_list()
{
    reset_list_columns(m_listCtrl13, {{"ID", 50},
                                      {"类型", 40},
                                      {"EPC", 300},
                                      {"PC", 80},
                                      {"识别次数", 100},
                                      {"RSSI", 80},
                                      {"载波频率", 100}});
    show_rows();
}

void realtime_inventory_pannel::StartInventory(wxCommandEvent& event)
{
    if (Auto_radioButton->GetValue()) {
        SelectInventoryMode = 0;
    } else if (Self_radioButton->GetValue()) {
        SelectInventoryMode = 1;
        SessionID = static_cast<uint8_t>(SessionID_choice->GetSelection());
        InventoryFlag = static_cast<uint8_t>(InventoryFlag_choice->GetSelection());
    }
    antennas.start(SelectANT_choice->GetSelection(), WorkAntenna);
    post_request(wxEVT_INVENTORY);
    event.Skip();
}

void realtime_inventory_pannel::AutoInventorySession(wxCommandEvent&)
{
    SessionSelect(false);
}

void realtime_inventory_pannel::DefineInventorySession(wxCommandEvent&)
{
    SessionSelect(true);
}

void realtime_inventory_pannel::NewTagInter(wxCommandEvent&) {}

void realtime_inventory_pannel::FlashMenu(wxCommandEvent& event)
{
    clear_table();
    zero_stats();
    reset_list();
    post_request(wxEVT_FLASHINVENTORYMENU);
    event.Skip();
}

void realtime_inventory_pannel::SaveTag(wxCommandEvent&)
{
    save_table(this);
}

void realtime_inventory_pannel::SetAntMode(int reader_type)
{
    show_antenna_entries(SelectANT_choice, antennas, reader_type);
}

void realtime_inventory_pannel::SetInventoryButton(uint8_t state)
{
    if (state == 1)
        new_inventory();
    inventory_stats::SetInventoryButton(state);
}

taken_report realtime_inventory_pannel::SetEpcTable(uint8_t* data, uint8_t len)
{
    return take_report(data, len);
}

int realtime_inventory_pannel::change_work_ant()
{
    return antennas.next();
}

void realtime_inventory_pannel::SessionSelect(bool enable)
{
    SessionID_choice->Enable(enable);
    InventoryFlag_choice->Enable(enable);
}

uint8_t realtime_inventory_pannel::GetWorkAntenna()
{
    return static_cast<uint8_t>(SelectANT_choice->GetSelection());
}
