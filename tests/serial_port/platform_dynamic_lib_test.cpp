#include <gtest/gtest.h>
#include <sys/stat.h>

#include <thread>

#include "platform/platform.h"
#include "serial_port_library/lodeportBase.h"

namespace {

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

}  // namespace

TEST(DynamicLib, ExecutablePathAndFolderNameThisProgram) {
    const std::string path = platform::ExecutablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path[0], '/');
    EXPECT_TRUE(SameFile(path, "/proc/self/exe")) << path;

    const std::string dir = platform::ExecutableDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_EQ(path.compare(0, dir.size(), dir), 0);
    EXPECT_EQ(path.find('/', dir.size()), std::string::npos);
}

TEST(DynamicLib, LoadsTheSerialLibraryBesideTheProgramAndSeesOnlyExport) {
    platform::LibraryHandle library = platform::LoadLibraryFromExeDir("liblodeport.so");
    ASSERT_NE(library, nullptr) << platform::LastLoadError();

    auto make = reinterpret_cast<LodePortExportFn>(platform::FindSymbol(library, "Export"));
    ASSERT_NE(make, nullptr) << platform::LastLoadError();
    LodePortBase* port = make();
    ASSERT_NE(port, nullptr);
    EXPECT_FALSE(port->IsOpened());
    delete port;

    // The class and the platform layer inside stay hidden.
    for (const char* hidden : {"_ZN8LodePort4OpenEv", "_ZN8platform7SleepMsEi", "_ZN8platform9ListPortsB5cxx11Ev"}) {
        EXPECT_EQ(platform::FindSymbol(library, hidden), nullptr) << hidden;
        EXPECT_FALSE(platform::LastLoadError().empty());
    }
    // Loading again counts up; each load is released on its own.
    platform::LibraryHandle again = platform::LoadLibraryFromExeDir("liblodeport.so");
    EXPECT_EQ(again, library);
    EXPECT_TRUE(platform::UnloadLibrary(again));
    EXPECT_NE(platform::FindSymbol(library, "Export"), nullptr);
    EXPECT_TRUE(platform::UnloadLibrary(library));
}

TEST(DynamicLib, FailuresReturnNullAndSayWhy) {
    EXPECT_EQ(platform::LoadLibraryFromExeDir("libmissing_for_test.so"), nullptr);
    EXPECT_NE(platform::LastLoadError().find("libmissing_for_test.so"), std::string::npos)
        << platform::LastLoadError();

    // Only a bare name: the folder is the program's, never another.
    for (const char* name : {"", "../bin/liblodeport.so", "/usr/lib/x86_64-linux-gnu/libc.so.6"}) {
        EXPECT_EQ(platform::LoadLibraryFromExeDir(name), nullptr) << name;
        EXPECT_FALSE(platform::LastLoadError().empty());
    }
    EXPECT_EQ(platform::FindSymbol(nullptr, "Export"), nullptr);
    EXPECT_FALSE(platform::UnloadLibrary(nullptr));
    EXPECT_FALSE(platform::LastLoadError().empty());
}

TEST(DynamicLib, EachThreadKeepsItsOwnLastError) {
    ASSERT_EQ(platform::LoadLibraryFromExeDir("libMAIN_THREAD_missing.so"), nullptr);
    std::string in_thread;
    std::thread other([&] {
        platform::LoadLibraryFromExeDir("libOTHER_THREAD_missing.so");
        in_thread = platform::LastLoadError();
    });
    other.join();
    EXPECT_NE(in_thread.find("OTHER_THREAD"), std::string::npos) << in_thread;
    EXPECT_NE(platform::LastLoadError().find("MAIN_THREAD"), std::string::npos)
        << platform::LastLoadError();
}
