// Buffered records: the list cells and file line each record gives, what is
// refused, the store's bound and what is said of records past it, and
// random replies of every length.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "wxcrafter/buffer_inv_pannel_base/buffer_records.h"

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kEpc12 = {0xE2, 0x00, 0x00, 0x17, 0x22, 0x0A, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB};

// L, PC 30 00, the EPC, CRC C1 C2, four RSSI bytes (-55 dBm when L is 16),
// 920125 kHz, the antenna and the read count.
Bytes record(const Bytes& epc, uint8_t antenna = 1, uint8_t reads = 3, uint8_t rssi = 0x25)
{
    Bytes data = {static_cast<uint8_t>(epc.size() + 4), 0x30, 0x00};
    for (const Bytes& part : {epc, Bytes{0xC1, 0xC2, 0x08, rssi, 0x00, 0x00, 0x0E, 0x0A, 0x3D, antenna, reads}})
        for (uint8_t b : part)
            data.push_back(b);
    return data;
}

// As the controller hands a reply over: its data and its length byte.
buffer_records::outcome feed(buffer_records& store, const Bytes& data)
{
    return store.add(data.data(), static_cast<uint8_t>(data.size() + 3));
}

std::string cells(const buffer_records& store, int i)
{
    std::string text;
    for (buffer_column c : {buffer_column::id, buffer_column::pc, buffer_column::crc, buffer_column::epc,
                            buffer_column::antenna, buffer_column::rssi, buffer_column::freq, buffer_column::reads})
        text += store.cell(i, c) + "|";
    return text;
}

struct RecordCase {
    const char* what;
    Bytes data;
    const char* cells;  // "" for a refused record
    const char* line;
};

TEST(BufferRecords, EachRecordGivesItsCellsAndFileLine)
{
    Bytes short_one = record(kEpc12);
    short_one.pop_back();
    const std::vector<RecordCase> cases = {
        {"12-byte EPC", record(kEpc12),
         "0|30 00|C1 C2|E2 00 00 17 22 0A 01 23 45 67 89 AB |1|-55dBm|920125 Khz|3|",
         "PC = 30 00 ; EPC = E2 00 00 17 22 0A 01 23 45 67 89 AB  ; freq = 920125 Khz  ; rssi = -55dBm ;  ant = 1; "
         "read num = 3\n"},
        {"6-byte EPC: the file pads it to 12", record({1, 2, 3, 4, 5, 6}, 4, 200),
         "0|30 00|C1 C2|01 02 03 04 05 06 |4|-42dBm|920125 Khz|200|",
         "PC = 30 00 ; EPC = 01 02 03 04 05 06 00 00 00 00 00 00  ; freq = 920125 Khz  ; rssi = -42dBm ;  ant = 4; "
         "read num = 200\n"},
        {"20-byte EPC: the file prints it whole", record(Bytes(20, 0x5A)),
         "0|30 00|C1 C2|5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A |1|-65dBm|920125 Khz|3|",
         "PC = 30 00 ; EPC = 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A  ; freq = 920125 Khz  ; "
         "rssi = -65dBm ;  ant = 1; read num = 3\n"},
        {"no EPC (L 4)", record({}), "0|30 00|C1 C2||1|-2dBm|920125 Khz|3|",
         "PC = 30 00 ; EPC = 00 00 00 00 00 00 00 00 00 00 00 00  ; freq = 920125 Khz  ; rssi = -2dBm ;  ant = 1; "
         "read num = 3\n"},
        {"L 37: a 33-byte EPC", record(Bytes(33, 1)), "", ""},
        {"L 3", {3, 0x30, 0x00, 0xC1, 0x08, 0x25, 0x00, 0x00, 0x0E, 0x0A, 0x3D, 1, 3}, "", ""},
        {"one byte short of its fields", short_one, "", ""},
        {"no data at all", {}, "", ""},
    };
    for (const RecordCase& c : cases) {
        buffer_records store;
        const bool stored = feed(store, c.data) == buffer_records::outcome::stored;
        EXPECT_EQ(stored, c.cells[0] != '\0') << c.what;
        if (!stored)
            continue;
        EXPECT_EQ(cells(store, 0), c.cells) << c.what;
        EXPECT_EQ(buffer_record_line(store.record(0)), c.line) << c.what;
    }
}

