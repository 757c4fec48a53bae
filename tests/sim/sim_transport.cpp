#include "sim_transport.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pty.h>
#include <random>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace readersim {

namespace {

// A peer that stops reading must not hang the simulator for ever.
constexpr int kWriteWaitMs = 2000;

bool WriteAll(int fd, const uint8_t* bytes, size_t count, bool socket)
{
    size_t done = 0;
    while (done < count) {
        ssize_t n = socket ? ::send(fd, bytes + done, count - done, MSG_NOSIGNAL | MSG_DONTWAIT)
                           : ::write(fd, bytes + done, count - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p = {fd, POLLOUT, 0};
            if (::poll(&p, 1, kWriteWaitMs) <= 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL)))
                return false;
            continue;
        }
        return false;
    }
    return true;
}

bool MakeWakePipe(int fds[2])
{
    return ::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0;
}

void Wake(int fd)
{
    const char c = 1;
    if (fd >= 0)
        (void)!::write(fd, &c, 1);
}

void CloseFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

std::string RandomFolderName()
{
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device rd;
    std::string name = "/tmp/RDR";
    for (int i = 0; i < 5; ++i)
        name += kChars[rd() % (sizeof kChars - 1)];
    return name;
}

}  // namespace

SimTcpServer::SimTcpServer(SimReader& reader) : reader_(reader) {}

SimTcpServer::~SimTcpServer()
{
    Stop();
}

bool SimTcpServer::Start(uint16_t port, std::string* error)
{
    auto fail = [&](const char* what) {
        if (error)
            *error = std::string(what) + ": " + std::strerror(errno);
        CloseFd(listen_fd_);
        return false;
    };
    listen_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listen_fd_ < 0)
        return fail("socket");
    const int one = 1;
    ::setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(listen_fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        return fail("bind");
    if (::listen(listen_fd_, 4) != 0)
        return fail("listen");
    socklen_t len = sizeof addr;
    if (::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        return fail("getsockname");
    port_ = ntohs(addr.sin_port);
    if (!MakeWakePipe(wake_))
        return fail("pipe");
    quit_ = false;
    thread_ = std::thread([this] { Loop(); });
    return true;
}

void SimTcpServer::Loop()
{
    uint8_t buf[4096];
    while (!quit_) {
        int client;
        {
            std::lock_guard<std::mutex> g(fd_lock_);
            client = client_fd_;
        }
        pollfd p[3] = {{wake_[0], POLLIN, 0}, {listen_fd_, POLLIN, 0}, {client, POLLIN, 0}};
        const int n = ::poll(p, client >= 0 ? 3 : 2, 500);
        if (n < 0 && errno != EINTR)
            break;
        if (n <= 0)
            continue;
        if (p[0].revents) {
            char drain[16];
            while (::read(wake_[0], drain, sizeof drain) > 0) {
            }
        }
        if (p[1].revents & POLLIN) {
            int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd >= 0) {
                DropClient();
                const int one = 1;
                ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
                {
                    std::lock_guard<std::mutex> g(fd_lock_);
                    client_fd_ = fd;
                }
                reader_.Attach(this);
                client_cv_.notify_all();
                continue;
            }
        }
        if (client >= 0 && p[2].revents) {
            const ssize_t got = ::recv(client, buf, sizeof buf, 0);
            if (got > 0)
                reader_.OnBytes(buf, static_cast<size_t>(got));
            else if (got == 0 || (errno != EAGAIN && errno != EINTR))
                DropClient();
        }
    }
}

void SimTcpServer::DropClient()
{
    reader_.Detach();
    std::lock_guard<std::mutex> g(fd_lock_);
    CloseFd(client_fd_);
}

bool SimTcpServer::WaitForClient(std::chrono::milliseconds timeout) const
{
    std::unique_lock<std::mutex> g(fd_lock_);
    return client_cv_.wait_for(g, timeout, [&] { return client_fd_ >= 0; });
}

void SimTcpServer::CloseLink()
{
    // The peer sees the end of the stream at once; the loop then forgets
    // the connection.
    std::lock_guard<std::mutex> g(fd_lock_);
    if (client_fd_ >= 0)
        ::shutdown(client_fd_, SHUT_RDWR);
}

