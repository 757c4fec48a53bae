// What each link's driver adds to the shared frame layer.
#include "sdk_package/hid/dllimporthid.h"
#include "sdk_package/socket/rfid_socket.h"
#include "sdk_package/uart/dllimport.h"

#include "platform/platform.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <deque>
#include <type_traits>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// A serial port that records writes and hands out scripted bytes; an empty
// optional entry stands for a read that timed out.
class ScriptedPort : public LodePortBase {
public:
    std::vector<Bytes> writes;
    std::deque<int> input;  // -1: nothing came

    bool opened = false;

    long Open() override
    {
        opened = true;
        return 10;
    }
    void Close() override { opened = false; }
    std::string getComPort() override { return "s"; }
    int Read(char*, int) override { return 0; }
    char ReadChar(bool& success) override
    {
        success = false;
        if (input.empty())
            return 0;
        int v = input.front();
        input.pop_front();
        if (v < 0)
            return 0;
        success = true;
        return static_cast<char>(v);
    }
    bool WriteChar(char) override { return false; }
    bool Write(char* buffer, long count) override
    {
        writes.emplace_back(buffer, buffer + count);
        return false;  // a failed write must not change what is recorded
    }
    bool SetRTS(bool) override { return true; }
    bool SetDTR(bool) override { return true; }
    bool GetCTS(bool& s) override { return s = false; }
    bool GetDSR(bool& s) override { return s = false; }
    bool GetRI(bool& s) override { return s = false; }
    bool GetCD(bool& s) override { return s = false; }
    bool IsOpened() override { return opened; }
    void SetPortA(std::string) override {}
    std::string GetPort() override { return ""; }
    void SetBaudRate(long) override {}
    long GetBaudRate() override { return 115200; }
    void SetDataSize(long) override {}
    long GetDataSize() override { return 8; }
    void SetParity(char) override {}
    char GetParity() override { return 'N'; }
    void SetStopBits(float) override {}
    float GetStopBits() override { return 1.0f; }
    int getNbrOfBytes() override { return static_cast<int>(input.size()); }
};

class RecordingTcp : public tcp_client {
public:
    std::vector<Bytes> writes;

protected:
    void WriteFrame(const uint8_t* frame, int count) override
    {
        writes.emplace_back(frame, frame + count);
    }
};

class RecordingHid : public LibWinHid {
public:
    std::vector<Bytes> reports;

protected:
    void WriteReport(const uint8_t* report, int count) override
    {
        reports.emplace_back(report, report + count);
    }
};

// The serial driver on `port`, opened as the worker opens it.
void open_on(LibWinUart& uart, ScriptedPort& port)
{
    uart.Serial = &port;
    ASSERT_EQ(0, uart.ConnectUart("ttyX", 115200));
}

const Bytes kResetTo0 = {0xA0, 0x03, 0x00, 0x70, 0xED};
const Bytes kResetTo1 = {0xA0, 0x03, 0x01, 0x70, 0xEC};

// Which builders a driver offers is part of its interface.
template <class T, class = void>
struct HasBaudRate : std::false_type {};
template <class T>
struct HasBaudRate<T, std::void_t<decltype(std::declval<T&>().Set_Uart_BoundRate(0))>>
    : std::true_type {};
template <class T, class = void>
struct HasSetAddr : std::false_type {};
template <class T>
struct HasSetAddr<T, std::void_t<decltype(std::declval<T&>().set_rs485_addr(0))>>
    : std::true_type {};
template <class T, class = void>
struct HasSwitchAnt : std::false_type {};
template <class T>
struct HasSwitchAnt<T, std::void_t<decltype(std::declval<T&>().Switch_Ant_Inventory(
                           0, nullptr, nullptr, 0, 0, 0, 0))>> : std::true_type {};
template <class T, class = void>
struct HasEightPowers : std::false_type {};
template <class T>
struct HasEightPowers<T, std::void_t<decltype(std::declval<T&>().Set_Eight_Ant_power(
                             0, 0, 0, 0, 0, 0, 0, 0))>> : std::true_type {};

static_assert(HasBaudRate<LibWinUart>::value && !HasBaudRate<tcp_client>::value &&
              !HasBaudRate<LibWinHid>::value);
static_assert(HasEightPowers<LibWinUart>::value && !HasEightPowers<tcp_client>::value &&
              !HasEightPowers<LibWinHid>::value);
static_assert(HasSetAddr<LibWinUart>::value && HasSetAddr<tcp_client>::value &&
              !HasSetAddr<LibWinHid>::value);
static_assert(HasSwitchAnt<LibWinUart>::value && HasSwitchAnt<tcp_client>::value &&
              !HasSwitchAnt<LibWinHid>::value);

