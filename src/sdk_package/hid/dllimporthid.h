// The USB-HID link's driver: each reader frame travels in one HID output
// report.
#pragma once

#include "sdk_package/frame_link.h"

#include <cstddef>
#include <cstdint>

class LibWinHid : public FrameLink {
public:
    // Output report: report id, frame length, then the frame.
    static constexpr int kReportSize = 54;
    static constexpr uint8_t kReportId = 0x01;
    // One report carries a frame of at most 52 bytes; longer frames are not
    // sent on this link.
    static constexpr int kMaxReportLen = kReportSize - 4;

    // Address 1, for good: this link has no address setting.
    LibWinHid();
    ~LibWinHid() override;

    // Frames and writes ProtocolData as command `cmd` with length byte `len`.
    // Always 103.
    int SendHIDCmd(char cmd, int len);

    using FrameLink::RFID_GbSeRead;
    using FrameLink::RFID_GbSeWrite;

    void Save_Param();
    // The 6C write: method 1 sends it as 0x82, method 0 as block write 0x94,
    // any other method sends nothing.
    void RFID_Write(uint8_t method, uint8_t area, uint32_t addr, uint16_t len,
                    const uint8_t* data, size_t data_size, uint32_t password);

protected:
    void WriteFrame(const uint8_t* frame, int count) override;
    // Hook for the device: hands `count` bytes of one output report to the
    // device. Until the link exists, reports go nowhere.
    virtual void WriteReport(const uint8_t* report, int count);
};
