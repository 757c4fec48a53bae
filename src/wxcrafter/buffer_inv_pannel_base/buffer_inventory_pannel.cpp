#include "wxcrafter/buffer_inv_pannel_base/buffer_inventory_pannel.h"
#include "wxcrafter/reader_rfparam_pannel_base/rf_param_tables.h"

#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/page_support/save_tag_file.h"
#include "wxcrafter/page_support/tag_list_file.h"

uint8_t BuffInventoryWorkAntenna = 0;

namespace {

// The records have stopped coming when none came for this long; the count
// of those dropped is said then.
constexpr int kDropQuietMs = 500;

const buffer_column kColumns[] = {buffer_column::id,   buffer_column::pc,      buffer_column::crc,
                                  buffer_column::epc,  buffer_column::antenna, buffer_column::rssi,
                                  buffer_column::freq, buffer_column::reads};

}  // namespace

buffer_inventory_pannel::buffer_inventory_pannel(wxWindow* parent)
    : buffer_inventory_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL),
      refresh([this] { show_records(); }),
      drop_watch([this] { drops_quiet(); }, kDropQuietMs)
{
    set_stats_fonts();
    // The newest record on top.
    m_listCtrl->set_source([this](long row, long column) -> std::string {
        if (row >= records.size() || column < 0 || column >= static_cast<long>(WXSIZEOF(kColumns)))
            return std::string();
        return records.cell(records.size() - 1 - static_cast<int>(row), kColumns[column]);
    });
    reset_list();
}

buffer_inventory_pannel::~buffer_inventory_pannel()
{
    refresh.Stop();
    drop_watch.Stop();
    // The list outlives the store by the base's destructor.
    m_listCtrl->set_source(nullptr);
}

void buffer_inventory_pannel::reset_list()
{
    refresh.Stop();
    drop_watch.Stop();
    say_drops();
    records.clear();
    reset_list_columns(m_listCtrl, {{"ID", wxLIST_AUTOSIZE},
                                    {"PC", 80},
                                    {"CRC", wxLIST_AUTOSIZE},
                                    {"EPC", 300},
                                    {"天线号", wxLIST_AUTOSIZE},
                                    {"RSSI", 80},
                                    {"频率", 100},
                                    {"读取次数", wxLIST_AUTOSIZE}});
    m_listCtrl->show_rows(0);
}

void buffer_inventory_pannel::StartInventory(wxCommandEvent& event)
{
    const std::array<wxCheckBox*, 8> boxes = antenna_boxes();
    int checked = 0;
    int antenna = 0;
    for (int k = 0; k < 8; ++k) {
        if (boxes[k]->GetValue()) {
            ++checked;
            antenna = k + 1;
        }
    }
    // Without exactly one antenna the previous start's stays.
    if (checked == 1)
        BuffInventoryWorkAntenna = static_cast<uint8_t>(antenna);
    post_request(wxEVT_BUFFINVENTORY);
    event.Skip();
}

void buffer_inventory_pannel::keep_only(int antenna)
{
    const std::array<wxCheckBox*, 8> boxes = antenna_boxes();
    for (int k = 0; k < 8; ++k)
        if (k + 1 != antenna)
            boxes[k]->SetValue(false);
}

void buffer_inventory_pannel::ant1_select(wxCommandEvent&) { keep_only(1); }
void buffer_inventory_pannel::ant2_select(wxCommandEvent&) { keep_only(2); }
void buffer_inventory_pannel::ant3_select(wxCommandEvent&) { keep_only(3); }
void buffer_inventory_pannel::ant4_select(wxCommandEvent&) { keep_only(4); }
void buffer_inventory_pannel::ant5_select(wxCommandEvent&) { keep_only(5); }
void buffer_inventory_pannel::ant6_select(wxCommandEvent&) { keep_only(6); }
void buffer_inventory_pannel::ant7_select(wxCommandEvent&) { keep_only(7); }
void buffer_inventory_pannel::ant8_select(wxCommandEvent&) { keep_only(8); }

void buffer_inventory_pannel::ReadBuff(wxCommandEvent& event)
{
    reset_list();
    post_request(wxEVT_READTAGBUFF);
    event.Skip();
}

void buffer_inventory_pannel::ReadClearBuff(wxCommandEvent& event)
{
    reset_list();
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
    tally.restart();
    post_request(wxEVT_FLASHBUFFINVENTORYMENU);
    event.Skip();
}

void buffer_inventory_pannel::SaveTag(wxCommandEvent&)
{
    // Oldest record first: the store's order, the reverse of the list.
    save_tag_file(this, [this](const std::string& path) {
        return write_lines(path, static_cast<size_t>(records.size()),
                           [this](size_t i) { return buffer_record_line(records.record(static_cast<int>(i))); });
    });
}

void buffer_inventory_pannel::SetAntMode(int reader_type)
{
    const std::array<wxCheckBox*, 8> boxes = antenna_boxes();
    const int offered = rf_tables::antenna_count(reader_type);
    for (int k = 0; k < 8; ++k) {
        boxes[k]->SetValue(k == 0);
        if (offered > 0)
            boxes[k]->Enable(k < offered);
    }
}

void buffer_inventory_pannel::SetTagNumber(int number)
{
    tally.count_report();
    SetAcumulateData(wxString::FromUTF8(tally.reports()));
    buffer_inventory_pannelBase::SetTagNumber(number);
}

taken_report buffer_inventory_pannel::SetEpcTable(const uint8_t* data, uint8_t len)
{
    taken_report taken;
    switch (records.add(data, len)) {
    case buffer_records::outcome::stored:
        refresh.request();
        taken.epc = wxString::FromUTF8(records.cell(records.size() - 1, buffer_column::epc));
        break;
    case buffer_records::outcome::full:
        last_drop = std::chrono::steady_clock::now();
        drop_watch.request();
        break;
    case buffer_records::outcome::rejected:
        break;
    }
    return taken;
}

void buffer_inventory_pannel::drops_quiet()
{
    if (std::chrono::steady_clock::now() - last_drop < std::chrono::milliseconds(kDropQuietMs))
        drop_watch.request();
    else
        say_drops();
}

void buffer_inventory_pannel::say_drops()
{
    const std::string line = records.take_drop_notice();
    if (!line.empty())
        tell_operator(this, wxString::FromUTF8(line.c_str()));
}

void buffer_inventory_pannel::AcumulateTime()
{
    show_second(tally);
}

void buffer_inventory_pannel::SetRSSI()
{
    int lowest = 0;
    int highest = 0;
    if (records.rssi_range(lowest, highest))
        show_rssi_range(lowest, highest);
}

void buffer_inventory_pannel::show_records()
{
    m_listCtrl->show_rows(records.size());
    SetRSSI();
}
