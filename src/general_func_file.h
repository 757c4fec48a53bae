// RSSI from a tag report and exact arithmetic on decimal text.
// The inventory pages keep their read counters as decimal text so that a
// counter never overflows a fixed-width integer.
//
// Decimal text: ASCII digits, most significant first, no leading zeros,
// zero is "0" (the empty string also counts as zero). Mul and Div accept one
// leading "-" on a non-zero operand; Add and Sub take non-negative operands
// and Sub may return a leading "-".
//
// No operation validates its operands: a character other than a digit takes
// part in the arithmetic as its code minus '0'. Such operands give
// meaningless text, but every call returns and stays inside its strings.
//
// The class holds no state: any thread may call any operation.
#pragma once

#include <cstdint>
#include <string>

class general_func_file {
public:
    general_func_file() {}
    ~general_func_file() {}

    // data: the four received-signal bytes of a tag report (exactly four are
    // read, the caller guarantees them); len: the report's length value, the
    // divisor is (len - 3) as a byte, 0 taken as 1. Returns dBm, -90 to -1.
    int Calculate_Rssi(const char* data, uint8_t len);

    std::string Add(std::string a, std::string b);
    // a minus b; negative results carry a leading "-".
    std::string Sub(std::string a, std::string b);
    std::string Mul(std::string a, std::string b);
    // a / b cut (not rounded) to exactly six decimals, "-" in front when
    // exactly one operand is negative; for a zero divisor the text
    // "The divisor cannot be zero!" in place of a number.
    std::string Div(std::string a, std::string b);

    // Every character is '0'; true for the empty string.
    bool CheckZero(const std::string& s);
    bool CheckNegative(const std::string& s);
    // a < b for decimal text: the shorter is lower, equal lengths compare
    // character by character.
    bool Lower(std::string a, std::string b);
};
