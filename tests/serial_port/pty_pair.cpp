#include "pty_pair.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <random>

namespace {

// Upper case and digits only: /tmp/<this> never holds 'n' or 's'.
std::string RandomName() {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device rd;
    std::mt19937 gen(rd());
    std::uniform_int_distribution<int> pick(0, sizeof kChars - 2);
    std::string name = "LP";
    for (int i = 0; i < 10; ++i) name += kChars[pick(gen)];
    return name;
}

}  // namespace

TempDir::TempDir() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = "/tmp/" + RandomName();
        if (mkdir(candidate.c_str(), 0700) == 0) {
            path_ = candidate;
            return;
        }
    }
}

TempDir::~TempDir() {
    if (path_.empty()) return;
    std::string command = "rm -rf '" + path_ + "'";
    if (std::system(command.c_str()) != 0) {
        // Nothing more to do in a destructor; a stray folder in /tmp is harmless.
    }
}

PtyPair::PtyPair() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    slave_name_ = name;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    if (dir_.path().empty()) return;
    std::string link = dir_.file("PTY");
    if (symlink(slave_name_.c_str(), link.c_str()) == 0) link_ = link;
}

PtyPair::~PtyPair() {
    if (slave_ >= 0) close(slave_);
    CloseMaster();
}

void PtyPair::CloseMaster() {
    if (master_ >= 0) close(master_);
    master_ = -1;
}

bool PtyPair::SendToPort(const std::string& bytes) {
    std::size_t done = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (done < bytes.size()) {
        ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() > deadline) return false;
        pollfd p{master_, POLLOUT, 0};
        poll(&p, 1, 10);
    }
    return true;
}

std::string PtyPair::ReadFromPort(std::size_t count, int timeout_ms) {
    std::string got;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    char buffer[4096];
    while (got.size() < count) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0) break;
        pollfd p{master_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        ssize_t n = read(master_, buffer, sizeof buffer);
        if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || (errno != EAGAIN && errno != EINTR)) break;
    }
    return got;
}

std::string PatternBytes(std::size_t count, unsigned seed) {
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>((i + seed) & 0xFF);
    return bytes;
}
