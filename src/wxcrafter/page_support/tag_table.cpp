#include "wxcrafter/page_support/tag_table.h"

#include <cstring>

namespace {

// A reply of the inventory commands with no more than its status byte.
const uint8_t kStatusReplyMax = 4;
// Antenna and PC: the report's bytes before the EPC.
const int kHead = 3;
// Four RSSI bytes, then three frequency bytes.
const int kTrail = 7;
const int kMaxEpc = 32;
const int kAntennas = 8;
const uint16_t kCountMax = 65535;

// The EPC a report without one is stored with.
const uint8_t kNoEpc[1] = {0};

std::string_view key_of(const uint8_t* epc, uint8_t len)
{
    return std::string_view(reinterpret_cast<const char*>(epc), len);
}

}  // namespace

bool parse_plain_head(const uint8_t* data, int count, int tail, plain_report& out, int& fields)
{
    if (count < kHead)
        return false;
    const uint8_t p = data[1];

    // n: antenna, PC and EPC bytes together.
    int n;
    if (p >= 8) {
        out.kind = tag_kind::c6;
        n = (p >> 3) * 2 + kHead;
    } else {
        // A report too short for its EPC and the fields after it has none:
        // its fields follow the PC, and nothing past the report is read.
        n = p * 2 + kHead;
        out.kind = (count >= n + tail && n != kHead) ? tag_kind::gb : tag_kind::none;
    }

    if (out.kind == tag_kind::none) {
        // The fields follow the PC at once.
        if (count < kHead + tail)
            return false;
        out.epc = kNoEpc;
        out.epc_len = 1;
        n = kHead;
    } else {
        if (n - kHead > kMaxEpc || count < n + tail)
            return false;
        out.epc = data + kHead;
        out.epc_len = static_cast<uint8_t>(n - kHead);
    }
    out.antenna = data[0];
    out.pc[0] = data[1];
    out.pc[1] = data[2];
    fields = n;
    return true;
}

bool parse_plain_report(const uint8_t* data, uint8_t len, plain_report& out)
{
    if (len <= kStatusReplyMax)
        return false;
    int n = 0;
    if (!parse_plain_head(data, report_data_bytes(len), kTrail, out, n))
        return false;
    out.rssi = data + n;
    out.freq_khz = be24(data + n + 4);
    return true;
}

tag_table::tag_table(tag_table_rules rules_in) : rules(rules_in)
{
    rows.reserve(kMaxRows);
    index.reserve(kMaxRows);
}

tag_table::result tag_table::add_report(const uint8_t* data, uint8_t len)
{
    plain_report report;
    if (!parse_plain_report(data, len, report))
        return {outcome::rejected, -1};
    return add(report);
}

tag_table::result tag_table::add(const plain_report& report)
{
    int antenna = report.antenna - 1;
    if (antenna >= kAntennas)
        antenna = rules.high_antennas_on_last ? kAntennas - 1 : -1;

    // The RSSI formula divides by the EPC length; a report without an EPC
    // counts its one stored byte.
    const bool has_rssi = report.rssi != nullptr;
    const int rssi = has_rssi ? rssi_calc.Calculate_Rssi(reinterpret_cast<const char*>(report.rssi),
                                                         static_cast<uint8_t>(report.epc_len + kHead))
                              : 0;
    stats.count_report();

    const auto found = index.find(key_of(report.epc, report.epc_len));
    if (found != index.end()) {
        tag_row& r = rows[static_cast<size_t>(found->second)];
        if (antenna >= 0 && r.counts[antenna] < kCountMax)
            ++r.counts[antenna];
        if (rules.rewrite_known_pc) {
            r.pc[0] = report.pc[0];
            r.pc[1] = report.pc[1];
        }
        if (has_rssi) {
            if (r.has_rssi)
                remove_rssi(r.rssi);
            r.rssi = rssi;
            r.has_rssi = true;
            add_rssi(rssi);
            r.freq_khz = report.freq_khz;
        }
        return {outcome::known_tag, found->second};
    }

    if (size() >= kMaxRows)
        return add_unlisted(report);

    tag_row r = {};
    r.pc[0] = report.pc[0];
    r.pc[1] = report.pc[1];
    std::memcpy(r.epc, report.epc, report.epc_len);
    r.epc_len = report.epc_len;
    r.kind = report.kind;
    if (antenna >= 0)
        r.counts[antenna] = 1;
    if (has_rssi) {
        r.freq_khz = report.freq_khz;
        r.rssi = rssi;
        r.has_rssi = true;
        add_rssi(rssi);
    }
    rows.push_back(r);
    const int at = size() - 1;
    index.emplace(key_of(rows.back().epc, rows.back().epc_len), at);
    stats.note_tags(distinct());
    return {outcome::new_tag, at};
}

