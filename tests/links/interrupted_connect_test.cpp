// Connects cut short, over each link: another method chosen, the window
// closed or the time-out's No while the connect is under way leaves no port,
// socket or device held and nothing shown as connected.
#include "link_fixture.h"

#include "rfid_event/rfid_notifiler.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/button.h>
#include <wx/radiobox.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace link_test;
using namespace std::chrono_literals;

namespace {

// Whether the program holds the reader's port, connection or device.
bool held(SimEndpoint& end)
{
    if (end.link() == Link::Tcp)
        return static_cast<SimServer&>(end).server().WaitForClient(0ms);
    if (end.link() == Link::Hid)
        return hidstub::control().open_handles() > 0;
    const int fd = open(SimPort::path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    const bool locked = fd < 0 || flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (fd >= 0)
        close(fd);
    return locked;
}

// The controller takes what the pages asked, and nothing a link reported.
void take_requests() { EventNotifier::Get()->ProcessPendingEvents(); }

class CutConnect : public testing::TestWithParam<Link> {};

}  // namespace

TEST_P(CutConnect, ChoosingAnotherMethodLeavesNothingConnected)
{
    const Link link = GetParam(), other = link == Link::Serial ? Link::Tcp : Link::Serial;
    auto end = make_endpoint(link);
    App app;
    ASSERT_TRUE(link == Link::Serial || app.choose(link));
    ASSERT_TRUE(app.connect_to(*end));
    take_requests();
    // Connected, and the reset sent; the controller has not heard of it yet.
    ASSERT_TRUE(end->reader().WaitForCommand(0x70, 5s));
    gui_test::choose(app.connection()->GetConnectMethod(), static_cast<int>(other));
    take_requests();
    ASSERT_TRUE(gui_test::pump_until([&] { return !app.link_thread(link) && !held(*end); }));
    EXPECT_EQ(app.log_count(connected_text(link)), 0);
    EXPECT_EQ(app->get_timeoutflag(), 0);
    EXPECT_FALSE(app->rfid_6c_tag_test_pannel->IsEnabled());
    EXPECT_TRUE(app.connect_button(other)->IsEnabled());

    ASSERT_TRUE(app.choose(link));
    connect_and_reset(app, *end);
}

TEST_P(CutConnect, ClosingTheWindowEndsTheLinkAtOnce)
{
    auto end = make_endpoint(GetParam());
    auto app = std::make_unique<App>();
    ASSERT_TRUE(GetParam() == Link::Serial || app->choose(GetParam()));
    // The device opens slowly; the serial and TCP connects take a few
    // milliseconds, and the window closes at once.
    if (GetParam() == Link::Hid)
        hidstub::control().slow_opens(1000);
    ASSERT_TRUE(app->connect_to(*end));
    take_requests();
    ASSERT_TRUE(GetParam() != Link::Hid ||
                gui_test::pump_until([] { return hidstub::control().opens_under_way() == 1; }));
    const auto start = std::chrono::steady_clock::now();
    app.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s) << "the window waited on the connect";
    EXPECT_TRUE(gui_test::pump_until([&] { return !held(*end); }));
}

INSTANTIATE_TEST_SUITE_P(Links, CutConnect, testing::Values(Link::Serial, Link::Tcp, Link::Hid),
                         link_param_name);

TEST(CutConnectHid, NoToTheTimeOutWhileTheDeviceOpensClosesItUnseen)
{
    SimHid end;
    App app;
    ASSERT_TRUE(app.choose(Link::Hid));
    hidstub::control().slow_opens(60000);
    ASSERT_TRUE(app.connect_to(end));
    ASSERT_TRUE(gui_test::pump_until([] { return hidstub::control().opens_under_way() == 1; }));
    bool asked = false;
    wxTEST_DIALOG(asked = app.wait_for_log(wxString::FromUTF8("断开连接"), 8000),
                  wxExpectModal<wxMessageDialog>(wxNO));
    ASSERT_TRUE(asked);
    hidstub::control().slow_opens(0);
    EXPECT_TRUE(gui_test::pump_until([] {
        return hidstub::control().opens_under_way() == 0 && hidstub::control().open_handles() == 0;
    }));
    // A notice of the first attempt would come before this one's.
    ASSERT_TRUE(app.connect_to(end));
    ASSERT_TRUE(app.wait_for_log(connected_text(Link::Hid)));
    EXPECT_EQ(app.log_count(connected_text(Link::Hid)), 1);
}
