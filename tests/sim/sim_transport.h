// Transports of the simulated reader: a TCP server on 127.0.0.1 and a
// pseudo-terminal pair. Each feeds what it receives to a SimReader and
// carries its replies back. Stop (or destroy) a transport before its reader.
#pragma once

#include "sim_reader.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

namespace readersim {

class SimTcpServer : public SimLink {
public:
    explicit SimTcpServer(SimReader& reader);
    ~SimTcpServer() override;

    // Listens on 127.0.0.1:`port`, 0 for a free port. One client at a time;
    // a new connection replaces the old one.
    bool Start(uint16_t port, std::string* error);
    uint16_t Port() const { return port_; }
    bool WaitForClient(std::chrono::milliseconds timeout) const;
    // Closes the client's connection; the server goes on listening.
    void CloseLink();
    void Stop();

    bool Send(const uint8_t* bytes, size_t count) override;

private:
    void Loop();
    void DropClient();

    SimReader& reader_;
    uint16_t port_ = 0;
    int listen_fd_ = -1;
    int wake_[2] = {-1, -1};
    mutable std::mutex fd_lock_;
    mutable std::condition_variable client_cv_;
    int client_fd_ = -1;
    std::atomic<bool> quit_{false};
    std::thread thread_;
};

class SimPty : public SimLink {
public:
    explicit SimPty(SimReader& reader);
    ~SimPty() override;

    // Opens the pair and links the slave at a path free of lower-case 'n'
    // and 's' (a new folder under /tmp).
    bool Start(std::string* error);
    const std::string& DevicePath() const { return device_path_; }
    const std::string& LinkPath() const { return link_path_; }
    // Closes the master, so the slave hangs up, and removes the link.
    void CloseLink();
    void Stop() { CloseLink(); }

    bool Send(const uint8_t* bytes, size_t count) override;

private:
    void Loop();

    SimReader& reader_;
    std::string device_path_;
    std::string link_dir_;
    std::string link_path_;
    int wake_[2] = {-1, -1};
    std::mutex fd_lock_;
    int master_fd_ = -1;
    int slave_fd_ = -1;
    std::atomic<bool> quit_{false};
    std::thread thread_;
};

}  // namespace readersim
