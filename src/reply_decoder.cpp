#include "reply_decoder.h"

namespace reply {

namespace {

constexpr uint8_t kSuccess = 0x10;

// The reset reply, also the end of each link's connect check.
Outcome reset(const Reply& r)
{
    Outcome out;
    out.handled = true;
    out.clear_timeout = true;
    out.lines.push_back({r.status() == kSuccess ? "复位成功！" : "复位失败!", true});
    return out;
}

}  // namespace

Reply view(const uint8_t* frame, size_t frame_size)
{
    Reply r;
    if (frame_size < 4)
        return r;
    r.cmd = frame[3];
    r.len_byte = frame[1];
    r.data = frame + 4;
    const size_t announced = r.len_byte >= 3 ? r.len_byte - 3u : 0;
    r.size = announced < frame_size - 4 ? announced : frame_size - 4;
    return r;
}

Outcome decode(const Reply& r)
{
    switch (r.cmd) {
    case 0x70:
        return reset(r);
    default:
        return Outcome();
    }
}

}  // namespace reply
