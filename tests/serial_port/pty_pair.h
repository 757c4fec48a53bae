// Test support: a pseudo-terminal pair whose slave is reachable under a
// path with no lower-case 'n' or 's' (so that the port list may carry it),
// and small helpers for the master side.
#pragma once

#include <string>
#include <vector>

// A folder /tmp/<upper-case letters and digits>, removed with its content.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

class PtyPair {
public:
    // Opens the pair and links <TempDir>/PTY to the slave; check ok().
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master_ >= 0 && slave_ >= 0 && !link_.empty(); }
    int master() const { return master_; }
    int slave() const { return slave_; }
    // The symlink to the slave, to open as a port.
    const std::string& link() const { return link_; }
    // The real slave device, /dev/pts/N.
    const std::string& slave_name() const { return slave_name_; }

    // Writes all bytes to the master (they arrive at the port).
    bool SendToPort(const std::string& bytes);
    // Reads from the master until `count` bytes came or `timeout_ms` passed.
    std::string ReadFromPort(std::size_t count, int timeout_ms);
    // Hangs up the port's other side.
    void CloseMaster();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slave_name_;
    TempDir dir_;
    std::string link_;
};

// Bytes 0..255 repeated up to `count`, a pattern where any CR/LF mapping,
// control character or loss shows.
std::string PatternBytes(std::size_t count, unsigned seed = 0);
