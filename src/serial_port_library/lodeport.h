// LodePort: one serial port over our POSIX layer, the object that
// liblodeport.so hands out through Export().
//
// Threads: one thread reads (ReadChar, Read, ReadAvailable, getNbrOfBytes)
// and opens and closes the port, while another writes (Write, WriteChar,
// the modem lines). Writing and closing exclude each other, so a write never
// reaches a descriptor that was closed or given to another file meanwhile.
// The setters must not run while another thread uses the port.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "serial_port_library/lodeportBase.h"

class LodePort : public LodePortBase {
public:
    // Closed, "COM1", 9600 baud, 8 data bits, no parity, one stop bit.
    LodePort();
    // Closes the port if it is still open, so the device is not left locked.
    ~LodePort() override;

    // Opens `port` (a device path such as /dev/ttyUSB0) exclusively as a
    // raw line with the current settings. Returns 0 when already open
    // (nothing changed), 10 on success, else the step that failed:
    // 1 open or lock (missing, not allowed, held by another opener),
    // 2 purge (not a terminal), 3 read the line settings, 4 apply them
    // (the rate or format refused), 5 read them back.
    // After a failure the port is closed again and Open may be retried,
    // and GetOpenError says why.
    long Open() override;
    // errno of the call that failed the last Open (EBUSY: held by another
    // opener; EINVAL: settings without a terminal form); 0 after an Open
    // that did not fail.
    int GetOpenError() override;
    // Closes and releases the port; does nothing when closed. Waits for a
    // write under way to end.
    void Close() override;

    // The system's serial ports: each name followed by 'n', the whole ended
    // by 's' ("s" when there is none). Names holding 'n' or 's' are left
    // out, since the reader of this text splits on those letters. Works
    // whether the port is open or not.
    std::string getComPort() override;

    // Waits at most about 10 ms for `length` bytes in all. Returns 1 and
    // fills `buffer` when they are there; otherwise 0, and what did come is
    // kept for the next read (the buffer is not touched, now or later).
    int Read(char* buffer, int length) override;
    // Waits at most about 10 ms for one byte. `success` is true when one
    // came; the result is then that byte, otherwise the previous one.
    // Also returns false after the other side hung up, but only after the
    // full wait, so a polling loop does not spin.
    char ReadChar(bool& success) override;
    // See LodePortBase. Bytes that ReadChar or Read took from the device
    // and have not handed out come first, without waiting.
    int ReadAvailable(char* buffer, int capacity, int wake_fd, int timeout_ms) override;
    // Sends exactly one byte; see Write.
    bool WriteChar(char ch) override;
    // Discards output still waiting, then sends the first min(count, 1024)
    // bytes (none for a negative count) and returns once they have left the
    // driver, so a later purge loses nothing. True when all of them went out
    // within 15 ms per byte + 100 ms; false when closed or on failure.
    bool Write(char* buffer, long count) override;

    // Raise or drop RTS / DTR; false when closed or refused by the device.
    bool SetRTS(bool value) override;
    bool SetDTR(bool value) override;
    // State of a modem input line. `success` is false (and the result
    // false) when closed or when the device has no modem lines.
    bool GetCTS(bool& success) override;
    bool GetDSR(bool& success) override;
    bool GetRI(bool& success) override;
    bool GetCD(bool& success) override;

    bool IsOpened() override;

    // Settings, used at the next Open.
    void SetPortA(std::string port) override;  // stored unchanged
    std::string GetPort() override;
    void SetBaudRate(long baud) override;  // stored unchanged; Open rejects <= 0
    long GetBaudRate() override;
    void SetDataSize(long size) override;  // 5..8, anything else gives 8
    long GetDataSize() override;
    void SetParity(char parity) override;  // 'E', 'M', 'N', 'O', 'S', else 'N'
    char GetParity() override;
    void SetStopBits(float bits) override;  // >= 2 gives 2, >= 1.5 gives 1.5, else 1
    float GetStopBits() override;           // (1.5 is sent as 2 on this platform)

    // Bytes received and not read yet (the driver's queue and ours);
    // 0 when closed. Reading thread only.
    int getNbrOfBytes() override;

    // Pauses the calling thread.
    static void Delay(unsigned long milliseconds);

private:
    // Reads what arrives within `timeout_ms` into rxqueue; false when
    // nothing came.
    bool Fill(int timeout_ms);
    std::size_t Pending() const { return rxqueue.size() - rxhead; }
    // State of one modem input line (a platform::ModemLine bit).
    bool ModemLine(unsigned line, bool& success);
    void ResetInput();

    char rxchar = 0;
    std::string port;
    long baud = 0;
    long dsize = 0;
    char parity = 'N';
    float stopbits = 1.0f;
    std::string temp;
    int open_error = 0;
    // The open descriptor, -1 when closed.
    std::atomic<int> hComm{-1};
    // Held by whatever uses the descriptor from the writing side, and by
    // Close while it gives the descriptor up.
    std::mutex write_lock;
    // Bytes read from the device and not handed out yet; reading thread only.
    std::string rxqueue;
    std::size_t rxhead = 0;
};