TEST(BufferRecords, KeepEveryRecordUpToTheBoundAndTheRangeOfTheLatestRead)
{
    buffer_records store;
    for (int i = 0; i < 5; ++i)
        feed(store, record(kEpc12, 1, 3, static_cast<uint8_t>(0x10 * i)));
    store.clear();
    feed(store, record(kEpc12, 1, 3, 0x25));  // -55 dBm
    feed(store, record(kEpc12, 1, 3, 0x45));  // -50 dBm
    int low = 0;
    int high = 0;
    ASSERT_TRUE(store.rssi_range(low, high));
    EXPECT_EQ(std::make_pair(low, high), std::make_pair(-55, -42));

    while (store.size() < buffer_records::kMaxRecords)
        ASSERT_EQ(feed(store, record(kEpc12)), buffer_records::outcome::stored);
    EXPECT_EQ(feed(store, record(kEpc12)), buffer_records::outcome::full);
    EXPECT_EQ(store.cell(buffer_records::kMaxRecords - 1, buffer_column::id), "99999");
}

// Records read into a store of `bound` rows, the line asked for after each
// batch -> the lines said; the next read starts with none dropped.
TEST(BufferRecords, RecordsPastTheBoundAreCountedInFull)
{
    const auto line = [](int bound, int dropped) {
        return "缓存记录超过" + std::to_string(bound) + "条，其后的记录未保存：已丢弃" + std::to_string(dropped) +
               "条！";
    };
    const std::vector<std::tuple<int, std::vector<int>, std::vector<std::string>>> cases = {
        {700, {700}, {}},
        {700, {750}, {line(700, 50)}},
        {3, {1003, 0, 7}, {line(3, 1000), line(3, 1007)}},
    };
    for (const auto& [bound, batches, said] : cases) {
        buffer_records store(bound);
        for (int read = 0; read < 2; ++read) {
            std::vector<std::string> lines;
            int records = 0;
            for (int batch : batches) {
                for (int i = 0; i < batch; ++i)
                    feed(store, record(kEpc12));
                records += batch;
                if (std::string text = store.take_drop_notice(); !text.empty())
                    lines.push_back(text);
            }
            EXPECT_EQ(lines, said) << records << " into " << bound;
            EXPECT_EQ(store.size(), std::min(bound, records));
            store.clear();
        }
    }
}

// Random replies of every length, each in a buffer of exactly its size (so
// the sanitizer build catches a read past it), against the rule: a record
// is L from 4 to 36 and its L + 10 bytes.
TEST(BufferRecords, RandomRepliesOfEveryLengthStayInsideTheirBytes)
{
    std::mt19937 rng(20240611);
    buffer_records store;
    for (int i = 0; i < 100000; ++i) {
        const uint8_t len = static_cast<uint8_t>(i);
        const size_t count = len > 3 ? len - 3u : 0u;
        std::unique_ptr<uint8_t[]> data(new uint8_t[count]);
        for (size_t k = 0; k < count; ++k)
            data[k] = static_cast<uint8_t>(rng());
        if (count > 0 && rng() % 2 == 0)
            data[0] = static_cast<uint8_t>(rng() % 40);
        const int l = count > 0 ? data[0] : 0;
        const bool readable = l >= 4 && l <= 36 && count >= static_cast<size_t>(l) + 10;
        const int before = store.size();

        const buffer_records::outcome got = store.add(data.get(), len);
        if (!readable)
            ASSERT_EQ(got, buffer_records::outcome::rejected) << "length byte " << int(len) << ", L " << l;
        else
            ASSERT_EQ(got, before < buffer_records::kMaxRecords ? buffer_records::outcome::stored
                                                                : buffer_records::outcome::full);
        if (got == buffer_records::outcome::stored) {
            ASSERT_EQ(store.cell(before, buffer_column::epc).size(), 3u * (l - 4));
            ASSERT_EQ(store.record(before).reads, data[l + 9]);
        }
        if (i % 20000 == 19999)
            store.clear();
    }
}

}  // namespace
