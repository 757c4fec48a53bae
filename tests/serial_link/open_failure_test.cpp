// A serial open that fails tells the operator why: the link's state line,
// then one red line with the cause.
#include "link_fixture.h"

#include <fcntl.h>
#include <grp.h>
#include <linux/capability.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace link_test;

namespace {

// Connects and returns the log entry that follows the state line, and
// whether it is red; empty when none came.
std::pair<wxString, bool> connect_and_explain(App& app)
{
    app.connect();
    wxTextCtrl* log = app->GetUartDataLog();
    const wxString state = "  " + wxString::FromUTF8("请先关闭") + "\r";
    size_t text = wxString::npos, end = wxString::npos;
    gui_test::pump_until([&] {
        const wxString all = log->GetValue();
        const size_t at = all.find(state);
        if (at == wxString::npos)
            return false;
        text = all.find("  ", at + state.length());
        end = all.find('\r', at + state.length());
        return text != wxString::npos && end != wxString::npos && text < end;
    });
    if (text == wxString::npos || end == wxString::npos || text > end)
        return {};
    wxTextAttr style;
    log->GetStyle(text + 2, style);
    return {log->GetValue().Mid(text + 2, end - text - 2), style.GetTextColour() == *wxRED};
}

// Switches the calling thread's effective capabilities that let root pass
// any file mode. Threads it starts meanwhile keep the set it had.
bool file_mode_override(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2];
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    const unsigned bits = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
    data[0].effective = on ? data[0].effective | bits : data[0].effective & ~bits;
    return syscall(SYS_capset, &header, data) == 0;
}

}  // namespace

TEST(OpenFailure, APortTheUserMayNotOpenNamesTheGroupThatGrantsIt)
{
    SimPort port;
    const std::string device = port.pty().DevicePath();
    const bool root = geteuid() == 0;
    if (root) {
        // Root passes any file mode. So the device gets what Debian gives a
        // USB serial adapter (another owner, group dialout, 0660) and the
        // link thread, which the controller starts in its constructor, runs
        // without the capabilities to pass it: a real EACCES from the kernel.
        const struct group* dialout = getgrnam("dialout");
        ASSERT_NE(dialout, nullptr);
        ASSERT_EQ(chown(device.c_str(), 65534, dialout->gr_gid), 0);
        ASSERT_EQ(chmod(device.c_str(), 0660), 0);
        ASSERT_TRUE(file_mode_override(false));
    } else {
        ASSERT_EQ(chmod(device.c_str(), 0), 0);  // unreadable to its owner
    }
    App app;
    if (root) {
        EXPECT_TRUE(file_mode_override(true));
    }
    struct stat st;
    ASSERT_EQ(stat(device.c_str(), &st), 0);
    const struct group* owner = getgrgid(st.st_gid);
    const std::string group = owner ? owner->gr_name : std::to_string(st.st_gid);

    ASSERT_TRUE(app.pick_port(SimPort::path()));
    const auto [reason, red] = connect_and_explain(app);
    EXPECT_TRUE(red);
    EXPECT_TRUE(reason.Contains(wxString::FromUTF8("没有权限打开串口"))) << reason.utf8_str();
    EXPECT_TRUE(reason.Contains(wxString::FromUTF8(("用户组 " + group).c_str()))) << reason.utf8_str();
    if (root) {
        EXPECT_TRUE(reason.Contains("sudo usermod -aG dialout $USER")) << reason.utf8_str();
        EXPECT_TRUE(reason.Contains(wxString::FromUTF8("重新登录"))) << reason.utf8_str();
    }
}

TEST(OpenFailure, APortHeldElsewhereSaysSo)
{
    SimPort port;
    App app;
    ASSERT_TRUE(app.pick_port(SimPort::path()));
    // Locks conflict between open files, not processes: this one holds the
    // device the way another program's would.
    const int holder = open(SimPort::path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    const auto [reason, red] = connect_and_explain(app);
    close(holder);
    EXPECT_TRUE(red);
    EXPECT_TRUE(reason.Contains(wxString::FromUTF8("已被其他程序占用"))) << reason.utf8_str();
    EXPECT_TRUE(reason.Contains(wxString::FromUTF8(SimPort::path().c_str()))) << reason.utf8_str();
}
