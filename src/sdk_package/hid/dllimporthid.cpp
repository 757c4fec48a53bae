#include "sdk_package/hid/dllimporthid.h"

#include <cstring>

LibWinHid::LibWinHid() : FrameLink(1, kMaxReportLen) {}

LibWinHid::~LibWinHid() = default;

int LibWinHid::SendHIDCmd(char cmd, int len)
{
    SendFrame(static_cast<uint8_t>(cmd), len);
    return 103;
}

void LibWinHid::Save_Param()
{
    SendSaveParam();
}

void LibWinHid::RFID_Write(uint8_t method, uint8_t area, uint32_t addr, uint16_t len,
                           const uint8_t* data, size_t data_size, uint32_t password)
{
    SendTagWriteByMethod(method, area, addr, len, data, data_size, password);
}

void LibWinHid::WriteFrame(const uint8_t* frame, int count)
{
    // The sender never passes a frame longer than a report holds.
    if (count < 0 || count + 2 > kReportSize)
        return;
    uint8_t report[kReportSize] = {};
    report[0] = kReportId;
    report[1] = static_cast<uint8_t>(count);
    std::memcpy(report + 2, frame, static_cast<size_t>(count));
    WriteReport(report, count + 2);
}

void LibWinHid::WriteReport(const uint8_t*, int) {}