void SimTcpServer::Stop()
{
    if (thread_.joinable()) {
        quit_ = true;
        Wake(wake_[1]);
        thread_.join();
    }
    reader_.Detach();
    std::lock_guard<std::mutex> g(fd_lock_);
    CloseFd(client_fd_);
    CloseFd(listen_fd_);
    CloseFd(wake_[0]);
    CloseFd(wake_[1]);
}

bool SimTcpServer::Send(const uint8_t* bytes, size_t count)
{
    std::lock_guard<std::mutex> g(fd_lock_);
    return client_fd_ >= 0 && WriteAll(client_fd_, bytes, count, true);
}

SimPty::SimPty(SimReader& reader) : reader_(reader) {}

SimPty::~SimPty()
{
    CloseLink();
}

bool SimPty::Start(std::string* error)
{
    auto fail = [&](const std::string& what) {
        if (error)
            *error = what + ": " + std::strerror(errno);
        CloseLink();
        return false;
    };
    char name[128] = {};
    if (::openpty(&master_fd_, &slave_fd_, name, nullptr, nullptr) != 0)
        return fail("openpty");
    device_path_ = name;
    // Raw from the start: no echo, no line editing, no character mapping,
    // whatever the program does to the line later.
    termios tio;
    if (::tcgetattr(slave_fd_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(slave_fd_, TCSANOW, &tio);
    }
    ::fcntl(master_fd_, F_SETFL, ::fcntl(master_fd_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_fd_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_fd_, F_SETFD, FD_CLOEXEC);

    // The program's port list cannot show a name with 'n' or 's' in it, and
    // /dev/pts has an 's': offer the slave under another name.
    for (int attempt = 0; attempt < 20 && link_dir_.empty(); ++attempt) {
        std::string dir = RandomFolderName();
        if (::mkdir(dir.c_str(), 0700) == 0)
            link_dir_ = dir;
        else if (errno != EEXIST)
            return fail("mkdir " + dir);
    }
    if (link_dir_.empty())
        return fail("mkdir under /tmp");
    link_path_ = link_dir_ + "/ttyRDR0";
    if (::symlink(device_path_.c_str(), link_path_.c_str()) != 0)
        return fail("symlink " + link_path_);
    if (!MakeWakePipe(wake_))
        return fail("pipe");
    reader_.Attach(this);
    quit_ = false;
    thread_ = std::thread([this] { Loop(); });
    return true;
}

void SimPty::Loop()
{
    uint8_t buf[4096];
    while (!quit_) {
        pollfd p[2] = {{wake_[0], POLLIN, 0}, {master_fd_, POLLIN, 0}};
        const int n = ::poll(p, 2, 500);
        if (n < 0 && errno != EINTR)
            break;
        if (n <= 0 || quit_)
            continue;
        if (p[1].revents & POLLIN) {
            const ssize_t got = ::read(master_fd_, buf, sizeof buf);
            if (got > 0)
                reader_.OnBytes(buf, static_cast<size_t>(got));
        } else if (p[1].revents & (POLLHUP | POLLERR)) {
            // Cannot happen while this side holds the slave open; do not spin.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
}

void SimPty::CloseLink()
{
    if (thread_.joinable()) {
        quit_ = true;
        Wake(wake_[1]);
        thread_.join();
    }
    reader_.Detach();
    {
        std::lock_guard<std::mutex> g(fd_lock_);
        CloseFd(master_fd_);
        CloseFd(slave_fd_);
    }
    CloseFd(wake_[0]);
    CloseFd(wake_[1]);
    if (!link_path_.empty())
        ::unlink(link_path_.c_str());
    if (!link_dir_.empty())
        ::rmdir(link_dir_.c_str());
    link_path_.clear();
    link_dir_.clear();
}

bool SimPty::Send(const uint8_t* bytes, size_t count)
{
    std::lock_guard<std::mutex> g(fd_lock_);
    return master_fd_ >= 0 && WriteAll(master_fd_, bytes, count, false);
}

}  // namespace readersim
