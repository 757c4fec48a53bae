#include "sdk_package/frame_link.h"

#include <cstring>

FrameLink::FrameLink(uint8_t reader_addr, int max_send_len)
    : rxbuf_qe(1024), ReaderAddr(reader_addr), max_send_len(max_send_len), num(0)
{
    std::memset(ProtocolData, 0, sizeof ProtocolData);
    std::memset(TxData, 0, sizeof TxData);
    std::memset(rxbuf.RXBuff, 0, sizeof rxbuf.RXBuff);
}

FrameLink::~FrameLink() = default;

int FrameLink::CheckSun(const uint8_t* buffer, int length)
{
    // The reader adds the bytes as signed values; only the low byte is ever
    // compared, and it comes out the same either way.
    uint32_t sum = 0;
    for (int i = 0; i < length; ++i)
        sum += static_cast<uint32_t>(static_cast<int8_t>(buffer[i]));
    return static_cast<int>((0u - sum) & 0xFFu);
}

void FrameLink::GetTxData(uint8_t* dest)
{
    std::lock_guard<std::mutex> lock(send_lock);
    std::memcpy(dest, TxData, sizeof TxData);
}

void FrameLink::SendFrame(uint8_t cmd, int len)
{
    std::lock_guard<std::mutex> lock(send_lock);
    SendFrameLocked(cmd, len);
}

void FrameLink::SendFrameLocked(uint8_t cmd, int len)
{
    if (len < 3 || len > max_send_len) {
        std::memset(ProtocolData, 0, sizeof ProtocolData);
        return;
    }
    uint8_t work[255] = {};
    work[0] = kHeader;
    work[1] = static_cast<uint8_t>(len);
    work[2] = ReaderAddr;
    work[3] = cmd;
    std::memcpy(work + 4, ProtocolData, static_cast<size_t>(len - 3));
    // The check byte and the two after it are still 0 here.
    work[len + 1] = static_cast<uint8_t>(CheckSun(work, len + 4));
    std::memcpy(TxData, work, sizeof work);
    WriteFrame(work, len + 2);
    std::memset(ProtocolData, 0, sizeof ProtocolData);
}

bool FrameLink::SleepRx()
{
    rx_sleeping.store(true);
    // Pairs with the fence in QueueRxFrame: either the worker sees the flag
    // after its frame is queued, or this check sees the frame.
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if (rxbuf_qe.size_approx() == 0)
        return true;
    // A worker that took the flag first has already sent its wake-up, which
    // then finds the consumer awake: harmless.
    rx_sleeping.store(false);
    return false;
}

void FrameLink::QueueRxFrame(const RXBUF& frame)
{
    rxbuf_qe.enqueue(frame);
    std::atomic_thread_fence(std::memory_order_seq_cst);
    // One wake-up per sleep, not one per frame.
    if (rx_sleeping.load(std::memory_order_relaxed) && rx_sleeping.exchange(false) && rx_wake)
        rx_wake();
}

void FrameLink::set_rs485_addr(uint8_t addr)
{
    std::lock_guard<std::mutex> lock(send_lock);
    ReaderAddr = addr;
}

void FrameLink::DiscardRxFrame()
{
    // Everything at or beyond num is already 0.
    std::memset(rxbuf.RXBuff, 0, num);
    num = 0;
}

void FrameLink::FeedRxByte(uint8_t byte)
{
    uint8_t* b = rxbuf.RXBuff;
    // A run of zero bytes after two non-zero bytes that are no header is
    // never resynchronised away; drop it before it fills the buffer.
    if (num >= sizeof rxbuf.RXBuff)
        DiscardRxFrame();
    const uint8_t at = num;
    // Header and length byte as they stand once this byte is in; taken
    // before the store so the hot path does not wait on it.
    const uint8_t head = at == 0 ? byte : b[0];
    const uint8_t len = at == 1 ? byte : b[1];
    rxbuf.RXBuff[at] = byte;
    num = static_cast<uint8_t>(at + 1);

    // A header announcing more than kMaxRecvFrame never completes, even when
    // the zeros it collects reach its length.
    const int expected = len + 2;
    if (head == kHeader && expected <= kMaxRecvFrame) {
        if (num < expected)
            return;
        if (static_cast<uint8_t>(CheckSun(b, len + 1)) == b[len + 1])
            QueueRxFrame(rxbuf);
        DiscardRxFrame();
        return;
    }

    // Resynchronise: drop the first two bytes and the zeros behind them.
    // Deliberately lossy: an 0xA0 standing at position 1 goes with them.
    if (get_head_num(num) > 1) {
        uint8_t p = get_head_position(num, 2);
        if (p != 0)
            remove_err_data(p, num);
    } else {
        DiscardRxFrame();
    }
}

uint8_t FrameLink::get_head_num(uint8_t count) const
{
    uint8_t n = 0;
    for (int i = 0; i < count; ++i)
        if (rxbuf.RXBuff[i] != 0)
            ++n;
    return n;
}

uint8_t FrameLink::get_head_position(uint8_t count, uint8_t first) const
{
    for (int i = first; i < count; ++i)
        if (rxbuf.RXBuff[i] != 0)
            return static_cast<uint8_t>(i);
    return 0;
}

void FrameLink::remove_err_data(uint8_t p, uint8_t count)
{
    if (p == 0 || p > count)
        return;
    uint8_t* b = rxbuf.RXBuff;
    const int kept = count - p;
    std::memmove(b, b + p, static_cast<size_t>(kept));
    std::memset(b + kept, 0, p);
    num = static_cast<uint8_t>(num - p);
}
