#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

#include "platform/platform.h"
#include "pty_pair.h"

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// The kernel's "speed in c_ispeed/c_ospeed" code, absent from glibc.
constexpr std::uint32_t kBother = 0010000;

}  // namespace

// ------------------------------------------------------------ line settings

TEST(LineSettings, RawLineCarriesTheAskedFormat) {
    struct Case {
        platform::LineFormat format;
        std::uint32_t size;
        std::uint32_t parity;  // PARENB, PARODD, CMSPAR bits
        bool two_stops;
    };
    const Case cases[] = {
        {{9600, 8, 'N', 1}, CS8, 0, false},
        {{14400, 7, 'E', 1}, CS7, PARENB, false},
        {{76800, 6, 'O', 2}, CS6, PARENB | PARODD, true},
        {{128000, 5, 'M', 1}, CS5, PARENB | PARODD | CMSPAR, false},
        {{256000, 8, 'S', 2}, CS8, PARENB | CMSPAR, true},
        {{115200, 8, 'x', 1}, CS8, 0, false},  // unknown parity: none
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format.baud);
        platform::LineAttributes attr;
        // What a port may bring along: cooked mode, flow control, a B38400 rate.
        attr.iflag = ICRNL | IXON | IXOFF | INPCK | ISTRIP;
        attr.oflag = OPOST | ONLCR;
        attr.lflag = ICANON | ECHO | ISIG | IEXTEN;
        attr.cflag = CS7 | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL | B38400;
        attr.line = 0;
        ASSERT_TRUE(platform::MakeRawLine(attr, c.format));
        EXPECT_EQ(attr.cflag & CSIZE, c.size);
        EXPECT_EQ(attr.cflag & (PARENB | PARODD | CMSPAR), c.parity);
        EXPECT_EQ((attr.cflag & CSTOPB) != 0, c.two_stops);
        EXPECT_EQ(attr.cflag & (CLOCAL | CREAD), static_cast<std::uint32_t>(CLOCAL | CREAD));
        EXPECT_EQ(attr.cflag & CRTSCTS, 0u);
        EXPECT_EQ(attr.cflag & HUPCL, static_cast<std::uint32_t>(HUPCL));  // left as it was
        EXPECT_EQ(attr.cflag & CBAUD, kBother);
        EXPECT_EQ((attr.cflag >> 16) & CBAUD, kBother);  // input rate the same
        EXPECT_EQ(attr.ispeed, static_cast<std::uint32_t>(c.format.baud));
        EXPECT_EQ(attr.ospeed, static_cast<std::uint32_t>(c.format.baud));
        EXPECT_EQ(attr.iflag, 0u);
        EXPECT_EQ(attr.oflag & OPOST, 0u);
        EXPECT_EQ(attr.lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
        EXPECT_EQ(attr.cc[VMIN], 0);
        EXPECT_EQ(attr.cc[VTIME], 0);
    }
}

TEST(LineSettings, FormatsWithoutATerminalFormAreRefusedUntouched) {
    const platform::LineFormat bad[] = {
        {0, 8, 'N', 1}, {-9600, 8, 'N', 1}, {9600, 4, 'N', 1}, {9600, 9, 'N', 1},
        {static_cast<long>(sizeof(long) > 4 ? 0x100000000LL : -1), 8, 'N', 1},
    };
    for (const platform::LineFormat& format : bad) {
        platform::LineAttributes attr;
        attr.cflag = CS7 | B9600;
        attr.lflag = ICANON;
        attr.ispeed = attr.ospeed = 9600;
        EXPECT_FALSE(platform::MakeRawLine(attr, format)) << format.baud << " " << format.data_bits;
        EXPECT_EQ(attr.cflag, static_cast<std::uint32_t>(CS7 | B9600));
        EXPECT_EQ(attr.lflag, static_cast<std::uint32_t>(ICANON));
    }
}

TEST(LineSettings, ArbitraryRatesSurviveARoundTripOnATerminal) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    for (long baud : {14400L, 76800L, 128000L, 256000L, 9600L}) {
        platform::LineAttributes attr;
        ASSERT_TRUE(platform::GetLineAttributes(pty.slave(), attr));
        ASSERT_TRUE(platform::MakeRawLine(attr, {baud, 8, 'N', 1}));
        ASSERT_TRUE(platform::SetLineAttributes(pty.slave(), attr));
        platform::LineAttributes back;
        ASSERT_TRUE(platform::GetLineAttributes(pty.slave(), back));
        EXPECT_EQ(back.ispeed, static_cast<std::uint32_t>(baud));
        EXPECT_EQ(back.ospeed, static_cast<std::uint32_t>(baud));
    }
}

