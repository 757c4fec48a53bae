// The RS-232 link's own cases end to end: the line settings, a vanished
// port, the port released with the window. What every link does is in
// tests/links.
#include "link_fixture.h"

#include "platform/platform.h"
#include "sdk_package/uart/UartThread.h"
#include "serial_port_library/lodeport.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/xrc/xmlres.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

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

namespace {

// liblodeport's port whose next write waits until the test lets it go, as
// a long frame at a low rate holds the worker on a real line.
class HeldPort : public LodePort {
public:
    void hold_next_write()
    {
        std::lock_guard<std::mutex> lock(m);
        held = true;
    }
    void release()
    {
        std::lock_guard<std::mutex> lock(m);
        held = false;
        changed.notify_all();
    }
    bool holding()
    {
        std::lock_guard<std::mutex> lock(m);
        return writing;
    }
    bool Write(char* buffer, long count) override
    {
        {
            std::unique_lock<std::mutex> lock(m);
            writing = held;
            changed.wait(lock, [this] { return !held; });
            writing = false;
        }
        return LodePort::Write(buffer, count);
    }

private:
    std::mutex m;
    std::condition_variable changed;
    bool held = false;
    bool writing = false;
};

}  // namespace

TEST(SerialLink, ThePortListIsWatchedAfterAWriteLongerThanItsPeriod)
{
    SimPort port;
    wxFrame* owner = new wxFrame(nullptr, wxID_ANY, wxT("owner"));
    wxString ports;
    owner->Bind(wxEVT_THREAD, [&](wxThreadEvent& e) {
        if (e.GetId() == wxXmlResource::GetXRCID("Thread_GetPort"))
            ports = e.GetString();
    });
    UartThread* link = new UartThread(owner);
    LodePortBase* own_port = link->libuart->Serial;
    ASSERT_NE(own_port, nullptr);
    HeldPort held;
    link->libuart->Serial = &held;
    link->set_connect_target(SimPort::path(), 115200);
    link->DeleteFlag = 1;
    ASSERT_EQ(link->Create(), wxTHREAD_NO_ERROR);
    ASSERT_EQ(link->Run(), wxTHREAD_NO_ERROR);
    link->request_connect();
    const wxString name = wxString::FromUTF8(SimPort::path().c_str());
    EXPECT_TRUE(gui_test::pump_until([&] { return ports.Contains(name); }));
    EXPECT_TRUE(gui_test::pump_until([&] { return held.IsOpened(); }));

    held.hold_next_write();
    link->frames().Read_Frameware_version();
    EXPECT_TRUE(gui_test::pump_until([&] { return held.holding(); }));
    // The port goes while the write holds the worker past the next look at
    // the list.
    port.unplug();
    std::this_thread::sleep_for(std::chrono::milliseconds(2 * LinkThread::kIdleWaitMs));
    held.release();
    EXPECT_TRUE(gui_test::pump_until([&] { return !ports.Contains(name); }, 3000));

    link->request_stop();
    link->Wait();
    link->libuart->Serial = own_port;
    delete link;
    delete owner;
}
