#include "wxcrafter/page_support/listed_tag_table.h"

#include "wxcrafter/page_support/save_tag_file.h"
#include "wxcrafter/page_support/tag_list_file.h"

namespace {

const tag_column kColumns[] = {tag_column::id,     tag_column::kind, tag_column::epc, tag_column::pc,
                               tag_column::counts, tag_column::rssi, tag_column::freq};

}  // namespace

listed_tag_table::listed_tag_table(tag_table_rules rules, inventory_stats* boxes_in, tag_list_ctrl* list_in)
    : table(rules),
      boxes(boxes_in),
      list(list_in),
      view(*boxes_in, *list_in, table)
{
    list->set_source([this](long row, long column) -> std::string {
        if (row >= table.size() || column < 0 || column >= static_cast<long>(WXSIZEOF(kColumns)))
            return std::string();
        return table.cell(static_cast<int>(row), kColumns[column]);
    });
}

listed_tag_table::~listed_tag_table()
{
    // The list outlives the table by the page base's destructor.
    list->set_source(nullptr);
}

taken_report listed_tag_table::take_report(const uint8_t* data, uint8_t len)
{
    const tag_table::result added = table.add_report(data, len);
    taken_report taken;
    if (added.what == tag_table::outcome::rejected)
        return taken;
    view.changed();
    if (added.what == tag_table::outcome::new_tag)
        taken.epc = wxString::FromUTF8(table.cell(added.row, tag_column::epc));
    taken.notice = wxString::FromUTF8(notice_text(added.notice));
    return taken;
}

void listed_tag_table::clear_table()
{
    table.clear();
    view.restart();
}

void listed_tag_table::show_rows()
{
    list->show_rows(table.size());
}

void listed_tag_table::save_table(wxWindow* page)
{
    save_tag_file(page, [this](const std::string& path) { return save_tag_list(path, table); },
                  table.distinct() - table.size());
}

int listed_tag_table::GetEpcBufferNum()
{
    return table.size();
}

wxString listed_tag_table::GetEpcBuffer(unsigned int i)
{
    if (i == 0 || i > static_cast<unsigned int>(table.size()))
        return wxString();
    return wxString::FromUTF8(table.cell(static_cast<int>(i - 1), tag_column::epc));
}

void listed_tag_table::AcumulateTime()
{
    boxes->show_second(table.tally());
}

int listed_tag_table::Get_Time_State()
{
    return table.tally().time_state();
}

bool listed_tag_table::Get_Speed_State()
{
    return table.tally().speed_state();
}

void listed_tag_table::SetRSSI()
{
    view.show_rssi();
}
