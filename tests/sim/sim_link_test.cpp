// The simulated reader over its two transports, read back through the
// program's own reassembly.
#include "sdk_package/frame_link.h"
#include "sim_transport.h"

#include <gtest/gtest.h>

#include <thread>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <set>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using namespace std::chrono_literals;
using readersim::EncodeFrame;
using readersim::SimReader;
using Bytes = std::vector<uint8_t>;

namespace {

// The program's receiving side over a plain file descriptor.
class Receiver : public FrameLink {
public:
    explicit Receiver(int fd) : FrameLink(0), fd_(fd) {}

    // Reads until `count` frames have been queued or `limit` passes.
    std::vector<Bytes> Frames(size_t count, std::chrono::milliseconds limit = 5000ms)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (frames_.size() < count && std::chrono::steady_clock::now() < deadline) {
            if (!ReadSome(10))
                break;
        }
        std::vector<Bytes> out;
        const size_t n = std::min(count, frames_.size());
        out.assign(frames_.begin(), frames_.begin() + static_cast<long>(n));
        frames_.erase(frames_.begin(), frames_.begin() + static_cast<long>(n));
        return out;
    }
    // True when nothing at all arrives within `wait`.
    bool Quiet(std::chrono::milliseconds wait)
    {
        const size_t before = bytes_;
        const auto deadline = std::chrono::steady_clock::now() + wait;
        while (std::chrono::steady_clock::now() < deadline) {
            if (!ReadSome(10))
                return false;
        }
        return bytes_ == before;
    }
    // Whether the other end has hung up (end of stream or an error).
    bool HungUp(std::chrono::milliseconds limit = 5000ms)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline)
            if (!ReadSome(10))
                return true;
        return false;
    }
    size_t bytes() const { return bytes_; }

protected:
    void WriteFrame(const uint8_t*, int) override {}

private:
    // False on end of stream or error.
    bool ReadSome(int wait_ms)
    {
        pollfd p = {fd_, POLLIN, 0};
        const int n = ::poll(&p, 1, wait_ms);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        uint8_t buf[4096];
        const ssize_t got = ::read(fd_, buf, sizeof buf);
        if (got <= 0)
            return false;
        bytes_ += static_cast<size_t>(got);
        for (ssize_t i = 0; i < got; ++i)
            FeedRxByte(buf[i]);
        RXBUF f;
        while (rxbuf_qe.try_dequeue(f))
            frames_.emplace_back(f.RXBuff, f.RXBuff + f.RXBuff[1] + 2);
        return true;
    }

    int fd_;
    size_t bytes_ = 0;
    std::vector<Bytes> frames_;
};

void WriteBytes(int fd, const Bytes& b)
{
    ASSERT_EQ(static_cast<ssize_t>(b.size()), ::write(fd, b.data(), b.size()));
}

const Bytes kReset = {0xA0, 0x03, 0x00, 0x70, 0xED};
const Bytes kResetOk = {0xA0, 0x04, 0x00, 0x70, 0x10, 0xDC};

int ConnectTo(uint16_t port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

class SimTcp : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(server.Start(0, &error)) << error;
        ASSERT_NE(0, server.Port());
        fd = ConnectTo(server.Port());
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(server.WaitForClient(5000ms));
        rx_ptr = std::make_unique<Receiver>(fd);
    }
    void TearDown() override
    {
        if (fd >= 0)
            ::close(fd);
        server.Stop();
    }
    // One request, and its reply as the program receives it.
    Bytes Ask(const Bytes& request)
    {
        WriteBytes(fd, request);
        auto f = rx_ptr->Frames(1);
        return f.empty() ? Bytes{} : f[0];
    }

    SimReader reader;
    readersim::SimTcpServer server{reader};
    int fd = -1;
    std::unique_ptr<Receiver> rx_ptr;
};

TEST_F(SimTcp, AnswersResetAndRecordsTheFrameWithItsArrivalTime)
{
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(kResetOk, Ask(kReset));
    auto got = reader.WaitForCommand(0x70, 1000ms);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(0, got->frame.addr);
    EXPECT_TRUE(got->frame.data.empty());
    EXPECT_GE(got->at, before);
    EXPECT_LE(got->at, std::chrono::steady_clock::now());
}

TEST_F(SimTcp, AnswersFromTheRequestsAddress)
{
    EXPECT_EQ((Bytes{0xA0, 0x04, 0x01, 0x70, 0x10, 0xDB}), Ask(EncodeFrame(1, 0x70, {})));
}

