// The receive queue's wake-up: a consumer that sleeps while the reader is
// silent is woken by the first frame queued after it, once, and never
// misses one.
#include "sink_link.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <thread>

namespace {

const Bytes kResetReply = {0xA0, 0x04, 0x00, 0x70, 0x10, 0xDC};

// A reply frame whose two data bytes carry `n`.
Bytes Numbered(unsigned n)
{
    Bytes f = {0xA0, 0x05, 0x00, 0x72, static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n), 0};
    f[6] = static_cast<uint8_t>(FrameLink::CheckSun(f.data(), 6));
    return f;
}

TEST(ReceiveWake, OneWakeUpPerSleepNotOnePerFrame)
{
    SinkLink link;
    int wakes = 0;
    link.SetRxWake([&] { ++wakes; });
    // A new link counts as sleeping.
    link.Feed(kResetReply);
    EXPECT_EQ(wakes, 1);
    link.Feed(kResetReply);
    link.Feed(kResetReply);
    EXPECT_EQ(wakes, 1);
    EXPECT_EQ(link.TakeFrames().size(), 3u);

    EXPECT_TRUE(link.SleepRx());
    link.Feed(kResetReply);
    EXPECT_EQ(wakes, 2);
}

TEST(ReceiveWake, SleepIsRefusedWhileFramesWait)
{
    SinkLink link;
    int wakes = 0;
    link.SetRxWake([&] { ++wakes; });
    link.Feed(kResetReply);
    ASSERT_EQ(wakes, 1);
    EXPECT_FALSE(link.SleepRx());
    // Still awake: the next frame needs no wake-up.
    link.Feed(kResetReply);
    EXPECT_EQ(wakes, 1);
    EXPECT_EQ(link.TakeFrames().size(), 2u);
    EXPECT_TRUE(link.SleepRx());
}

// A reader that answers in short bursts and falls silent until everything
// it sent has been taken, against a consumer that drains, sleeps and is
// woken the way the data timer does: every burst's last frame is a chance to
// be left waiting behind a consumer that has just gone to sleep.
TEST(ReceiveWake, NoFrameIsLeftWaitingBehindASleepingConsumer)
{
    constexpr unsigned kBursts = 3000;
    SinkLink link;
    std::mutex lock;
    std::condition_variable woken_cv;
    bool woken = false;
    link.SetRxWake([&] {
        std::lock_guard<std::mutex> hold(lock);
        woken = true;
        woken_cv.notify_one();
    });
    std::atomic<unsigned> taken{0};
    std::atomic<bool> stranded{false};
    unsigned total = 0;
    for (unsigned b = 0; b < kBursts; ++b)
        total += 1 + b % 3;

    std::thread worker([&] {
        unsigned sent = 0;
        for (unsigned b = 0; b < kBursts && !stranded; ++b) {
            for (unsigned k = 0; k <= b % 3; ++k)
                link.Feed(Numbered(sent++));
            while (taken < sent && !stranded)
                std::this_thread::yield();
        }
    });

    unsigned next = 0;
    while (next < total && !stranded) {
        RXBUF f;
        while (link.rxbuf_qe.try_dequeue(f)) {
            ASSERT_EQ(f.RXBuff[4] * 256u + f.RXBuff[5], next);
            taken = ++next;
        }
        if (next == total || !link.SleepRx())
            continue;
        std::unique_lock<std::mutex> hold(lock);
        if (!woken_cv.wait_for(hold, std::chrono::seconds(20), [&] { return woken; }))
            stranded = true;
        woken = false;
    }
    worker.join();
    EXPECT_FALSE(stranded) << "asleep with frames waiting after frame " << next;
    EXPECT_EQ(next, total);
}

}  // namespace
