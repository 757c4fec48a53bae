// The real-time inventory against the simulated reader: the start and stop
// frames, tags streaming into the page, the reader ending it.
#include "link_fixture.h"

#include "sim_codec.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel.h"
#include "wxcrafter/buffer_inv_pannel_base/buffer_inventory_pannel.h"
#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"
#include "wxcrafter/reader_rw_pannel_base/rfid_storage_pannel.h"
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
// that waits for every inventory goes out, and the tags it found reach the
// storage page's list, as on the operator's stop. One it has not ended holds
// such a command back, a firmware upgrade among them.
TEST_F(RealtimeInventory, AnyInventoryTheReaderEndsLetsTheNextCommandOut)
{
    rfid_6c_tag_test* t = app->get_rfid_6c_tag_test_pannel();
    wxButton* realtime = page->GetStartInventory_button();
    wxButton* buffered = t->buffer_inventory_subpannel->GetStartInventory_button();
    wxButton* custom = t->custom_inventory_subpannel->GetStartInventory_button();
    wxButton* switchant = t->reader_switchant_inventory_subpannel->GetStartInventory_button();
    wxButton* gpio = app.connection()->GetGPIO1Read_button();
    wxButton* upgrade = app->get_base_setting_pannel()->rfid_upgrade_subpannel->GetButtonupgrade();
    tag_choice* tags = t->rfid_storage_subpannel->GetTagList_choice();
    // A tag report from antenna `a`: antenna, PC, EPC, RSSI, frequency.
    auto report = [](uint8_t a) {
        return std::vector<uint8_t>{a,    0x30, 0x00, 0xE2, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                    0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x40, 0x0E, 0x0A, 0x3D};
    };
    const char* const rotation = "天线1-天线2-天线3-天线4";
    struct Row {
        wxButton* start;
        const char* antennas;  // the real-time page's choice
        uint8_t command;
        std::vector<uint8_t> reply;
        const char* line;      // the reader's end, or nullptr: it goes on
        wxButton* next;        // a command that waits for every inventory
        uint8_t next_command;
        bool tag_first = false;  // one tag reported before the reply
    };
    const Row rows[] = {
        {realtime, "天线1", 0x89, {0x22}, "天线未连接!", gpio, 0x60, true},
        {realtime, "天线1", 0x89, {0x36}, "无可操作标签错误!", gpio, 0x60},
        // Ended, and the rotation's next antenna becomes the work antenna.
        {realtime, rotation, 0x89, {0x22}, "天线未连接!", gpio, 0x60, true},
        // Only a short reply is a status.
        {realtime, "天线1", 0x89, report(0x36), nullptr, gpio, 0x60},
        {buffered, nullptr, 0x80, {0x22}, "天线未连接!", gpio, 0x60},
        {buffered, nullptr, 0x80, {0x36}, "无可操作标签错误!", gpio, 0x60},
        {custom, nullptr, 0x8A, {0x12}, "结束自定义盘存", gpio, 0x60},
        {custom, nullptr, 0x8A, {0x22}, "天线未连接!", gpio, 0x60, true},
        {custom, nullptr, 0x8A, report(1), nullptr, upgrade, 0x4C},
        {switchant, nullptr, 0x87, {0x13}, "结束多天线轮询盘存", gpio, 0x60},
        {switchant, nullptr, 0x87, {0x22}, "天线未连接!", gpio, 0x60, true},
        {switchant, nullptr, 0x87, {0x11}, "读写器不支持此命令！", gpio, 0x60},
    };
    const wxString refused = u("请先关闭盘存，再操作！");
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << int(row.command) << " " << int(row.reply[0]) << " "
                                        << (row.antennas ? row.antennas : ""));
        if (row.antennas)
            gui_test::choose(page->GetSelectANT_choice(), page->GetSelectANT_choice()->FindString(u(row.antennas)));
        end.reader().ClearRecords();
        std::vector<std::vector<uint8_t>> replies = {row.reply};
        if (row.tag_first)
            replies.insert(replies.begin(), report(1));
        end.reader().SetReplies(row.command, replies);
        const int lines = app.log_count(row.line ? u(row.line) : refused);
        const uint64_t decoded = app->get_frames_decoded();
        gui_test::press(row.start);
        ASSERT_TRUE(reader_got(end, row.command));
        if (row.line) {
            ASSERT_TRUE(gui_test::pump_until([&] { return app.log_count(u(row.line)) > lines; }));
            EXPECT_EQ(row.start->GetLabel(), u("开始盘存"));
            // The page's one tag (each page keeps its tags from one start
            // to the next).
            if (row.tag_first) {
                EXPECT_TRUE(gui_test::pump_until([&] { return tags->GetCount() == 1; }));
                EXPECT_EQ(tags->GetString(0), wxString("E2 00 00 00 00 00 00 00 00 00 00 01 "));
            }
            gui_test::press(row.next);
            EXPECT_TRUE(reader_got(end, row.next_command));
            if (row.antennas == rotation) {
                // Each reply, the tag's too, moves the rotation one on.
                EXPECT_EQ(last_frame(end, 0x74), row.tag_first ? "A0 04 00 74 03 E5" : "A0 04 00 74 02 E6");
            }
            continue;
        }
        // The report is taken, and the inventory runs on.
        ASSERT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() > decoded; }));
        EXPECT_EQ(row.start->GetLabel(), u("停止盘存"));
        gui_test::press(row.next);
        ASSERT_TRUE(gui_test::pump_until([&] { return app.log_count(refused) > lines; }));
        gui_test::press(row.start);
        ASSERT_TRUE(reader_got(end, 0x8C));
        EXPECT_FALSE(reader_got(end, row.next_command, 1, 0));
    }
}

}  // namespace