tag_table::result tag_table::add_unlisted(const plain_report& report)
{
    bool counted = true;
    if (unlisted.size() < static_cast<size_t>(kMaxUnlisted)) {
        if (unlisted.insert(report.epc, report.epc_len))
            stats.note_tags(distinct());
    } else {
        counted = unlisted.contains(report.epc, report.epc_len);
    }
    bool& told = counted ? told_unlisted : told_uncounted;
    const tag_notice notice = told ? tag_notice::none : counted ? tag_notice::unlisted : tag_notice::uncounted;
    told = true;
    return {counted ? outcome::table_full : outcome::uncounted, -1, notice};
}

void tag_table::add_rssi(int rssi)
{
    ++rssi_rows[rssi];
}

void tag_table::remove_rssi(int rssi)
{
    const auto it = rssi_rows.find(rssi);
    if (it != rssi_rows.end() && --it->second == 0)
        rssi_rows.erase(it);
}

bool tag_table::rssi_range(int& lowest, int& highest) const
{
    if (rssi_rows.empty())
        return false;
    lowest = rssi_rows.begin()->first;
    highest = rssi_rows.rbegin()->first;
    return true;
}

void tag_table::clear()
{
    index.clear();
    rows.clear();
    rssi_rows.clear();
    unlisted.clear();
    new_inventory();
    stats.restart();
}

void tag_table::new_inventory()
{
    told_unlisted = false;
    told_uncounted = false;
}

std::string tag_table::cell(int i, tag_column column) const
{
    const tag_row& r = row(i);
    switch (column) {
    case tag_column::id:
        return std::to_string(i);
    case tag_column::kind:
        return kind_text(r.kind);
    case tag_column::epc:
        return epc_text(r);
    case tag_column::pc:
        return pc_text(r);
    case tag_column::counts:
        return counts_text(r);
    case tag_column::rssi:
        return rssi_text(r.rssi);
    case tag_column::freq:
        return freq_text(r.freq_khz);
    }
    return std::string();
}

std::string convert_type(uint8_t value, int base)
{
    static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    if (base == 16)
        return std::string{kDigits[value >> 4], kDigits[value & 0x0F]};
    if (base < 2 || base > 36)
        base = 10;
    std::string text;
    unsigned v = value;
    do {
        text.insert(text.begin(), kDigits[v % static_cast<unsigned>(base)]);
        v /= static_cast<unsigned>(base);
    } while (v != 0);
    return text;
}

std::string epc_text(const uint8_t* epc, int count)
{
    std::string text;
    text.reserve(static_cast<size_t>(count) * 3u);
    for (int i = 0; i < count; ++i) {
        text += convert_type(epc[i], 16);
        text += ' ';
    }
    return text;
}

std::string epc_text(const tag_row& row)
{
    return epc_text(row.epc, row.epc_len);
}

std::string pc_text(const tag_row& row)
{
    return convert_type(row.pc[0], 16) + " " + convert_type(row.pc[1], 16);
}

std::string counts_text(const tag_row& row)
{
    std::string text;
    for (int k = 0; k < kAntennas; ++k) {
        if (k > 0)
            text += " \\ ";
        text += std::to_string(row.counts[k]);
    }
    return text;
}

std::string rssi_text(int rssi)
{
    return std::to_string(rssi) + "dBm";
}

std::string freq_text(uint32_t khz)
{
    return std::to_string(khz) + " Khz";
}

std::string notice_text(tag_notice notice)
{
    switch (notice) {
    case tag_notice::unlisted:
        return "标签超过" + std::to_string(tag_table::kMaxRows) + "个：之后的标签只计入总数，不列入列表！";
    case tag_notice::uncounted:
        return "未列入列表的标签超过" + std::to_string(tag_table::kMaxUnlisted) + "个：之后的新标签不再计数！";
    case tag_notice::none:
        break;
    }
    return std::string();
}

const char* kind_text(tag_kind kind)
{
    switch (kind) {
    case tag_kind::c6:
        return "6C";
    case tag_kind::gb:
        return "GB";
    case tag_kind::none:
        break;
    }
    return "void";
}
