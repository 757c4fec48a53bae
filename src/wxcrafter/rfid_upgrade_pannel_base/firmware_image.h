// Whether a path names a firmware image the link can send. No window here,
// so it is tested without a display.
#pragma once

#include <string>

// True when `utf8_path` names a regular file that opens for reading and
// holds 1 byte up to 4 GiB - 1 (the packet counter's file length is 32 bits).
// An empty path, a folder, a missing, unreadable or empty file give false.
bool firmware_image_usable(const std::string& utf8_path);
