// The operator's explanation of a failed open, from errno and the device.
#include <errno.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "platform/open_failure.h"
#include "pty_pair.h"

using platform::OpenStep;

TEST(OpenFailure, EachCauseIsNamedWithTheDevice) {
    TempDir dir;
    ASSERT_FALSE(dir.path().empty());
    // Device files with a given group and mode; empty where this user may
    // not give that group (root may give any).
    auto device = [&](const char* name, gid_t gid, mode_t mode) {
        const std::string path = dir.file(name);
        std::ofstream(path) << "";
        return chown(path.c_str(), -1, gid) == 0 && chmod(path.c_str(), mode) == 0 ? path : "";
    };
    const group* dialout = getgrnam("dialout");
    const gid_t dial_gid = dialout ? dialout->gr_gid : 20;
    const std::string usb = "/dev/ttyUSB0", gone = "串口 /dev/ttyUSB0 不存在或已断开";
    struct Row {
        const char* what;
        int err;
        std::string device;
        OpenStep step;
        std::vector<std::string> has, lacks;
    };
    const Row rows[] = {
        {"held", EBUSY, usb, OpenStep::Open, {"串口 /dev/ttyUSB0 已被其他程序占用"}, {}},
        {"group may", EACCES, device("ttyDIAL", dial_gid, 0660), OpenStep::Open,
         {"没有权限打开串口", "用户组 dialout", "sudo usermod -aG dialout $USER", "重新登录"}, {"udev"}},
        // Joining a group without access, or the root group, is no advice.
        {"group may not", EPERM, device("ttyOWNER", dial_gid, 0600), OpenStep::Open,
         {"用户组 dialout", "udev"}, {"usermod"}},
        {"root's hidraw", EACCES, device("hidraw7", 0, 0660), OpenStep::Open,
         {"没有权限打开HID设备", "用户组 root", "uaccess"}, {"usermod"}},
        {"nothing to look at", EACCES, dir.file("GONE"), OpenStep::Open, {"ls -l " + dir.file("GONE")}, {}},
        {"missing", ENOENT, usb, OpenStep::Open, {gone}, {}},
        {"unplugged", EIO, usb, OpenStep::Setup, {gone}, {}},
        {"not a terminal", ENOTTY, "/tmp/x", OpenStep::Setup, {"/tmp/x 不是串口设备"}, {}},
        {"settings refused", EINVAL, usb, OpenStep::Setup, {"不接受所选的波特率"}, {}},
        // Outside the setup it means nothing special: the system's text.
        {"ENOTTY at the open", ENOTTY, usb, OpenStep::Open, {strerror(ENOTTY), "错误码 25"}, {"不是串口"}},
        {"anything else", EMFILE, usb, OpenStep::Open, {"打开串口 /dev/ttyUSB0 失败：", strerror(EMFILE)}, {}},
        {"nothing known", 0, usb, OpenStep::Open, {"打开串口 /dev/ttyUSB0 失败。"}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.device.empty()) {
            std::printf("not run as this user: %s\n", row.what);
            continue;
        }
        const std::string text = platform::describe_open_failure(row.err, row.device, row.step);
        for (const std::string& part : row.has) EXPECT_NE(text.find(part), std::string::npos) << text;
        for (const std::string& part : row.lacks) EXPECT_EQ(text.find(part), std::string::npos) << text;
    }
}
