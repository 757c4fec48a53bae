// The running statistics of an inventory page: reports received and seconds
// run as decimal text (which never overflows), the reports of the current
// second, the mean reports per second over the last three seconds, and the
// pacing of antenna changes. No window is involved; the page shows the
// values. GUI thread only.
#pragma once

#include <string>

#include "general_func_file.h"

class inventory_tally {
public:
    inventory_tally();

    // One more report received.
    void count_report();
    // One second passed: the seconds grow by one, the reports of the second
    // go into the ring of the last three, and the count starts again.
    // Returns the mean reports per second over the filled ring slots.
    long tick_second();
    // 1 (and the count of seconds restarts) once more than nine seconds
    // passed since it last returned 1; else 0.
    int time_state();
    // The number of distinct tags after the latest new tag.
    void note_tags(int tags) { speed_record[0] = tags; }
    // True when fewer than five new tags came since the previous call.
    bool speed_state();
    // A page refresh: reports, seconds and the current second start from
    // zero; the ring and the pacing go on.
    void restart();

    const std::string& reports() const { return acumulate_data; }
    const std::string& seconds() const { return acumulate_time; }

private:
    general_func_file arithmetic;
    std::string acumulate_data;
    std::string acumulate_time;
    int identify_time;
    int identify_time_sequence[3];
    int sequence_select;
    int sequence_num;
    int time_record;
    int speed_record[2];
};
