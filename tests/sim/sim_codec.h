// The simulated reader's own frame encoder and decoder. Written apart from
// the program's frame layer on purpose: a fault shared by both would hide.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace readersim {

struct SimFrame {
    uint8_t addr = 0;
    uint8_t cmd = 0;
    std::vector<uint8_t> data;
};

// The byte that makes the sum of a whole frame 0 modulo 256.
uint8_t FrameCheck(const uint8_t* bytes, size_t count);

// 0xA0, length, address, command, data, check. Data of more than 252 bytes
// does not fit the length byte: the result is then empty.
std::vector<uint8_t> EncodeFrame(uint8_t addr, uint8_t cmd, const std::vector<uint8_t>& data);

// Finds frames in a byte stream. Bytes before a header, and a header whose
// frame fails its check, are skipped one at a time, so a good frame that
// follows any amount of noise is still found.
class FrameDecoder {
public:
    std::vector<SimFrame> Push(const uint8_t* bytes, size_t count);
    // Bytes skipped so far.
    size_t Skipped() const { return skipped_; }
    void Reset();

private:
    std::vector<uint8_t> pending_;
    size_t skipped_ = 0;
};

}  // namespace readersim
