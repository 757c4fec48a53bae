#include "wxcrafter/buffer_inv_pannel_base/buffer_inventory_pannel.h"

uint8_t BuffInventoryWorkAntenna = 0;

namespace {

// Without antenna check boxes yet, the buffered inventory runs on the first
// antenna, the one the full page starts with ticked.
const uint8_t kFirstAntenna = 1;

}  // namespace

buffer_inventory_pannel::buffer_inventory_pannel(wxWindow* parent)
    : buffer_inventory_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL),
      inventory_counters(this)
{
    reset_list();
}

buffer_inventory_pannel::~buffer_inventory_pannel() {}

void buffer_inventory_pannel::reset_list()
{
    reset_list_columns(m_listCtrl, {{"ID", wxLIST_AUTOSIZE},
                                    {"PC", 80},
                                    {"CRC", wxLIST_AUTOSIZE},
                                    {"EPC", 300},
                                    {"天线号", wxLIST_AUTOSIZE},
                                    {"RSSI", 80},
                                    {"频率", 100},
                                    {"读取次数", wxLIST_AUTOSIZE}});
}

void buffer_inventory_pannel::StartInventory(wxCommandEvent& event)
{
    BuffInventoryWorkAntenna = kFirstAntenna;
    post_request(wxEVT_BUFFINVENTORY);
    event.Skip();
}

void buffer_inventory_pannel::ReadBuff(wxCommandEvent& event)
{
    reset_list();
    epc_id = 0;
    post_request(wxEVT_READTAGBUFF);
    event.Skip();
}

void buffer_inventory_pannel::ReadClearBuff(wxCommandEvent& event)
{
    reset_list();
    epc_id = 0;
    post_request(wxEVT_READCLEARTAGBUFF);
    event.Skip();
}

void buffer_inventory_pannel::ClearBuff(wxCommandEvent& event)
{
    post_request(wxEVT_CLEARBUFF);
    event.Skip();
}

void buffer_inventory_pannel::ReadTagNum(wxCommandEvent& event)
{
    post_request(wxEVT_READTAGNUM);
    event.Skip();
}

void buffer_inventory_pannel::FlashMenu(wxCommandEvent& event)
{
    zero_stats();
    reset_list();
    reset_counts();
    post_request(wxEVT_FLASHBUFFINVENTORYMENU);
    event.Skip();
}

void buffer_inventory_pannel::SetAntMode(int) {}

wxString buffer_inventory_pannel::SetEpcTable(uint8_t*)
{
    return wxString();
}
