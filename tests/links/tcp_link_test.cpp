// The TCP link's own cases: choosing it, the stream, failed connects and
// the connection page's refusals.
#include "link_fixture.h"

#include "sdk_package/socket/TCPThread.h"
#include "sim_codec.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"

#include <wx/button.h>

#include <chrono>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace link_test;
using namespace std::chrono_literals;

namespace {

// A loopback port nobody listens on.
uint16_t closed_port()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    close(fd);
    return ntohs(addr.sin_port);
}

}  // namespace

TEST(TcpLink, ChoosingItLogsTheMethodAndTheSerialThreadsEnd)
{
    App app;
    ASSERT_TRUE(app.choose(Link::Tcp));
    EXPECT_TRUE(app.wait_for_log(wxString::FromUTF8("设置读写器为TCP/IP连接")));
    EXPECT_FALSE(app.log_line_red(wxString::FromUTF8("设置读写器为TCP/IP连接")));
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("切换成功!")));
    EXPECT_TRUE(app.log_line_red(wxString::FromUTF8("切换成功!")));
    EXPECT_EQ(app->get_uart_thread(), nullptr);
    EXPECT_TRUE(app.connect_button(Link::Tcp)->IsEnabled());
}

TEST(TcpLink, TwoFramesInOneSegmentAreBothDecoded)
{
    SimServer end;
    App app;
    ASSERT_TRUE(app.choose(Link::Tcp));
    connect_and_reset(app, end);
    ASSERT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() >= 1; }));
    const uint64_t before = app->get_frames_decoded();
    std::vector<uint8_t> both = readersim::EncodeFrame(0, 0x72, {3, 7, 6});
    const std::vector<uint8_t> second = readersim::EncodeFrame(0, 0x7B, {1, 25});
    both.insert(both.end(), second.begin(), second.end());
    end.reader().SendRaw(both);
    ASSERT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() >= before + 2; }));
    EXPECT_TRUE(gui_test::pump_until([&] {
        return app.monitor_shows(readersim::EncodeFrame(0, 0x72, {3, 7, 6}), true) &&
               app.monitor_shows(second, true);
    }));
}

TEST(TcpLink, NobodyListeningFailsAndTheNextConnectWorks)
{
    SimServer end;
    App app;
    ASSERT_TRUE(app.choose(Link::Tcp));
    connect_pannel* page = app.connection();
    gui_test::paste_text(page->GetReaderID_textCtrl(), "127.0.0.1");
    gui_test::paste_text(page->GetPortName_textCtrl(), std::to_string(closed_port()));
    gui_test::press(page->GetConnecteReader_button());
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("连接失败")));
    EXPECT_EQ(app->get_timeoutflag(), 0) << "the failed connect still waits for a reply";
    EXPECT_TRUE(app.connect_button(Link::Tcp)->IsEnabled());

    connect_and_reset(app, end);
}

TEST(TcpLink, PageRefusalsMakeNoConnectAttempt)
{
    struct Case {
        const char* port;
        const char* rs485;
        const char* refusal;
    };
    const Case cases[] = {
        {"70000", "0", "端口号范围:0~65535！"},  // beyond the last port
        // Port filled in below; an address a frame cannot carry.
        {"", "256", "地址范围:0~255！"},
    };
    SimServer end;
    App app;
    ASSERT_TRUE(app.choose(Link::Tcp));
    connect_pannel* page = app.connection();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        const std::string port = *c.port ? c.port : std::to_string(end.port());
        gui_test::paste_text(page->GetReaderID_textCtrl(), "127.0.0.1");
        gui_test::paste_text(page->GetPortName_textCtrl(), port);
        gui_test::paste_text(page->GetRS485conect_textCtrl(), c.rs485);
        wxTEST_DIALOG(gui_test::press(page->GetConnecteReader_button()), ExpectRefusal(c.refusal));
        gui_test::pump_for(300);
        EXPECT_EQ(app.log_count(wxString::FromUTF8("打开TCP/IP连接")), 0);
        EXPECT_FALSE(end.server().WaitForClient(0ms));
        EXPECT_TRUE(app.connect_button(Link::Tcp)->IsEnabled());
    }
}
