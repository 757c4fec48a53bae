#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"

#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/page_support/tag_list_file.h"

uint8_t WorkAntenna = 0;
uint8_t SelectInventoryMode = 0;
uint8_t SessionID = 0;
uint8_t InventoryFlag = 0;

namespace {

// The real-time page rewrites a known tag's PC and counts antenna numbers
// above 8 on antenna 8.
const tag_table_rules kRealtimeRules = {true, true};

const tag_column kColumns[] = {tag_column::id,     tag_column::kind, tag_column::epc, tag_column::pc,
                               tag_column::counts, tag_column::rssi, tag_column::freq};

}  // namespace

realtime_inventory_pannel::realtime_inventory_pannel(wxWindow* parent)
    : realtime_inventory_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL),
      table(kRealtimeRules),
      view(*this, *m_listCtrl13, table)
{
    set_stats_fonts();
    SelectANT_choice->Enable(true);
    m_listCtrl13->set_source([this](long row, long column) -> std::string {
        if (row >= table.size() || column < 0 || column >= static_cast<long>(WXSIZEOF(kColumns)))
            return std::string();
        return table.cell(static_cast<int>(row), kColumns[column]);
    });
    reset_list();
}

realtime_inventory_pannel::~realtime_inventory_pannel()
{
    // The list outlives the table by the base's destructor.
    m_listCtrl13->set_source(nullptr);
}

void realtime_inventory_pannel::reset_list()
{
    reset_list_columns(m_listCtrl13, {{"ID", 50},
                                      {"类型", 40},
                                      {"EPC", 300},
                                      {"PC", 80},
                                      {"识别次数", 100},
                                      {"RSSI", 80},
                                      {"载波频率", 100}});
    m_listCtrl13->show_rows(table.size());
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
    table.clear();
    view.restart();
    zero_stats();
    reset_list();
    post_request(wxEVT_FLASHINVENTORYMENU);
    event.Skip();
}

void realtime_inventory_pannel::SaveTag(wxCommandEvent&)
{
    save_tag_file(this, [this](const std::string& path) { return save_tag_list(path, table); });
}

int realtime_inventory_pannel::GetEpcBufferNum()
{
    return table.size();
}

wxString realtime_inventory_pannel::GetEpcBuffer(unsigned int i)
{
    if (i == 0 || i > static_cast<unsigned int>(table.size()))
        return wxString();
    return wxString::FromUTF8(table.cell(static_cast<int>(i - 1), tag_column::epc));
}

void realtime_inventory_pannel::AcumulateTime()
{
    const long speed = table.tally().tick_second();
    SetAcumulatetime(wxString::FromUTF8(table.tally().seconds()));
    SetIdentifyTime(speed);
}

int realtime_inventory_pannel::Get_Time_State()
{
    return table.tally().time_state();
}

bool realtime_inventory_pannel::Get_Speed_State()
{
    return table.tally().speed_state();
}

void realtime_inventory_pannel::SetAntMode(int reader_type)
{
    antennas.set_reader_type(reader_type);
    const wxArrayString items = antenna_items(antennas);
    SelectANT_choice->Set(items);
    if (!items.IsEmpty())
        SelectANT_choice->SetSelection(0);
}

wxString realtime_inventory_pannel::SetEpcTable(uint8_t* data, uint8_t len)
{
    const tag_table::result added = table.add_report(data, len);
    if (added.what == tag_table::outcome::rejected)
        return wxString();
    view.changed();
    if (added.what != tag_table::outcome::new_tag)
        return wxString();
    return wxString::FromUTF8(table.cell(added.row, tag_column::epc));
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

void realtime_inventory_pannel::SetRSSI()
{
    view.show_rssi();
}