TEST(SerialDriver, TheWorkerWritesQueuedFramesWithAddress0AndSendReturns101)
{
    LibWinUart uart;
    ScriptedPort port;
    uart.Serial = &port;
    uart.Restart_Reader();  // closed: dropped
    open_on(uart, port);
    uart.Restart_Reader();
    EXPECT_TRUE(port.writes.empty()) << "written by the worker, not the caller";
    uart.flush_writes();
    ASSERT_EQ(1u, port.writes.size());
    EXPECT_EQ(kResetTo0, port.writes[0]);
    EXPECT_EQ(101, uart.SendUartCmd(0x72, 3));
    uart.set_rs485_addr(5);
    uart.Restart_Reader();
    uart.flush_writes();
    ASSERT_EQ(3u, port.writes.size());
    EXPECT_EQ((Bytes{0xA0, 0x03, 0x00, 0x72, 0xEB}), port.writes[1]);
    EXPECT_EQ((Bytes{0xA0, 0x03, 0x05, 0x70, 0xE8}), port.writes[2]);
    uart.DisConnected();
    uart.Restart_Reader();
    uart.flush_writes();
    EXPECT_EQ(3u, port.writes.size());
}

TEST(SerialDriver, FailedWriteStillCountsAsSent)
{
    LibWinUart uart;
    ScriptedPort port;
    open_on(uart, port);
    uart.Set_Ant_power(30);
    uart.flush_writes();
    uint8_t tx[256];
    uart.GetTxData(tx);
    EXPECT_EQ((Bytes{0xA0, 0x04, 0x00, 0x76, 0x1E, 0xC8}), Bytes(tx, tx + 6));
}

TEST(SerialDriver, SerialOnlyBuildersUseTheirCodes)
{
    LibWinUart uart;
    ScriptedPort port;
    open_on(uart, port);
    const uint8_t data[4] = {1, 2, 3, 4};
    uart.SaveParam();
    uart.RFID_Write(3, 0, 2, data, sizeof data, 0);
    uart.RFID_GbSeRead(1, 0, 1, 0);
    uart.RFID_GbSeWrite(1, 0, 1, data, sizeof data, 0);
    uart.flush_writes();
    ASSERT_EQ(4u, port.writes.size());
    EXPECT_EQ(0x4A, port.writes[0][3]);
    EXPECT_EQ(0x82, port.writes[1][3]);
    EXPECT_EQ(18, port.writes[1][1]);
    EXPECT_EQ(0x43, port.writes[2][3]);
    EXPECT_EQ(0x42, port.writes[3][3]);
}

TEST(SerialDriver, WithoutAPortNothingIsWrittenOrRead)
{
    LibWinUart uart;
    uart.Restart_Reader();
    EXPECT_EQ(0, uart.GetUartData());
    uint8_t tx[256];
    uart.GetTxData(tx);
    EXPECT_EQ(kResetTo0, Bytes(tx, tx + 5));
}

TEST(SerialDriver, ReplySplitByEmptyReadsAtEveryBoundaryIsQueued)
{
    const Bytes reply = {0xA0, 0x04, 0x00, 0x70, 0x10, 0xDC};
    for (size_t cut = 0; cut <= reply.size(); ++cut) {
        LibWinUart uart;
        ScriptedPort port;
        uart.Serial = &port;
        for (size_t i = 0; i < reply.size(); ++i) {
            if (i == cut)
                port.input.push_back(-1);
            port.input.push_back(reply[i]);
        }
        while (!port.input.empty())
            EXPECT_EQ(0, uart.GetUartData());
        RXBUF f;
        ASSERT_TRUE(uart.rxbuf_qe.try_dequeue(f)) << "cut at " << cut;
        EXPECT_EQ(reply, Bytes(f.RXBuff, f.RXBuff + reply.size()));
        EXPECT_FALSE(uart.rxbuf_qe.try_dequeue(f));
    }
}

TEST(TcpDriver, Address1AndReturns105)
{
    RecordingTcp tcp;
    tcp.Restart_Reader();
    EXPECT_EQ(kResetTo1, tcp.writes.at(0));
    EXPECT_EQ(105, tcp.SendClientCmd(0x70, 3));
    tcp.set_rs485_addr(0);
    tcp.Restart_Reader();
    EXPECT_EQ(kResetTo0, tcp.writes.at(2));
}

// A loopback listener with room for `backlog` + 1 connections not taken;
// its port.
uint16_t listen_on_loopback(int& fd, int backlog)
{
    fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    bind(fd, reinterpret_cast<sockaddr*>(&addr), len);
    listen(fd, backlog);
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    return ntohs(addr.sin_port);
}

