// Tags past the 5000 rows of the real-time, custom and antenna-switch
// tables, end to end: the page counts every distinct tag, and the operation
// log says once per inventory, in red, that those past the rows are not
// listed.
#include "link_fixture.h"

#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/button.h>
#include <wx/textctrl.h>

using namespace link_test;

namespace {

const int kTags = 5100;
const char* const kNotice = "标签超过5000个：之后的标签只计入总数，不列入列表！";

struct PageCase {
    const char* name;
    uint8_t cmd;
    std::vector<uint8_t> end_status;  // none: the operator stops it
    bool start_empties;               // a start empties the page's table
    inventory_stats* (*page)(rfid_6c_tag_test* tests);
};

inventory_stats* realtime(rfid_6c_tag_test* t) { return t->realtime_inventory_subpannel; }
inventory_stats* custom(rfid_6c_tag_test* t) { return t->custom_inventory_subpannel; }
inventory_stats* antenna_switch(rfid_6c_tag_test* t)
{
    t->reader_switchant_inventory_subpannel->SetAntMode(1);
    return t->reader_switchant_inventory_subpannel;
}

const PageCase kPages[] = {
    {"realtime", 0x89, {}, false, realtime},
    {"custom", 0x8A, {0x12}, true, custom},
    {"antenna_switch", 0x87, {0x13}, false, antenna_switch},
};

class TagsPastTheRows : public testing::TestWithParam<int> {};

TEST_P(TagsPastTheRows, AreCountedAndToldOncePerInventory)
{
    const PageCase& c = kPages[GetParam()];
    SimPort end;
    App app;
    connect_and_reset(app, end);
    inventory_stats* page = c.page(app->rfid_6c_tag_test_pannel);

    // Each tag twice, then the reader's end status.
    std::vector<std::vector<uint8_t>> frames;
    for (int round = 0; round < 2; ++round)
        for (int id = 0; id < kTags; ++id)
            frames.push_back({1, 0x30, 0x00, 0xE2, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<uint8_t>(id >> 8),
                              static_cast<uint8_t>(id), 0x08, 0x0F, 0x42, 0x40, 0x0D, 0xBB, 0xA0});
    if (!c.end_status.empty())
        frames.push_back(c.end_status);
    end.reader().SetReplies(c.cmd, frames);

    const wxString notice = wxString::FromUTF8(kNotice);
    const wxString idle = wxString::FromUTF8("开始盘存");
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start);
        gui_test::press(page->GetStartInventory_button());
        ASSERT_TRUE(reader_got(end, c.cmd, static_cast<size_t>(start)));
        const int reports = 2 * kTags * (c.start_empties ? 1 : start);
        EXPECT_TRUE(gui_test::pump_until(
            [&] { return page->GetAcumulateData_textCtrl()->GetValue() == wxString::Format("%d", reports); }, 15000))
            << page->GetAcumulateData_textCtrl()->GetValue();
        EXPECT_EQ(page->GetInventoryTagNumber_textCtrl()->GetValue(), wxString::Format("%d", kTags));
        EXPECT_EQ(app.log_count(notice), start);
        EXPECT_TRUE(app.log_line_red(notice));
        if (page->GetStartInventory_button()->GetLabel() != idle)
            gui_test::press(page->GetStartInventory_button());
        ASSERT_TRUE(gui_test::pump_until([&] { return page->GetStartInventory_button()->GetLabel() == idle; }));
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, TagsPastTheRows, testing::Range(0, 3),
                         [](const testing::TestParamInfo<int>& info) { return kPages[info.param].name; });

}  // namespace
