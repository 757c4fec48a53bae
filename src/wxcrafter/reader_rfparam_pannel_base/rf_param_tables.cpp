#include "wxcrafter/reader_rfparam_pannel_base/rf_param_tables.h"

namespace rf_tables {

// Two blanks after the first four profile numbers, one after the GB ones:
// the texts are the reader's own.
const LinkProfile kProfiles[kProfileCount] = {
    {1, "配置0  FM0 200KHz tari:6.25us"},
    {6, "配置1  Miller_4 200KHz tari:25us"},
    {7, "配置2  Miller_4 250KHz tari:25us"},
    {9, "配置3  FM0 40KHz tari:25us"},
    {10, "配置4 GB FM0 64KHz Tc:6.25us"},
    {11, "配置5 GB FM0 128KHz Tc:6.25us"},
    {12, "配置6 GB FM0 64KHz Tc:12.5us"},
    {13, "配置7 GB Miller 128KHz Tc:12.5us"},
};

const Region kRegions[kRegionCount] = {
    {"FCC", "902.250", "928.250", 1, 7, 59},
    {"ETSI", "865.0", "868.0", 2, 0, 6},
    {"CHN", "920.0", "925.0", 3, 43, 53},
};

int profile_index(uint8_t id)
{
    for (int i = 0; i < kProfileCount; ++i)
        if (kProfiles[i].id == id)
            return i;
    return -1;
}

bool custom_plan_ok(unsigned long start, unsigned long space, unsigned long count)
{
    return start >= kMinStartFreq && start <= kMaxStartFreq && space >= kMinFreqSpace &&
           space <= kMaxFreqSpace && count >= kMinFreqCount && count <= kMaxFreqCount;
}

int antenna_count(int reader_type)
{
    switch (reader_type) {
    case 0:
        return 1;
    case 1:
        return 4;
    case 2:
        return 8;
    default:
        return 0;
    }
}

}  // namespace rf_tables
