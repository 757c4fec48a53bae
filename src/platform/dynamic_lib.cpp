// Loading shared libraries from the program's own folder, the way the link
// drivers find liblodeport.so and hidapi beside reader_host.
#include <dlfcn.h>
#include <unistd.h>

#include <vector>

#include "platform/platform.h"

namespace platform {

namespace {

// dlerror() is cleared by reading it and says nothing about our own checks;
// keep one text per thread that the callers can read at leisure.
thread_local std::string g_last_error;

void SetError(const std::string& text) { g_last_error = text; }

void SetDlError(const std::string& context) {
    const char* text = dlerror();
    SetError(text != nullptr ? std::string(text) : context);
}

}  // namespace

std::string ExecutablePath() {
    // readlink does not say whether it truncated: grow until it fits.
    std::vector<char> buffer(256);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return std::string();
        if (static_cast<std::size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(n));
        if (buffer.size() >= (1u << 20)) return std::string();
        buffer.resize(buffer.size() * 2);
    }
}

std::string ExecutableDir() {
    std::string path = ExecutablePath();
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return std::string();
    return path.substr(0, slash + 1);
}

LibraryHandle LoadLibraryFromExeDir(const std::string& file_name) {
    if (file_name.empty() || file_name.find('/') != std::string::npos) {
        SetError("not a bare library file name: \"" + file_name + "\"");
        return nullptr;
    }
    std::string dir = ExecutableDir();
    if (dir.empty()) {
        SetError("cannot find the program's folder from /proc/self/exe");
        return nullptr;
    }
    std::string path = dir + file_name;
    dlerror();
    LibraryHandle library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) SetDlError("cannot load " + path);
    return library;
}

void* FindSymbol(LibraryHandle library, const char* name) {
    if (library == nullptr || name == nullptr) {
        SetError("no library or no symbol name");
        return nullptr;
    }
    dlerror();
    void* symbol = dlsym(library, name);
    if (symbol == nullptr) SetDlError(std::string("symbol not found: ") + name);
    return symbol;
}

bool UnloadLibrary(LibraryHandle library) {
    if (library == nullptr) {
        SetError("no library to unload");
        return false;
    }
    dlerror();
    if (dlclose(library) != 0) {
        SetDlError("cannot unload library");
        return false;
    }
    return true;
}

std::string LastLoadError() { return g_last_error; }

}  // namespace platform
