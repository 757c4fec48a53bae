// The firmware-upgrade page: target and file into the upgrade globals, the
// three requests, and the controller's setters.
#include "rf_pages_support.h"

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include <wx/textctrl.h>

#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel.h"

using namespace rf_test;
using page_test::click;
using page_test::Host;

namespace {

namespace fs = std::filesystem;

TEST(UpgradePage, TargetAndTypedFileGoIntoTheGlobalsAndStartLooksAtTheFileAgain)
{
    Host<rfid_upgrade_pannel> host;
    rfid_upgrade_pannel* page = host.page;
    Recorder recorder;
    gui_test::choose(page->GetChooseupobject(), 1);
    EXPECT_EQ(UpObject, 1u);
    gui_test::choose(page->GetChooseupobject(), 0);
    EXPECT_EQ(UpObject, 0u);

    const fs::path dir = fs::temp_directory_path() / ("rf-upgrade-test-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path image = dir / fs::u8path("固件 v2.bin");
    std::ofstream(image, std::ios::binary) << std::string(450, '\x01');
    const struct {
        std::string typed;
        bool usable;
    } cases[] = {
        {image.u8string(), true}, {(dir / "missing.bin").u8string(), false}, {"", false}, {image.u8string(), true}};
    for (const auto& c : cases) {
        Upgrade_Enable = !c.usable;
        gui_test::paste_text(page->GetChoosebinfile()->GetTextCtrl(), wxString::FromUTF8(c.typed.c_str()));
        EXPECT_EQ(Bin_Path, c.typed);
        EXPECT_EQ(Upgrade_Enable, c.usable) << c.typed;
    }

    // Gone since it was chosen: the controller is told there is no file.
    fs::remove_all(dir);
    EXPECT_TRUE(click(page->GetButtonupgrade()));
    EXPECT_FALSE(Upgrade_Enable);
    EXPECT_TRUE(click(page->GetButtonreset()));
    EXPECT_TRUE(click(page->GetSaveflash_button()));
    const std::vector<Posted> posted = recorder.take();
    ASSERT_EQ(posted.size(), 3u);
    EXPECT_EQ(posted[0].type, wxEVT_UPGRADE);
    EXPECT_TRUE(posted[0].connect_carrier);
    EXPECT_EQ(posted[1].type, wxEVT_RESET_PARA);
    EXPECT_TRUE(posted[1].connect_carrier);
    EXPECT_EQ(posted[2].type, wxEVT_SAVE_PARA);
    EXPECT_FALSE(posted[2].connect_carrier);
}

TEST(UpgradePage, SettersSwitchOnlyTheirControlAndKeepTheGaugeInRange)
{
    Host<rfid_upgrade_pannel> host;
    rfid_upgrade_pannel* page = host.page;
    page->SetButtonUpgradeState(false);
    EXPECT_FALSE(page->GetButtonupgrade()->IsEnabled());
    page->SetChooseupobjectState(false);
    page->SetButtonUpgradeState(true);
    EXPECT_TRUE(page->GetButtonupgrade()->IsEnabled());
    EXPECT_FALSE(page->GetChooseupobject()->IsEnabled());
    EXPECT_TRUE(page->GetButtonreset()->IsEnabled());
    EXPECT_TRUE(page->GetSaveflash_button()->IsEnabled());

    const struct {
        int value;
        int shown;
    } cases[] = {{44, 44}, {101, 44}, {-1, 44}, {100, 100}, {0, 0}};
    for (const auto& c : cases) {
        page->SetGaugeUpgradeValue(c.value);
        EXPECT_EQ(page->GetGauge23()->GetValue(), c.shown) << c.value;
    }
}

}  // namespace
