#include "serial_port_library/lodeport.h"

#include <errno.h>

#include <algorithm>
#include <chrono>

#include "platform/platform.h"

namespace {

constexpr long kMaxWrite = 1024;
constexpr int kReadWaitMs = 10;
// Bytes taken from the driver per read; enough for several reply frames.
constexpr std::size_t kReadChunk = 512;

}  // namespace

LodePort::LodePort() : port("COM1") {
    SetBaudRate(9600);
    SetDataSize(8);
    SetParity('N');
    SetStopBits(1);
}

LodePort::~LodePort() { Close(); }

long LodePort::Open() {
    open_error = 0;
    if (hComm.load() >= 0) return 0;

    int fd = platform::OpenPortExclusive(port);
    if (fd < 0) {
        open_error = errno;
        return 1;
    }
    // Nothing half-opened stays behind: a failed step releases the device,
    // so the next connect can try again. The step's errno is taken before
    // the close can change it.
    auto fail = [this, fd](long step, int err) {
        open_error = err;
        platform::ClosePort(fd);
        return step;
    };

    if (!platform::PurgePort(fd, true, true)) return fail(2, errno);

    platform::LineAttributes attr;
    if (!platform::GetLineAttributes(fd, attr)) return fail(3, errno);

    platform::LineFormat format;
    format.baud = baud;
    format.data_bits = dsize;
    format.parity = parity;
    // Termios has no 1.5 stop bits; the nearest it offers is 2.
    format.stop_bits = stopbits >= 1.5f ? 2 : 1;
    int apply_error = EINVAL;  // a format without a terminal form
    bool applied = platform::MakeRawLine(attr, format);
    if (applied && !platform::SetLineAttributes(fd, attr)) {
        applied = false;
        apply_error = errno;
    }
    // Give the UART time to settle on the new rate.
    Delay(60);
    if (!applied) return fail(4, apply_error);

    if (!platform::GetLineAttributes(fd, attr)) return fail(5, errno);

    // No hardware handshake: the modem outputs start low. A pseudo-terminal
    // has no such lines, so their refusal is no failure.
    platform::SetDTR(fd, false);
    platform::SetRTS(fd, false);
    platform::PurgePort(fd, true, true);

    ResetInput();
    hComm.store(fd);
    return 10;
}

int LodePort::GetOpenError() { return open_error; }

void LodePort::Close() {
    std::lock_guard<std::mutex> hold(write_lock);
    int fd = hComm.exchange(-1);
    if (fd < 0) return;
    platform::ClosePort(fd);
    ResetInput();
}

std::string LodePort::getComPort() {
    temp.clear();
    for (const std::string& name : platform::ListPorts()) {
        if (name.empty() || name.find_first_of("ns") != std::string::npos) continue;
        temp += name;
        temp += 'n';
    }
    temp += 's';
    return temp;
}

void LodePort::ResetInput() {
    rxqueue.clear();
    rxhead = 0;
}

bool LodePort::Fill(int timeout_ms) {
    char chunk[kReadChunk];
    std::size_t got = 0;
    if (platform::ReadWithin(hComm.load(), chunk, sizeof chunk, timeout_ms, got) !=
        platform::ReadResult::Data)
        return false;
    // Drop what was handed out before growing the queue.
    if (rxhead > 0) {
        rxqueue.erase(0, rxhead);
        rxhead = 0;
    }
    rxqueue.append(chunk, got);
    return true;
}

int LodePort::Read(char* buffer, int length) {
    if (hComm.load() < 0 || length < 0 || (buffer == nullptr && length > 0)) return 0;
    const std::size_t want = static_cast<std::size_t>(length);
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kReadWaitMs);
    while (Pending() < want) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || !Fill(static_cast<int>(left))) break;
    }
    if (Pending() < want) return 0;
    rxqueue.copy(buffer, want, rxhead);
    rxhead += want;
    return 1;
}

