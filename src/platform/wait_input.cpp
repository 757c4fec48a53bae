// Waiting for input on a descriptor that another thread can cut short: the
// TCP worker sleeps here until the reader sends, the GUI thread hands it a
// frame to write, or its wait runs out.
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>

#include "platform/platform.h"

namespace platform {

int MakeWakeFd() { return eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK); }

void SignalWake(int wake_fd) {
    if (wake_fd < 0) return;
    const std::uint64_t one = 1;
    // A full counter already wakes the waiter; nothing to do about a failure.
    (void)!write(wake_fd, &one, sizeof one);
}

void CloseWakeFd(int& wake_fd) {
    if (wake_fd >= 0) close(wake_fd);
    wake_fd = -1;
}

WaitResult WaitForInput(int fd, int wake_fd, int timeout_ms) {
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(timeout_ms);
    pollfd fds[2] = {{fd, POLLIN, 0}, {wake_fd, POLLIN, 0}};
    const nfds_t count = wake_fd >= 0 ? 2 : 1;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - clock::now());
        const int wait = left.count() > 0 ? static_cast<int>(left.count()) : 0;
        const int n = poll(fds, count, wait);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return WaitResult::HungUp;
        if (n == 0) return WaitResult::Timeout;
        if (count == 2 && (fds[1].revents & POLLIN)) {
            std::uint64_t drained = 0;
            (void)!read(wake_fd, &drained, sizeof drained);
        }
        // Input first: a peer that sends and then closes leaves its last
        // bytes to read before the hang-up counts.
        if (fds[0].revents & POLLIN) return WaitResult::Readable;
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) return WaitResult::HungUp;
        return WaitResult::Woken;
    }
}

}  // namespace platform
