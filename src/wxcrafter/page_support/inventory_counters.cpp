#include "wxcrafter/page_support/inventory_counters.h"

inventory_counters::inventory_counters(inventory_stats* shown_in)
    : epc_id(0),
      acumulate_time(wxT("0")),
      acumulate_data(wxT("0")),
      time_record(0),
      general_func(new general_func_file),
      shown(shown_in)
{
}

inventory_counters::~inventory_counters()
{
    delete general_func;
}

void inventory_counters::reset_counts()
{
    epc_id = 0;
    acumulate_time = wxT("0");
    acumulate_data = wxT("0");
}

void inventory_counters::AcumulateTime()
{
    acumulate_time = wxString::FromUTF8(general_func->Add(acumulate_time.ToStdString(), "1"));
    shown->SetAcumulatetime(acumulate_time);
    ++time_record;
}

int inventory_counters::Get_Time_State()
{
    if (time_record > 9) {
        time_record = 0;
        return 1;
    }
    return 0;
}
