// Control of the stand-in hidapi library (libhidapi-hidraw.so.0 in the
// test programs' folder). It exports the hidapi functions the program's
// USB-HID driver binds, over a device list the test sets up; the reader
// devices' output reports go to a sink the test installs, and the test
// pushes input reports to the open reader device.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

// Receives every output report written to a reader device, as written.
typedef void (*hidstub_sink)(void* context, const unsigned char* report, size_t length);

// No devices, no sink, nothing open, no injected failure.
void hidstub_reset(void);
// Appends a device to the enumeration. A reader device answers through the
// sink; the others take and give nothing.
void hidstub_add_device(const char* path, unsigned short vendor_id, unsigned short product_id,
                        const wchar_t* manufacturer, const wchar_t* product, int is_reader);
// What the devices at `path` are by their top-level usage (0, 0 until set).
void hidstub_set_usage(const char* path, unsigned short usage_page, unsigned short usage);
// Removes the device at `path`; an open handle of it fails from now on.
void hidstub_unplug(const char* path);
void hidstub_set_sink(hidstub_sink sink, void* context);
// Queues an input report on every open reader handle; the number of
// handles that got it.
int hidstub_push_input(const unsigned char* report, size_t length);
// The next hid_open_path fails with this errno (0: opens normally).
void hidstub_fail_next_open(int error_number);
// Reader handles open now.
int hidstub_open_handles(void);
// From now on each hid_open_path takes `ms` milliseconds, as a slow device
// does (0: at once, and the ones under way end now, as they do at
// hidstub_reset).
void hidstub_slow_opens(int ms);
// hid_open_path calls under way now.
int hidstub_opens_under_way(void);

}  // extern "C"
