// Fuzz target for the frame layer. Two properties:
//  1. Whatever bytes arrive, every queued frame starts with 0xA0, has a
//     length byte of at most 98, a correct check byte and zeros after it.
//     Each such frame goes through the reply decoder, which reads nothing
//     past it.
//  2. A frame made by a builder comes back whole through the reassembly
//     when it is short enough to be received at all, and never otherwise.
#include "reply_decoder.h"
#include "sdk_package/frame_link.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr size_t kMaxInput = 4096;

class ByteSink : public FrameLink {
public:
    ByteSink() : FrameLink(0) {}
    using FrameLink::RFID_GbSeRead;
    using FrameLink::RFID_GbSeWrite;
    using FrameLink::SendTagWrite;
    using FrameLink::Set_Eight_Ant_power;
    using FrameLink::Set_Multi_Ant_power;
    using FrameLink::Set_Uart_BoundRate;
    using FrameLink::Switch_Ant_Inventory;
    using FrameLink::set_rs485_addr;

    std::vector<std::vector<uint8_t>> written;

protected:
    void WriteFrame(const uint8_t* frame, int count) override
    {
        written.emplace_back(frame, frame + count);
    }
};

void Require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "frame property broken: %s\n", what);
        std::abort();
    }
}

void CheckQueued(FrameLink& link, std::vector<std::vector<uint8_t>>* out)
{
    RXBUF f;
    while (link.rxbuf_qe.try_dequeue(f)) {
        const uint8_t* b = f.RXBuff;
        Require(b[0] == FrameLink::kHeader, "queued frame without header");
        const int len = b[1];
        Require(len + 2 <= FrameLink::kMaxRecvFrame, "queued frame longer than 100 bytes");
        Require(static_cast<uint8_t>(FrameLink::CheckSun(b, len + 1)) == b[len + 1],
                "queued frame with a wrong check byte");
        for (size_t i = static_cast<size_t>(len) + 2; i < sizeof f.RXBuff; ++i)
            Require(b[i] == 0, "queued frame with bytes after its end");
        // The decoder gets exactly the frame's bytes, so reading past them
        // is caught.
        const std::vector<uint8_t> frame(b, b + len + 2);
        (void)reply::decode(reply::view(frame.data(), frame.size()));
        if (out)
            out->emplace_back(b, b + len + 2);
    }
}

// Hands out parameters from the input; zeros once it runs dry.
class Params {
public:
    Params(const uint8_t* p, size_t n) : p_(p), n_(n) {}
    uint8_t u8() { return i_ < n_ ? p_[i_++] : 0; }
    uint16_t u16() { return static_cast<uint16_t>(u8() << 8 | u8()); }
    uint32_t u32() { return static_cast<uint32_t>(u16()) << 16 | u16(); }
    // The rest of the input in a buffer of exactly its size, so that a
    // builder reading past the size it was given trips the sanitizer.
    std::unique_ptr<uint8_t[]> Rest(size_t* size)
    {
        *size = n_ - i_;
        std::unique_ptr<uint8_t[]> buf(new uint8_t[*size ? *size : 1]);
        if (*size)
            std::memcpy(buf.get(), p_ + i_, *size);
        i_ = n_;
        return buf;
    }

private:
    const uint8_t* p_;
    size_t n_;
    size_t i_ = 0;
};

