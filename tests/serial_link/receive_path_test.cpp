// The controller's receive path and its disconnect and start-up duties,
// driven through the link threads' real queues and flags.
#include "link_fixture.h"

#include "platform/platform.h"
#include "sdk_package/socket/TCPThread.h"
#include "sdk_package/uart/UartThread.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/radiobox.h>
#include <wx/timer.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace link_test;

namespace {

// A checked reply frame in a queue record, zero behind it.
RXBUF reply_frame(uint8_t cmd, std::vector<uint8_t> data)
{
    RXBUF frame{};
    const std::vector<uint8_t> bytes = readersim::EncodeFrame(0, cmd, data);
    std::memcpy(frame.RXBuff, bytes.data(), bytes.size());
    return frame;
}

void tick(MainAPP* app)
{
    wxTimer timer;
    wxTimerEvent event(timer);
    app->DataTimer(event);
}

}  // namespace

TEST(ReceivePath, SerialTakesFiftyFramesATickAndTcpTakesThemAll)
{
    App app;
    FrameLink* serial = app->get_uart_thread()->libuart;
    for (int i = 0; i < 120; ++i)
        serial->rxbuf_qe.enqueue(reply_frame(0x99, {static_cast<uint8_t>(i)}));
    tick(app.get());
    EXPECT_EQ(app->get_frames_decoded(), 50u);
    tick(app.get());
    EXPECT_EQ(app->get_frames_decoded(), 100u);
    tick(app.get());
    EXPECT_EQ(app->get_frames_decoded(), 120u);
    // The last frame's data is in the receive buffer, zero behind it.
    EXPECT_EQ(app->get_pakagelen(), 4);
    EXPECT_EQ(app->get_rx_data()[0], 119);
    EXPECT_EQ(app->get_rx_data()[2], 0);

    gui_test::choose(app.connection()->GetConnectMethod(), 1);
    ASSERT_TRUE(gui_test::pump_until([&] { return app->get_tcp_thread() != nullptr; }));
    FrameLink* tcp = app->get_tcp_thread()->tcp;
    for (int i = 0; i < 120; ++i)
        tcp->rxbuf_qe.enqueue(reply_frame(0x99, {1}));
    tick(app.get());
    EXPECT_EQ(app->get_frames_decoded(), 240u);
}

TEST(ReceivePath, ALengthByteOf255IsCopiedOnlyToTheEndOfItsRecord)
{
    App app;
    RXBUF frame{};
    for (size_t i = 0; i < sizeof frame.RXBuff; ++i)
        frame.RXBuff[i] = static_cast<uint8_t>(i);
    frame.RXBuff[0] = 0xA0;
    frame.RXBuff[1] = 255;
    frame.RXBuff[3] = 0x99;
    app->get_uart_thread()->libuart->rxbuf_qe.enqueue(frame);
    tick(app.get());
    ASSERT_EQ(app->get_frames_decoded(), 1u);
    EXPECT_EQ(app->get_pakagelen(), 255);
    EXPECT_EQ(app->get_rx_data()[250], frame.RXBuff[254]);
    // The monitor shows the record's 255 bytes, not the 257 the length asks.
    ASSERT_TRUE(gui_test::pump_until([&] { return !app.monitor_lines().empty(); }));
    EXPECT_EQ(line_bytes(app.monitor_lines()[0].text).size(), 255u);
}

TEST(ReceivePath, DisconnectingClearsEveryInventoryRequest)
{
    SimPort port;
    App app;
    ASSERT_TRUE(app.pick_port(SimPort::path()));
    app.connect();
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("连接成功！")));
    UartThread* link = app->get_uart_thread();
    link->StartInventoryFlag = 2;
    link->StartcustominventoryFlag = 2;
    link->StartSwitchAntInventoryFlag = 2;
    link->StartBuffInventoryFlag = 2;
    app.disconnect();
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("关闭串口")));
    EXPECT_EQ(int(link->StartInventoryFlag), 0);
    EXPECT_EQ(int(link->StartcustominventoryFlag), 0);
    EXPECT_EQ(int(link->StartSwitchAntInventoryFlag), 0);
    EXPECT_EQ(int(link->StartBuffInventoryFlag), 0);
}

// Run in a folder without liblodeport.so (the parent test copies this
// program there): the program reports it once and the serial link stays
// harmlessly unusable.
TEST(MissingLibrary, IsReportedOnceAndTheSerialLinkStaysUnusable)
{
    struct stat st;
    const std::string here = platform::ExecutableDir();
    if (stat((here + "liblodeport.so").c_str(), &st) == 0) {
        // The parent: run a copy of this program where the library is not.
        std::string output;
        EXPECT_TRUE(rerun_alone("MissingLibrary.*", &output)) << output;
        return;
    }

    SimPort port;
    App app;
    ASSERT_NE(app->get_uart_thread(), nullptr);
    EXPECT_FALSE(app->get_uart_thread()->library_loaded());
    const wxString report = wxString::FromUTF8("串口库加载失败");
    auto reports = [&] { return app.log_mentions(report); };
    EXPECT_EQ(reports(), 1);

    // No ports can be listed and nothing opens; switching back to RS-232
    // does not report again.
    gui_test::choose(app.connection()->GetConnectMethod(), 1);
    gui_test::pump_until([&] { return app->get_tcp_thread() != nullptr; });
    gui_test::choose(app.connection()->GetConnectMethod(), 0);
    ASSERT_TRUE(gui_test::pump_until([&] {
        return app->get_uart_thread() != nullptr && app->get_tcp_thread() == nullptr;
    }));
    gui_test::pump_for(400);
    EXPECT_EQ(reports(), 1);
    EXPECT_EQ(app.connection()->GetUartNumber_choice()->GetCount(), 0u);
}
