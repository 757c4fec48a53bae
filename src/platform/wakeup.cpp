// A wake-up descriptor (an eventfd) and the one wait that watches it beside
// another descriptor: how a worker sleeps until input or a request comes.
#include <errno.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>

#include "platform/platform.h"

namespace platform {

int OpenWakeup() {
    return eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

void RaiseWakeup(int fd) {
    if (fd < 0) return;
    const std::uint64_t one = 1;
    // EAGAIN means the counter is full: it is readable already.
    while (write(fd, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

void ClearWakeup(int fd) {
    if (fd < 0) return;
    std::uint64_t count = 0;
    while (read(fd, &count, sizeof count) < 0 && errno == EINTR) {
    }
}

void CloseWakeup(int fd) {
    if (fd >= 0) close(fd);
}

WaitResult WaitReadable(int fd, int wake_fd, int timeout_ms) {
    using Clock = std::chrono::steady_clock;
    const bool forever = timeout_ms < 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : timeout_ms);
    for (;;) {
        int wait = -1;
        if (!forever) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            // Rounded up, so that a wait never ends just short of the deadline.
            wait = left <= 0 ? 0 : static_cast<int>(left) + 1;
        }
        // poll skips entries whose descriptor is negative.
        pollfd p[2] = {{fd, POLLIN, 0}, {wake_fd, POLLIN, 0}};
        int r = poll(p, 2, wait);
        if (r < 0) {
            if (errno == EINTR) continue;
            return WaitResult::HungUp;
        }
        if (r == 0) return WaitResult::Timeout;
        if (p[0].revents & POLLIN) return WaitResult::Ready;
        if (p[0].revents & (POLLHUP | POLLERR | POLLNVAL)) return WaitResult::HungUp;
        if (p[1].revents & POLLIN) return WaitResult::Woken;
        // A wake-up descriptor in error would end every wait at once: stop
        // watching it rather than spin.
        if (p[1].revents) wake_fd = -1;
    }
}

}  // namespace platform
