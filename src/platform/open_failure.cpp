#include "platform/open_failure.h"

#include <errno.h>
#include <grp.h>
#include <pwd.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace platform {

namespace {

// What the operator calls the device: hidraw nodes are the USB-HID link's.
std::string device_noun(const std::string& device)
{
    const std::size_t slash = device.rfind('/');
    const std::string base = slash == std::string::npos ? device : device.substr(slash + 1);
    return base.compare(0, 6, "hidraw") == 0 ? "HID设备" : "串口";
}

std::vector<char> name_buffer()
{
    long size = sysconf(_SC_GETGR_R_SIZE_MAX);
    return std::vector<char>(size > 0 ? static_cast<std::size_t>(size) : 16384);
}

// The reentrant look-ups: the caller may be a link's worker thread.
std::string group_name(gid_t gid)
{
    std::vector<char> buf = name_buffer();
    group entry;
    group* found = nullptr;
    if (getgrgid_r(gid, &entry, buf.data(), buf.size(), &found) == 0 && found)
        return found->gr_name;
    return std::to_string(gid);
}

std::string user_name(uid_t uid)
{
    std::vector<char> buf = name_buffer();
    passwd entry;
    passwd* found = nullptr;
    if (getpwuid_r(uid, &entry, buf.data(), buf.size(), &found) == 0 && found)
        return found->pw_name;
    return std::to_string(uid);
}

std::string no_permission(const std::string& noun, const std::string& device)
{
    const std::string head = "没有权限打开" + noun + " " + device;
    struct stat st;
    if (stat(device.c_str(), &st) != 0)
        return head + "。请用 ls -l " + device + " 查看它的所有者和用户组。";
    const std::string group = group_name(st.st_gid);
    const bool group_may = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    // Joining the root group is no advice to give: such devices want a
    // udev rule instead (hidraw nodes by default).
    if (group_may && st.st_gid != 0)
        return head + "：它属于用户组 " + group + "。请把当前用户加入该组（sudo usermod -aG " +
               group + " $USER），然后注销并重新登录。";
    return head + "（所有者 " + user_name(st.st_uid) + "，用户组 " + group +
           "）。请添加 udev 规则，把它交给一个用户组或当前登录的用户（uaccess），然后重新插拔设备。";
}

std::string system_text(int err)
{
    char buf[256];
    // The GNU strerror_r: returns the text, not necessarily in buf.
    return strerror_r(err, buf, sizeof buf);
}

}  // namespace

std::string describe_open_failure(int err, const std::string& device, OpenStep step)
{
    const std::string noun = device_noun(device);
    switch (err) {
    case EBUSY:
        return noun + " " + device + " 已被其他程序占用，请先关闭占用它的程序。";
    case EACCES:
    case EPERM:
        return no_permission(noun, device);
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case EIO:
        return noun + " " + device + " 不存在或已断开，请检查设备连接后重新选择。";
    default:
        break;
    }
    if (step == OpenStep::Setup) {
        if (err == ENOTTY)
            return device + " 不是串口设备。";
        if (err == EINVAL)
            return noun + " " + device + " 不接受所选的波特率或数据格式。";
    }
    if (err == 0)
        return "打开" + noun + " " + device + " 失败。";
    return "打开" + noun + " " + device + " 失败：" + system_text(err) + "（错误码 " +
           std::to_string(err) + "）。";
}

}  // namespace platform
