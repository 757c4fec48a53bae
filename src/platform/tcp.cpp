// A TCP client connection: the lookup and the connect within one wait that a
// wake-up ends, keep-alive for a peer that falls silent, and whole writes.
#include <arpa/inet.h>
#include <errno.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/deadline.h"
#include "platform/platform.h"

namespace platform {

namespace {

// A name lookup on its own thread. Shared by that thread and the one that
// waits for it, so whichever ends last frees it.
struct Lookup {
    std::mutex lock;
    bool found = false;
    in_addr address{};
    const int done_fd = OpenWakeup();
    ~Lookup() { CloseWakeup(done_fd); }
};

ConnectResult Resolve(const std::string& host, int wake_fd, Clock::time_point deadline, in_addr& out) {
    if (host.empty()) return ConnectResult::Failed;
    // An address in any of the forms inet_aton takes needs no lookup.
    if (inet_aton(host.c_str(), &out) != 0) return ConnectResult::Connected;
    auto lookup = std::make_shared<Lookup>();
    if (lookup->done_fd < 0) return ConnectResult::Failed;
    try {
        std::thread([lookup, host] {
            addrinfo hints{};
            hints.ai_family = AF_INET;
            hints.ai_socktype = SOCK_STREAM;
            addrinfo* found = nullptr;
            if (getaddrinfo(host.c_str(), nullptr, &hints, &found) == 0 && found) {
                std::lock_guard<std::mutex> hold(lookup->lock);
                lookup->address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
                lookup->found = true;
            }
            if (found) freeaddrinfo(found);
            RaiseWakeup(lookup->done_fd);
        }).detach();
    } catch (const std::system_error&) {
        return ConnectResult::Failed;
    }
    switch (WaitReadable(lookup->done_fd, wake_fd, MsUntil(deadline))) {
        case WaitResult::Ready: {
            std::lock_guard<std::mutex> hold(lookup->lock);
            if (!lookup->found) return ConnectResult::Failed;
            out = lookup->address;
            return ConnectResult::Connected;
        }
        case WaitResult::Woken: return ConnectResult::Woken;
        default: return ConnectResult::Failed;
    }
}

// Waits until the connect under way on `fd` has ended, the deadline has
// passed or `wake_fd` turned readable.
ConnectResult AwaitConnect(int fd, int wake_fd, Clock::time_point deadline) {
    for (;;) {
        pollfd p[2] = {{fd, POLLOUT, 0}, {wake_fd, POLLIN, 0}};
        const int r = poll(p, 2, MsUntil(deadline));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return ConnectResult::Failed;
        if (p[1].revents & POLLIN) return ConnectResult::Woken;
        if (p[0].revents == 0) {
            // Only the wake-up descriptor reported, and not as readable:
            // stop watching it rather than spin.
            wake_fd = -1;
            continue;
        }
        int error = 0;
        socklen_t size = sizeof error;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
            return ConnectResult::Failed;
        return ConnectResult::Connected;
    }
}

}  // namespace

ConnectResult ConnectTcp(const std::string& host, std::uint16_t port, int wake_fd, int timeout_ms,
                         int& fd) {
    fd = -1;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout_ms < 0 ? 0 : timeout_ms);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    const ConnectResult found = Resolve(host, wake_fd, deadline, to.sin_addr);
    if (found != ConnectResult::Connected) return found;

    const int s = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (s < 0) return ConnectResult::Failed;
    ConnectResult result = ConnectResult::Connected;
    // EINTR leaves the connect going on, as EINPROGRESS does.
    if (connect(s, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0)
        result = errno == EINPROGRESS || errno == EINTR ? AwaitConnect(s, wake_fd, deadline)
                                                        : ConnectResult::Failed;
    if (result != ConnectResult::Connected) {
        close(s);
        return result;
    }
    fd = s;
    return result;
}

bool KeepConnectionAlive(int fd, int idle_s, int interval_s, int count, int limit_ms) {
    const int on = 1;
    return setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on) == 0 &&
           setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle_s, sizeof idle_s) == 0 &&
           setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval_s, sizeof interval_s) == 0 &&
           setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count) == 0 &&
           // Covers both data of ours left unacknowledged and, once a probe
           // is out, the keep-alive itself.
           setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &limit_ms, sizeof limit_ms) == 0;
}

bool SendAll(int fd, const void* bytes, std::size_t count, int timeout_ms) {
    const char* at = static_cast<const char*>(bytes);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout_ms < 0 ? 0 : timeout_ms);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = send(fd, at + done, count - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (!(n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))) return false;
        pollfd p{fd, POLLOUT, 0};
        const int r = poll(&p, 1, MsUntil(deadline));
        if (r == 0 || (r < 0 && errno != EINTR)) return false;
        if (r > 0 && !(p.revents & POLLOUT)) return false;  // hang-up or error
    }
    return true;
}

void CloseSocket(int fd) {
    if (fd >= 0) close(fd);
}

}  // namespace platform
