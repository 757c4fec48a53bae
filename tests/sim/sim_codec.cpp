#include "sim_codec.h"

#include <algorithm>

namespace readersim {

namespace {
constexpr uint8_t kHead = 0xA0;
}

uint8_t FrameCheck(const uint8_t* bytes, size_t count)
{
    unsigned sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum = (sum + bytes[i]) % 256;
    return static_cast<uint8_t>((256 - sum) % 256);
}

std::vector<uint8_t> EncodeFrame(uint8_t addr, uint8_t cmd, const std::vector<uint8_t>& data)
{
    if (data.size() > 252)
        return {};
    std::vector<uint8_t> out;
    out.reserve(data.size() + 5);
    out.push_back(kHead);
    out.push_back(static_cast<uint8_t>(data.size() + 3));
    out.push_back(addr);
    out.push_back(cmd);
    for (uint8_t b : data)
        out.push_back(b);
    out.push_back(FrameCheck(out.data(), out.size()));
    return out;
}

std::vector<SimFrame> FrameDecoder::Push(const uint8_t* bytes, size_t count)
{
    pending_.insert(pending_.end(), bytes, bytes + count);
    std::vector<SimFrame> found;
    size_t at = 0;
    while (at < pending_.size()) {
        if (pending_[at] != kHead) {
            ++at;
            ++skipped_;
            continue;
        }
        if (pending_.size() - at < 2)
            break;
        const size_t len = pending_[at + 1];
        if (len < 3) {  // no room for address, command and check
            ++at;
            ++skipped_;
            continue;
        }
        if (pending_.size() - at < len + 2)
            break;
        unsigned sum = 0;
        for (size_t i = 0; i < len + 2; ++i)
            sum += pending_[at + i];
        if (sum % 256 != 0) {
            ++at;
            ++skipped_;
            continue;
        }
        SimFrame f;
        f.addr = pending_[at + 2];
        f.cmd = pending_[at + 3];
        f.data.assign(pending_.begin() + static_cast<long>(at + 4),
                      pending_.begin() + static_cast<long>(at + len + 1));
        found.push_back(std::move(f));
        at += len + 2;
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(at));
    return found;
}

void FrameDecoder::Reset()
{
    pending_.clear();
}

}  // namespace readersim
