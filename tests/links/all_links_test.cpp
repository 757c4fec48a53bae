// What every link does end to end, run over RS-232, TCP and USB-HID: the
// program's controller and link threads against the simulated reader.
#include "link_fixture.h"

#include "reader_params.h"
#include "sdk_package/link_thread/LinkThread.h"
#include "sim_codec.h"
#include "wxcrafter/buffer_inv_pannel_base/buffer_inventory_pannel.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_rw_pannel_base/rfid_storage_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filepicker.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/radiobox.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>

using namespace link_test;
using namespace std::chrono_literals;

namespace {

// The address byte each link frames with when the connection page says 7:
// the USB-HID link has no address setting and always sends 1.
uint8_t address_for_7(Link link)
{
    return link == Link::Hid ? 1 : 7;
}

// The address byte with the page's default address (0).
uint8_t default_address(Link link)
{
    return link == Link::Hid ? 1 : 0;
}

class EveryLink : public testing::TestWithParam<Link> {
protected:
    void SetUp() override
    {
        end = make_endpoint(GetParam());
        if (GetParam() != Link::Serial) {
            ASSERT_TRUE(app.choose(GetParam()));
        }
    }
    Link link() const { return GetParam(); }

    std::unique_ptr<SimEndpoint> end;
    App app;
};

}  // namespace

TEST_P(EveryLink, ConnectResetsTheReaderAndFramesGoBothWays)
{
    connect_pannel* page = app.connection();
    ASSERT_TRUE(app.connect_to(*end));
    ASSERT_TRUE(app.wait_for_log(connected_text(link())));
    EXPECT_TRUE(app.log_line_red(connected_text(link())));
    ASSERT_TRUE(reader_got(*end, 0x70));
    const auto received = end->reader().Received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(readersim::EncodeFrame(received[0].frame.addr, 0x70, received[0].frame.data),
              readersim::EncodeFrame(default_address(link()), 0x70, {}));

    // Connected controls.
    EXPECT_FALSE(app.connect_button(link())->IsEnabled());
    EXPECT_FALSE(page->GetConnectMethod()->IsEnabled());
    EXPECT_TRUE(app->rfid_6c_tag_test_pannel->IsEnabled());
    EXPECT_TRUE(page->GetFrameware_button()->IsEnabled());

    // The reset's reply reaches the decoder and the monitor, in red.
    EXPECT_TRUE(app.wait_for_log(wxString::FromUTF8("复位成功！")));
    const uint8_t addr = default_address(link());
    ASSERT_TRUE(gui_test::pump_until(
        [&] { return app.monitor_shows(readersim::EncodeFrame(addr, 0x70, {0x10}), true); }));

    // A request from the GUI goes out and is echoed in black.
    app.request(link(), &LinkThread::ReadFrameWareFlag);
    ASSERT_TRUE(reader_got(*end, 0x72));
    EXPECT_TRUE(gui_test::pump_until(
        [&] { return app.monitor_shows(readersim::EncodeFrame(addr, 0x72, {}), false); }));

    // Disconnecting brings the not-connected controls back.
    app.disconnect(link());
    EXPECT_TRUE(gui_test::pump_until([&] { return app.connect_button(link())->IsEnabled(); }));
    EXPECT_FALSE(app->rfid_6c_tag_test_pannel->IsEnabled());
}

TEST_P(EveryLink, MonitorShowsNothingWhenUnticked)
{
    gui_test::tick(app->GetOpen_uart_monitor_checkBox(), false);
    connect_and_reset(app, *end);
    app.request(link(), &LinkThread::ReadWorkTempFlag);
    ASSERT_TRUE(reader_got(*end, 0x7B));
    ASSERT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() >= 2; }));
    gui_test::pump_for(50);
    EXPECT_TRUE(app.monitor_lines().empty());
}

TEST_P(EveryLink, AddressForConnectingFramesEveryRequest)
{
    gui_test::paste_text(app.connection()->GetRS485conect_textCtrl(), "7");
    connect_and_reset(app, *end);
    app.request(link(), &LinkThread::ReadAntPowerFlag);
    ASSERT_TRUE(reader_got(*end, 0x77));
    for (const readersim::TimedFrame& f : end->reader().Received())
        EXPECT_EQ(f.frame.addr, address_for_7(link())) << int(f.frame.cmd);
}

