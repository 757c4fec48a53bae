#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "lodeport_fixture.h"
#include "pty_pair.h"

namespace {

// Keeps READER_EXTRA_PORTS as the test found it.
class PortListTest : public LodePortTest {
protected:
    void SetUp() override {
        LodePortTest::SetUp();
        const char* old = std::getenv("READER_EXTRA_PORTS");
        had_ = old != nullptr;
        if (had_) saved_ = old;
        unsetenv("READER_EXTRA_PORTS");
        port = NewPort();
        base = port->getComPort();
    }
    void TearDown() override {
        if (had_) setenv("READER_EXTRA_PORTS", saved_.c_str(), 1);
        else unsetenv("READER_EXTRA_PORTS");
    }
    std::string ListWith(const std::string& extra) {
        setenv("READER_EXTRA_PORTS", extra.c_str(), 1);
        return port->getComPort();
    }
    // The system's own list with `names` added at its end.
    std::string BasePlus(std::initializer_list<std::string> names) {
        std::string text = base.substr(0, base.size() - 1);
        for (const std::string& name : names) text += name + "n";
        return text + "s";
    }

    std::unique_ptr<LodePortBase> port;
    std::string base;

private:
    bool had_ = false;
    std::string saved_;
};

}  // namespace

TEST_F(PortListTest, SystemPortsAreBareNamesOfCharacterDevicesInTheTextForm) {
    ASSERT_FALSE(base.empty());
    EXPECT_EQ(base.back(), 's');
    EXPECT_EQ(base.find('s'), base.size() - 1);
    // Split the way the connection page does: every name ends with 'n'.
    std::string name;
    for (std::size_t i = 0; i + 1 < base.size(); ++i) {
        if (base[i] != 'n') {
            name += base[i];
            continue;
        }
        ASSERT_FALSE(name.empty()) << base;
        EXPECT_EQ(name.find('/'), std::string::npos) << name;
        struct stat st;
        EXPECT_TRUE(stat(("/dev/" + name).c_str(), &st) == 0 && S_ISCHR(st.st_mode)) << name;
        name.clear();
    }
    EXPECT_TRUE(name.empty()) << "a name not ended by 'n' in " << base;
    // The list does not depend on the port being open.
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    port->SetPortA(pty.link());
    ASSERT_EQ(port->Open(), 10);
    EXPECT_EQ(port->getComPort(), base);
}

TEST_F(PortListTest, ExtraPortsAreListedAsGivenWhileTheyExist) {
    PtyPair one, two;
    ASSERT_TRUE(one.ok() && two.ok());
    EXPECT_EQ(ListWith(one.link()), BasePlus({one.link()}));
    EXPECT_EQ(ListWith(two.link() + ":" + one.link()), BasePlus({two.link(), one.link()}));
    // Calling again gives the same text (the driver compares them).
    EXPECT_EQ(port->getComPort(), BasePlus({two.link(), one.link()}));

    // A port that goes away leaves the list.
    ASSERT_EQ(unlink(one.link().c_str()), 0);
    EXPECT_EQ(port->getComPort(), BasePlus({two.link()}));

    unsetenv("READER_EXTRA_PORTS");
    EXPECT_EQ(port->getComPort(), base);
}

TEST_F(PortListTest, ExtraPathsThatAreNoPortOrWouldBreakTheTextAreLeftOut) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    TempDir dir;
    // Links to a working port under names that hold the separator letters.
    const std::string with_n = dir.file("PTYn");
    const std::string with_s = dir.file("PTYs");
    ASSERT_EQ(symlink(pty.slave_name().c_str(), with_n.c_str()), 0);
    ASSERT_EQ(symlink(pty.slave_name().c_str(), with_s.c_str()), 0);
    const std::string plain = dir.file("PLAIN");
    std::ofstream(plain) << "x";

    const std::string junk[] = {
        with_n, with_s,
        pty.slave_name(),  // /dev/pts/N holds an 's'
        plain,             // not a device
        dir.file("GONE"),  // missing
        dir.path(),        // a folder
        "PTY",             // relative
    };
    std::string extra = "::";
    for (const std::string& path : junk) extra += path + ":";
    extra += pty.link() + ":";
    EXPECT_EQ(ListWith(extra), BasePlus({pty.link()}));
    EXPECT_EQ(ListWith(""), base);
}