int LodePort::ReadAvailable(char* buffer, int capacity, int wake_fd, int timeout_ms) {
    const int fd = hComm.load();
    if (fd < 0) return -1;
    if (buffer == nullptr || capacity <= 0) return 0;
    if (Pending() > 0) {
        const std::size_t n = std::min(Pending(), static_cast<std::size_t>(capacity));
        rxqueue.copy(buffer, n, rxhead);
        rxhead += n;
        return static_cast<int>(n);
    }
    std::size_t got = 0;
    switch (platform::ReadUntil(fd, wake_fd, buffer, static_cast<std::size_t>(capacity), timeout_ms, got)) {
        case platform::ReadResult::Data: return static_cast<int>(got);
        case platform::ReadResult::HungUp: return -1;
        default: return 0;
    }
}

char LodePort::ReadChar(bool& success) {
    success = false;
    if (hComm.load() < 0) return 0;
    if (Pending() == 0 && !Fill(kReadWaitMs)) return rxchar;
    rxchar = rxqueue[rxhead++];
    success = true;
    return rxchar;
}

bool LodePort::WriteChar(char ch) { return Write(&ch, 1); }

bool LodePort::Write(char* buffer, long count) {
    std::lock_guard<std::mutex> hold(write_lock);
    int fd = hComm.load();
    if (fd < 0) return false;
    platform::DiscardUnsentOutput(fd);
    long n = count < 0 ? 0 : (count > kMaxWrite ? kMaxWrite : count);
    return platform::WriteAll(fd, buffer, static_cast<std::size_t>(n), static_cast<int>(15 * n + 100));
}

bool LodePort::SetRTS(bool value) {
    std::lock_guard<std::mutex> hold(write_lock);
    int fd = hComm.load();
    return fd >= 0 && platform::SetRTS(fd, value);
}

bool LodePort::SetDTR(bool value) {
    std::lock_guard<std::mutex> hold(write_lock);
    int fd = hComm.load();
    return fd >= 0 && platform::SetDTR(fd, value);
}

bool LodePort::ModemLine(unsigned line, bool& success) {
    std::lock_guard<std::mutex> hold(write_lock);
    success = false;
    unsigned lines = 0;
    int fd = hComm.load();
    if (fd < 0 || !platform::GetModemLines(fd, lines)) return false;
    success = true;
    return (lines & line) != 0;
}

bool LodePort::GetCTS(bool& success) { return ModemLine(platform::kLineCTS, success); }
bool LodePort::GetDSR(bool& success) { return ModemLine(platform::kLineDSR, success); }
bool LodePort::GetRI(bool& success) { return ModemLine(platform::kLineRI, success); }
bool LodePort::GetCD(bool& success) { return ModemLine(platform::kLineCD, success); }

bool LodePort::IsOpened() { return hComm.load() >= 0; }

void LodePort::SetPortA(std::string value) { port = std::move(value); }
std::string LodePort::GetPort() { return port; }

void LodePort::SetBaudRate(long value) { baud = value; }
long LodePort::GetBaudRate() { return baud; }

void LodePort::SetDataSize(long size) { dsize = (size >= 5 && size <= 8) ? size : 8; }
long LodePort::GetDataSize() { return dsize; }

void LodePort::SetParity(char value) {
    switch (value) {
        case 'E': case 'M': case 'N': case 'O': case 'S': parity = value; break;
        default: parity = 'N'; break;
    }
}
char LodePort::GetParity() { return parity; }

void LodePort::SetStopBits(float bits) {
    if (bits >= 2.0f) stopbits = 2.0f;
    else if (bits >= 1.5f) stopbits = 1.5f;
    else stopbits = 1.0f;
}
float LodePort::GetStopBits() { return stopbits; }

int LodePort::getNbrOfBytes() {
    int fd = hComm.load();
    if (fd < 0) return 0;
    int queued = platform::InputQueued(fd);
    return static_cast<int>(Pending()) + (queued > 0 ? queued : 0);
}

void LodePort::Delay(unsigned long milliseconds) {
    platform::SleepMs(static_cast<int>(milliseconds));
}

// The library's one visible symbol: a new port object for each call.
extern "C" __attribute__((visibility("default"))) LodePortBase* Export() {
    return new LodePort();
}
