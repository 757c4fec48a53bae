// The custom frequency plan's limits and the firmware image check, without a
// display.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "wxcrafter/reader_rfparam_pannel_base/rf_param_tables.h"
#include "wxcrafter/rfid_upgrade_pannel_base/firmware_image.h"

namespace {

TEST(RfTables, CustomPlanBoundsAreInclusive)
{
    const struct {
        unsigned long start, space, count;
        bool ok;
    } cases[] = {
        {900000, 25, 1, true},     {840000, 25, 1, true},      {960000, 65535, 200, true},
        {839999, 25, 1, false},    {960001, 25, 1, false},     {900000, 24, 1, false},
        {900000, 65536, 1, false}, {900000, 25, 0, false},     {900000, 25, 201, false},
        {900000, 25, 257, false},  {4295867296ul, 25, 1, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rf_tables::custom_plan_ok(c.start, c.space, c.count), c.ok)
            << c.start << " " << c.space << " " << c.count;
}

TEST(FirmwareImage, OnlyANonEmptyReadableFileIsAnImage)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("rf-image-test-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path image = dir / "固件.bin";
    std::ofstream(image, std::ios::binary) << std::string(450, '\x5A');
    const fs::path empty = dir / "empty.bin";
    std::ofstream(empty, std::ios::binary).flush();

    EXPECT_TRUE(firmware_image_usable(image.string()));
    EXPECT_FALSE(firmware_image_usable(empty.string()));
    EXPECT_FALSE(firmware_image_usable((dir / "missing.bin").string()));
    EXPECT_FALSE(firmware_image_usable(dir.string()));
    EXPECT_FALSE(firmware_image_usable(""));
    fs::remove_all(dir);
}

}  // namespace
