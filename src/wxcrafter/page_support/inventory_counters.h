// The running counts the inventory pages keep beside their statistics
// boxes: distinct tags, accumulated time and data as decimal text (which
// never overflows), and the seconds since the last antenna-change check.
// Each inventory page derives from it beside its generated base.
#pragma once

#include <wx/string.h>

#include "general_func_file.h"
#include "wxcrafter/page_support/inventory_stats.h"

class inventory_counters {
public:
    // Distinct tags in the page's list.
    int GetEpcBufferNum() { return epc_id; }
    // One more second: the accumulated time grows by one and is shown.
    void AcumulateTime();
    // 1 (and the count restarts) once more than nine seconds have passed.
    int Get_Time_State();

protected:
    // `shown`: the page's statistics boxes, which outlive this part.
    explicit inventory_counters(inventory_stats* shown);
    ~inventory_counters();
    inventory_counters(const inventory_counters&) = delete;
    inventory_counters& operator=(const inventory_counters&) = delete;

    // Back to an empty table: no tags, accumulated time and data "0".
    void reset_counts();

    int epc_id;
    wxString acumulate_time;
    wxString acumulate_data;
    int time_record;
    general_func_file* general_func;

private:
    inventory_stats* shown;
};
