#include "general_func_file.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

// Calibration of the RSSI line r = B * log10(q) + C, by gain row and column.
// Rows 0 to 2 carry B in place of C: they saturate to -30 for any signal.
const uint8_t para_B[5][8] = {
    {43, 43, 45, 49, 43, 43, 45, 49},
    {43, 43, 45, 49, 43, 43, 45, 49},
    {43, 43, 45, 49, 43, 43, 45, 49},
    {53, 53, 48, 43, 49, 45, 43, 43},
    {47, 47, 47, 47, 46, 43, 43, 43},
};

const int para_C[5][8] = {
    {43, 43, 45, 49, 43, 43, 45, 49},
    {43, 43, 45, 49, 43, 43, 45, 49},
    {43, 43, 45, 49, 43, 43, 45, 49},
    {-283, -283, -283, -283, -283, -283, -283, -283},
    {-303, -283, -253, -238, -304, -313, -280, -266},
};

const int kRows = 5;
const int kRssiFloor = -90;
const int kRssiCeiling = -30;

const char kDivisorZero[] = "The divisor cannot be zero!";
const size_t kDecimals = 6;

// Operands are not validated: any character counts as its code minus '0'.
int digitOf(char c) { return c - '0'; }

char charOf(int digit) { return static_cast<char>('0' + digit); }

// Removes one leading "-" from each operand; true when exactly one had it.
bool takeSigns(std::string& a, std::string& b)
{
    bool negative = false;
    for (std::string* s : {&a, &b}) {
        if (!s->empty() && (*s)[0] == '-') {
            s->erase(0, 1);
            negative = !negative;
        }
    }
    return negative;
}

} // namespace

int general_func_file::Calculate_Rssi(const char* data, uint8_t len)
{
    uint8_t divisor = static_cast<uint8_t>(len - 3);
    if (divisor == 0)
        divisor = 1;

    // Read as unsigned: a signed first byte would shift its sign into the
    // column and index far outside the tables.
    const uint8_t b0 = static_cast<uint8_t>(data[0]);
    const int column = b0 >> 5;
    const int row = (b0 >> 1) & 0x0F;
    // The field holds 0 to 15 but only five rows are calibrated.
    if (row >= kRows)
        return kRssiFloor;

    const uint32_t energy = (static_cast<uint32_t>(b0 & 0x01) << 24) |
                            (static_cast<uint32_t>(static_cast<uint8_t>(data[1])) << 16) |
                            (static_cast<uint32_t>(static_cast<uint8_t>(data[2])) << 8) |
                            static_cast<uint32_t>(static_cast<uint8_t>(data[3]));
    const uint32_t q = energy / divisor;
    // log10(0) is minus infinity, and turning that into an int is undefined.
    if (q == 0)
        return kRssiFloor;

    const float r = para_B[row][column] * std::log10(static_cast<float>(q)) + para_C[row][column];
    const int rssi = static_cast<int>(r); // toward zero: -33.95 gives -33
    if (rssi >= 0)
        return kRssiCeiling;
    if (rssi <= kRssiFloor)
        return kRssiFloor;
    return rssi;
}

bool general_func_file::CheckZero(const std::string& s)
{
    for (char c : s) {
        if (c != '0')
            return false;
    }
    return true;
}

bool general_func_file::CheckNegative(const std::string& s)
{
    return !s.empty() && s[0] == '-';
}

