#include "sim_hid.h"

#include "platform/platform.h"
#include "sdk_package/hid/dllimporthid.h"

#include <algorithm>

namespace hidstub {

namespace {

Control load()
{
    Control c;
    void* lib = platform::LoadLibraryFromExeDir(kHidLibraryName);
    if (!lib)
        return c;
    // Kept loaded for the run: the program's driver shares this instance.
    auto bind = [&](auto& fn, const char* name) {
        fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(platform::FindSymbol(lib, name));
    };
    bind(c.add_device, "hidstub_add_device");
    bind(c.set_usage, "hidstub_set_usage");
    bind(c.unplug, "hidstub_unplug");
    bind(c.set_sink, "hidstub_set_sink");
    bind(c.push_input, "hidstub_push_input");
    bind(c.fail_next_open, "hidstub_fail_next_open");
    bind(c.open_handles, "hidstub_open_handles");
    bind(c.slow_opens, "hidstub_slow_opens");
    bind(c.opens_under_way, "hidstub_opens_under_way");
    bind(c.reset, "hidstub_reset");
    return c;
}

}  // namespace

const Control& control()
{
    static const Control c = load();
    return c;
}

std::wstring default_manufacturer()
{
    const std::string narrow = kDefaultHidManufacturer;
    return std::wstring(narrow.begin(), narrow.end());
}

SimHidDevice::SimHidDevice(readersim::SimReader& reader, std::string path,
                           std::wstring manufacturer)
    : reader_(reader), path_(std::move(path)), manufacturer_(std::move(manufacturer))
{
}

SimHidDevice::~SimHidDevice()
{
    unplug();
}

void SimHidDevice::plug()
{
    const Control& c = control();
    if (!c.loaded())
        return;
    c.set_sink(&SimHidDevice::on_report, this);
    c.add_device(path_.c_str(), 0x1234, 0x5678, manufacturer_.c_str(), L"HID reader", 1);
    reader_.Attach(this);
}

void SimHidDevice::unplug()
{
    const Control& c = control();
    if (!c.loaded())
        return;
    c.unplug(path_.c_str());
    c.set_sink(nullptr, nullptr);
    reader_.Detach();
}

std::vector<std::vector<uint8_t>> SimHidDevice::output_reports() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return reports_;
}

void SimHidDevice::on_report(void* self, const unsigned char* report, size_t length)
{
    auto* device = static_cast<SimHidDevice*>(self);
    {
        std::lock_guard<std::mutex> hold(device->lock_);
        device->reports_.emplace_back(report, report + length);
    }
    // Report id, the frame's byte count, the frame, zeros: a short or
    // malformed report reaches the reader as nothing.
    if (length != kOutputReport || report[1] > length - 2)
        return;
    device->reader_.OnBytes(report + 2, report[1]);
}

bool SimHidDevice::Send(const uint8_t* bytes, size_t count)
{
    for (size_t at = 0; at < count; at += kInputPayload) {
        const size_t n = std::min(kInputPayload, count - at);
        std::vector<uint8_t> report(n + 1);
        report[0] = 0x01;
        std::copy(bytes + at, bytes + at + n, report.begin() + 1);
        if (control().push_input(report.data(), report.size()) == 0)
            return false;
    }
    return true;
}

}  // namespace hidstub
