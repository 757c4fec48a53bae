#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"

#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"

uint8_t inventory_round = 0;
uint8_t inventory_mode = 0;
uint8_t custom_read_len = 0;

namespace {

// Without round, match or antenna choices yet, an inventory is one round of
// the plain EPC inventory on the first antenna: the full page's defaults.
const uint8_t kRounds = 1;
const uint8_t kPlainEpc = 0;
const uint8_t kFirstAntenna = 1;

}  // namespace

custom_inventory_pannel::custom_inventory_pannel(wxWindow* parent)
    : custom_inventory_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL),
      inventory_counters(this)
{
    reset_table();
}

custom_inventory_pannel::~custom_inventory_pannel() {}

void custom_inventory_pannel::reset_table()
{
    reset_list_columns(m_listCtrl11, {{"ID", 50},
                                      {"类型", 40},
                                      {"EPC", 300},
                                      {"PC", 80},
                                      {"识别次数", 100},
                                      {"RSSI", 80},
                                      {"载波频率", 100}});
    reset_counts();
}

void custom_inventory_pannel::StartInventory(wxCommandEvent& event)
{
    post_request(wxEVT_CUSTOMINVENTORY);
    event.Skip();
}

void custom_inventory_pannel::FlashMenu(wxCommandEvent& event)
{
    zero_stats();
    reset_table();
    post_request(wxEVT_FLASHINVENTORYMENU);
    event.Skip();
}

void custom_inventory_pannel::SetInventoryButton(uint8_t state)
{
    inventory_stats::SetInventoryButton(state);
    if (state != 1)
        return;
    // The controller posts the link's request right after this call.
    inventory_round = kRounds;
    inventory_mode = kPlainEpc;
    custom_read_len = 0;
    WorkAntenna = kFirstAntenna;
    zero_stats();
    reset_table();
}

wxString custom_inventory_pannel::GetEpcBuffer(unsigned int i)
{
    return list_cell(m_listCtrl11, i, 2);
}

void custom_inventory_pannel::SetAntMode(int) {}

int custom_inventory_pannel::change_work_ant()
{
    return 0;
}

void custom_inventory_pannel::SetTemperateTable(uint8_t*) {}
void custom_inventory_pannel::SetTemperate1Table(uint8_t*) {}
void custom_inventory_pannel::SetTable(uint8_t*) {}
void custom_inventory_pannel::SetGBTable(uint8_t*) {}
void custom_inventory_pannel::SetEpcTable(uint8_t*, uint8_t) {}
void custom_inventory_pannel::SetVelaTagTempTable(uint8_t*, uint8_t) {}