TEST(TcpDriver, ConnectLooksANameUpAndAWakeUpEndsItsWait)
{
    int open_fd, full_fd, filler = -1;
    const uint16_t open_port = listen_on_loopback(open_fd, 8);
    // A first connect fills its queue: the next waits for an answer.
    const uint16_t full_port = listen_on_loopback(full_fd, 0);
    ASSERT_TRUE(platform::ConnectTcp("127.0.0.1", full_port, -1, 1000, filler) == platform::ConnectResult::Connected);
    const int wake = platform::OpenWakeup();
    tcp_client tcp;
    tcp.set_wake_fd(wake);
    EXPECT_EQ(0, tcp.ConnectServer("localhost", open_port));
    platform::RaiseWakeup(wake);
    EXPECT_EQ(2, tcp.ConnectServer("127.0.0.1", full_port));
    platform::CloseWakeup(wake);
    platform::CloseSocket(filler);
    close(open_fd);
    close(full_fd);
}

TEST(TcpDriver, WriteMethodPicksTheCommandOrSendsNothing)
{
    RecordingTcp tcp;
    const uint8_t data[2] = {0xAB, 0xCD};
    tcp.RFID_Write(0, 3, 2, 1, data, sizeof data, 0);
    tcp.RFID_Write(1, 3, 2, 1, data, sizeof data, 0);
    ASSERT_EQ(2u, tcp.writes.size());
    EXPECT_EQ((Bytes{0xA0, 0x10, 0x01, 0x94, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02,
                     0x00, 0x01, 0xAB, 0xCD, 0x3D}),
              tcp.writes[0]);
    EXPECT_EQ((Bytes{0xA0, 0x10, 0x01, 0x82, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02,
                     0x00, 0x01, 0xAB, 0xCD, 0x4F}),
              tcp.writes[1]);
    tcp.RFID_Write(2, 3, 2, 1, data, sizeof data, 0);
    EXPECT_EQ(2u, tcp.writes.size());
    uint8_t tx[256];
    tcp.GetTxData(tx);
    EXPECT_EQ(0x82, tx[3]) << "TxData keeps the previous frame";
}

TEST(TcpDriver, SecureGbReadAndWriteSendNothingSaveParamDoes)
{
    RecordingTcp tcp;
    const uint8_t data[2] = {};
    tcp.RFID_GbSeRead(1, 0, 1, 0);
    tcp.RFID_GbSeWrite(1, 0, 1, data, sizeof data, 0);
    EXPECT_TRUE(tcp.writes.empty());
    tcp.Save_Param();
    ASSERT_EQ(1u, tcp.writes.size());
    EXPECT_EQ((Bytes{0xA0, 0x03, 0x01, 0x4A, 0x12}), tcp.writes[0]);
    const uint8_t ant[8] = {1}, stay[8] = {1};
    tcp.Switch_Ant_Inventory(1, ant, stay, 0, 0, 0, 1);
    EXPECT_EQ(2u, tcp.writes.size());
}

TEST(HidDriver, ReportCarriesIdLengthAndFrameAndReturns103)
{
    RecordingHid hid;
    hid.Restart_Reader();
    ASSERT_EQ(1u, hid.reports.size());
    Bytes expected = {0x01, 0x05};
    expected.insert(expected.end(), kResetTo1.begin(), kResetTo1.end());
    expected.resize(54);  // whole, zeros after the frame
    EXPECT_EQ(expected, hid.reports[0]);
    EXPECT_EQ(103, hid.SendHIDCmd(0x70, 3));
}

TEST(HidDriver, SecureGbSendsAsOnSerialAndWriteMethodAsOnTcp)
{
    RecordingHid hid;
    const uint8_t data[2] = {};
    hid.RFID_GbSeRead(1, 0, 1, 0);
    hid.RFID_Write(0, 1, 0, 1, data, sizeof data, 0);
    hid.RFID_Write(5, 1, 0, 1, data, sizeof data, 0);
    hid.Save_Param();
    ASSERT_EQ(3u, hid.reports.size());
    EXPECT_EQ(0x43, hid.reports[0][5]);
    EXPECT_EQ(12, hid.reports[0][3]);
    EXPECT_EQ(0x94, hid.reports[1][5]);
    EXPECT_EQ(0x4A, hid.reports[2][5]);
}

TEST(HidDriver, FrameLongerThanAReportIsNotSent)
{
    RecordingHid hid;
    uint8_t packet[200] = {};
    hid.Reader_App_Upgrade(0, 0, packet, 41);  // Len 50, a 52-byte frame: fits
    ASSERT_EQ(1u, hid.reports.size());
    EXPECT_EQ(54u, hid.reports[0].size());
    EXPECT_EQ(52, hid.reports[0][1]);
    hid.Reader_App_Upgrade(1, 0, packet, 42);
    hid.Reader_App_Upgrade(2, 1, packet, 200);
    EXPECT_EQ(1u, hid.reports.size());
    uint8_t tx[256];
    hid.GetTxData(tx);
    EXPECT_EQ(0, tx[7]) << "TxData keeps the last frame actually sent (packet 0)";
}

}  // namespace
