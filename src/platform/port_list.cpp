// The serial devices the system has, in place of a registry of ports.
//
// The kernel lists every terminal under /sys/class/tty; those with a
// `device` link sit on real (or USB) hardware. The 8250 driver registers a
// fixed number of ttyS ports whether or not a UART answers; those report
// port type 0 and are left out.
#include <dirent.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>

#include "platform/platform.h"

namespace platform {

namespace {

bool IsCharDevice(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

bool Exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// "ttyS" followed by digits only: the 8250/16550 family.
bool IsLegacyUartName(const std::string& name) {
    if (name.compare(0, 4, "ttyS") != 0 || name.size() == 4) return false;
    return std::all_of(name.begin() + 4, name.end(),
                       [](unsigned char c) { return std::isdigit(c) != 0; });
}

// Whether a ttyS port has a UART behind it: sysfs says so without opening
// the device (opening would raise DTR and RTS on real hardware); older
// kernels without the attribute are asked through TIOCGSERIAL.
bool HasUart(const std::string& sys_entry, const std::string& dev_node) {
    std::ifstream type_file(sys_entry + "/type");
    long type = 0;
    if (type_file >> type) return type != 0;

    int fd = open(dev_node.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    serial_struct info{};
    bool known = ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    close(fd);
    return known;
}

// ttyUSB2 before ttyUSB10: digit runs compare by value.
bool NaturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        unsigned char ca = a[i], cb = b[j];
        if (std::isdigit(ca) && std::isdigit(cb)) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei]))) ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej]))) ++ej;
            // Strip leading zeros, then the longer run is the larger number.
            std::size_t zi = i, zj = j;
            while (zi + 1 < ei && a[zi] == '0') ++zi;
            while (zj + 1 < ej && b[zj] == '0') ++zj;
            std::string na = a.substr(zi, ei - zi), nb = b.substr(zj, ej - zj);
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (na != nb) return na < nb;
            i = ei;
            j = ej;
            continue;
        }
        if (ca != cb) return ca < cb;
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j)) return (a.size() - i) < (b.size() - j);
    return a < b;
}

}  // namespace

std::vector<std::string> ListSystemPorts(const std::string& sys_class_tty,
                                         const std::string& dev_dir) {
    std::vector<std::string> names;
    DIR* dir = opendir(sys_class_tty.c_str());
    if (dir == nullptr) return names;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name.empty() || name[0] == '.') continue;
        const std::string sys_entry = sys_class_tty + "/" + name;
        const std::string dev_node = dev_dir + "/" + name;
        if (!Exists(sys_entry + "/device")) continue;
        // Only what the user could open.
        if (!IsCharDevice(dev_node)) continue;
        if (IsLegacyUartName(name) && !HasUart(sys_entry, dev_node)) continue;
        names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end(), NaturalLess);
    return names;
}

std::vector<std::string> ListExtraPorts() {
    std::vector<std::string> paths;
    const char* env = std::getenv("READER_EXTRA_PORTS");
    if (env == nullptr) return paths;
    std::string list = env;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        std::string path = list.substr(start, end - start);
        if (!path.empty() && path[0] == '/' && IsCharDevice(path)) paths.push_back(path);
        start = end + 1;
    }
    return paths;
}

std::vector<std::string> ListPorts() {
    std::vector<std::string> all = ListSystemPorts();
    std::vector<std::string> extra = ListExtraPorts();
    all.insert(all.end(), extra.begin(), extra.end());
    return all;
}

}  // namespace platform
