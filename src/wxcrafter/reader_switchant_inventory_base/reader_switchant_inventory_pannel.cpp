#include "wxcrafter/reader_switchant_inventory_base/reader_switchant_inventory_pannel.h"

uint8_t ant_num = 0;
uint8_t Round_Ant[8] = {0};
uint8_t Round_Num[8] = {0};
uint8_t ChangeAntInventory_Round = 0;
uint8_t session_select = 0;
uint8_t flag_select = 0;

namespace {

// Without round rows yet, a start sends what the full page shows before the
// operator changes anything: every round on the first antenna, one poll
// each, ten cycles, session S0, flag A.
const uint8_t kRoundAntenna = 1;
const uint8_t kRoundPolls = 1;
const uint8_t kCycles = 10;

}  // namespace

reader_switchant_inventory_pannel::reader_switchant_inventory_pannel(wxWindow* parent)
    : reader_switchant_inventory_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300),
                                            wxTAB_TRAVERSAL),
      inventory_counters(this)
{
    reset_list();
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
}

void reader_switchant_inventory_pannel::StartInventory(wxCommandEvent& event)
{
    for (int k = 0; k < 8; ++k) {
        Round_Ant[k] = kRoundAntenna;
        Round_Num[k] = kRoundPolls;
    }
    ChangeAntInventory_Round = kCycles;
    session_select = 0;
    flag_select = 0;
    post_request(wxEVT_SWITCHANTINVENTORY);
    event.Skip();
}

void reader_switchant_inventory_pannel::FlashMenu(wxCommandEvent& event)
{
    zero_stats();
    reset_list();
    reset_counts();
    post_request(wxEVT_FLASHINVENTORYMENU);
    event.Skip();
}

wxString reader_switchant_inventory_pannel::GetEpcBuffer(unsigned int i)
{
    return list_cell(m_listCtrl, i, 2);
}

void reader_switchant_inventory_pannel::SetAntMode(int reader_type)
{
    switch (reader_type) {
    case 0:
        ant_num = 1;
        break;
    case 1:
        ant_num = 4;
        break;
    case 2:
        ant_num = 8;
        break;
    default:
        break;
    }
}

void reader_switchant_inventory_pannel::SetEpcTable(uint8_t*, uint8_t) {}
