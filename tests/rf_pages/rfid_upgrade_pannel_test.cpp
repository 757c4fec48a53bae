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

class UpgradePage : public ::testing::Test {
protected:
    Host<rfid_upgrade_pannel> host;
    rfid_upgrade_pannel* page = host.page;
    Recorder recorder;
    fs::path dir = fs::temp_directory_path() / ("rf-upgrade-test-" + std::to_string(::getpid()));

    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    fs::path make_file(const char* name, size_t bytes)
    {
        const fs::path path = dir / fs::u8path(name);
        std::ofstream(path, std::ios::binary) << std::string(bytes, '\x01');
        return path;
    }
    // Types into the picker's own text field, as an operator may.
    void type_path(const std::string& utf8_path)
    {
        wxTextCtrl* field = page->GetChoosebinfile()->GetTextCtrl();
        ASSERT_NE(field, nullptr);
        field->ChangeValue(wxEmptyString);
        gui_test::paste_text(field, wxString::FromUTF8(utf8_path.c_str()));
    }
};

TEST_F(UpgradePage, TargetAndFileGoIntoTheUpgradeGlobals)
{
    gui_test::choose(page->GetChooseupobject(), 1);
    EXPECT_EQ(UpObject, 1u);
    gui_test::choose(page->GetChooseupobject(), 0);
    EXPECT_EQ(UpObject, 0u);

    const std::string image = make_file("固件 v2.bin", 450).u8string();
    const struct {
        std::string typed;
        bool usable;
    } cases[] = {
        {image, true},
        {make_file("empty.bin", 0).u8string(), false},
        {(dir / "missing.bin").u8string(), false},
        {dir.u8string(), false},
        {"", false},
    };
    for (const auto& c : cases) {
        Upgrade_Enable = !c.usable;
        type_path(c.typed);
        EXPECT_EQ(Bin_Path, c.typed);
        EXPECT_EQ(Upgrade_Enable, c.usable) << c.typed;
    }
}

TEST_F(UpgradePage, StartLooksAtTheFileAgainAndAlwaysLetsTheControllerDecide)
{
    const fs::path image = make_file("app.bin", 10);
    type_path(image.u8string());
    ASSERT_TRUE(Upgrade_Enable);
    EXPECT_TRUE(click(page->GetButtonupgrade()));
    EXPECT_TRUE(Upgrade_Enable);

    // Gone since it was chosen: the controller is told there is no file.
    fs::remove(image);
    EXPECT_TRUE(click(page->GetButtonupgrade()));
    EXPECT_FALSE(Upgrade_Enable);

    EXPECT_TRUE(click(page->GetButtonreset()));
    EXPECT_TRUE(click(page->GetSaveflash_button()));
    const std::vector<Posted> posted = recorder.take();
    ASSERT_EQ(posted.size(), 4u);
    const struct {
        wxEventType type;
        bool connect_carrier;
    } expected[] = {
        {wxEVT_UPGRADE, true}, {wxEVT_UPGRADE, true}, {wxEVT_RESET_PARA, true}, {wxEVT_SAVE_PARA, false}};
    for (size_t i = 0; i < posted.size(); ++i) {
        EXPECT_EQ(posted[i].type, expected[i].type) << i;
        EXPECT_EQ(posted[i].connect_carrier, expected[i].connect_carrier) << i;
    }
}

TEST_F(UpgradePage, SettersSwitchOnlyTheirControlAndKeepTheGaugeInRange)
{
    page->SetButtonUpgradeState(false);
    EXPECT_FALSE(page->GetButtonupgrade()->IsEnabled());
    EXPECT_TRUE(page->GetChooseupobject()->IsEnabled());
    page->SetChooseupobjectState(false);
    EXPECT_FALSE(page->GetChooseupobject()->IsEnabled());
    for (wxWindow* always : {static_cast<wxWindow*>(page->GetButtonreset()),
                             static_cast<wxWindow*>(page->GetSaveflash_button()),
                             static_cast<wxWindow*>(page->GetChoosebinfile())})
        EXPECT_TRUE(always->IsEnabled());
    page->SetButtonUpgradeState(true);
    page->SetChooseupobjectState(true);
    EXPECT_TRUE(page->GetButtonupgrade()->IsEnabled());
    EXPECT_TRUE(page->GetChooseupobject()->IsEnabled());

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
