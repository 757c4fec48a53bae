// Bytes written the way frames are read out: "A0 0E 00 81".
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline Bytes hex(const std::string& text)
{
    std::istringstream in(text);
    Bytes out;
    unsigned int byte = 0;
    while (in >> std::hex >> byte)
        out.push_back(static_cast<uint8_t>(byte));
    return out;
}