TEST_F(SimTcp, FirmwareTemperatureAndPower)
{
    EXPECT_EQ(EncodeFrame(0, 0x72, {3, 7, 6}), Ask(EncodeFrame(0, 0x72, {})));
    EXPECT_EQ(EncodeFrame(0, 0x7B, {1, 25}), Ask(EncodeFrame(0, 0x7B, {})));
    EXPECT_EQ(EncodeFrame(0, 0x76, {0x10}), Ask({0xA0, 0x04, 0x00, 0x76, 0x1E, 0xC8}));
    EXPECT_EQ(EncodeFrame(0, 0x77, {30}), Ask(EncodeFrame(0, 0x77, {})));
    EXPECT_EQ(EncodeFrame(0, 0x76, {0x25}), Ask(EncodeFrame(0, 0x76, {34})));
    EXPECT_EQ(30, reader.Power(8)) << "a refused power leaves the setting";
    EXPECT_EQ(EncodeFrame(0, 0x5F, {0x10}), Ask(EncodeFrame(0, 0x5F, {30, 25, 30, 30})));
    EXPECT_EQ(EncodeFrame(0, 0x77, {30, 25, 30, 30, 30, 30, 30, 30}), Ask(EncodeFrame(0, 0x77, {})));
    EXPECT_EQ(EncodeFrame(0, 0x5E, {0x10}), Ask(EncodeFrame(0, 0x5E, {1, 2, 3, 4, 5, 6, 7, 8})));
    EXPECT_EQ(8, reader.Power(8));
}

TEST_F(SimTcp, RepliesCanBeSetDelayedOrWithheld)
{
    reader.SetReply(0x72, {2, 1, 5});
    EXPECT_EQ(EncodeFrame(0, 0x72, {2, 1, 5}), Ask(EncodeFrame(0, 0x72, {})));
    reader.SetReply(0x70, {0x11});
    EXPECT_EQ(EncodeFrame(0, 0x70, {0x11}), Ask(kReset));

    reader.WithholdReply(0x7B);
    WriteBytes(fd, EncodeFrame(0, 0x7B, {}));
    ASSERT_TRUE(reader.WaitForCommand(0x7B, 1000ms).has_value());
    EXPECT_TRUE(rx_ptr->Quiet(200ms));

    reader.ResetReplies();
    reader.SetReplyDelay(0x72, 150ms);
    EXPECT_EQ(EncodeFrame(0, 0x72, {3, 7, 6}), Ask(EncodeFrame(0, 0x72, {})));
    auto asked = reader.WaitForCommand(0x72, 1000ms, 2);
    ASSERT_TRUE(asked.has_value());
    // The reply is recorded once written, which may be just after the
    // client has read it.
    auto sent = reader.Sent();
    for (int i = 0; i < 200 && (sent.empty() || sent.back().frame.cmd != 0x72); ++i) {
        std::this_thread::sleep_for(5ms);
        sent = reader.Sent();
    }
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(0x72, sent.back().frame.cmd);
    EXPECT_GE(sent.back().at - asked->at, 150ms) << "the reply left before its delay";
}

TEST_F(SimTcp, StreamsEveryReportOfTheInventoryAndCountsThem)
{
    readersim::StreamConfig cfg;
    cfg.population = 50;
    cfg.rate = 0;
    cfg.limit = 500;
    reader.SetStream(cfg);
    WriteBytes(fd, EncodeFrame(0, 0x89, {2}));
    auto reports = rx_ptr->Frames(500, 10000ms);
    ASSERT_TRUE(reader.WaitStreamEnd(5000ms));
    EXPECT_EQ(500u, reader.StreamSent());
    ASSERT_EQ(500u, reports.size());
    std::set<Bytes> epcs;
    for (size_t i = 0; i < reports.size(); ++i) {
        const Bytes& r = reports[i];
        ASSERT_EQ(27u, r.size());  // 12-byte EPC: Len 25
        EXPECT_EQ(0x89, r[3]);
        EXPECT_EQ(2, r[4]) << "antenna of the command";
        EXPECT_EQ(0x30, r[5]) << "PC announces six words";
        const Bytes epc(r.begin() + 7, r.begin() + 19);
        EXPECT_EQ(SimReader::StreamEpc(cfg, i), epc);
        epcs.insert(epc);
    }
    EXPECT_EQ(50u, epcs.size());
}

TEST_F(SimTcp, StopCommandEndsAPacedStreamAndNothingIsLost)
{
    readersim::StreamConfig cfg;
    cfg.population = 5000;
    cfg.rate = 2000;
    reader.SetStream(cfg);
    WriteBytes(fd, EncodeFrame(0, 0x89, {1}));
    auto first = rx_ptr->Frames(100);
    ASSERT_EQ(100u, first.size());
    WriteBytes(fd, EncodeFrame(0, 0x8C, {}));
    ASSERT_TRUE(reader.WaitStreamEnd(5000ms));
    const uint64_t sent = reader.StreamSent();
    auto rest = rx_ptr->Frames(sent - 100 + 1);
    ASSERT_EQ(sent - 100 + 1, rest.size());
    EXPECT_EQ(EncodeFrame(0, 0x8C, {0x10}), rest.back()) << "the stop is answered after the last report";
}

