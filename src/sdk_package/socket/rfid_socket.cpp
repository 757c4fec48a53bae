#include "sdk_package/socket/rfid_socket.h"

#include "platform/platform.h"

namespace {

// Bytes taken from the socket per read.
constexpr size_t kReadChunk = 4096;

}  // namespace

tcp_client::tcp_client() : FrameLink(1) {}

tcp_client::~tcp_client()
{
    close_socket();
}

void tcp_client::set_wake_fd(int fd)
{
    wake_fd_ = fd;
    outbox_.set_wake([fd] { platform::RaiseWakeup(fd); });
}

void tcp_client::close_socket()
{
    outbox_.close();
    platform::CloseSocket(sock_fd_);
    sock_fd_ = -1;
}

int tcp_client::ConnectServer(std::string address, int port)
{
    if (address == " ")
        return -1;
    close_socket();
    DiscardRxFrame();
    int fd = -1;
    switch (platform::ConnectTcp(address, static_cast<uint16_t>(port), wake_fd_, kConnectWaitMs, fd)) {
    case platform::ConnectResult::Woken:
        return 2;
    case platform::ConnectResult::Failed:
        return 1;
    case platform::ConnectResult::Connected:
        break;
    }
    sock_fd_ = fd;
    // Without it a reader that lost power would look connected for ever.
    platform::KeepConnectionAlive(sock_fd_, 4, 2, 3, kSilenceLimitMs);
    outbox_.open();
    return 0;
}

int tcp_client::DisConnected()
{
    close_socket();
    DiscardRxFrame();
    return 1;
}

int tcp_client::GetServerData()
{
    if (sock_fd_ < 0)
        return -1;
    const int fd = sock_fd_;
    if (!outbox_.flush([fd](const uint8_t* bytes, size_t count) {
            return platform::SendAll(fd, bytes, count, kWriteWaitMs);
        }))
        return -1;
    char chunk[kReadChunk];
    size_t got = 0;
    switch (platform::ReadUntil(fd, wake_fd_, chunk, sizeof chunk, kReadWaitMs, got)) {
    case platform::ReadResult::Woken:
        // Used up here; the worker looks at its requests on return.
        platform::ClearWakeup(wake_fd_);
        return 0;
    case platform::ReadResult::Timeout:
        return 0;
    case platform::ReadResult::HungUp:
        // Closed by the reader, reset, or failed by the keep-alive.
        return -1;
    case platform::ReadResult::Data:
        break;
    }
    for (size_t i = 0; i < got; ++i)
        FeedRxByte(static_cast<uint8_t>(chunk[i]));
    return 0;
}

int tcp_client::SendClientCmd(char cmd, int len)
{
    SendFrame(static_cast<uint8_t>(cmd), len);
    return 105;
}

void tcp_client::WriteFrame(const uint8_t* frame, int count)
{
    // Refused while closed or when the worker is hopelessly behind: the
    // frame counts as sent, and the missing reply shows as a time-out.
    if (count > 0)
        outbox_.push(frame, static_cast<size_t>(count));
}

void tcp_client::Save_Param()
{
    SendSaveParam();
}

void tcp_client::RFID_Write(uint8_t method, uint8_t area, uint32_t addr, uint16_t len,
                            const uint8_t* data, size_t data_size, uint32_t password)
{
    SendTagWriteByMethod(method, area, addr, len, data, data_size, password);
}

void tcp_client::RFID_GbSeRead(uint8_t, uint16_t, uint16_t, uint32_t) {}

void tcp_client::RFID_GbSeWrite(uint8_t, uint16_t, uint16_t, const uint8_t*, size_t, uint32_t) {}
