// Throughput of the reassembly (bytes fed from memory) and of framing.
#include "sdk_package/frame_link.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

class NullLink : public FrameLink {
public:
    NullLink() : FrameLink(0) {}
    size_t bytes_out = 0;
    using FrameLink::SendTagWrite;

protected:
    void WriteFrame(const uint8_t*, int count) override { bytes_out += static_cast<size_t>(count); }
};

std::vector<uint8_t> Frame(uint8_t cmd, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> f(data.size() + 4);
    f[0] = 0xA0;
    f[1] = static_cast<uint8_t>(data.size() + 3);
    f[2] = 0x00;
    f[3] = cmd;
    std::copy(data.begin(), data.end(), f.begin() + 4);
    f.push_back(static_cast<uint8_t>(FrameLink::CheckSun(f.data(), static_cast<int>(f.size()))));
    return f;
}

// Real-time inventory reports (12-byte EPCs) with a status reply now and
// then: what a reader sends during an inventory.
std::vector<uint8_t> GoodStream(size_t target)
{
    std::vector<uint8_t> s;
    std::mt19937 rng(1);
    for (uint32_t n = 0; s.size() < target; ++n) {
        std::vector<uint8_t> data = {static_cast<uint8_t>(1 + n % 4), 0x30, 0x00};
        for (int i = 0; i < 12; ++i)
            data.push_back(static_cast<uint8_t>(rng()));
        data.insert(data.end(), {0x08, 0x0F, 0x42, 0x40, 0x0D, 0xBB, 0xA0});
        auto f = Frame(0x89, data);
        s.insert(s.end(), f.begin(), f.end());
        if (n % 50 == 49) {
            auto end = Frame(0x89, {0x10});
            s.insert(s.end(), end.begin(), end.end());
        }
    }
    return s;
}

// The same with a burst of line noise after every tenth frame.
std::vector<uint8_t> NoisyStream(size_t target)
{
    std::vector<uint8_t> good = GoodStream(target), s;
    std::mt19937 rng(2);
    size_t frames = 0;
    for (size_t i = 0; i < good.size();) {
        size_t n = static_cast<size_t>(good[i + 1]) + 2;
        s.insert(s.end(), good.begin() + static_cast<long>(i), good.begin() + static_cast<long>(i + n));
        i += n;
        if (++frames % 10 == 0)
            for (int k = 0; k < 8; ++k)
                s.push_back(static_cast<uint8_t>(rng()));
    }
    return s;
}

void Reassemble(benchmark::State& state, const std::vector<uint8_t>& stream)
{
    NullLink link;
    RXBUF drained[64];
    size_t frames = 0;
    for (auto _ : state) {
        for (uint8_t b : stream) {
            link.FeedRxByte(b);
        }
        // Drain as the controller's data timer would, so the queue stays small.
        size_t got;
        while ((got = link.rxbuf_qe.try_dequeue_bulk(drained, 64)) != 0)
            frames += got;
        benchmark::DoNotOptimize(drained[0].RXBuff[0]);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
    state.counters["frames"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

void BM_ReassembleGoodStream(benchmark::State& state)
{
    static const std::vector<uint8_t> stream = GoodStream(64 * 1024);
    Reassemble(state, stream);
}
BENCHMARK(BM_ReassembleGoodStream);

void BM_ReassembleNoisyStream(benchmark::State& state)
{
    static const std::vector<uint8_t> stream = NoisyStream(64 * 1024);
    Reassemble(state, stream);
}
BENCHMARK(BM_ReassembleNoisyStream);

void BM_FrameSetPower(benchmark::State& state)
{
    NullLink link;
    for (auto _ : state)
        link.Set_Ant_power(30);
    state.SetBytesProcessed(static_cast<int64_t>(link.bytes_out));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameSetPower);

void BM_FrameTagRead(benchmark::State& state)
{
    NullLink link;
    for (auto _ : state)
        link.RFID_Read(1, 2, 6, 0x11223344);
    state.SetBytesProcessed(static_cast<int64_t>(link.bytes_out));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameTagRead);

void BM_FrameTagWrite32Words(benchmark::State& state)
{
    NullLink link;
    std::vector<uint8_t> data(64, 0x5A);
    for (auto _ : state)
        link.SendTagWrite(0x82, 3, 2, 32, data.data(), data.size(), 0);
    state.SetBytesProcessed(static_cast<int64_t>(link.bytes_out));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameTagWrite32Words);

}  // namespace
