// The stand-in hidapi: the functions the USB-HID driver binds, over devices
// a test describes (see hid_stub.h). Thread-safe; reads wait on a condition
// variable, so a connected, idle link costs what it would on a real device.
#include "hid_stub.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#define STUB_EXPORT extern "C" __attribute__((visibility("default")))

struct hid_device_ {
    std::string path;
    bool reader = false;
    bool gone = false;
    bool nonblocking = false;
    std::deque<std::vector<unsigned char>> input;
};

namespace {

struct Device {
    std::string path;
    unsigned short vendor_id;
    unsigned short product_id;
    std::wstring manufacturer;
    std::wstring product;
    bool reader;
    unsigned short usage_page = 0;
    unsigned short usage = 0;
};

struct State {
    std::mutex lock;
    std::condition_variable input_ready;
    std::vector<Device> devices;
    std::vector<hid_device_*> open;
    hidstub_sink sink = nullptr;
    void* sink_context = nullptr;
    int fail_next_open = 0;
    int slow_open_ms = 0;
    int opening = 0;
    std::condition_variable open_released;
    std::wstring last_error = L"Success";
};

State& state()
{
    static State s;
    return s;
}

wchar_t* copy_wide(const std::wstring& text)
{
    wchar_t* out = static_cast<wchar_t*>(std::calloc(text.size() + 1, sizeof(wchar_t)));
    std::wmemcpy(out, text.c_str(), text.size());
    return out;
}

}  // namespace

// ------------------------------------------------------------ control

STUB_EXPORT void hidstub_reset(void)
{
    State& s = state();
    std::lock_guard<std::mutex> hold(s.lock);
    s.devices.clear();
    for (hid_device_* d : s.open)
        d->gone = true;
    s.sink = nullptr;
    s.sink_context = nullptr;
    s.fail_next_open = 0;
    s.slow_open_ms = 0;
    s.input_ready.notify_all();
    s.open_released.notify_all();
}

STUB_EXPORT void hidstub_add_device(const char* path, unsigned short vendor_id,
                                    unsigned short product_id, const wchar_t* manufacturer,
                                    const wchar_t* product, int is_reader)
{
    State& s = state();
    std::lock_guard<std::mutex> hold(s.lock);
    s.devices.push_back({path, vendor_id, product_id, manufacturer ? manufacturer : L"",
                         product ? product : L"", is_reader != 0});
}

STUB_EXPORT void hidstub_set_usage(const char* path, unsigned short usage_page, unsigned short usage)
{
    State& s = state();
    std::lock_guard<std::mutex> hold(s.lock);
    for (Device& d : s.devices)
        if (d.path == path) {
            d.usage_page = usage_page;
            d.usage = usage;
        }
}

STUB_EXPORT void hidstub_unplug(const char* path)
{
    State& s = state();
    std::lock_guard<std::mutex> hold(s.lock);
    s.devices.erase(std::remove_if(s.devices.begin(), s.devices.end(),
                                   [&](const Device& d) { return d.path == path; }),
                    s.devices.end());
    for (hid_device_* d : s.open)
        if (d->path == path)
            d->gone = true;
    s.input_ready.notify_all();
}

STUB_EXPORT void hidstub_set_sink(hidstub_sink sink, void* context)
{
    State& s = state();
    std::lock_guard<std::mutex> hold(s.lock);
    s.sink = sink;
    s.sink_context = context;
}

STUB_EXPORT int hidstub_push_input(const unsigned char* report, size_t length)
{
    State& s = state();
    std::lock_guard<std::mutex> hold(s.lock);
    int n = 0;
    for (hid_device_* d : s.open) {
        if (d->reader && !d->gone) {
            d->input.emplace_back(report, report + length);
            ++n;
        }
    }
    s.input_ready.notify_all();
    return n;
}

STUB_EXPORT void hidstub_fail_next_open(int error_number)
{
    State& s = state();
    std::lock_guard<std::mutex> hold(s.lock);
    s.fail_next_open = error_number;
}

STUB_EXPORT void hidstub_slow_opens(int ms)
{
    State& s = state();
    std::lock_guard<std::mutex> hold(s.lock);
    s.slow_open_ms = ms;
    s.open_released.notify_all();
}

STUB_EXPORT int hidstub_opens_under_way(void)
{
    State& s = state();
    std::lock_guard<std::mutex> hold(s.lock);
    return s.opening;
}

STUB_EXPORT int hidstub_open_handles(void)
{
    State& s = state();
    std::lock_guard<std::mutex> hold(s.lock);
    return static_cast<int>(
        std::count_if(s.open.begin(), s.open.end(), [](hid_device_* d) { return d->reader; }));
}

// ------------------------------------------------------------- hidapi

STUB_EXPORT int hid_init(void) { return 0; }

STUB_EXPORT int hid_exit(void) { return 0; }

