#include "sdk_package/socket/rfid_socket.h"

#include "platform/platform.h"

#include <wx/socket.h>

namespace {

// Bytes taken from the socket per read.
constexpr size_t kReadChunk = 4096;

}  // namespace

tcp_client::tcp_client() : FrameLink(1) {}

tcp_client::~tcp_client()
{
    close_socket();
}

void tcp_client::close_socket()
{
    outbox_.close();
    if (m_sock) {
        m_sock->Close();
        // No events are ever asked of it, so it can go at once.
        delete m_sock;
        m_sock = nullptr;
    }
    sock_fd_ = -1;
}

int tcp_client::ConnectServer(std::string address, int port)
{
    if (address == " ")
        return -1;
    close_socket();
    DiscardRxFrame();
    wxIPV4address addr;
    if (!addr.Hostname(wxString::FromUTF8(address.c_str())) ||
        !addr.Service(static_cast<unsigned short>(port)))
        return 1;
    // Made here, on the worker that alone uses it: a socket made off the
    // main thread must block (it then waits with select, not the GUI loop).
    m_sock = new wxSocketClient(wxSOCKET_BLOCK);
    if (!m_sock->Connect(addr, false) && m_sock->LastError() == wxSOCKET_WOULDBLOCK)
        m_sock->WaitOnConnect(kConnectWaitSeconds, 0);
    if (!m_sock->IsConnected()) {
        close_socket();
        return 1;
    }
    // A read comes only after the wait saw input, so it takes what is there
    // at once; a write waits (at most a second) until the whole frame is
    // out, so a frame is never cut.
    m_sock->SetFlags(wxSOCKET_BLOCK | wxSOCKET_WAITALL_WRITE);
    m_sock->SetTimeout(1);
    sock_fd_ = static_cast<int>(m_sock->GetSocket());
    outbox_.open();
    return 0;
}

int tcp_client::DisConnected()
{
    close_socket();
    DiscardRxFrame();
    return 1;
}

void tcp_client::wake()
{
    platform::RaiseWakeup(wake_fd_);
}

bool tcp_client::flush_outbox()
{
    for (const LinkOutbox::Write& w : outbox_.take()) {
        m_sock->Write(w.data(), static_cast<wxUint32>(w.size()));
        if (m_sock->LastWriteCount() != w.size() && !m_sock->IsConnected())
            return false;
    }
    return true;
}

int tcp_client::GetServerData()
{
    if (!m_sock || !m_sock->IsConnected())
        return -1;
    if (!flush_outbox())
        return -1;
    switch (platform::WaitReadable(sock_fd_, wake_fd_, kReadWaitMs)) {
    case platform::WaitResult::Woken:
        // Used up here; the worker looks at its requests on return.
        platform::ClearWakeup(wake_fd_);
        return 0;
    case platform::WaitResult::Timeout:
        return 0;
    case platform::WaitResult::HungUp:
        return -1;
    case platform::WaitResult::Ready:
        break;
    }
    uint8_t chunk[kReadChunk];
    m_sock->Read(chunk, sizeof chunk);
    const size_t got = m_sock->LastReadCount();
    // Readable with nothing to read: the reader closed the connection.
    if (got == 0)
        return -1;
    for (size_t i = 0; i < got; ++i)
        FeedRxByte(chunk[i]);
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
    if (count > 0 && outbox_.push(frame, static_cast<size_t>(count)))
        wake();
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
