#include "wxcrafter/reader_rw_pannel_base/storage_fields.h"

#include <vector>

namespace {

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// One byte from two characters, read as far as they are hex digits.
uint8_t pair_value(char high, char low)
{
    const int h = hex_digit(high);
    if (h < 0)
        return 0;
    const int l = hex_digit(low);
    return static_cast<uint8_t>(l < 0 ? h : h * 16 + l);
}

}  // namespace

bool leading_hex32(const std::string& text, uint32_t& value)
{
    uint64_t result = 0;
    size_t digits = 0;
    for (char c : text) {
        const int d = hex_digit(c);
        if (d < 0)
            break;
        result = result * 16 + static_cast<uint64_t>(d);
        if (result > UINT32_MAX)
            return false;
        ++digits;
    }
    if (digits == 0)
        return false;
    value = static_cast<uint32_t>(result);
    return true;
}

size_t hex_pairs(const std::string& text, uint8_t* dest, size_t size)
{
    size_t written = 0;
    for (size_t i = 0; i + 1 < text.size() && written < size; i += 2)
        dest[written++] = pair_value(text[i], text[i + 1]);
    return written;
}

size_t hex_words(const std::string& text)
{
    size_t digits = 0;
    while (digits < text.size() && hex_digit(text[digits]) >= 0)
        ++digits;
    return digits / 4;
}

size_t epc_select_bytes(const std::string& text, uint8_t* dest, size_t size)
{
    if (size < 2)
        return 0;
    const size_t most = size - 1;
    std::vector<uint8_t> bytes;
    // A blank empties the collector but not the count, so "E 2" still
    // makes a byte, of its last character.
    std::string collector;
    int count = 0;
    for (char c : text) {
        if (c == ' ') {
            collector.clear();
            continue;
        }
        collector += c;
        if (++count == 2 && bytes.size() < most) {
            bytes.push_back(collector.size() == 2 ? pair_value(collector[0], collector[1])
                                                  : pair_value('0', collector[0]));
            collector.clear();
            count = 0;
        }
    }
    if (bytes.empty())
        return 0;
    dest[0] = static_cast<uint8_t>(bytes.size() - 1);
    for (size_t i = 0; i < bytes.size(); ++i)
        dest[i + 1] = bytes[i];
    return bytes.size();
}
