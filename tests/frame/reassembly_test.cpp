#include "sink_link.h"

#include <gtest/gtest.h>

namespace {

const Bytes kReset = {0xA0, 0x03, 0x00, 0x70, 0xED};
const Bytes kResetReply = {0xA0, 0x04, 0x00, 0x70, 0x10, 0xDC};
const Bytes kPower = {0xA0, 0x04, 0x00, 0x76, 0x1E, 0xC8};

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(CheckSun, IsMinusTheByteSumModulo256)
{
    EXPECT_EQ(0xED, FrameLink::CheckSun(kReset.data(), 4));
    EXPECT_EQ(0xC8, FrameLink::CheckSun(kPower.data(), 5));
    EXPECT_EQ(0, FrameLink::CheckSun(kReset.data(), 0));
    // High bytes count as negative values; the low byte comes out the same.
    const uint8_t high[] = {0xFF, 0xFF, 0x80};
    EXPECT_EQ((0x100 - (0xFF + 0xFF + 0x80) % 0x100) % 0x100, FrameLink::CheckSun(high, 3));
}

TEST(Reassembly, OneGoodFrameIsQueuedWhole)
{
    SinkLink link;
    link.Feed(kReset);
    bool clean = false;
    auto frames = link.TakeFrames(&clean);
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(kReset, frames[0]);
    EXPECT_TRUE(clean) << "a queued frame has zeros after it";
    EXPECT_EQ(0, link.Collected());
}

TEST(Reassembly, WrongCheckByteIsDroppedAndLeavesReceiverEmpty)
{
    SinkLink link;
    link.Feed({0xA0, 0x03, 0x00, 0x70, 0xEE});
    EXPECT_TRUE(link.TakeFrames().empty());
    EXPECT_EQ(0, link.Collected());
    for (uint8_t b : link.Collecting().RXBuff)
        ASSERT_EQ(0, b);
    // The receiver is ready for the next frame at once.
    link.Feed(kReset);
    EXPECT_EQ(1u, link.TakeFrames().size());
}

TEST(Reassembly, BackToBackFramesAreBothQueued)
{
    SinkLink link;
    link.Feed(Concat({kResetReply, kPower, kReset}));
    auto frames = link.TakeFrames();
    ASSERT_EQ(3u, frames.size());
    EXPECT_EQ(kResetReply, frames[0]);
    EXPECT_EQ(kPower, frames[1]);
    EXPECT_EQ(kReset, frames[2]);
}

TEST(Reassembly, LengthOver98IsNeverQueuedAndCollectingRestartsAtNextNonZeroByte)
{
    for (int len : {99, 100, 150, 255}) {
        SinkLink link;
        // A well-checked frame that announces more than 100 bytes.
        Bytes big = {0xA0, static_cast<uint8_t>(len), 0x00, 0x89};
        big.resize(static_cast<size_t>(len) + 1, 0x00);
        big.push_back(static_cast<uint8_t>(FrameLink::CheckSun(big.data(), len + 1)));
        link.Feed({0xA0, static_cast<uint8_t>(len), 0x00});
        // Header, length and the zero are kept until a non-zero byte comes.
        EXPECT_EQ(3, link.Collected()) << len;
        link.Feed({0x89});
        EXPECT_EQ(1, link.Collected()) << len;
        EXPECT_EQ(0x89, link.Collecting().RXBuff[0]);
        link.Feed(Bytes(big.begin() + 4, big.end()));
        EXPECT_TRUE(link.TakeFrames().empty()) << len;
    }
}

TEST(Reassembly, OverLongFrameOfZerosIsNeverQueued)
{
    // Nothing after the length byte resynchronises, so the collection
    // reaches the announced length with a correct check byte.
    for (int len : {99, 123, 253}) {
        SinkLink link;
        Bytes zeros = {0xA0, static_cast<uint8_t>(len)};
        zeros.resize(static_cast<size_t>(len) + 1, 0x00);
        zeros.push_back(static_cast<uint8_t>(FrameLink::CheckSun(zeros.data(), len + 1)));
        link.Feed(zeros);
        EXPECT_TRUE(link.TakeFrames().empty()) << len;
        link.Feed(Bytes(300, 0x00));
        link.Feed(kReset);
        EXPECT_EQ(1u, link.TakeFrames().size()) << len;
    }
}

TEST(Reassembly, LengthOf98IsTheLongestQueued)
{
    SinkLink link;
    Bytes f = {0xA0, 98, 0x00, 0x89};
    for (int i = 0; i < 95; ++i)
        f.push_back(static_cast<uint8_t>(i + 1));
    f.push_back(static_cast<uint8_t>(FrameLink::CheckSun(f.data(), 99)));
    ASSERT_EQ(100u, f.size());
    link.Feed(f);
    auto frames = link.TakeFrames();
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(f, frames[0]);
}

TEST(Reassembly, StrayByteInFrontIsDiscardedAtOnce)
{
    SinkLink link;
    link.Feed({0x55});
    EXPECT_EQ(0, link.Collected());
    link.Feed(kReset);
    auto frames = link.TakeFrames();
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(kReset, frames[0]);
}

TEST(Reassembly, HeaderAtPositionOneIsLostOnNextNonZeroByte)
{
    SinkLink link;
    // An over-long header leaves 0x55 0xA0 behind after resynchronising.
    link.Feed({0xA0, 0x63, 0x00, 0x55, 0xA0});
    ASSERT_EQ(2, link.Collected());
    EXPECT_EQ(0x55, link.Collecting().RXBuff[0]);
    EXPECT_EQ(0xA0, link.Collecting().RXBuff[1]);
    // The rest of the frame that 0xA0 began: its header goes with the 0x55.
    link.Feed({0x03});
    EXPECT_EQ(1, link.Collected());
    EXPECT_EQ(0x03, link.Collecting().RXBuff[0]);
    link.Feed({0x00, 0x70, 0xED});
    EXPECT_TRUE(link.TakeFrames().empty());
    // The frame after it gets through.
    link.Feed(kPower);
    auto frames = link.TakeFrames();
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(kPower, frames[0]);
}

TEST(Reassembly, DiscardMidFrameLetsTheNextFrameThrough)
{
    SinkLink link;
    link.Feed({0xA0, 0x04, 0x00});
    link.DiscardRxFrame();
    EXPECT_EQ(0, link.Collected());
    link.Feed(kPower);
    auto frames = link.TakeFrames();
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(kPower, frames[0]);
}

TEST(Reassembly, LongZeroRunNeverOverrunsTheBuffer)
{
    // Two non-zero bytes that never complete a frame, then zeros: nothing
    // resynchronises this away, so the collection is dropped when full.
    const Bytes starts[] = {
        {0xA0, 0xFF},                    // announces 257 bytes
        {0xA0, 0xFE},                    // announces 256 bytes
        {0xA0, 0x63, 0x00, 0x70, 0xED},  // leaves 70 ED after resynchronising
    };
    for (const Bytes& start : starts) {
        SinkLink link;
        link.Feed(start);
        ASSERT_EQ(2, link.Collected());
        link.Feed(Bytes(253, 0x00));
        EXPECT_EQ(255, link.Collected());
        link.Feed({0x00});
        EXPECT_EQ(0, link.Collected());
        for (uint8_t b : link.Collecting().RXBuff)
            ASSERT_EQ(0, b) << "the dropped collection left bytes behind";
        link.Feed(Bytes(300, 0x00));
        link.Feed(kReset);
        auto frames = link.TakeFrames();
        ASSERT_EQ(1u, frames.size()) << int(start[1]);
        EXPECT_EQ(kReset, frames[0]);
    }
}

TEST(Reassembly, ShortLengthFramesFollowTheSameCheck)
{
    // Len 1 carries only its check byte; it is checked like any other.
    SinkLink link;
    link.Feed({0xA0, 0x01, 0x5F});
    auto frames = link.TakeFrames();
    ASSERT_EQ(1u, frames.size());
    link.Feed({0xA0, 0x00});
    EXPECT_TRUE(link.TakeFrames().empty());
    EXPECT_EQ(0, link.Collected());
}

}  // namespace
