// The RS-232 link's own cases end to end: the line settings, a vanished
// port, the port released with the window. What every link does is in
// tests/links.
#include "link_fixture.h"

#include "platform/platform.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/choice.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace link_test;

TEST(SerialLink, ConnectOpensThePortAtTheChosenRate)
{
    SimPort port;
    // Another opener of the device sees the line settings the program set.
    const int probe = open(port.pty().DevicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(probe, 0);
    App app;
    ASSERT_TRUE(app.pick_port(SimPort::path()));
    app.connect(13);  // 460800
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("连接成功！")));
    ASSERT_TRUE(reader_got(port, 0x70));
    platform::LineAttributes line;
    ASSERT_TRUE(platform::GetLineAttributes(probe, line));
    EXPECT_EQ(line.ospeed, 460800u);
    EXPECT_EQ(line.ispeed, 460800u);
    close(probe);
    // The request in black.
    EXPECT_TRUE(app->GetUartDataLog()->GetValue().Contains(wxString::FromUTF8("  打开串口\r")));
    EXPECT_FALSE(app.log_line_red(wxString::FromUTF8("打开串口")));
}

TEST(SerialLink, VanishedPortIsReportedAndTheProgramReconnects)
{
    SimPort port;
    App app;
    connect_and_reset(app, port);

    port.unplug();
    // The port list loses the port in use: back to the not-connected state.
    ASSERT_TRUE(gui_test::pump_until(
        [&] { return app.connection()->GetConnectReader_button()->IsEnabled(); }, 5000));
    EXPECT_EQ(app.connection()->GetUartNumber_choice()->FindString(SimPort::path()), wxNOT_FOUND);
    EXPECT_FALSE(app->rfid_6c_tag_test_pannel->IsEnabled());
    // And the operator is told, once, in red.
    const wxString gone = wxString::FromUTF8(("串口" + SimPort::path() + "已不存在，连接已断开！").c_str());
    EXPECT_TRUE(app.wait_for_log(gone));
    EXPECT_EQ(app.log_count(gone), 1);
    EXPECT_TRUE(app.log_line_red(gone));

    port.plug();
    connect_and_reset(app, port);
    EXPECT_TRUE(gui_test::pump_until([&] { return app->get_frames_decoded() >= 2; }));
}

TEST(SerialLink, APortThatVanishesWhileNothingIsOpenOnlyLeavesTheList)
{
    for (const bool picked : {false, true}) {
        SCOPED_TRACE(picked ? "picked" : "listed");
        SimPort port;
        App app;
        wxChoice* ports = app.connection()->GetUartNumber_choice();
        const wxString name = wxString::FromUTF8(SimPort::path().c_str());
        ASSERT_TRUE(picked ? app.pick_port(SimPort::path())
                           : gui_test::pump_until([&] { return ports->FindString(name) != wxNOT_FOUND; }));
        port.unplug();
        ASSERT_TRUE(gui_test::pump_until([&] { return ports->FindString(name) == wxNOT_FOUND; }));
        EXPECT_EQ(app.log_mentions(wxString::FromUTF8("已不存在")), 0);
        EXPECT_TRUE(app.connection()->GetConnectReader_button()->IsEnabled());
    }
}

TEST(SerialLink, ClosingTheWindowWhileConnectedStopsTheLink)
{
    SimPort port;
    {
        App app;
        connect_and_reset(app, port);
    }
    // The port was closed with the window: the device opens exclusively.
    const int fd = open(SimPort::path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    close(fd);
}
