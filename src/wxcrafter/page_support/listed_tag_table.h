// The tag table of an inventory page together with what shows it: the
// page's virtual tag list and its statistics boxes. Reports go into the
// table at once; the list, the tag count, the reports received and the
// lowest and highest RSSI follow it at most every refresh_timer::kPeriodMs,
// so a reader reporting as fast as it can never holds up the window. A page
// derives from it beside its generated base, which must be built first.
#pragma once

#include <cstdint>
#include <string>

#include <wx/string.h>

#include "wxcrafter/page_support/inventory_stats.h"
#include "wxcrafter/page_support/tag_list_ctrl.h"
#include "wxcrafter/page_support/tag_table.h"
#include "wxcrafter/page_support/tag_table_view.h"
#include "wxcrafter/page_support/taken_report.h"

class wxWindow;

class listed_tag_table {
public:
    // Tags listed in the table.
    int GetEpcBufferNum();
    // EPC text of tag i - 1 (i counts from 1); "" outside the table.
    wxString GetEpcBuffer(unsigned int i);
    // One second of a running inventory: the running time and the mean
    // reports per second over the last three seconds are shown.
    void AcumulateTime();
    // 1 (and the count restarts) once more than nine seconds passed since
    // it last returned 1; paces the antenna changes of a rotation.
    int Get_Time_State();
    // True when fewer than five new tags came since the previous call.
    bool Get_Speed_State();
    // Shows the lowest and highest RSSI of the table.
    void SetRSSI();

protected:
    // The list shows the seven plain columns (ID, type, EPC, PC, counts,
    // RSSI, frequency) of the table's rows; `boxes` and `list` belong to
    // the page and outlive this part.
    listed_tag_table(tag_table_rules rules, inventory_stats* boxes, tag_list_ctrl* list);
    ~listed_tag_table();
    listed_tag_table(const listed_tag_table&) = delete;
    listed_tag_table& operator=(const listed_tag_table&) = delete;

    // One reply: `data` holds its len - 3 data bytes, `len` is the frame's
    // length byte. Gives the EPC text of a new listed tag ("" for any other
    // report) and the notice of a tag past the rows, once per inventory.
    taken_report take_report(const uint8_t* data, uint8_t len);
    // An inventory starts: the notices may be given once more.
    void new_inventory() { table.new_inventory(); }
    // The refresh: no tags, the statistics start again (the page writes
    // "0" into its boxes and sets up its columns).
    void clear_table();
    // The list shows as many lines as the table has rows.
    void show_rows();
    // "保存标签": the table in the tag-list file form.
    void save_table(wxWindow* page);

    tag_table table;

private:
    inventory_stats* boxes;
    tag_list_ctrl* list;
    tag_table_view view;
};
