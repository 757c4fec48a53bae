// The RF-parameter page's fixed tables and ranges: RF link profiles,
// frequency regions, the custom plan's limits and the antennas of each reader
// type. No window here, so they are tested without a display. Texts are
// UTF-8.
#pragma once

#include <cstdint>

namespace rf_tables {

// Highest output power the reader takes, in dBm.
constexpr unsigned long kMaxPower = 33;

struct LinkProfile {
    uint8_t id;        // what the reader is sent
    const char* text;  // what the operator sees
};
constexpr int kProfileCount = 8;
extern const LinkProfile kProfiles[kProfileCount];

// The choice entry of profile `id`; -1 when no entry has it.
int profile_index(uint8_t id);

struct Region {
    const char* name;
    const char* min_mhz;  // lowest frequency, as shown
    const char* max_mhz;  // highest frequency, as shown
    uint8_t code;         // the plan code sent (FreqStandard)
    uint8_t first;        // first channel index sent
    uint8_t last;         // last channel index sent
};
constexpr int kRegionCount = 3;
extern const Region kRegions[kRegionCount];

// The custom plan: a start frequency in kHz, a spacing in kHz and a channel
// count, all bounds inclusive.
constexpr uint8_t kCustomPlanCode = 4;
constexpr unsigned long kMinStartFreq = 840000;
constexpr unsigned long kMaxStartFreq = 960000;
constexpr unsigned long kMinFreqSpace = 25;
constexpr unsigned long kMaxFreqSpace = 65535;
constexpr unsigned long kMinFreqCount = 1;
constexpr unsigned long kMaxFreqCount = 200;

bool custom_plan_ok(unsigned long start, unsigned long space, unsigned long count);

// Antennas of reader type 0, 1 and 2 (1, 4 and 8); 0 for any other type.
int antenna_count(int reader_type);

}  // namespace rf_tables
