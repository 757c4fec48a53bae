// Tag reports into the tag table: distinct tags reported in turn, as many
// as the table's rows or far more.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "wxcrafter/page_support/tag_table.h"

namespace {

const int kTags = 5000;
const int kReportBytes = 3 + 12 + 7;  // antenna, PC, 12-byte EPC, RSSI, frequency

// Report i: tag i % tags on antenna 1..4, with an RSSI that varies.
std::vector<uint8_t> reports(int count, int tags = kTags)
{
    std::vector<uint8_t> all;
    all.reserve(static_cast<size_t>(count) * kReportBytes);
    for (int i = 0; i < count; ++i) {
        const int tag = i % tags;
        const uint8_t one[kReportBytes] = {static_cast<uint8_t>(1 + i % 4), 0x30, 0x00, 0xE2, 0x00, 0x00,
                                           0x17, 0x22, 0x0A, static_cast<uint8_t>(tag >> 16), 0x23,
                                           static_cast<uint8_t>(tag >> 8), static_cast<uint8_t>(tag), 0x89, 0xAB,
                                           0x08, static_cast<uint8_t>(0x10 + i % 29), 0x00, 0x00,
                                           0x0E, 0x0A, 0x3D};
        all.insert(all.end(), one, one + kReportBytes);
    }
    return all;
}

// Reports on `range(0)` distinct tags in turn. With 5000 the table is full
// and every report finds its row among 5000 and moves the RSSI range; with
// 100,000 the other 95,000 are only counted, so most reports look up a tag
// past the rows.
void BM_Reports(benchmark::State& state)
{
    const int tags = static_cast<int>(state.range(0));
    const int count = std::max(tags, kTags * 7);
    const std::vector<uint8_t> data = reports(count, tags);
    tag_table table({true, true});
    int next = 0;
    for (auto _ : state) {
        const tag_table::result r =
            table.add_report(&data[static_cast<size_t>(next) * kReportBytes], kReportBytes + 3);
        benchmark::DoNotOptimize(r);
        if (++next == count)
            next = 0;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["rows"] = table.size();
}
BENCHMARK(BM_Reports)->Arg(kTags)->Arg(100000);

// From an empty table to 5000 tags: every report a new row.
void BM_Fill5000Tags(benchmark::State& state)
{
    const std::vector<uint8_t> data = reports(kTags);
    for (auto _ : state) {
        tag_table table({true, true});
        for (int i = 0; i < kTags; ++i)
            table.add_report(&data[static_cast<size_t>(i) * kReportBytes], kReportBytes + 3);
        benchmark::DoNotOptimize(table.size());
    }
    state.SetItemsProcessed(state.iterations() * kTags);
}
BENCHMARK(BM_Fill5000Tags)->Unit(benchmark::kMillisecond);

}  // namespace
