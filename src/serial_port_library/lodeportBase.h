// The serial-port interface shared by reader_host and liblodeport.
//
// The program loads liblodeport.so at run time and calls Export() to get one
// port object; after that it only goes through this table of virtual
// operations. Both deliverables must be built by the same compiler and
// standard library: std::string crosses the boundary by value, and the order
// of the virtual slots below is the contract.
#pragma once

#include <string>

class LodePortBase {
public:
    virtual ~LodePortBase() {}

    // 0 already open, 1..9 the step that failed, 10 opened.
    virtual long Open() = 0;
    virtual void Close() = 0;
    // Every port name followed by 'n', the whole ended by 's' ("s" when none).
    virtual std::string getComPort() = 0;
    // 1 when exactly `length` bytes were read, else 0.
    virtual int Read(char* buffer, int length) = 0;
    // Waits at most about 10 ms; `success` tells whether a byte came.
    virtual char ReadChar(bool& success) = 0;
    virtual bool WriteChar(char ch) = 0;
    // Writes at most 1024 bytes and returns once they have left.
    virtual bool Write(char* buffer, long count) = 0;
    virtual bool SetRTS(bool value) = 0;
    virtual bool SetDTR(bool value) = 0;
    virtual bool GetCTS(bool& success) = 0;
    virtual bool GetDSR(bool& success) = 0;
    virtual bool GetRI(bool& success) = 0;
    virtual bool GetCD(bool& success) = 0;
    virtual bool IsOpened() = 0;
    virtual void SetPortA(std::string port) = 0;
    virtual std::string GetPort() = 0;
    virtual void SetBaudRate(long baud) = 0;
    virtual long GetBaudRate() = 0;
    virtual void SetDataSize(long size) = 0;
    virtual long GetDataSize() = 0;
    virtual void SetParity(char parity) = 0;
    virtual char GetParity() = 0;
    virtual void SetStopBits(float bits) = 0;
    virtual float GetStopBits() = 0;
    // Bytes waiting in the input queue.
    virtual int getNbrOfBytes() = 0;
    // The system's error code (errno) behind the last failed Open, 0 when
    // the last Open did not fail or nothing more is known. Added after the
    // slots above, so their order is kept.
    virtual int GetOpenError() { return 0; }

    // Also added after the slots above.
    //
    // Waits at most `timeout_ms` (negative: without limit) until bytes have
    // arrived or `wake_fd` (-1: none) turns readable, then takes what has
    // arrived, up to `capacity` bytes. Returns how many (> 0); 0 when none
    // came (woken, or the time passed); -1 at once when the port is closed or
    // its other side has hung up; kReadCannotWait when the object cannot
    // wait this way (this default), so that the caller polls with ReadChar.
    // `wake_fd` is only watched, never read. Reading thread only.
    static constexpr int kReadCannotWait = -2;
    virtual int ReadAvailable(char* /*buffer*/, int /*capacity*/, int /*wake_fd*/, int /*timeout_ms*/)
    {
        return kReadCannotWait;
    }
};

// The library's one export; each call returns a new port object.
extern "C" typedef LodePortBase* (*LodePortExportFn)();
