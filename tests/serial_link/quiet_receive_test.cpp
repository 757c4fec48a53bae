// The receive and monitor timers sleep while the reader is silent: what
// arrives after a silence still gets through, whole and in order, and the
// response time-out keeps its own timer.
#include "link_fixture.h"

#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "sdk_package/uart/UartThread.h"
#include "sim_codec.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"

#include <wx/button.h>
#include <wx/msgdlg.h>

using namespace link_test;

namespace {

// Connects to the simulated reader, waits for the reset's reply to be
// decoded, then for both timers to have stopped.
void connect_and_fall_silent(App& app)
{
    ASSERT_TRUE(app.pick_port(SimPort::path()));
    app.connect();
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("连接成功！")));
    ASSERT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() >= 1; }));
    ASSERT_TRUE(gui_test::pump_until(
        [&] { return !app->data_timer_running() && !app->log_timer_running(); }));
}

void ask_firmware_version(App& app)
{
    app->get_uart_thread()->ReadFrameWareFlag = 1;
    rfidConfigEvent event(wxEVT_UART_CTRL, 0);
    EventNotifier::Get()->AddPendingEvent(event);
}

// The received frames the monitor shows, in its order.
std::vector<std::vector<uint8_t>> received_lines(App& app)
{
    std::vector<std::vector<uint8_t>> frames;
    for (const auto& line : app.monitor_lines())
        if (line.red)
            frames.push_back(line_bytes(line.text));
    return frames;
}

}  // namespace

TEST(QuietReceive, TheFirstReplyAfterASilenceIsDecodedAndShown)
{
    SimPort port;
    App app;
    connect_and_fall_silent(app);
    const uint64_t before = app->get_frames_decoded();

    ask_firmware_version(app);
    ASSERT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() == before + 1; }));
    ASSERT_TRUE(gui_test::pump_until([&] { return received_lines(app).size() == 2; }));
    const auto reply = port.reader().Sent().back().frame;
    EXPECT_EQ(received_lines(app).back(), readersim::EncodeFrame(reply.addr, 0x72, reply.data));
    // And both go back to sleep.
    EXPECT_TRUE(gui_test::pump_until(
        [&] { return !app->data_timer_running() && !app->log_timer_running(); }));
}

TEST(QuietReceive, TheResponseTimeOutAsksWhileTheReceiveTimerSleeps)
{
    SimPort port;
    port.reader().WithholdReply(0x72);
    App app;
    connect_and_fall_silent(app);

    ask_firmware_version(app);
    app->SetTimeOut(2);
    bool disconnected = false;
    wxTEST_DIALOG(
        disconnected = app.wait_for_log(wxString::FromUTF8("断开连接"), 5000),
        wxExpectModal<wxMessageDialog>(wxNO).Describe(
            wxString::FromUTF8("读写器响应超时，是否继续连接？")));
    ASSERT_TRUE(disconnected);
    EXPECT_TRUE(app.connection()->GetConnectReader_button()->IsEnabled());
}

TEST(QuietReceive, ABurstOfManyTicksWorthIsDrainedWholeAndInOrder)
{
    SimPort port;
    App app;
    connect_and_fall_silent(app);
    const uint64_t before = app->get_frames_decoded();
    const size_t shown = received_lines(app).size();

    // Six ticks' worth on the serial link, in one write.
    constexpr int kFrames = 300;
    std::vector<uint8_t> burst;
    for (int i = 0; i < kFrames; ++i) {
        const auto f = readersim::EncodeFrame(0, 0x99, {uint8_t(i >> 8), uint8_t(i)});
        burst.insert(burst.end(), f.begin(), f.end());
    }
    port.reader().SendRaw(burst);

    ASSERT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() == before + kFrames; }));
    EXPECT_EQ(app->get_rx_data()[0] * 256 + app->get_rx_data()[1], kFrames - 1);
    ASSERT_TRUE(gui_test::pump_until([&] { return received_lines(app).size() == shown + kFrames; }));
    const auto lines = received_lines(app);
    for (int i = 0; i < kFrames; ++i)
        ASSERT_EQ(lines[shown + i], readersim::EncodeFrame(0, 0x99, {uint8_t(i >> 8), uint8_t(i)}))
            << "frame " << i;
}
