#include "wxcrafter/rfid_upgrade_pannel_base/firmware_image.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

bool firmware_image_usable(const std::string& utf8_path)
{
    if (utf8_path.empty())
        return false;
    namespace fs = std::filesystem;
    const fs::path path(utf8_path);
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return false;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error || size == 0 || size > UINT32_MAX)
        return false;
    // Permission bits say too little (root reads anything, ACLs): try it.
    std::FILE* file = std::fopen(utf8_path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}
