// The USB-HID link's driver. hidapi is loaded at run time from the
// program's own folder; the reader is the first HID device whose
// manufacturer string is exactly the one its USB chip reports. Each frame
// travels in one whole output report (report id, frame length, frame,
// zeros); a frame longer than one report holds is not sent. Replies come
// back in input reports (report id, then the reply bytes).
//
// The worker thread owns the device: it searches, opens, reads, writes the
// frames the GUI thread queues, and closes. No wx here.
#pragma once

#include "sdk_package/frame_link.h"
#include "sdk_package/link_outbox.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct hid_device_;

// The file name the driver loads from the program's folder.
extern const char* const kHidLibraryName;
// The manufacturer string the reader's USB chip reports, unless the
// environment variable READER_HID_MANUFACTURER names another.
extern const char* const kDefaultHidManufacturer;

// Why a device that was found could not be opened, for the operator: the
// open call's errno, and the library's own message (may be empty).
std::string hid_open_failure_text(int error_number, const std::string& library_message);

class LibWinHid : public FrameLink {
public:
    // Output report: report id, frame length, then the frame.
    static constexpr int kReportSize = 54;
    static constexpr uint8_t kReportId = 0x01;
    // The longest frame one report carries, and its length byte.
    static constexpr int kMaxReportFrame = kReportSize - 2;
    static constexpr int kMaxReportLen = kMaxReportFrame - 2;
    // How long one GetHIDData call waits for an input report at the most;
    // queued frames go out between waits, so this is also their latency.
    static constexpr int kReadSliceMs = 25;

    // Address 1, for good: this link has no address setting. Reads the
    // manufacturer setting. GUI thread.
    LibWinHid();
    // Closes the device if it is still open and releases the library.
    ~LibWinHid() override;

    // Loads hidapi from the program's folder, binds its functions and
    // initialises it. 0 done; (unsigned)-1 hid_init failed; else 1, with
    // load_error() saying why (no library, a function it lacks). On
    // failure nothing stays bound and the link stays unusable. GUI thread.
    unsigned LoadExtLibrary(void* unused);
    // Releases the library. Always 0.
    int FreeExtLibrary(void* unused);
    bool library_loaded() const { return api_ != nullptr; }
    const std::string& load_error() const { return load_error_; }
    const std::string& manufacturer() const { return manufacturer_; }

    // Searches the attached HID devices for the reader: the first whose
    // manufacturer string equals the setting exactly and that is no
    // keyboard interface (by its usage, or "kbd" in its path). 1 found
    // (path and description kept), 0 not (search_failure() says why).
    // Worker.
    int Check_HID_Path();
    const std::string& search_failure() const { return search_failure_; }
    std::string GetHID_PATH_Num() const { return PortBuff; }
    // "pid : P vid :V\nmanufacture : M\nproduct : Q" of the device found.
    std::string Get_Hid_info() const { return hid_str; }

    // Opens the device at `path`. 0 opened, -1 not (open_failure() says
    // why, in words for the operator). Worker.
    int ConnectHID(std::string path);
    const std::string& open_failure() const { return open_failure_; }
    // Closes the device, drops unsent frames and a partly collected reply.
    // Always 1. Worker.
    int DisConnected();
    // Writes the queued reports, then waits at most kReadSliceMs for an
    // input report and feeds its bytes to the reassembly. -1 when the
    // device failed (unplugged) or is not open, else 0. Worker.
    int GetHIDData();

    // Frames and queues ProtocolData as command `cmd` with length byte
    // `len`. Always 103; a frame sent while no device is open goes nowhere.
    int SendHIDCmd(char cmd, int len);
    // Frames refused since the last call because no report could carry
    // them. Any thread.
    int take_refused_frames() { return refused_frames_.exchange(0); }

    using FrameLink::RFID_GbSeRead;
    using FrameLink::RFID_GbSeWrite;

    void Save_Param();
    // The 6C write: method 1 sends it as 0x82, method 0 as block write 0x94,
    // any other method sends nothing.
    void RFID_Write(uint8_t method, uint8_t area, uint32_t addr, uint16_t len,
                    const uint8_t* data, size_t data_size, uint32_t password);

    // Wide device text as UTF-8; null is empty.
    static std::string wideCharToMultiByte(const wchar_t* text);

protected:
    // Puts the frame into one report; a longer frame is refused and the
    // last frame sent stays the one recorded. Any thread, send lock held.
    void WriteFrame(const uint8_t* frame, int count) override;
    // Hands `count` bytes of one output report to the worker. Any thread.
    virtual void WriteReport(const uint8_t* report, int count);

private:
    struct Api;
    void close_device();

    std::unique_ptr<Api> api_;
    void* m_hDLL = nullptr;
    std::string load_error_;
    std::string manufacturer_;

    hid_device_* handle = nullptr;  // worker only
    LinkOutbox outbox_;
    std::string PortBuff;
    std::string hid_str;
    std::string open_failure_;
    std::string search_failure_;
    std::atomic<int> refused_frames_{0};
    uint8_t last_sent_[sizeof TxData] = {};
};
