// The receive queue's wake-up: a consumer that sleeps while the reader is
// silent is woken by the first frame queued after it, once per sleep, and
// is refused sleep while frames wait.
#include "sink_link.h"

#include <gtest/gtest.h>

namespace {

const Bytes kResetReply = {0xA0, 0x04, 0x00, 0x70, 0x10, 0xDC};

TEST(ReceiveWake, OneWakeUpPerSleepAndNoSleepWhileFramesWait)
{
    SinkLink link;
    int wakes = 0;
    link.SetRxWake([&] { ++wakes; });
    // A new link counts as sleeping.
    link.Feed(kResetReply);
    EXPECT_EQ(wakes, 1);
    link.Feed(kResetReply);
    EXPECT_EQ(wakes, 1);

    // Frames wait: no sleep, and the consumer stays awake.
    EXPECT_FALSE(link.SleepRx());
    link.Feed(kResetReply);
    EXPECT_EQ(wakes, 1);
    EXPECT_EQ(link.TakeFrames().size(), 3u);

    EXPECT_TRUE(link.SleepRx());
    link.Feed(kResetReply);
    link.Feed(kResetReply);
    EXPECT_EQ(wakes, 2);
}

}  // namespace
