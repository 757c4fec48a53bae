// The real-time inventory against the simulated reader: the start and stop
// frames, tags streaming into the page, the reader ending it.
#include "link_fixture.h"

#include "sim_codec.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/buffer_inv_pannel_base/buffer_inventory_pannel.h"
#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"
#include "wxcrafter/reader_switchant_inventory_base/reader_switchant_inventory_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/button.h>
#include <wx/choice.h>

#include <tuple>

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

// Whatever inventory the reader ends, the program is free again: a command
// that waits for every inventory goes out.
TEST_F(RealtimeInventory, AnyInventoryTheReaderEndsLetsTheNextCommandOut)
{
    rfid_6c_tag_test* t = app->get_rfid_6c_tag_test_pannel();
    wxButton* buffered = t->buffer_inventory_subpannel->GetStartInventory_button();
    wxButton* switchant = t->reader_switchant_inventory_subpannel->GetStartInventory_button();
    const std::tuple<wxButton*, uint8_t, uint8_t, const char*> rows[] = {
        {page->GetStartInventory_button(), 0x89, 0x22, "天线未连接!"},
        {page->GetStartInventory_button(), 0x89, 0x36, "无可操作标签错误!"},
        {buffered, 0x80, 0x22, "天线未连接!"},
        {buffered, 0x80, 0x36, "无可操作标签错误!"},
        {t->custom_inventory_subpannel->GetStartInventory_button(), 0x8A, 0x12, "结束自定义盘存"},
        {switchant, 0x87, 0x13, "结束多天线轮询盘存"},
        {switchant, 0x87, 0x22, "天线未连接!"},
        {switchant, 0x87, 0x11, "读写器不支持此命令！"},
    };
    size_t reads = 0;
    for (const auto& [start, command, status, text] : rows) {
        const wxString line = u(text);
        SCOPED_TRACE(testing::Message() << int(command) << " " << text);
        const int before = app.log_count(line);
        end.reader().SetReply(command, {status});
        gui_test::press(start);
        ASSERT_TRUE(gui_test::pump_until([&] { return app.log_count(line) > before; }));
        EXPECT_EQ(start->GetLabel(), u("开始盘存"));
        gui_test::press(app.connection()->GetGPIO1Read_button());
        EXPECT_TRUE(reader_got(end, 0x60, ++reads));
    }
}

// A rotating inventory goes on with its next antenna when one is missing.
TEST_F(RealtimeInventory, ARotatingInventoryGoesOnWithTheNextAntenna)
{
    end.reader().SetReply(0x89, {0x22});
    wxChoice* antennas = page->GetSelectANT_choice();
    gui_test::choose(antennas, antennas->FindString(u("天线1-天线2-天线3-天线4")));
    gui_test::press(page->GetStartInventory_button());
    ASSERT_TRUE(reader_got(end, 0x74));
    gui_test::press(page->GetStartInventory_button());  // still running: this stops it
    EXPECT_TRUE(reader_got(end, 0x8C));
}

}  // namespace