bool general_func_file::Lower(std::string a, std::string b)
{
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

std::string general_func_file::Add(std::string a, std::string b)
{
    const bool aZero = CheckZero(a);
    const bool bZero = CheckZero(b);
    if (aZero && bZero)
        return "0";
    if (aZero)
        return b;
    if (bZero)
        return a;

    std::string sum;
    size_t i = a.size();
    size_t j = b.size();
    int carry = 0;
    // Once both are used up the carry shrinks toward zero on every pass,
    // whatever characters the operands held.
    while (i > 0 || j > 0 || carry != 0) {
        if (i > 0)
            carry += digitOf(a[--i]);
        if (j > 0)
            carry += digitOf(b[--j]);
        sum.push_back(charOf(carry % 10));
        carry /= 10;
    }
    std::reverse(sum.begin(), sum.end());
    return sum;
}

std::string general_func_file::Sub(std::string a, std::string b)
{
    if (a == b || (CheckZero(a) && CheckZero(b)))
        return "0";
    if (CheckZero(a))
        return "-" + b;
    if (CheckZero(b))
        return a;

    bool negative = false;
    if (Lower(a, b)) {
        std::swap(a, b);
        negative = true;
    }

    std::string diff;
    size_t i = a.size();
    size_t j = b.size();
    int borrow = 0;
    while (i > 0 || j > 0) {
        int x = i > 0 ? digitOf(a[--i]) : 0;
        const int y = j > 0 ? digitOf(b[--j]) : 0;
        x -= borrow;
        if (x < y) {
            x += 10;
            borrow = 1;
        } else {
            borrow = 0;
        }
        diff.push_back(charOf(x - y));
    }
    // Keep one digit: texts of equal value but different spelling ("01",
    // "1") leave nothing but zeros.
    while (diff.size() > 1 && diff.back() == '0')
        diff.pop_back();
    if (negative && diff != "0")
        diff.push_back('-');
    std::reverse(diff.begin(), diff.end());
    return diff;
}

std::string general_func_file::Mul(std::string a, std::string b)
{
    if (CheckZero(a) || CheckZero(b))
        return "0";

    const bool negative = takeSigns(a, b);
    // The outer loop runs over the shorter operand.
    if (Lower(a, b))
        std::swap(a, b);

    std::string product;
    for (size_t k = 0; k < b.size(); ++k) {
        const int digit = digitOf(b[b.size() - 1 - k]);
        std::string partial(k, '0');
        int carry = 0;
        for (size_t i = a.size(); i > 0; --i) {
            carry += digit * digitOf(a[i - 1]);
            partial.push_back(charOf(carry % 10));
            carry /= 10;
        }
        if (carry != 0)
            partial.push_back(charOf(carry));
        std::reverse(partial.begin(), partial.end());
        product = Add(product, partial);
    }
    if (negative)
        product.insert(0, 1, '-');
    return product;
}

std::string general_func_file::Div(std::string a, std::string b)
{
    if (CheckZero(b))
        return kDivisorZero;
    if (CheckZero(a))
        return "0.000000";

    const bool negative = takeSigns(a, b);
    // "-" or "-0": nothing could ever be subtracted below.
    if (CheckZero(b))
        return kDivisorZero;

    // Long division of a times one million by b.
    a.append(kDecimals, '0');
    const size_t start = std::min(b.size() - 1, a.size());
    std::string remainder = a.substr(0, start);
    std::string quotient;
    for (size_t p = start; p < a.size(); ++p) {
        remainder.push_back(a[p]);
        int count = 0;
        // Decimal text never needs more than nine; the bound keeps any other
        // text from looping for ever.
        while (count < 9 && (Lower(b, remainder) || remainder == b)) {
            remainder = Sub(remainder, b);
            ++count;
        }
        // An empty remainder keeps the next digit free of a leading zero.
        if (remainder == "0")
            remainder.clear();
        quotient.push_back(charOf(count));
    }

    const size_t firstDigit = quotient.find_first_not_of('0');
    quotient.erase(0, firstDigit == std::string::npos ? quotient.size() : firstDigit);
    // Six digits or fewer: |a| < |b|, the whole part is 0.
    if (quotient.size() < kDecimals + 1)
        quotient.insert(0, kDecimals + 1 - quotient.size(), '0');
    quotient.insert(quotient.size() - kDecimals, 1, '.');
    if (negative)
        quotient.insert(0, 1, '-');
    return quotient;
}
