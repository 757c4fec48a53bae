// The RS-232 link end to end: the operator picks the simulated reader's
// port and connects; the program's link thread, liblodeport and the
// controller carry the frames both ways.
#include "link_fixture.h"

#include "platform/platform.h"
#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "sdk_package/uart/UartThread.h"
#include "sim_codec.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/msgdlg.h>
#include <wx/radiobox.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>

using namespace link_test;
using namespace std::chrono_literals;

namespace {

const std::vector<uint8_t> kResetFrame = {0xA0, 0x03, 0x00, 0x70, 0xED};

// Waits, running the program meanwhile, until the reader has received the
// `nth` frame with command `cmd`.
bool reader_got(SimPort& port, uint8_t cmd, size_t nth = 1, int timeout_ms = 3000)
{
    return gui_test::pump_until(
        [&] { return port.reader().WaitForCommand(cmd, 0ms, nth).has_value(); }, timeout_ms);
}

// Connects to `port`'s reader and waits for the link to come up.
void connect_to(App& app, SimPort& port, int baud_index = 9)
{
    // Only this connect's state line counts.
    app->GetUartDataLog()->Clear();
    ASSERT_TRUE(app.pick_port(SimPort::path()));
    app.connect(baud_index);
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("连接成功！")));
    ASSERT_TRUE(reader_got(port, 0x70));
}

// Asks the link for one request the way the controller does: a request
// flag, then the link's control event.
void request(App& app, LinkThread::Flag UartThread::*flag)
{
    app->get_uart_thread()->*flag = 1;
    rfidConfigEvent event(wxEVT_UART_CTRL, 0);
    EventNotifier::Get()->AddPendingEvent(event);
}

}  // namespace

TEST(SerialLink, ConnectSendsTheResetAtTheChosenRateAndFollowsTheLink)
{
    SimPort port;
    // Another opener of the device sees the line settings the program set.
    const int probe = open(port.pty().DevicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(probe, 0);
    App app;
    connect_pannel* page = app.connection();

    ASSERT_TRUE(app.pick_port(SimPort::path()));
    app.connect(13);  // 460800
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("连接成功！")));
    auto reset = port.reader().WaitForCommand(0x70, 2000ms);
    ASSERT_TRUE(reset.has_value());
    const auto received = port.reader().Received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(readersim::EncodeFrame(received[0].frame.addr, received[0].frame.cmd,
                                     received[0].frame.data),
              kResetFrame);

    platform::LineAttributes line;
    ASSERT_TRUE(platform::GetLineAttributes(probe, line));
    EXPECT_EQ(line.ospeed, 460800u);
    EXPECT_EQ(line.ispeed, 460800u);
    close(probe);

    // Log: the request in black, the state in red.
    const wxString log = app->GetUartDataLog()->GetValue();
    EXPECT_TRUE(log.Contains(wxString::FromUTF8("  打开串口\r")));
    // Connected controls.
    EXPECT_FALSE(page->GetConnectReader_button()->IsEnabled());
    EXPECT_TRUE(page->GetDisConnect_button()->IsEnabled());
    EXPECT_FALSE(page->GetConnectMethod()->IsEnabled());
    EXPECT_TRUE(app->rfid_6c_tag_test_pannel->IsEnabled());
    EXPECT_TRUE(page->GetFrameware_button()->IsEnabled());

    // The reset's reply reaches the decoder and the monitor, in red.
    ASSERT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() >= 1; }));
    ASSERT_TRUE(gui_test::pump_until([&] { return !app.monitor_lines().empty(); }));
    auto lines = app.monitor_lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].red);
    EXPECT_EQ(line_bytes(lines[0].text), readersim::EncodeFrame(0, 0x70, {0x10}));

    // A request from the GUI goes out and is echoed in black.
    request(app, &UartThread::ReadFrameWareFlag);
    ASSERT_TRUE(reader_got(port, 0x72));
    ASSERT_TRUE(gui_test::pump_until([&] {
        for (const auto& l : app.monitor_lines())
            if (!l.red && line_bytes(l.text) == readersim::EncodeFrame(0, 0x72, {}))
                return true;
        return false;
    }));

    // Disconnecting brings the not-connected controls back.
    app.disconnect();
    EXPECT_TRUE(app.wait_for_log(wxString::FromUTF8("关闭串口")));
    EXPECT_TRUE(page->GetConnectReader_button()->IsEnabled());
    EXPECT_FALSE(page->GetDisConnect_button()->IsEnabled());
    EXPECT_FALSE(app->rfid_6c_tag_test_pannel->IsEnabled());
}

TEST(SerialLink, MonitorShowsNothingWhenUnticked)
{
    SimPort port;
    App app;
    gui_test::tick(app->GetOpen_uart_monitor_checkBox(), false);
    connect_to(app, port);
    request(app, &UartThread::ReadWorkTempFlag);
    ASSERT_TRUE(reader_got(port, 0x7B));
    ASSERT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() >= 2; }));
    gui_test::pump_for(50);
    EXPECT_TRUE(app.monitor_lines().empty());
}

TEST(SerialLink, AddressForConnectingFramesEveryRequest)
{
    SimPort port;
    App app;
    gui_test::paste_text(app.connection()->GetRS485conect_textCtrl(), "7");
    connect_to(app, port);
    auto reset = port.reader().WaitForCommand(0x70, 2000ms);
    EXPECT_EQ(reset->frame.addr, 7);
}

