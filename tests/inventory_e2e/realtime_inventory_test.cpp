// The real-time inventory against the simulated reader: the start and stop
// frames, tags streaming into the page, the reader ending it.
#include "link_fixture.h"

#include "sim_codec.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/button.h>
#include <wx/choice.h>

using namespace link_test;

namespace {

wxString u(const char* text)
{
    return wxString::FromUTF8(text);
}

class RealtimeInventory : public testing::Test {
protected:
    void SetUp() override
    {
        app.connection()->SetReaderType(1);  // four antennas
        connect_and_reset(app, end);
        page = app->get_rfid_6c_tag_test_pannel()->realtime_inventory_subpannel;
    }

    SimPort end;
    App app;
    realtime_inventory_pannel* page = nullptr;
};

TEST_F(RealtimeInventory, TagsStreamIntoThePageUntilTheOperatorStops)
{
    readersim::StreamConfig stream;
    stream.population = 40;
    stream.rate = 0;
    stream.limit = 400;
    end.reader().SetStream(stream);
    gui_test::choose(page->GetSelectANT_choice(), page->GetSelectANT_choice()->FindString(u("天线2")));
    gui_test::press(page->GetStartInventory_button());
    ASSERT_TRUE(reader_got(end, 0x89));
    EXPECT_EQ(last_frame(end, 0x89), "A0 04 00 89 02 D1");
    EXPECT_EQ(page->GetStartInventory_button()->GetLabel(), u("停止盘存"));
    // Every report reaches the table: none lost, each tag once.
    EXPECT_TRUE(gui_test::pump_until([&] { return page->GetAcumulateData_textCtrl()->GetValue() == "400"; }))
        << page->GetAcumulateData_textCtrl()->GetValue().utf8_string();
    EXPECT_EQ(page->GetEpcBufferNum(), 40);

    gui_test::press(page->GetStartInventory_button());
    ASSERT_TRUE(reader_got(end, 0x8C));
    EXPECT_EQ(last_frame(end, 0x8C), "A0 03 00 8C D1");
    EXPECT_TRUE(app.wait_for_log(u("结束实时盘存")));
    EXPECT_EQ(page->GetStartInventory_button()->GetLabel(), u("开始盘存"));
}

TEST_F(RealtimeInventory, AMissingAntennaEndsItWithAReason)
{
    end.reader().SetReply(0x89, {0x22});
    gui_test::press(page->GetStartInventory_button());
    ASSERT_TRUE(reader_got(end, 0x89));
    EXPECT_TRUE(app.wait_for_log(u("天线未连接!")));
    EXPECT_TRUE(app.log_line_red(u("天线未连接!")));
    EXPECT_TRUE(gui_test::pump_until([&] { return page->GetStartInventory_button()->GetLabel() == u("开始盘存"); }));
    EXPECT_EQ(app.link_thread(Link::Serial)->StartInventoryFlag, 0);
}

}  // namespace
