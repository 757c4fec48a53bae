// Serial-port I/O over a non-blocking descriptor: exclusive open, purge,
// bounded reads and writes with poll, modem lines.
//
// Each outcome of poll and read is handled once, here: hang-up and errors
// mean "gone", EINTR means retry, EAGAIN means no data yet.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/deadline.h"
#include "platform/platform.h"

namespace platform {

namespace {

void SleepUntil(Clock::time_point deadline) {
    std::this_thread::sleep_until(deadline);
}

}  // namespace

int OpenPortExclusive(const std::string& path) {
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    // The lock is what keeps a second opener out, root included; TIOCEXCL
    // also stops programs that do not lock. A non-terminal file has no
    // TIOCEXCL: leave that to the first terminal call to report.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || (ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY)) {
        // A lock held elsewhere reads EWOULDBLOCK; a terminal that another
        // program made exclusive fails the open with EBUSY. One cause, one
        // code for the caller.
        int saved = errno == EWOULDBLOCK ? EBUSY : errno;
        close(fd);
        errno = saved;
        return -1;
    }
    return fd;
}

void ClosePort(int fd) {
    if (fd < 0) return;
    // The exclusive flag belongs to the terminal, not to our descriptor: it
    // would outlive us while anyone else keeps the device open.
    ioctl(fd, TIOCNXCL);
    close(fd);
}

bool PurgePort(int fd, bool input, bool output) {
    if (!input && !output) return true;
    int which = input && output ? TCIOFLUSH : (input ? TCIFLUSH : TCOFLUSH);
    return tcflush(fd, which) == 0;
}

bool DiscardUnsentOutput(int fd) {
    int queued = 0;
    if (ioctl(fd, TIOCOUTQ, &queued) != 0) return false;
    return queued <= 0 || tcflush(fd, TCOFLUSH) == 0;
}

ReadResult ReadUntil(int fd, int wake_fd, char* buffer, std::size_t capacity, int timeout_ms,
                     std::size_t& got) {
    got = 0;
    const bool forever = timeout_ms < 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : timeout_ms);
    for (;;) {
        switch (WaitReadable(fd, wake_fd, forever ? -1 : MsUntil(deadline))) {
            case WaitResult::Ready: break;
            case WaitResult::Woken: return ReadResult::Woken;
            case WaitResult::Timeout: return ReadResult::Timeout;
            case WaitResult::HungUp: return ReadResult::HungUp;
        }
        ssize_t n = read(fd, buffer, capacity);
        if (n > 0) {
            got = static_cast<std::size_t>(n);
            return ReadResult::Data;
        }
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
            if (!forever && Clock::now() >= deadline) return ReadResult::Timeout;
            continue;
        }
        // 0 is end of file (hang-up on a terminal), EIO a pty whose other
        // side has gone.
        return ReadResult::HungUp;
    }
}

ReadResult ReadWithin(int fd, char* buffer, std::size_t capacity, int timeout_ms,
                      std::size_t& got) {
    got = 0;
    if (timeout_ms < 0) timeout_ms = 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    if (buffer == nullptr || capacity == 0) {
        SleepUntil(deadline);
        return ReadResult::Timeout;
    }
    ReadResult result = ReadUntil(fd, -1, buffer, capacity, timeout_ms, got);
    if (result == ReadResult::HungUp) SleepUntil(deadline);
    return result;
}

bool WriteAll(int fd, const char* buffer, std::size_t count, int timeout_ms) {
    if (count == 0) return true;
    if (buffer == nullptr) return false;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout_ms < 0 ? 0 : timeout_ms);
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = write(fd, buffer + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (!(n < 0 && errno == EAGAIN)) return false;
        if (Clock::now() >= deadline) return false;
        pollfd p{fd, POLLOUT, 0};
        int r = poll(&p, 1, MsUntil(deadline));
        if (r < 0 && errno != EINTR) return false;
        if (r > 0 && !(p.revents & POLLOUT)) return false;  // hang-up or error
    }
    // tcdrain has no time limit of its own: watch the driver's output queue
    // until it is empty or the deadline passes, so that a stuck device
    // cannot hold the caller for ever.
    for (;;) {
        int queued = 0;
        if (ioctl(fd, TIOCOUTQ, &queued) != 0 || queued <= 0) break;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // The last bytes may still sit in the UART's own FIFO.
    while (tcdrain(fd) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

int InputQueued(int fd) {
    int n = 0;
    if (ioctl(fd, FIONREAD, &n) != 0) return -1;
    return n;
}

namespace {

bool ChangeLine(int fd, int line, bool on) {
    return ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0;
}

}  // namespace

bool SetRTS(int fd, bool on) { return ChangeLine(fd, TIOCM_RTS, on); }

bool SetDTR(int fd, bool on) { return ChangeLine(fd, TIOCM_DTR, on); }

bool GetModemLines(int fd, unsigned& lines) {
    int status = 0;
    if (ioctl(fd, TIOCMGET, &status) != 0) return false;
    lines = 0;
    if (status & TIOCM_CTS) lines |= kLineCTS;
    if (status & TIOCM_DSR) lines |= kLineDSR;
    if (status & TIOCM_RI) lines |= kLineRI;
    if (status & TIOCM_CD) lines |= kLineCD;
    return true;
}

void SleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace platform
