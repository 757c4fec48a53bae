// The RS-232 link's driver: the reader frame over a serial port object from
// liblodeport. The worker thread writes the frames the GUI thread queues: at
// a low rate a frame takes long on the line.
#pragma once

#include "sdk_package/frame_link.h"
#include "sdk_package/link_outbox.h"
#include "serial_port_library/lodeportBase.h"

#include <cstddef>
#include <cstdint>
#include <string>

class LibWinUart : public FrameLink {
public:
    // Address 0 until set_rs485_addr; no port until the library is loaded.
    LibWinUart();
    ~LibWinUart() override;

    // The port object from the library's Export; never destroyed here. While
    // it is null nothing is written and nothing is read.
    LodePortBase* Serial = nullptr;

    // Loads liblodeport from the program's own folder and takes one port
    // object from its Export. 0 on success, else non-zero (load_error()
    // says why) and no port. GUI thread.
    int LoadExtLibrary(void* unused);
    // Closes and destroys the port object, then releases the library (the
    // object's code lives in the library). Always 0.
    int FreeExtLibrary(void* unused);
    const std::string& load_error() const { return load_error_; }

    // Opens `com` (a bare name is taken under /dev/) at `baudrate`, 8N1,
    // and takes queued frames from then on. 1 already open (nothing
    // changed), 0 opened, -1 failed or no port object. Worker thread.
    int ConnectUart(std::string com, long baudrate);
    // Why the last ConnectUart returned -1, one UTF-8 line for the operator
    // (held elsewhere, no permission, gone, ...); empty after any other
    // result and when there was no port object. Worker thread.
    const std::string& open_failure() const { return open_failure_; }
    // Drops a partly collected reply and the frames not yet written, and
    // closes the port. Always 1. Worker thread.
    int DisConnected();
    // 1 when the system's port list differs from the one seen last (which
    // it then remembers), else 0. Worker thread.
    int Check_Serial_Com();
    // The list remembered by Check_Serial_Com: each name followed by "n",
    // the whole ended by "s".
    std::string GetComPortNum() { return PortBuff; }

    // Frames and queues ProtocolData as command `cmd` with length byte
    // `len`. Always 101; a frame sent while the port is closed goes nowhere.
    int SendUartCmd(char cmd, int len);
    // The descriptor a queued frame raises, so the worker's wait on the port
    // ends and the frame goes out at once. Set before the worker runs.
    void set_wake_fd(int fd);
    // Writes the queued frames, oldest first. Worker thread.
    void flush_writes();
    // Reads at most one byte from the port (waiting at most about 10 ms) and
    // feeds it to the reassembly. Always 0. Worker thread.
    int GetUartData();
    // Waits at most `timeout_ms` until bytes arrive or `wake_fd` turns
    // readable, and feeds what came to the reassembly. Returns the number
    // of bytes (> 0), 0 when none came (woken or timed out), -1 at once
    // when the port is closed or hung up. A port object that cannot wait
    // so is polled with GetUartData instead (about 10 ms, then 0). Worker
    // thread.
    int WaitUartData(int wake_fd, int timeout_ms);

    using FrameLink::set_rs485_addr;
    using FrameLink::Set_Uart_BoundRate;
    using FrameLink::Set_Multi_Ant_power;
    using FrameLink::Set_Eight_Ant_power;
    using FrameLink::Switch_Ant_Inventory;
    using FrameLink::RFID_GbSeRead;
    using FrameLink::RFID_GbSeWrite;

    void SaveParam();
    // The 6C write, always as command 0x82. `data` holds `data_size` bytes;
    // 2 x len of them are sent.
    void RFID_Write(uint8_t area, uint32_t addr, uint16_t len, const uint8_t* data,
                    size_t data_size, uint32_t password);

protected:
    // Queues the frame for the worker; any thread.
    void WriteFrame(const uint8_t* frame, int count) override;

private:
    LinkOutbox outbox_;
    std::string PortBuff;
    void* m_hDll = nullptr;
    std::string load_error_;
    std::string open_failure_;
};
