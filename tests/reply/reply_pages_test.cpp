// Replies end to end: the simulated reader's replies over the serial link,
// through the controller, to what the pages show and the log says.
#include "link_fixture.h"

#include "wxcrafter/reader_rfparam_pannel_base/rf_paramset_pannel.h"
#include "wxcrafter/reader_rw_pannel_base/rfid_storage_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/radiobox.h>

using namespace link_test;
using Page = rfid_storage_pannel;

// Each operation's reply gives a row (its EPC cell) or one red line.
TEST(ReplyPages, TagMemoryRepliesGiveARowOrARedLine)
{
    std::unique_ptr<SimEndpoint> end = make_endpoint(Link::Serial);
    App app;
    connect_and_reset(app, *end);
    Page* page = app->get_rfid_6c_tag_test_pannel()->rfid_storage_subpannel;
    // An authentication result whose EPC length byte, 54, is the status 0x36.
    std::vector<uint8_t> auth(56, 0xE2);
    auth[0] = 54;
    auth[54] = 0x59;
    std::string epc;
    for (int i = 0; i < 50; ++i)
        epc += "E2 ";
    const struct {
        wxButton* (Page::*button)();
        uint8_t cmd;
        std::vector<uint8_t> reply;
        std::string shown;  // the row's EPC, or the red line
    } cases[] = {
        {&Page::GetDoubleidentify_button, 0x98, auth, epc},
        {&Page::GetDoubleidentify_button, 0x98, {0x32}, "双向认证失败，状态码 0x32!"},
        {&Page::GetLockTag_button, 0x47, {0x11}, "国标锁标签失败，状态码 0x11!"},
        {&Page::GetLockTag_button, 0x47, {0x00, 0x01, 0x20},
         "国标锁标签的应答无法解析，首字节 0x00，共 3 字节!"},
    };
    gui_test::choose(page->GetModeSelect_radioBox(), 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        end->reader().SetReply(c.cmd, c.reply);
        gui_test::press((page->*c.button)());
        const wxString line = wxString::FromUTF8(c.shown);
        ASSERT_TRUE(gui_test::pump_until([&] {
            return page->GetListCtrl11()->GetItemCount() == 1 || app.log_count(line) == 1;
        }));
        if (page->GetListCtrl11()->GetItemCount() == 1)
            EXPECT_EQ(page->GetListCtrl11()->GetItemText(0, 3).ToStdString(), c.shown);
        else
            EXPECT_TRUE(app.log_line_red(line));
    }
}

// Values the page has no entry for, and a report with no room for the EPC
// its PC names (stored as the tag without EPC, "00 "). An antenna or a
// profile the page cannot show is shown as none, and "设置" then refuses
// instead of sending what the operator does not see.
TEST(ReplyPages, ReplySettersTable)
{
    std::unique_ptr<SimEndpoint> end = make_endpoint(Link::Serial);
    App app;
    connect_and_reset(app, *end);
    rf_paramset_pannel* rf = app->get_base_setting_pannel()->rf_paramset_subpannel;
    realtime_inventory_pannel* realtime = app->get_rfid_6c_tag_test_pannel()->realtime_inventory_subpannel;
    const struct {
        uint8_t cmd;
        std::vector<uint8_t> data;
        std::function<wxString()> shown;
        wxString expected;
        const char* line;      // red, or nullptr
        wxButton* set;         // refused afterwards, or nullptr
        const char* refusal;
    } cases[] = {
        {0x6A, {5}, [rf] { return wxString() << rf->GetRfLink_radioBox()->GetSelection(); }, "-1",
         "读写器当前的通讯带宽配置ID为5，不在配置列表中！", rf->GetRfLink_Write_button(), "请选择通讯带宽配置！"},
        {0x75, {0}, [rf] { return wxString() << rf->GetAntPort_choice()->GetSelection(); }, "-1", nullptr,
         rf->GetAntPort_Set_button(), "请选择工作天线！"},
        {0x89, {1, 0x02, 0x00, 8, 0x22, 0, 0, 0x0E, 0x0A, 0x3D}, [realtime] { return realtime->GetEpcBuffer(1); },
         "00 ", nullptr, nullptr, nullptr},
    };
    gui_test::choose(rf->GetRfLink_radioBox(), 3);
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.cmd));
        end->reader().SendFrame(0, c.cmd, c.data);
        EXPECT_TRUE(gui_test::pump_until([&] { return c.shown() == c.expected; }));
        if (c.line) {
            EXPECT_TRUE(app.wait_for_log(wxString::FromUTF8(c.line)));
            EXPECT_TRUE(app.log_line_red(wxString::FromUTF8(c.line)));
        }
        if (c.set) {
            wxTEST_DIALOG(gui_test::press(c.set), ExpectRefusal(c.refusal));
        }
    }
    // Nothing was set: a read goes out, and no set before it.
    gui_test::press(rf->GetAntPort_Read_button());
    ASSERT_TRUE(reader_got(*end, 0x75));
    EXPECT_EQ(last_frame(*end, 0x74), "");
    EXPECT_EQ(last_frame(*end, 0x69), "");
}
