// The TCP link's driver: the reader frame over a TCP stream to the reader,
// which is the server. The worker thread owns the socket: it connects,
// reads, writes the frames the GUI thread queues, and closes. No wx here:
// a wxSocketClient made on a worker must block, and its blocking connect
// waits out the system's own time-out, so a reader that does not answer
// would hold the link (and the window's close) far past the one-second wait.
#pragma once

#include "sdk_package/frame_link.h"
#include "sdk_package/link_outbox.h"

#include <cstddef>
#include <cstdint>
#include <string>

class tcp_client : public FrameLink {
public:
    // How long one GetServerData call waits for input at the most; a
    // wake-up ends the wait at once.
    static constexpr int kReadWaitMs = 1000;
    // The name lookup and the connect together wait at most this long.
    static constexpr int kConnectWaitMs = 1000;
    // A reader that falls silent without closing the connection (it lost
    // power) fails it after about this long: keep-alive probes from 4 s of
    // silence on, every 2 s, and a frame of ours unacknowledged this long.
    static constexpr int kSilenceLimitMs = 10000;
    // How long one frame may wait for room in the socket.
    static constexpr int kWriteWaitMs = 1000;

    // Address 1 until set_rs485_addr. GUI thread.
    tcp_client();
    // Closes the socket if it is still open. Any thread, once the worker
    // has ended.
    ~tcp_client() override;

    // Connects to `address` (an IPv4 address or host name) at `port`,
    // the lookup included waiting at most kConnectWaitMs. 0 connected, 1 not
    // connected (no such host, refused, no answer), -1 the address text is
    // a single blank (nothing is tried), 2 given up because the wake-up
    // came first (a request for the worker). A previous connection is
    // closed first. Worker.
    int ConnectServer(std::string address, int port);
    // Closes the socket, drops unsent frames and a partly collected reply.
    // Always 1. Worker.
    int DisConnected();
    // Writes the queued frames, then waits at most kReadWaitMs for input and
    // feeds what came to the reassembly. -1 when the connection is gone
    // (closed by the reader or failed) or was never made, else 0. Worker.
    int GetServerData();
    // The descriptor whose wake-up ends a connect or a GetServerData wait:
    // the link thread's own, so that its requests and the frames queued here
    // end the same wait. Set before the worker runs.
    void set_wake_fd(int fd);

    // Frames and queues ProtocolData as command `cmd` with length byte
    // `len`. Always 105; a frame sent while not connected goes nowhere.
    int SendClientCmd(char cmd, int len);

    using FrameLink::set_rs485_addr;
    using FrameLink::Switch_Ant_Inventory;

    void Save_Param();
    // The 6C write: method 1 sends it as 0x82, method 0 as block write 0x94,
    // any other method sends nothing.
    void RFID_Write(uint8_t method, uint8_t area, uint32_t addr, uint16_t len,
                    const uint8_t* data, size_t data_size, uint32_t password);
    // The secure GB read and write are not carried on this link.
    void RFID_GbSeRead(uint8_t area, uint16_t addr, uint16_t len, uint32_t password);
    void RFID_GbSeWrite(uint8_t area, uint16_t addr, uint16_t len, const uint8_t* data,
                        size_t data_size, uint32_t password);

protected:
    // Queues the frame for the worker; any thread.
    void WriteFrame(const uint8_t* frame, int count) override;

private:
    void close_socket();

    int sock_fd_ = -1;  // worker only
    int wake_fd_ = -1;
    LinkOutbox outbox_;
};