TEST_P(EveryLink, WithheldResetReplyAsksAndNoDisconnects)
{
    end->reader().WithholdReply(0x70);
    // Answered from the connect on: the question comes two seconds after
    // the reset, however long the connect took to show.
    bool connected = false;
    bool disconnected = false;
    wxTEST_DIALOG(([&] {
                      connected = app.connect_to(*end) && app.wait_for_log(connected_text(link()));
                      disconnected = connected && app.wait_for_log(wxString::FromUTF8("断开连接"), 5000);
                  }()),
                  wxExpectModal<wxMessageDialog>(wxNO).Describe(
                      wxString::FromUTF8("当前连接不是正确的读写器，是否继续连接？")));
    ASSERT_TRUE(connected);
    ASSERT_TRUE(disconnected);
    EXPECT_TRUE(app.connect_button(link())->IsEnabled());

    // The link was closed: connecting again works and sends a new reset.
    end->reader().WithholdReply(0x70, false);
    ASSERT_TRUE(app.connect_to(*end));
    ASSERT_TRUE(reader_got(*end, 0x70, 2));
    EXPECT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() >= 1; }));
}

TEST_P(EveryLink, BadBytesNeverReachTheDecoderAsFrames)
{
    connect_and_reset(app, *end);
    ASSERT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() >= 1; }));

    readersim::SimReader& reader = end->reader();
    reader.SetGarbageBetweenFrames({0x55, 0x00, 0xA0, 0x13});
    reader.SetSplitWrites(1, 200us);
    reader.CorruptNextChecks(2);
    reader.SendFrame(0, 0x72, {3, 7, 6});  // bad check
    reader.SendFrame(0, 0x7B, {1, 25});    // bad check
    reader.SendOverlongFrame(0x89, 120);   // too long for the receiver
    reader.SendFrame(0, 0x77, {30});       // good, split and behind garbage
    reader.SetGarbageBetweenFrames({});
    reader.SetSplitWrites(0, 0us);

    // The receiver's resynchronisation may swallow a good frame behind
    // noise; good frames keep coming until one gets through.
    const std::vector<uint8_t> good = readersim::EncodeFrame(0, 0x7A, {0x10});
    bool through = false;
    for (int attempt = 0; attempt < 20 && !through; ++attempt) {
        reader.SendFrame(0, 0x7A, {0x10});
        through = gui_test::pump_until([&] { return app.monitor_shows(good, true); }, 200);
    }
    ASSERT_TRUE(through);
    // Every frame the decoder saw was whole and checked; the corrupt ones
    // and the over-long one never arrived.
    for (const auto& l : app.monitor_lines()) {
        if (!l.red)
            continue;
        const std::vector<uint8_t> bytes = line_bytes(l.text);
        ASSERT_GE(bytes.size(), 5u) << l.text;
        EXPECT_EQ(bytes[0], 0xA0);
        EXPECT_EQ(bytes.size(), bytes[1] + 2u);
        EXPECT_LE(bytes[1], 98);
        EXPECT_EQ(readersim::FrameCheck(bytes.data(), bytes.size() - 1), bytes.back()) << l.text;
        EXPECT_NE(bytes[3], 0x72) << l.text;
        EXPECT_NE(bytes[3], 0x7B) << l.text;
        EXPECT_NE(bytes[3], 0x89) << l.text;
    }
}

TEST_P(EveryLink, SwitchingMethodsAndReconnectingLeavesOneWorkingThread)
{
    wxRadioBox* method = app.connection()->GetConnectMethod();
    const int here = static_cast<int>(link());
    const wxString switched = wxString::FromUTF8("切换成功!");
    const int before = app.log_count(switched);
    for (int round = 0; round < 6; ++round) {
        gui_test::choose(method, (here + 1 + round % 2) % 3);  // the other two
        gui_test::pump_for(5);
        gui_test::choose(method, here);
        gui_test::pump_for(5);
    }
    // Every thread told to end has ended and been joined; one of this link
    // is left.
    auto only_this_link = [&] {
        for (Link other : {Link::Serial, Link::Tcp, Link::Hid})
            if ((app.link_thread(other) != nullptr) != (other == link()))
                return false;
        return true;
    };
    ASSERT_TRUE(gui_test::pump_until(
        [&] { return app.log_count(switched) >= before + 12 && only_this_link(); }, 10000));

    for (int cycle = 0; cycle < 3; ++cycle) {
        connect_and_reset(app, *end);
        app.disconnect(link());
        ASSERT_TRUE(gui_test::pump_until([&] { return app.connect_button(link())->IsEnabled(); }))
            << app->GetUartDataLog()->GetValue().utf8_str().data();
        end->reader().ClearRecords();
    }
}

