// The custom inventory end to end: the program's controller, serial link
// and pages against the simulated reader.
#include "link_fixture.h"

#include "sim_codec.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/choice.h>

#include <chrono>

using namespace link_test;
using namespace std::chrono_literals;

namespace {

class CustomInventory : public testing::Test {
protected:
    void SetUp() override
    {
        connect_and_reset(app, *end);
        page = app->rfid_6c_tag_test_pannel->custom_inventory_subpannel;
    }

    // The `nth` custom inventory request the reader received, as framed.
    std::vector<uint8_t> request(size_t nth)
    {
        EXPECT_TRUE(reader_got(*end, 0x8A, nth));
        const auto got = end->reader().WaitForCommand(0x8A, 0ms, nth);
        return got ? readersim::EncodeFrame(got->frame.addr, 0x8A, got->frame.data) : std::vector<uint8_t>();
    }

    // The reader's finished status ends the inventory on the page.
    void expect_finished(int times)
    {
        ASSERT_TRUE(gui_test::pump_until([&] { return app.log_count(finished) == times; }));
        EXPECT_FALSE(app.log_line_red(finished));
        EXPECT_EQ(page->GetStartInventory_button()->GetLabel(), wxString::FromUTF8("开始盘存"));
    }

    std::unique_ptr<SimEndpoint> end = make_endpoint(Link::Serial);
    App app;
    custom_inventory_pannel* page = nullptr;
    const wxString finished = wxString::FromUTF8("结束自定义盘存");
};

TEST_F(CustomInventory, PlainThenMatchInventoryUntilTheReaderEndsEach)
{
    // Five plain reports of two tags, then the finished status alone.
    readersim::StreamConfig stream;
    stream.population = 2;
    stream.limit = 5;
    stream.rate = 0;
    end->reader().SetStream(stream);
    gui_test::press(page->GetStartInventory_button());
    EXPECT_EQ(request(1), (std::vector<uint8_t>{0xA0, 0x07, 0x00, 0x8A, 0x01, 0x01, 0x00, 0x06, 0xC7}));
    expect_finished(1);
    EXPECT_EQ(page->GetEpcBufferNum(), 2);
    // A plain inventory's tags are offered to the storage page.
    tag_choice* tags = app->rfid_6c_tag_test_pannel->rfid_storage_subpannel->GetTagList_choice();
    ASSERT_TRUE(gui_test::pump_until([tags] { return tags->GetCount() == 2; }));
    EXPECT_NE(tags->FindString(page->GetEpcBuffer(1)), wxNOT_FOUND);

    // A match: the reader answers with reports of the mode's own code.
    end->reader().WithholdReply(0x8A);
    gui_test::choose(page->GetMembank_choice(), 6);  // "自定义匹配EPC"
    gui_test::type_text(page->GetReadlen_textCtrl(), "32");
    gui_test::press(page->GetStartInventory_button());
    EXPECT_EQ(request(2), (std::vector<uint8_t>{0xA0, 0x07, 0x00, 0x8A, 0x01, 0x01, 0x02, 0x20, 0xAB}));
    const uint8_t reply = match_mode_at(6)->reply;
    end->reader().SendFrame(0, reply, {1, 0x30, 0x00, 0xE2, 0x00, 0x00, 0x17, 0x22, 0x0A, 0x01, 0x23, 0x45, 0x67, 0x89,
                                       0xAB, 0x1A, 0x2B, 0x02, 0xAA, 0xBB, 0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D});
    end->reader().SendFrame(0, reply, {0x12});
    expect_finished(2);
    tag_list_ctrl* list = page->GetListCtrl11();
    ASSERT_TRUE(gui_test::pump_until([list] { return list->GetItemCount() == 1; }));
    EXPECT_EQ(list->GetItemText(0, 5), wxT("AA BB "));
}

TEST_F(CustomInventory, AStartWhileTheRealTimeInventoryRunsIsRefused)
{
    readersim::StreamConfig stream;
    stream.population = 1;
    stream.rate = 50;
    end->reader().SetStream(stream);
    realtime_inventory_pannel* realtime = app->rfid_6c_tag_test_pannel->realtime_inventory_subpannel;
    gui_test::press(realtime->GetStartInventory_button());
    ASSERT_TRUE(reader_got(*end, 0x89));
    gui_test::press(page->GetStartInventory_button());
    const wxString refused = wxString::FromUTF8("请先关闭实时盘存，再操作！");
    ASSERT_TRUE(app.wait_for_log(refused));
    EXPECT_TRUE(app.log_line_red(refused));
    gui_test::press(realtime->GetStartInventory_button());
    ASSERT_TRUE(reader_got(*end, 0x8C));
    EXPECT_FALSE(end->reader().WaitForCommand(0x8A, 0ms).has_value());
}

}  // namespace
