// The test side of the stand-in hidapi: binds its control functions from
// the copy in the test program's folder and serves a simulated reader as
// one HID device through it.
#pragma once

#include "hid_stub.h"
#include "sim_reader.h"

#include <mutex>
#include <string>
#include <vector>

namespace hidstub {

// The stand-in as loaded from the test program's folder, under the name
// the program's driver loads.
struct Control {
    decltype(&hidstub_reset) reset = nullptr;
    decltype(&hidstub_add_device) add_device = nullptr;
    decltype(&hidstub_set_usage) set_usage = nullptr;
    decltype(&hidstub_unplug) unplug = nullptr;
    decltype(&hidstub_set_sink) set_sink = nullptr;
    decltype(&hidstub_push_input) push_input = nullptr;
    decltype(&hidstub_fail_next_open) fail_next_open = nullptr;
    decltype(&hidstub_open_handles) open_handles = nullptr;
    decltype(&hidstub_slow_opens) slow_opens = nullptr;
    decltype(&hidstub_opens_under_way) opens_under_way = nullptr;
    bool loaded() const { return reset != nullptr; }
};

// Loaded once for the whole run; empty (loaded() false) when the folder
// holds no stand-in.
const Control& control();

// The manufacturer the program looks for unless told otherwise.
std::wstring default_manufacturer();

// `reader` as the HID device at `path`: whole output reports reach the
// reader (a shorter one is ignored, as by a device made for full reports),
// its replies come back as input reports of at most 50 bytes after the
// report id.
class SimHidDevice : public readersim::SimLink {
public:
    static constexpr size_t kInputPayload = 50;
    static constexpr size_t kOutputReport = 54;

    SimHidDevice(readersim::SimReader& reader, std::string path, std::wstring manufacturer);
    ~SimHidDevice() override;

    // Lists the device and attaches the reader.
    void plug();
    // Takes the device away; an open handle fails from now on.
    void unplug();

    const std::string& path() const { return path_; }
    // Every output report written, as written.
    std::vector<std::vector<uint8_t>> output_reports() const;

    bool Send(const uint8_t* bytes, size_t count) override;

private:
    static void on_report(void* self, const unsigned char* report, size_t length);

    readersim::SimReader& reader_;
    const std::string path_;
    const std::wstring manufacturer_;
    mutable std::mutex lock_;
    std::vector<std::vector<uint8_t>> reports_;
};

}  // namespace hidstub