INSTANTIATE_TEST_SUITE_P(Links, EveryLink, testing::Values(Link::Serial, Link::Tcp, Link::Hid),
                         link_param_name);

namespace {

class LostReader : public EveryLink {};

// What the operator is told when the reader goes away while connected.
wxString lost_text(Link link)
{
    return wxString::FromUTF8(link == Link::Tcp ? "服务器连接丢失!" : "设备断开连接!");
}

}  // namespace

TEST_P(LostReader, IsReportedOnceAndEveryInventoryStopsThenAReconnectWorks)
{
    connect_and_reset(app, *end);
    LinkThread* thread = app.link_thread(link());
    // Inventories running, as far as the link and the pages know.
    thread->StartInventoryFlag = 2;
    thread->StartcustominventoryFlag = 2;
    thread->StartBuffInventoryFlag = 2;
    app.request(link(), &LinkThread::StartInventoryFlag, 1);
    ASSERT_TRUE(reader_got(*end, 0x89));

    end->unplug();
    const wxString lost = lost_text(link());
    ASSERT_TRUE(app.wait_for_log(lost));
    EXPECT_TRUE(app.log_line_red(lost));
    EXPECT_TRUE(app.connect_button(link())->IsEnabled());
    EXPECT_FALSE(app->rfid_6c_tag_test_pannel->IsEnabled());
    EXPECT_EQ(int(thread->StartInventoryFlag), 0);
    EXPECT_EQ(int(thread->StartcustominventoryFlag), 0);
    EXPECT_EQ(int(thread->StartBuffInventoryFlag), 0);
    // Once per loss: the link has gone idle, nothing more is reported.
    gui_test::pump_for(400);
    EXPECT_EQ(app.log_count(lost), 1);

    end->plug();
    connect_and_reset(app, *end);
    EXPECT_TRUE(app.wait_for_log(wxString::FromUTF8("复位成功！")));
    EXPECT_EQ(app.log_count(lost), 0) << "the log was cleared at the reconnect";
}

INSTANTIATE_TEST_SUITE_P(Links, LostReader, testing::Values(Link::Tcp, Link::Hid),
                         link_param_name);

namespace {

class Upgrade : public EveryLink {};

// The image bytes each packet carries on `link`: a USB-HID report holds a
// packet of 41 at the most.
std::vector<size_t> packet_sizes(Link link, size_t image)
{
    const size_t per = link == Link::Hid ? 41 : 200;
    std::vector<size_t> sizes;
    for (size_t at = 0; at < image; at += per)
        sizes.push_back(std::min(per, image - at));
    return sizes;
}

}  // namespace

// A lost link ends the upgrade under way; the next start reads its own file
// and sends it from packet 0, whatever the cut one had reached.
TEST_P(Upgrade, ACutUpgradeStartsOverThenTheImageGoesOutInNumberedPackets)
{
    connect_and_reset(app, *end);
    rfid_upgrade_pannel* page = app->get_base_setting_pannel()->rfid_upgrade_subpannel;
    auto start = [&](const std::string& file) {
        page->GetChoosebinfile()->SetPath(wxString::FromUTF8(file.c_str()));
        gui_test::press(page->GetButtonupgrade());
    };
    const std::string cut = gui_test::home_dir() + "/cut.bin";
    std::ofstream(cut) << std::string(1000, 'c');
    end->reader().WithholdReply(0x4C);  // packet 0 waits: the link goes meanwhile
    start(cut);
    ASSERT_TRUE(reader_got(*end, 0x4C));
    end->unplug();
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("升级失败")));
    end->plug();
    connect_and_reset(app, *end);

    const size_t image_size = 450;
    std::vector<uint8_t> image(image_size);
    for (size_t i = 0; i < image_size; ++i)
        image[i] = static_cast<uint8_t>(i * 7 + 1);
    const std::string path = gui_test::home_dir() + "/image.bin";
    {
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(image.data(), 1, image.size(), f);
        std::fclose(f);
    }
    UpObject = 0;
    const std::vector<size_t> sizes = packet_sizes(link(), image_size);
    // The first packet on the start; each acknowledgement asks for the next.
    start(path);
    ASSERT_TRUE(reader_got(*end, 0x4C, sizes.size()));
    EXPECT_TRUE(app.wait_for_log(wxString::FromUTF8("升级成功")));
    EXPECT_EQ(int(app.link_thread(link())->ReaderAppUpgradeFlag), 0);

    std::vector<uint8_t> rebuilt;
    size_t n = 0;
    for (const readersim::TimedFrame& f : end->reader().Received()) {
        if (f.frame.cmd != 0x4C)
            continue;
        ASSERT_LT(n, sizes.size());
        const std::vector<uint8_t>& d = f.frame.data;
        ASSERT_EQ(d.size(), sizes[n] + 6) << "packet " << n;
        // Len byte on the wire: the packet's data plus nine.
        EXPECT_EQ(readersim::EncodeFrame(f.frame.addr, 0x4C, d)[1], sizes[n] + 9);
        EXPECT_EQ((std::vector<uint8_t>{d[0], d[1], d[2], d[3]}),
                  (std::vector<uint8_t>{0, 0, 0, static_cast<uint8_t>(n)}));
        EXPECT_EQ(d[4], n + 1 == sizes.size() ? 1 : 0) << "last-packet flag of " << n;
        EXPECT_EQ(d[5], sizes[n]);
        rebuilt.insert(rebuilt.end(), d.begin() + 6, d.end());
        ++n;
    }
    EXPECT_EQ(n, sizes.size());
    EXPECT_EQ(rebuilt, image);
}

