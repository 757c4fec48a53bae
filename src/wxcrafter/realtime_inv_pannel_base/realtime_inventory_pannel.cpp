#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"

uint8_t WorkAntenna = 0;
uint8_t SelectInventoryMode = 0;
uint8_t SessionID = 0;
uint8_t InventoryFlag = 0;

namespace {

// Without antenna or session choices yet, a start asks for the plain
// real-time inventory on the first antenna.
const uint8_t kFirstAntenna = 1;

}  // namespace

realtime_inventory_pannel::realtime_inventory_pannel(wxWindow* parent)
    : realtime_inventory_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL),
      inventory_counters(this)
{
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
}

void realtime_inventory_pannel::StartInventory(wxCommandEvent& event)
{
    SelectInventoryMode = 0;
    WorkAntenna = kFirstAntenna;
    post_request(wxEVT_INVENTORY);
    event.Skip();
}

void realtime_inventory_pannel::FlashMenu(wxCommandEvent& event)
{
    zero_stats();
    reset_list();
    reset_counts();
    post_request(wxEVT_FLASHINVENTORYMENU);
    event.Skip();
}

wxString realtime_inventory_pannel::GetEpcBuffer(unsigned int i)
{
    return list_cell(m_listCtrl13, i, 2);
}

void realtime_inventory_pannel::SetAntMode(int) {}

wxString realtime_inventory_pannel::SetEpcTable(uint8_t*, uint8_t)
{
    return wxString();
}

int realtime_inventory_pannel::change_work_ant()
{
    return 0;
}
