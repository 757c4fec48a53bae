#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/platform.h"
#include "pty_pair.h"

namespace {

// A stand-in for /sys/class/tty and /dev. Device nodes are links to
// /dev/null, a character device that is no serial port.
class FakeSysfs {
public:
    FakeSysfs() : sys(root.file("SYS")), dev(root.file("DEV")) {
        mkdir(sys.c_str(), 0700);
        mkdir(dev.c_str(), 0700);
    }
    // A terminal entry; `with_device` gives it the `device` link, `type`
    // (when not empty) its port-type attribute, `node` its /dev entry.
    void Add(const std::string& name, bool with_device, const std::string& type, bool node) {
        const std::string entry = sys + "/" + name;
        mkdir(entry.c_str(), 0700);
        if (with_device) symlink("../../..", (entry + "/device").c_str());
        if (!type.empty()) std::ofstream(entry + "/type") << type << "\n";
        if (node) symlink("/dev/null", (dev + "/" + name).c_str());
    }

    TempDir root;
    std::string sys;
    std::string dev;
};

}  // namespace

TEST(PortList, ListsTerminalsWithHardwareInNaturalOrder) {
    FakeSysfs fake;
    fake.Add("ttyUSB10", true, "", true);
    fake.Add("ttyUSB2", true, "", true);
    fake.Add("ttyACM0", true, "", true);
    fake.Add("ttyS0", true, "4", true);       // a 16550A
    fake.Add("ttyS1", true, "0", true);       // placeholder: no UART
    fake.Add("ttyS2", true, "", true);        // no type, and /dev/null answers no TIOCGSERIAL
    fake.Add("ttySAC0", true, "", true);      // another driver's naming, not the 8250 family
    fake.Add("tty3", false, "", true);        // a virtual console: no device link
    fake.Add("ttyUSB5", true, "", false);     // no device node to open
    {
        // A plain file where the node should be.
        std::ofstream(fake.dev + "/ttyUSB6") << "x";
        fake.Add("ttyUSB6", true, "", false);
    }
    const std::vector<std::string> want = {"ttyACM0", "ttyS0", "ttySAC0", "ttyUSB2", "ttyUSB10"};
    EXPECT_EQ(platform::ListSystemPorts(fake.sys, fake.dev), want);
}

TEST(PortList, MissingSysfsGivesNoPorts) {
    TempDir dir;
    EXPECT_TRUE(platform::ListSystemPorts(dir.file("NONE"), "/dev").empty());
    EXPECT_TRUE(platform::ListSystemPorts(dir.path(), "/dev").empty());
}

TEST(PortList, ExtraPortsFromTheEnvironment) {
    const char* old = std::getenv("READER_EXTRA_PORTS");
    const std::string saved = old ? old : "";

    unsetenv("READER_EXTRA_PORTS");
    EXPECT_TRUE(platform::ListExtraPorts().empty());

    TempDir dir;
    const std::string link = dir.file("NULL");
    ASSERT_EQ(symlink("/dev/null", link.c_str()), 0);
    const std::string dangling = dir.file("DANGLING");
    ASSERT_EQ(symlink(dir.file("NOWHERE").c_str(), dangling.c_str()), 0);
    const std::string file = dir.file("FILE");
    std::ofstream(file) << "x";

    // Names are not judged here (the text form does that); existence and
    // kind are.
    std::string value = ":/dev/null::" + link + ":" + dangling + ":" + file + ":" + dir.path() +
                        ":dev/null:" + dir.file("GONE") + ":" + link;
    setenv("READER_EXTRA_PORTS", value.c_str(), 1);
    const std::vector<std::string> want = {"/dev/null", link, link};
    EXPECT_EQ(platform::ListExtraPorts(), want);

    std::vector<std::string> all = platform::ListPorts();
    ASSERT_GE(all.size(), want.size());
    EXPECT_TRUE(std::equal(want.begin(), want.end(), all.end() - want.size()));

    if (old) setenv("READER_EXTRA_PORTS", saved.c_str(), 1);
    else unsetenv("READER_EXTRA_PORTS");
}
