#include "wxcrafter/page_support/inventory_tally.h"

#include <climits>

inventory_tally::inventory_tally()
    : acumulate_data("0"),
      acumulate_time("0"),
      identify_time(0),
      identify_time_sequence{0, 0, 0},
      sequence_select(0),
      sequence_num(0),
      time_record(0),
      speed_record{0, 0}
{
}

void inventory_tally::count_report()
{
    // Without the one-second tick (no inventory running) the count would
    // otherwise run on until it wraps.
    if (identify_time < INT_MAX)
        ++identify_time;
    acumulate_data = arithmetic.Add(acumulate_data, "1");
}

long inventory_tally::tick_second()
{
    acumulate_time = arithmetic.Add(acumulate_time, "1");
    identify_time_sequence[sequence_select] = identify_time;
    ++sequence_select;
    if (sequence_num < 3)
        ++sequence_num;
    long sum = 0;
    for (int slot : identify_time_sequence)
        sum += slot;
    identify_time = 0;
    if (sequence_select == 3)
        sequence_select = 0;
    if (time_record < INT_MAX)
        ++time_record;
    return sum / sequence_num;
}

int inventory_tally::time_state()
{
    if (time_record > 9) {
        time_record = 0;
        return 1;
    }
    return 0;
}

bool inventory_tally::speed_state()
{
    const bool slow = speed_record[0] - speed_record[1] < 5;
    speed_record[1] = speed_record[0];
    return slow;
}

void inventory_tally::restart()
{
    acumulate_data = "0";
    acumulate_time = "0";
    identify_time = 0;
}
