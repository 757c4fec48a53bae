// A serial-port object with no device behind it, for tests and benchmarks
// that give a link driver a port of their own: it opens and closes, writes
// go nowhere and nothing is ever read. Override what is to be watched.
#pragma once

#include "serial_port_library/lodeportBase.h"

class IdlePort : public LodePortBase {
public:
    bool opened = false;

    long Open() override
    {
        opened = true;
        return 10;
    }
    void Close() override { opened = false; }
    bool IsOpened() override { return opened; }
    std::string getComPort() override { return "s"; }
    int Read(char*, int) override { return 0; }
    char ReadChar(bool& success) override
    {
        success = false;
        return 0;
    }
    bool WriteChar(char ch) override { return Write(&ch, 1); }
    bool Write(char*, long) override { return true; }
    bool SetRTS(bool) override { return true; }
    bool SetDTR(bool) override { return true; }
    bool GetCTS(bool& s) override { return s = false; }
    bool GetDSR(bool& s) override { return s = false; }
    bool GetRI(bool& s) override { return s = false; }
    bool GetCD(bool& s) override { return s = false; }
    void SetPortA(std::string) override {}
    std::string GetPort() override { return ""; }
    void SetBaudRate(long) override {}
    long GetBaudRate() override { return 115200; }
    void SetDataSize(long) override {}
    long GetDataSize() override { return 8; }
    void SetParity(char) override {}
    char GetParity() override { return 'N'; }
    void SetStopBits(float) override {}
    float GetStopBits() override { return 1.0f; }
    int getNbrOfBytes() override { return 0; }
};