STUB_EXPORT hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    State& s = state();
    std::lock_guard<std::mutex> hold(s.lock);
    hid_device_info* first = nullptr;
    hid_device_info** tail = &first;
    for (const Device& d : s.devices) {
        if ((vendor_id && vendor_id != d.vendor_id) || (product_id && product_id != d.product_id))
            continue;
        auto* info = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
        info->path = strdup(d.path.c_str());
        info->vendor_id = d.vendor_id;
        info->product_id = d.product_id;
        info->manufacturer_string = copy_wide(d.manufacturer);
        info->product_string = copy_wide(d.product);
        info->serial_number = copy_wide(L"");
        info->bus_type = HID_API_BUS_USB;
        info->usage_page = d.usage_page;
        info->usage = d.usage;
        *tail = info;
        tail = &info->next;
    }
    return first;
}

STUB_EXPORT void hid_free_enumeration(hid_device_info* devs)
{
    while (devs) {
        hid_device_info* next = devs->next;
        std::free(devs->path);
        std::free(devs->manufacturer_string);
        std::free(devs->product_string);
        std::free(devs->serial_number);
        std::free(devs);
        devs = next;
    }
}

STUB_EXPORT hid_device* hid_open_path(const char* path)
{
    State& s = state();
    std::unique_lock<std::mutex> hold(s.lock);
    if (s.slow_open_ms > 0) {
        ++s.opening;
        s.open_released.wait_for(hold, std::chrono::milliseconds(s.slow_open_ms),
                                 [&] { return s.slow_open_ms == 0; });
        --s.opening;
    }
    if (s.fail_next_open != 0) {
        errno = s.fail_next_open;
        s.fail_next_open = 0;
        s.last_error = L"Failed to open a device with path '" +
                       std::wstring(path, path + std::strlen(path)) + L"'";
        return nullptr;
    }
    for (const Device& d : s.devices) {
        if (d.path != path)
            continue;
        auto* dev = new hid_device_;
        dev->path = d.path;
        dev->reader = d.reader;
        s.open.push_back(dev);
        return dev;
    }
    errno = ENOENT;
    s.last_error = L"No such device";
    return nullptr;
}

STUB_EXPORT hid_device* hid_open(unsigned short, unsigned short, const wchar_t*)
{
    return nullptr;
}

STUB_EXPORT void hid_close(hid_device* dev)
{
    if (!dev)
        return;
    State& s = state();
    std::lock_guard<std::mutex> hold(s.lock);
    s.open.erase(std::remove(s.open.begin(), s.open.end(), dev), s.open.end());
    delete dev;
}

STUB_EXPORT int hid_write(hid_device* dev, const unsigned char* data, size_t length)
{
    State& s = state();
    hidstub_sink sink;
    void* context;
    {
        std::lock_guard<std::mutex> hold(s.lock);
        if (dev->gone)
            return -1;
        if (!dev->reader)
            return static_cast<int>(length);
        sink = s.sink;
        context = s.sink_context;
    }
    // Outside the lock: the sink may answer with input at once.
    if (sink)
        sink(context, data, length);
    return static_cast<int>(length);
}

STUB_EXPORT int hid_read_timeout(hid_device* dev, unsigned char* data, size_t length,
                                 int milliseconds)
{
    State& s = state();
    std::unique_lock<std::mutex> hold(s.lock);
    auto ready = [&] { return dev->gone || !dev->input.empty(); };
    if (milliseconds < 0)
        s.input_ready.wait(hold, ready);
    else
        s.input_ready.wait_for(hold, std::chrono::milliseconds(milliseconds), ready);
    if (dev->gone)
        return -1;
    if (dev->input.empty())
        return 0;
    const std::vector<unsigned char> report = std::move(dev->input.front());
    dev->input.pop_front();
    const size_t n = std::min(length, report.size());
    std::memcpy(data, report.data(), n);
    return static_cast<int>(n);
}

STUB_EXPORT int hid_read(hid_device* dev, unsigned char* data, size_t length)
{
    return hid_read_timeout(dev, data, length, dev->nonblocking ? 0 : -1);
}

STUB_EXPORT int hid_set_nonblocking(hid_device* dev, int nonblock)
{
    dev->nonblocking = nonblock != 0;
    return 0;
}

STUB_EXPORT int hid_send_feature_report(hid_device*, const unsigned char*, size_t) { return -1; }

STUB_EXPORT int hid_get_feature_report(hid_device*, unsigned char*, size_t) { return -1; }

STUB_EXPORT int hid_get_manufacturer_string(hid_device*, wchar_t*, size_t) { return -1; }

STUB_EXPORT int hid_get_product_string(hid_device*, wchar_t*, size_t) { return -1; }

STUB_EXPORT int hid_get_serial_number_string(hid_device*, wchar_t*, size_t) { return -1; }

STUB_EXPORT int hid_get_indexed_string(hid_device*, int, wchar_t*, size_t) { return -1; }

STUB_EXPORT const wchar_t* hid_error(hid_device* dev)
{
    if (dev)
        return L"Success";
    // The text lives until the next failure, as hidapi's does.
    return state().last_error.c_str();
}
