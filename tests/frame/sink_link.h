// A FrameLink whose link is a list of written frames, with the queue of
// received frames laid out for assertions.
#pragma once

#include "sdk_package/frame_link.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

using Bytes = std::vector<uint8_t>;

class SinkLink : public FrameLink {
public:
    explicit SinkLink(uint8_t addr = 0) : FrameLink(addr) {}

    using FrameLink::RFID_GbSeRead;
    using FrameLink::RFID_GbSeWrite;
    using FrameLink::SendFrame;
    using FrameLink::SendSaveParam;
    using FrameLink::SendTagWrite;
    using FrameLink::Set_Eight_Ant_power;
    using FrameLink::Set_Multi_Ant_power;
    using FrameLink::Set_Uart_BoundRate;
    using FrameLink::Switch_Ant_Inventory;
    using FrameLink::set_rs485_addr;

    bool ProtocolDataIsZero() const
    {
        for (uint8_t b : ProtocolData)
            if (b != 0)
                return false;
        return true;
    }
    uint8_t Collected() const { return num; }
    const RXBUF& Collecting() const { return rxbuf; }

    void Feed(const Bytes& bytes)
    {
        for (uint8_t b : bytes)
            FeedRxByte(b);
    }

    // Every queued frame, cut to its Len + 2 bytes. Fails the caller's
    // expectations through `tail_clean` when anything but zeros follows.
    std::vector<Bytes> TakeFrames(bool* tail_clean = nullptr)
    {
        std::vector<Bytes> out;
        RXBUF f;
        if (tail_clean)
            *tail_clean = true;
        while (rxbuf_qe.try_dequeue(f)) {
            const size_t n = static_cast<size_t>(f.RXBuff[1]) + 2;
            out.emplace_back(f.RXBuff, f.RXBuff + n);
            for (size_t i = n; i < sizeof f.RXBuff; ++i)
                if (f.RXBuff[i] != 0 && tail_clean)
                    *tail_clean = false;
        }
        return out;
    }

    std::vector<Bytes> Written()
    {
        std::lock_guard<std::mutex> lock(written_lock_);
        return written_;
    }
    size_t WrittenCount()
    {
        std::lock_guard<std::mutex> lock(written_lock_);
        return written_.size();
    }

protected:
    void WriteFrame(const uint8_t* frame, int count) override
    {
        std::lock_guard<std::mutex> lock(written_lock_);
        written_.emplace_back(frame, frame + count);
    }

private:
    std::mutex written_lock_;
    std::vector<Bytes> written_;
};
