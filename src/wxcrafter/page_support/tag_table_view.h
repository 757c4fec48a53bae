// Shows an inventory page's tag table: the list's lines, the count of
// distinct tags (listed or not), the reports received and the lowest and
// highest RSSI. A report only asks for a showing, which follows at most
// refresh_timer::kPeriodMs later, so a reader reporting as fast as it can
// never holds up the window; boxes that would not change are not written.
// GUI thread only.
#pragma once

#include <string>

#include "wxcrafter/page_support/refresh_timer.h"

class inventory_stats;
class tag_list_ctrl;
class tag_table;

class tag_table_view {
public:
    // All three outlive the view.
    tag_table_view(inventory_stats& boxes, tag_list_ctrl& list, const tag_table& table);
    tag_table_view(const tag_table_view&) = delete;
    tag_table_view& operator=(const tag_table_view&) = delete;

    // The table changed: it is shown within refresh_timer::kPeriodMs.
    void changed();
    // The table was emptied: the list shows no line, and the boxes are
    // taken to show "0".
    void restart();
    // The lowest and highest RSSI into their boxes, when a row has one.
    void show_rssi();

private:
    void show();

    inventory_stats& boxes;
    tag_list_ctrl& list;
    const tag_table& table;
    int shown_tags;
    std::string shown_reports;
    refresh_timer refresh;
};