TEST(SerialLink, WithheldResetReplyAsksAndNoDisconnects)
{
    SimPort port;
    port.reader().WithholdReply(0x70);
    App app;
    ASSERT_TRUE(app.pick_port(SimPort::path()));
    app.connect();
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("连接成功！")));
    bool disconnected = false;
    wxTEST_DIALOG(
        disconnected = app.wait_for_log(wxString::FromUTF8("断开连接"), 5000),
        wxExpectModal<wxMessageDialog>(wxNO).Describe(
            wxString::FromUTF8("当前连接不是正确的读写器，是否继续连接？")));
    ASSERT_TRUE(disconnected);
    EXPECT_TRUE(app.connection()->GetConnectReader_button()->IsEnabled());

    // The port was closed: connecting again works and sends a new reset.
    port.reader().WithholdReply(0x70, false);
    app.connect();
    ASSERT_TRUE(reader_got(port, 0x70, 2));
    EXPECT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() >= 1; }));
}

TEST(SerialLink, VanishedPortIsReportedAndTheProgramReconnects)
{
    SimPort port;
    App app;
    connect_to(app, port);

    port.unplug();
    // The port list loses the port in use: back to the not-connected state.
    ASSERT_TRUE(gui_test::pump_until(
        [&] { return app.connection()->GetConnectReader_button()->IsEnabled(); }, 5000));
    EXPECT_EQ(app.connection()->GetUartNumber_choice()->FindString(SimPort::path()), wxNOT_FOUND);
    EXPECT_FALSE(app->rfid_6c_tag_test_pannel->IsEnabled());
    // And the operator is told, once, in red.
    const wxString gone = wxString::FromUTF8(("串口" + SimPort::path() + "已不存在，连接已断开！").c_str());
    EXPECT_TRUE(app.wait_for_log(gone));
    const wxString log = app->GetUartDataLog()->GetValue();
    EXPECT_EQ(log.find(gone), log.rfind(gone));
    EXPECT_TRUE(app.log_red(gone));

    port.plug();
    connect_to(app, port);
    EXPECT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() >= 2; }));
}

TEST(SerialLink, BadBytesNeverReachTheDecoderAsFrames)
{
    SimPort port;
    App app;
    connect_to(app, port);
    ASSERT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() >= 1; }));

    readersim::SimReader& reader = port.reader();
    reader.SetGarbageBetweenFrames({0x55, 0x00, 0xA0, 0x13});
    reader.SetSplitWrites(1, 200us);
    reader.CorruptNextChecks(2);
    reader.SendFrame(0, 0x72, {3, 7, 6});      // bad check
    reader.SendFrame(0, 0x7B, {1, 25});        // bad check
    reader.SendOverlongFrame(0x89, 120);       // too long for the receiver
    reader.SendFrame(0, 0x77, {30});           // good, split and behind garbage
    reader.SetGarbageBetweenFrames({});
    reader.SetSplitWrites(0, 0us);

    // The receiver's resynchronisation may swallow a good frame behind
    // noise; good frames keep coming until one gets through.
    const std::vector<uint8_t> good = readersim::EncodeFrame(0, 0x7A, {0x10});
    bool through = false;
    for (int attempt = 0; attempt < 20 && !through; ++attempt) {
        reader.SendFrame(0, 0x7A, {0x10});
        through = gui_test::pump_until([&] {
            for (const auto& l : app.monitor_lines())
                if (line_bytes(l.text) == good)
                    return true;
            return false;
        }, 200);
    }
    ASSERT_TRUE(through);
    // Every frame the decoder saw was whole and checked; the corrupt ones
    // and the over-long one never arrived.
    for (const auto& l : app.monitor_lines()) {
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

TEST(SerialLink, SwitchingMethodsAndReconnectingLeavesOneWorkingSerialThread)
{
    SimPort port;
    App app;
    wxRadioBox* method = app.connection()->GetConnectMethod();
    for (int round = 0; round < 6; ++round) {
        gui_test::choose(method, 1 + round % 2);  // TCP, then USB-HID
        gui_test::pump_for(5);
        gui_test::choose(method, 0);  // back to RS-232
        gui_test::pump_for(5);
    }
    // Every thread told to end has ended and been joined.
    ASSERT_TRUE(gui_test::pump_until([&] {
        const wxString log = app->GetUartDataLog()->GetValue();
        int switched = 0;
        for (size_t at = log.find(wxString::FromUTF8("切换成功!")); at != wxString::npos;
             at = log.find(wxString::FromUTF8("切换成功!"), at + 1))
            ++switched;
        return switched >= 12;
    }, 10000));
    ASSERT_NE(app->get_uart_thread(), nullptr);
    EXPECT_EQ(app->get_tcp_thread(), nullptr);
    EXPECT_EQ(app->get_hid_thread(), nullptr);

    for (int cycle = 0; cycle < 3; ++cycle) {
        connect_to(app, port);
        app.disconnect();
        ASSERT_TRUE(gui_test::pump_until(
            [&] { return app.connection()->GetConnectReader_button()->IsEnabled(); }))
            << app->GetUartDataLog()->GetValue().utf8_str().data();
        port.reader().ClearRecords();
    }
}

TEST(SerialLink, ClosingTheWindowWhileConnectedStopsTheLink)
{
    SimPort port;
    {
        App app;
        connect_to(app, port);
    }
    // The port was closed with the window: the device opens exclusively.
    const int fd = open(SimPort::path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    close(fd);
}
