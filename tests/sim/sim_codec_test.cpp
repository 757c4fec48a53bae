// The simulator's codec against the program's frame layer: each must read
// what the other writes.
#include "sdk_package/frame_link.h"
#include "sim_codec.h"

#include <gtest/gtest.h>

#include <random>

using readersim::EncodeFrame;
using readersim::FrameDecoder;
using readersim::SimFrame;
using Bytes = std::vector<uint8_t>;

namespace {

class ProgramSide : public FrameLink {
public:
    ProgramSide() : FrameLink(0) {}
    using FrameLink::set_rs485_addr;
    using FrameLink::SendTagWrite;
    std::vector<Bytes> written;

    std::vector<Bytes> Receive(const Bytes& bytes)
    {
        for (uint8_t b : bytes)
            FeedRxByte(b);
        std::vector<Bytes> out;
        RXBUF f;
        while (rxbuf_qe.try_dequeue(f))
            out.emplace_back(f.RXBuff, f.RXBuff + f.RXBuff[1] + 2);
        return out;
    }

protected:
    void WriteFrame(const uint8_t* frame, int count) override
    {
        written.emplace_back(frame, frame + count);
    }
};

TEST(SimCodec, ChecksAgreeWithTheProgram)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        Bytes b(rng() % 64);
        for (auto& x : b)
            x = static_cast<uint8_t>(rng());
        EXPECT_EQ(FrameLink::CheckSun(b.data(), static_cast<int>(b.size())),
                  readersim::FrameCheck(b.data(), b.size()));
    }
}

TEST(SimCodec, ProgramReceivesWhatTheSimulatorEncodes)
{
    std::mt19937 rng(11);
    ProgramSide program;
    for (size_t n = 0; n <= 95; ++n) {
        Bytes data(n);
        for (auto& x : data)
            x = static_cast<uint8_t>(rng());
        const Bytes frame = EncodeFrame(static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()), data);
        ASSERT_EQ(n + 5, frame.size());
        auto got = program.Receive(frame);
        ASSERT_EQ(1u, got.size()) << n;
        EXPECT_EQ(frame, got[0]);
    }
}

TEST(SimCodec, SimulatorDecodesWhatTheProgramBuilds)
{
    ProgramSide program;
    program.set_rs485_addr(3);
    const uint8_t data[64] = {1, 2, 3, 4, 5, 6, 7, 8};
    program.Restart_Reader();
    program.Set_Ant_power(30);
    program.Set_Frequece(900000, 500, 10);
    program.RFID_Read(1, 0x01020304, 6, 0xCAFEF00D);
    program.SendTagWrite(0x82, 3, 2, 32, data, sizeof data, 0);  // 80 bytes, beyond 100-byte replies
    std::vector<uint8_t> upgrade(200, 0x5A);
    program.Reader_App_Upgrade(1, 0, upgrade.data(), 200);
    ASSERT_EQ(6u, program.written.size());

    FrameDecoder decoder;
    std::vector<SimFrame> frames;
    for (const Bytes& w : program.written) {
        auto f = decoder.Push(w.data(), w.size());
        frames.insert(frames.end(), f.begin(), f.end());
    }
    ASSERT_EQ(6u, frames.size());
    for (size_t i = 0; i < frames.size(); ++i) {
        const Bytes& w = program.written[i];
        EXPECT_EQ(3, frames[i].addr);
        EXPECT_EQ(w[3], frames[i].cmd);
        EXPECT_EQ(Bytes(w.begin() + 4, w.end() - 1), frames[i].data);
    }
    EXPECT_EQ((Bytes{0x04, 0x01, 0xF4, 0x0A, 0x0D, 0xBB, 0xA0}), frames[2].data);
    EXPECT_EQ(0u, decoder.Skipped());
}

TEST(SimCodec, DecoderFindsFramesThroughNoiseBadChecksAndSplits)
{
    const Bytes reset = EncodeFrame(0, 0x70, {});
    Bytes bad = EncodeFrame(0, 0x76, {30});
    bad.back() ^= 0x01;
    Bytes stream = {0x55, 0xA0, 0x00};
    stream.insert(stream.end(), bad.begin(), bad.end());
    stream.insert(stream.end(), reset.begin(), reset.end());
    stream.insert(stream.end(), {0xA0, 0x01});
    stream.insert(stream.end(), reset.begin(), reset.end());

    FrameDecoder whole;
    auto all = whole.Push(stream.data(), stream.size());
    ASSERT_EQ(2u, all.size());
    EXPECT_EQ(0x70, all[0].cmd);
    EXPECT_EQ(0x70, all[1].cmd);

    FrameDecoder bytewise;
    size_t found = 0;
    for (uint8_t b : stream)
        found += bytewise.Push(&b, 1).size();
    EXPECT_EQ(2u, found);
}

TEST(SimCodec, EncoderRefusesDataBeyondTheLengthByte)
{
    EXPECT_EQ(257u, EncodeFrame(0, 0x89, Bytes(252)).size());
    EXPECT_TRUE(EncodeFrame(0, 0x89, Bytes(253)).empty());
}

}  // namespace
