#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"
#include "wxcrafter/page_support/save_tag_file.h"

#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/page_support/tag_list_file.h"

uint8_t inventory_round = 0;
uint8_t inventory_mode = 0;
uint8_t custom_read_len = 0;

namespace {

// The length box holds at most this many digits.
const size_t kLenDigits = 3;

}  // namespace

custom_inventory_pannel::custom_inventory_pannel(wxWindow* parent)
    : custom_inventory_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL),
      view(*this, *m_listCtrl11, table.tags()),
      running(false)
{
    set_stats_fonts();
    m_listCtrl11->set_source([this](long row, long column) -> std::string {
        if (row >= table.size() || column < 0 || column >= static_cast<long>(columns.size()))
            return std::string();
        return table.cell(static_cast<int>(row), columns[static_cast<size_t>(column)].what);
    });
    // The columns of the first mode, without touching the globals.
    set_columns(mode_columns(*match_mode_at(0)));
}

custom_inventory_pannel::~custom_inventory_pannel()
{
    // The list outlives the table by the base's destructor.
    m_listCtrl11->set_source(nullptr);
}

void custom_inventory_pannel::set_columns(const std::vector<list_column>& shown)
{
    columns = shown;
    m_listCtrl11->ClearAll();
    for (const list_column& c : columns)
        m_listCtrl11->AppendColumn(wxString::FromUTF8(c.heading), wxLIST_FORMAT_LEFT, c.width);
    view.restart();
}

bool custom_inventory_pannel::read_len(unsigned long& value) const
{
    return leading_decimal(readlen_textCtrl->GetValue(), kMaxReadLen, value);
}

void custom_inventory_pannel::SetListmode(int sel)
{
    table.clear();
    const match_mode* mode = match_mode_at(sel);
    if (!mode) {
        set_columns({});
        return;
    }
    inventory_mode = mode->inventory_mode;
    unsigned long len = static_cast<unsigned long>(mode->read_len);
    // A length the reader cannot take is refused at the start; it never
    // goes out cut to its low byte.
    if (mode->read_len >= 0 || read_len(len))
        custom_read_len = static_cast<uint8_t>(len);
    set_columns(mode_columns(*mode));
}

void custom_inventory_pannel::SetInventoryButton(uint8_t state)
{
    inventory_stats::SetInventoryButton(state);
    running = state == 1;
    for (wxWindow* choice : {static_cast<wxWindow*>(Membank_choice), static_cast<wxWindow*>(Inventoryround_spinCtrl),
                             static_cast<wxWindow*>(SelectANT_choice)})
        choice->Enable(!running);
    if (!running)
        return;
    // The controller has the link send 0x8A right after this.
    inventory_round = static_cast<uint8_t>(Inventoryround_spinCtrl->GetValue());
    SetListmode(Membank_choice->GetSelection());
    antennas.start(GetWorkAntenna(), WorkAntenna);
    zero_stats();
}

void custom_inventory_pannel::StartInventory(wxCommandEvent& event)
{
    if (!running) {
        const match_mode* mode = match_mode_at(Membank_choice->GetSelection());
        unsigned long len = 0;
        if (mode && mode->read_len < 0 && !read_len(len)) {
            show_refusal(u8("匹配长度范围:0~255！"));
            return;
        }
    }
    post_request(wxEVT_CUSTOMINVENTORY);
    event.Skip();
}

void custom_inventory_pannel::ivnetoryround_input(wxCommandEvent&) {}

void custom_inventory_pannel::select_read_membank(wxCommandEvent&)
{
    const int sel = Membank_choice->GetSelection();
    SetListmode(sel);
    readlen_textCtrl->SetValue(wxEmptyString);
    if (const match_mode* mode = match_mode_at(sel))
        readlen_textCtrl->Enable(mode->read_len < 0);
}

void custom_inventory_pannel::ReadLenEnter(wxCommandEvent&)
{
    // Emptying the box raises this handler once more, on an empty box.
    empty_if_refused(readlen_textCtrl, kLenDigits, is_decimal_digit);
}

void custom_inventory_pannel::NewTagInter(wxCommandEvent&) {}

void custom_inventory_pannel::FlashMenu(wxCommandEvent& event)
{
    zero_stats();
    SetListmode(Membank_choice->GetSelection());
    post_request(wxEVT_FLASHINVENTORYMENU);
    event.Skip();
}

void custom_inventory_pannel::SaveTag(wxCommandEvent&)
{
    // The data field holds the list's sixth column, whatever it shows.
    const custom_column data = columns.size() > 5 ? columns[5].what : custom_column::data;
    save_tag_file(
        this,
        [this, data](const std::string& path) {
            return write_lines(path, static_cast<size_t>(table.size()),
                               [this, data](size_t i) { return table.file_line(static_cast<int>(i), data); });
        },
        table.tags().distinct() - table.size());
}

void custom_inventory_pannel::SetAntMode(int reader_type)
{
    show_antenna_entries(SelectANT_choice, antennas, reader_type);
}

char custom_inventory_pannel::GetWorkAntenna()
{
    return static_cast<char>(SelectANT_choice->GetSelection());
}

int custom_inventory_pannel::change_work_ant()
{
    return antennas.next();
}

int custom_inventory_pannel::GetEpcBufferNum()
{
    return table.size();
}

wxString custom_inventory_pannel::GetEpcBuffer(unsigned int i)
{
    if (i == 0 || i > static_cast<unsigned int>(table.size()))
        return wxString();
    return wxString::FromUTF8(table.cell(static_cast<int>(i - 1), custom_column::epc));
}

void custom_inventory_pannel::AcumulateTime()
{
    show_second(table.tags().tally());
}

int custom_inventory_pannel::Get_Time_State()
{
    return table.tags().tally().time_state();
}

bool custom_inventory_pannel::Get_Speed_State()
{
    return table.tags().tally().speed_state();
}

void custom_inventory_pannel::SetRSSI()
{
    view.show_rssi();
}

wxString custom_inventory_pannel::add_report(custom_report_kind kind, const uint8_t* data, uint8_t len)
{
    const tag_table::result added = table.add(kind, data, len);
    if (added.what == tag_table::outcome::rejected)
        return wxString();
    view.changed();
    return wxString::FromUTF8(notice_text(added.notice));
}

wxString custom_inventory_pannel::SetEpcTable(const uint8_t* data, uint8_t len)
{
    return add_report(custom_report_kind::plain_epc, data, len);
}

wxString custom_inventory_pannel::SetTable(const uint8_t* data, uint8_t len)
{
    return add_report(custom_report_kind::match_data, data, len);
}

wxString custom_inventory_pannel::SetGBTable(const uint8_t* data, uint8_t len)
{
    return add_report(custom_report_kind::gb_match_data, data, len);
}

wxString custom_inventory_pannel::SetTemperateTable(const uint8_t* data, uint8_t len)
{
    return add_report(custom_report_kind::magnus, data, len);
}

wxString custom_inventory_pannel::SetTemperate1Table(const uint8_t* data, uint8_t len)
{
    return add_report(custom_report_kind::nmv2d, data, len);
}

wxString custom_inventory_pannel::SetVelaTagTempTable(const uint8_t* data, uint8_t len)
{
    return add_report(custom_report_kind::velatag, data, len);
}