TEST(LineSettings, ANonTerminalHasNoLineSettings) {
    TempDir dir;
    std::ofstream(dir.file("PLAIN")) << "x";
    int fd = open(dir.file("PLAIN").c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    platform::LineAttributes attr;
    EXPECT_FALSE(platform::GetLineAttributes(fd, attr));
    EXPECT_FALSE(platform::PurgePort(fd, true, true));
    close(fd);
}

// ------------------------------------------------------------ open and lock

TEST(PortIo, ExclusiveOpenKeepsOthersOutUntilClosed) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    int first = platform::OpenPortExclusive(pty.link());
    ASSERT_GE(first, 0);
    int excl = 0;
    ASSERT_EQ(ioctl(pty.slave(), TIOCGEXCL, &excl), 0);
    EXPECT_NE(excl, 0);

    EXPECT_EQ(platform::OpenPortExclusive(pty.link()), -1);
    EXPECT_EQ(errno, EBUSY);
    EXPECT_EQ(platform::OpenPortExclusive(pty.slave_name()), -1);  // same device, other name

    platform::ClosePort(first);
    // The terminal outlives our descriptor (the test holds the slave): the
    // exclusive flag must not.
    ASSERT_EQ(ioctl(pty.slave(), TIOCGEXCL, &excl), 0);
    EXPECT_EQ(excl, 0);
    int again = platform::OpenPortExclusive(pty.link());
    EXPECT_GE(again, 0);
    platform::ClosePort(again);
    platform::ClosePort(-1);  // harmless
}

TEST(PortIo, OpenFailsOnAMissingPath) {
    TempDir dir;
    EXPECT_EQ(platform::OpenPortExclusive(dir.file("GONE")), -1);
    EXPECT_EQ(errno, ENOENT);
}

// ------------------------------------------------------------ read and write

// A pseudo-terminal opened through the layer as a raw 115200 line.
class PortIoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        fd = platform::OpenPortExclusive(pty.link());
        ASSERT_GE(fd, 0);
        platform::LineAttributes attr;
        ASSERT_TRUE(platform::GetLineAttributes(fd, attr));
        ASSERT_TRUE(platform::MakeRawLine(attr, {115200, 8, 'N', 1}));
        ASSERT_TRUE(platform::SetLineAttributes(fd, attr));
    }
    void TearDown() override { platform::ClosePort(fd); }

    PtyPair pty;
    int fd = -1;
};

TEST_F(PortIoTest, ReadWithinGetsDataOrTimesOut) {
    char buffer[16];
    std::size_t got = 99;
    EXPECT_EQ(platform::ReadWithin(fd, buffer, sizeof buffer, 20, got), platform::ReadResult::Timeout);
    EXPECT_EQ(got, 0u);

    ASSERT_TRUE(pty.SendToPort("hello"));
    std::string received;
    for (int i = 0; i < 100 && received.size() < 5; ++i)
        if (platform::ReadWithin(fd, buffer, 2, 20, got) == platform::ReadResult::Data) {
            EXPECT_LE(got, 2u);  // never more than the room given
            received.append(buffer, got);
        }
    EXPECT_EQ(received, "hello");
}

TEST_F(PortIoTest, ReadWithinWaitsOutItsTimeAfterAHangUp) {
    pty.CloseMaster();
    char buffer[4];
    std::size_t got = 0;
    for (int i = 0; i < 3; ++i) {
        auto start = Clock::now();
        EXPECT_EQ(platform::ReadWithin(fd, buffer, sizeof buffer, 40, got), platform::ReadResult::HungUp);
        EXPECT_GE(MsSince(start), 35);  // the full wait, not an instant return
    }
    char byte = 'x';
    EXPECT_FALSE(platform::WriteAll(fd, &byte, 1, 100));
}

TEST_F(PortIoTest, WriteAllGivesUpAtItsDeadlineWhenNobodyReads) {
    // Far more than the terminal buffers hold; the master never reads.
    std::string lots(4 << 20, 'a');
    auto start = Clock::now();
    EXPECT_FALSE(platform::WriteAll(fd, lots.data(), lots.size(), 200));
    EXPECT_LT(MsSince(start), 10000);
}

TEST_F(PortIoTest, DiscardingUnsentOutputKeepsWhatHasLeft) {
    ASSERT_TRUE(platform::WriteAll(fd, "abc", 3, 1000));
    // On a pseudo-terminal "left" means waiting in the master's input,
    // which a plain output flush would throw away.
    EXPECT_TRUE(platform::DiscardUnsentOutput(fd));
    EXPECT_EQ(pty.ReadFromPort(4, 200), "abc");
}

TEST_F(PortIoTest, ByteCountAndPurge) {
    EXPECT_EQ(platform::InputQueued(fd), 0);
    ASSERT_TRUE(pty.SendToPort("abcdef"));
    for (int i = 0; i < 200 && platform::InputQueued(fd) < 6; ++i) platform::SleepMs(5);
    EXPECT_EQ(platform::InputQueued(fd), 6);
    EXPECT_TRUE(platform::PurgePort(fd, true, false));
    EXPECT_EQ(platform::InputQueued(fd), 0);
    EXPECT_TRUE(platform::PurgePort(fd, false, false));
    EXPECT_EQ(platform::InputQueued(-1), -1);
}