TEST_F(SimTcp, CustomInventoryEndsWithItsFinishedStatus)
{
    readersim::StreamConfig cfg;
    cfg.population = 10;
    cfg.rate = 0;
    cfg.limit = 20;
    cfg.epc_bytes = 4;
    reader.SetStream(cfg);
    WriteBytes(fd, EncodeFrame(0, 0x8A, {1, 1, 0, 0}));
    auto frames = rx_ptr->Frames(21);
    ASSERT_EQ(21u, frames.size());
    EXPECT_EQ(19u, frames[0].size());  // 4-byte EPC: Len 17
    EXPECT_EQ(EncodeFrame(0, 0x8A, {0x12}), frames.back());
}

TEST_F(SimTcp, WrongCheckByteGarbageAndSplitWrites)
{
    reader.CorruptNextChecks(1);
    WriteBytes(fd, kReset);
    WriteBytes(fd, kReset);
    auto frames = rx_ptr->Frames(2, 1000ms);
    ASSERT_EQ(1u, frames.size()) << "the corrupted reply must be dropped";
    EXPECT_EQ(kResetOk, frames[0]);

    // One stray byte before each frame is dropped by the program at once.
    reader.SetGarbageBetweenFrames({0x55});
    EXPECT_EQ(kResetOk, Ask(kReset));
    EXPECT_EQ(kResetOk, Ask(kReset));
    reader.SetGarbageBetweenFrames({});

    reader.SetSplitWrites(1, 300us);
    EXPECT_EQ(kResetOk, Ask(kReset));
    reader.SetSplitWrites(0, 0us);
}

TEST_F(SimTcp, OverlongFrameIsNeverQueuedByTheProgram)
{
    reader.SendOverlongFrame(0x89, 120);
    // Resynchronising after it may cost the program the next frame, never
    // the one after.
    for (int i = 0; i < 3; ++i)
        reader.SendFrame(0, 0x70, {0x10});
    auto frames = rx_ptr->Frames(3, 1000ms);
    EXPECT_GE(frames.size(), 2u);
    for (const Bytes& f : frames)
        EXPECT_EQ(kResetOk, f);
    EXPECT_EQ(122u + 3 * 6u, rx_ptr->bytes());
}

TEST_F(SimTcp, SilenceAndClosingTheLink)
{
    reader.SetSilent(true);
    WriteBytes(fd, kReset);
    ASSERT_TRUE(reader.WaitForCommand(0x70, 1000ms).has_value());
    EXPECT_TRUE(rx_ptr->Quiet(200ms));
    reader.SetSilent(false);

    server.CloseLink();
    EXPECT_TRUE(rx_ptr->HungUp());
    ::close(fd);

    // The program may connect again.
    fd = ConnectTo(server.Port());
    ASSERT_GE(fd, 0);
    Receiver again(fd);
    WriteBytes(fd, kReset);
    auto f = again.Frames(1);
    ASSERT_EQ(1u, f.size());
    EXPECT_EQ(kResetOk, f[0]);
}

int OpenRaw(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    termios tio;
    ::tcgetattr(fd, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(fd, TCSANOW, &tio);
    return fd;
}

TEST(SimPty, AnswersResetThroughTheLinkAndHangsUpOnClose)
{
    SimReader reader;
    readersim::SimPty device(reader);
    std::string error;
    ASSERT_TRUE(device.Start(&error)) << error;
    const std::string link = device.LinkPath();
    const std::string dir = link.substr(0, link.rfind('/'));
    EXPECT_EQ(std::string::npos, link.find_first_of("ns")) << link;
    EXPECT_EQ(0u, device.DevicePath().rfind("/dev/pts/", 0));

    int fd = OpenRaw(link);
    ASSERT_GE(fd, 0);
    Receiver rx(fd);
    WriteBytes(fd, kReset);
    auto frames = rx.Frames(1);
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(kResetOk, frames[0]);
    ASSERT_TRUE(reader.WaitForCommand(0x70, 1000ms).has_value());

    // Long replies and streams pass the line unchanged (no newline mapping).
    reader.SetReply(0x72, {0x0D, 0x0A, 0x11, 0x13, 0x7F, 0x03});
    WriteBytes(fd, EncodeFrame(0, 0x72, {}));
    frames = rx.Frames(1);
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(EncodeFrame(0, 0x72, {0x0D, 0x0A, 0x11, 0x13, 0x7F, 0x03}), frames[0]);

    device.CloseLink();
    EXPECT_TRUE(rx.HungUp());
    struct stat st;
    EXPECT_NE(0, ::lstat(link.c_str(), &st)) << "link left behind";
    EXPECT_NE(0, ::lstat(dir.c_str(), &st)) << "folder left behind";
    ::close(fd);
}

}  // namespace
