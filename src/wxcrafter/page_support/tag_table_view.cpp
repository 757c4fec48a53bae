#include "wxcrafter/page_support/tag_table_view.h"

#include "wxcrafter/page_support/inventory_stats.h"
#include "wxcrafter/page_support/tag_list_ctrl.h"
#include "wxcrafter/page_support/tag_table.h"

tag_table_view::tag_table_view(inventory_stats& boxes_in, tag_list_ctrl& list_in, const tag_table& table_in)
    : boxes(boxes_in), list(list_in), table(table_in), shown_tags(0), shown_reports("0"),
      refresh([this] { show(); })
{
}

void tag_table_view::changed()
{
    refresh.request();
}

void tag_table_view::restart()
{
    refresh.Stop();
    shown_tags = 0;
    shown_reports = "0";
    list.show_rows(table.size());
}

void tag_table_view::show_rssi()
{
    int lowest = 0;
    int highest = 0;
    if (!table.rssi_range(lowest, highest))
        return;
    boxes.show_rssi_range(lowest, highest);
}

void tag_table_view::show()
{
    list.show_rows(table.size());
    if (table.distinct() != shown_tags) {
        shown_tags = table.distinct();
        boxes.SetTagNumber(shown_tags);
    }
    if (table.tally().reports() != shown_reports) {
        shown_reports = table.tally().reports();
        boxes.SetAcumulateData(wxString::FromUTF8(shown_reports));
    }
    show_rssi();
}
