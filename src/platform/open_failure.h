// Why a device did not open, told to the operator in Chinese.
//
// Shared by the links that open device files (serial ports, hidraw): the
// errno of the failing call and the device path are all it needs. No wx.
#pragma once

#include <string>

namespace platform {

// Where the open went wrong.
enum class OpenStep {
    Open,   // open(2) itself, or taking the device exclusively
    Setup,  // a call on the opened device (terminal checks, line settings)
};

// One line for the operation log, UTF-8, naming `device` and the cause:
// held by another program (EBUSY); no permission (EACCES, EPERM), with the
// group that owns the device file and how to get access; the device gone
// (ENOENT, ENODEV, ENXIO, EIO); at the Setup step also not a serial port
// (ENOTTY) and settings refused (EINVAL); otherwise the system's own text.
// `err` 0 gives a plain "failed". Looks at the device file (stat) for the
// permission case only. Any thread.
std::string describe_open_failure(int err, const std::string& device,
                                  OpenStep step = OpenStep::Open);

}  // namespace platform