INSTANTIATE_TEST_SUITE_P(Links, Upgrade, testing::Values(Link::Serial, Link::Tcp, Link::Hid),
                         link_param_name);

// Tag memory over every link: the read's frame, its result row, and a 6C
// write that goes out as 0x82 everywhere so its result shows too.
TEST_P(EveryLink, TagMemoryResultsReachTheStoragePage)
{
    connect_and_reset(app, *end);
    rfid_storage_pannel* page = app->get_rfid_6c_tag_test_pannel()->rfid_storage_subpannel;
    const std::vector<uint8_t> epc = {0xE2, 0x00, 0x00, 0x17, 0x22, 0x0A, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB};
    std::vector<uint8_t> result = {0x00, 0x01, 0x14, 0x30, 0x00};
    result.insert(result.end(), epc.begin(), epc.end());
    for (uint8_t b : {0x1A, 0x2B, 0x11, 0x22, 0x33, 0x44, 0x00, 0x04, 0x02})
        result.push_back(b);
    end->reader().SetReply(0x81, result);
    gui_test::press(page->GetReadTag_button());
    ASSERT_TRUE(reader_got(*end, 0x81));
    wxListCtrl* rows = page->GetListCtrl11();
    ASSERT_TRUE(gui_test::pump_until([&] { return rows->GetItemCount() == 1; }));
    EXPECT_EQ(rows->GetItemText(0, 3), wxString("E2 00 00 17 22 0A 01 23 45 67 89 AB "));

    gui_test::press(page->GetWriteTag_button());
    EXPECT_TRUE(reader_got(*end, 0x82));
}

// What the reader says unasked reaches the operator over every link: a
// real-time inventory it ends hands its tag to the storage page, and the
// buffer's tag count is said in the log.
TEST_P(EveryLink, TheReadersEndAndItsBufferCountReachTheOperator)
{
    connect_and_reset(app, *end);
    rfid_6c_tag_test* tests = app->get_rfid_6c_tag_test_pannel();
    // Antenna, PC, EPC, RSSI, frequency; then the antenna is missing.
    end->reader().SetReplies(0x89, {{1, 0x30, 0x00, 0xE2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x07, 0, 0, 0, 0x40, 0x0E,
                                     0x0A, 0x3D},
                                    {0x22}});
    gui_test::press(tests->realtime_inventory_subpannel->GetStartInventory_button());
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("天线未连接!")));
    tag_choice* tags = tests->rfid_storage_subpannel->GetTagList_choice();
    ASSERT_TRUE(gui_test::pump_until([&] { return tags->GetCount() == 1; }));
    EXPECT_EQ(tags->GetString(0), wxString("E2 00 00 00 00 00 00 00 00 00 00 07 "));

    end->reader().SetReply(0x92, {0x01, 0x2C});
    gui_test::press(tests->buffer_inventory_subpannel->GetReadTagNum_button());
    const wxString count = wxString::FromUTF8("缓存中标签数量: 300");
    ASSERT_TRUE(app.wait_for_log(count));
    EXPECT_FALSE(app.log_line_red(count));
}