void Build(ByteSink& l, Params& in)
{
    const uint8_t which = in.u8();
    l.set_rs485_addr(in.u8());
    size_t size = 0;
    switch (which % 24) {
    case 0: l.Restart_Reader(); break;
    case 1: l.Set_Ant_power(in.u8()); break;
    case 2: l.Set_Frequece(in.u32(), in.u16(), in.u8()); break;
    case 3: l.Set_Frequece_Standard(in.u8(), in.u8(), in.u8()); break;
    case 4: l.Set_Gpio_Value(in.u8(), in.u8()); break;
    case 5: l.Set_RF_Link(in.u8()); break;
    case 6: l.RFID_Read(in.u8(), in.u32(), in.u16(), in.u32()); break;
    case 7: {
        uint8_t area = in.u8(); uint32_t addr = in.u32(); uint16_t len = in.u16() % 160;
        uint32_t pwd = in.u32(); uint8_t code = in.u8() & 1 ? 0x82 : 0x94;
        auto data = in.Rest(&size);
        l.SendTagWrite(code, area, addr, len, data.get(), size, pwd);
        break;
    }
    case 8: l.RFID_Lock(in.u8(), in.u8(), in.u32()); break;
    case 9: l.RFID_Kill(in.u32()); break;
    case 10: {
        uint8_t mode = in.u8() & 1;
        auto epc = in.Rest(&size);
        l.Set_Epc_Match(mode, epc.get(), size);
        break;
    }
    case 11: {
        uint8_t n = in.u8() % 10, ant[8], stay[8];
        for (int i = 0; i < 8; ++i) { ant[i] = in.u8(); stay[i] = in.u8(); }
        l.Switch_Ant_Inventory(n, ant, stay, in.u8(), in.u8(), in.u8(), in.u8());
        break;
    }
    case 12: l.Custom_Inventory(in.u8(), in.u8(), in.u8(), in.u8()); break;
    case 13: l.Custom_Session_Inventory(in.u8(), in.u8(), in.u8()); break;
    case 14: {
        uint8_t key[16];
        for (uint8_t& k : key) k = in.u8();
        l.RFID_GbDoubleIdentify(key);
        break;
    }
    case 15: l.RFID_GbRead(in.u8(), in.u16(), in.u16(), in.u32()); break;
    case 16: l.RFID_GbSeRead(in.u8(), in.u16(), in.u16(), in.u32()); break;
    case 17: {
        uint8_t area = in.u8(); uint16_t addr = in.u16(); uint16_t len = in.u16() % 160;
        uint32_t pwd = in.u32(); bool secure = in.u8() & 1;
        auto data = in.Rest(&size);
        if (secure) l.RFID_GbSeWrite(area, addr, len, data.get(), size, pwd);
        else l.RFID_GbWrite(area, addr, len, data.get(), size, pwd);
        break;
    }
    case 18: l.RFID_GbLock(in.u8(), in.u8(), in.u32()); break;
    case 19: {
        uint32_t packet = in.u32(); uint8_t status = in.u8(); bool app = in.u8() & 1;
        auto data = in.Rest(&size);
        uint16_t n = static_cast<uint16_t>(size > 0xFFFF ? 0xFFFF : size);
        if (app) l.Reader_App_Upgrade(packet, status, data.get(), n);
        else l.Baseband_Firmware_Upgrade(packet, status, data.get(), n);
        break;
    }
    case 20: {
        uint8_t len = in.u8();
        auto data = in.Rest(&size);
        l.Uart_Moniter_Send(data.get(), size, len);
        break;
    }
    case 21: l.Set_Multi_Ant_power(in.u8(), in.u8(), in.u8(), in.u8()); break;
    case 22:
        l.Set_Eight_Ant_power(in.u8(), in.u8(), in.u8(), in.u8(), in.u8(), in.u8(), in.u8(),
                              in.u8());
        break;
    default: l.Set_Uart_BoundRate(in.u8()); break;
    }
}

// Links are made once (each queue preallocates its blocks) and brought back
// to their empty state for every input, so a run does not depend on the
// inputs before it.
ByteSink& Fresh(ByteSink& link)
{
    link.DiscardRxFrame();
    RXBUF f;
    while (link.rxbuf_qe.try_dequeue(f)) {
    }
    link.written.clear();
    return link;
}

void CheckBuiltFrames(const uint8_t* data, size_t size)
{
    static ByteSink* tx_link = new ByteSink;
    static ByteSink* rx_link = new ByteSink;
    ByteSink& tx = Fresh(*tx_link);
    Params in(data, size);
    Build(tx, in);
    for (const auto& frame : tx.written) {
        Require(frame.size() >= 5 && frame.size() <= 253, "built frame of impossible size");
        Require(frame[1] + 2u == frame.size(), "built frame's length byte is wrong");
        ByteSink& rx = Fresh(*rx_link);
        for (uint8_t b : frame)
            rx.FeedRxByte(b);
        std::vector<std::vector<uint8_t>> got;
        CheckQueued(rx, &got);
        if (frame.size() <= static_cast<size_t>(FrameLink::kMaxRecvFrame)) {
            Require(got.size() == 1 && got[0] == frame, "built frame did not come back whole");
        } else {
            // Resynchronising may find a frame inside its data, never the
            // frame itself.
            for (const auto& g : got)
                Require(g != frame, "over-long built frame was received");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > kMaxInput)
        return 0;
    std::unique_ptr<uint8_t[]> input(new uint8_t[size]);
    std::memcpy(input.get(), data, size);

    static ByteSink* stream_link = new ByteSink;
    ByteSink& link = Fresh(*stream_link);
    for (size_t i = 0; i < size; ++i) {
        link.FeedRxByte(input[i]);
        if (i % 64 == 63)
            CheckQueued(link, nullptr);
    }
    CheckQueued(link, nullptr);

    CheckBuiltFrames(input.get(), size);
    return 0;
}
