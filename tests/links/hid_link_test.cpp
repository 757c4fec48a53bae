// The USB-HID link's own cases, over the stand-in hidapi: the device
// search, the reports, open failures, refused long frames and a missing
// library.
#include "link_fixture.h"

#include "platform/platform.h"
#include "reader_params.h"
#include "sdk_package/hid/HIDThread.h"
#include "sim_codec.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"

#include <wx/button.h>
#include <wx/richtext/richtextctrl.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace link_test;

namespace {

const hidstub::Control& stub()
{
    return hidstub::control();
}

class HidLink : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(stub().loaded());
        stub().reset();
        ASSERT_TRUE(app.choose(Link::Hid));
    }
    void TearDown() override { stub().reset(); }

    App app;
};

}  // namespace

TEST_F(HidLink, TheFirstExactMatchOutsideKeyboardsIsChosenAndDescribed)
{
    readersim::SimReader reader;
    const std::wstring maker = hidstub::default_manufacturer();
    std::wstring lower = maker;
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(std::towlower(c));
    // In enumeration order; only the fourth is the one.
    stub().add_device("/dev/hidraw0", 0x1111, 0x2222, L"Other Maker", L"Mouse", 0);
    stub().add_device("/dev/hidraw1", 0x1234, 0x5678, lower.c_str(), L"Lower case", 0);
    stub().add_device("/dev/hidraw1-kbd", 0x1234, 0x5678, maker.c_str(), L"Keys", 0);
    stub().add_device("/dev/hidraw2", 0x1234, 0x5678, (maker + L" ").c_str(), L"Blank", 0);
    hidstub::SimHidDevice device(reader, "/dev/hidraw3", maker);
    device.plug();
    stub().add_device("/dev/hidraw4", 0x1234, 0x5678, maker.c_str(), L"Second", 1);

    gui_test::press(app.connection()->GetConnecthid_button());
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("连接成功！")));
    EXPECT_EQ(app->get_hid_thread()->hid->GetHID_PATH_Num(), "/dev/hidraw3");
    const std::string narrow_maker(maker.begin(), maker.end());
    const wxString text = wxString::FromUTF8(
        ("pid : 22136 vid :4660\nmanufacture : " + narrow_maker + "\nproduct : HID reader").c_str());
    EXPECT_TRUE(gui_test::pump_until(
        [&] { return app.connection()->GetHiddevice_richTextCtrl()->GetValue() == text; }))
        << app.connection()->GetHiddevice_richTextCtrl()->GetValue().utf8_str().data();
    ASSERT_TRUE(gui_test::pump_until(
        [&] { return reader.WaitForCommand(0x70, std::chrono::milliseconds(0)).has_value(); }));
}

TEST_F(HidLink, NoMatchingDeviceSaysWhatIsThereThenPluggedIn)
{
    const std::string maker = std::string(kDefaultHidManufacturer);
    const std::string look = "未找到厂商字符串为“" + maker +
                             "”的USB-HID设备；读写器报告的厂商字符串不同时，请在启动程序前用环境变量 "
                             "READER_HID_MANUFACTURER 指定。";
    const std::string none = look + "当前没有HID设备";
    const std::string two = look + "现有HID设备的厂商字符串：“Other Maker”、“" + maker + "”（键盘接口）";
    // The second time the reader's keyboard interface is there, known by
    // its usage alone, and passed over.
    for (const std::string& why : {none, two}) {
        gui_test::press(app.connection()->GetConnecthid_button());
        ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8(why.c_str())));
        EXPECT_TRUE(app.log_line_red(wxString::FromUTF8(why.c_str())));
        stub().add_device("/dev/hidraw0", 0x1111, 0x2222, L"Other Maker", L"Mouse", 0);
        stub().add_device("/dev/hidraw1", 0x1234, 0x5678, hidstub::default_manufacturer().c_str(), L"Keys", 0);
        stub().set_usage("/dev/hidraw1", 0x01, 0x06);
    }
    EXPECT_TRUE(app.log_line_red(wxString::FromUTF8("设备不存在！")));
    EXPECT_EQ(app->get_timeoutflag(), 0);
    EXPECT_TRUE(app.connect_button(Link::Hid)->IsEnabled());

    SimHid end;
    connect_and_reset(app, end);
}

TEST_F(HidLink, OutputReportsCarryIdLengthAndFrameWithAddress1)
{
    SimHid end;
    gui_test::paste_text(app.connection()->GetRS485conect_textCtrl(), "7");
    connect_and_reset(app, end);
    uint8_t kept[8];
    std::memcpy(kept, AntPower, sizeof kept);
    std::fill(std::begin(AntPower), std::end(AntPower), 30);
    app.request(Link::Hid, &LinkThread::SetAntPowerFlag);
    ASSERT_TRUE(reader_got(end, 0x76));
    // Whole reports: zeros after the frame.
    using Bytes = std::vector<uint8_t>;
    std::vector<Bytes> expected = {
        {0x01, 0x05, 0xA0, 0x03, 0x01, 0x70, 0xEC},
        {0x01, 0x06, 0xA0, 0x04, 0x01, 0x76, 0x1E, 0xC7},
    };
    for (Bytes& report : expected)
        report.resize(54);
    EXPECT_EQ(end.device().output_reports(), expected);
    std::memcpy(AntPower, kept, sizeof kept);
}

TEST_F(HidLink, AFrameNoReportHoldsIsRefusedWithAReason)
{
    SimHid end;
    connect_and_reset(app, end);
    const size_t before = end.device().output_reports().size();
    // A 6C write of 20 words: a 56-byte frame.
    DataLenght = 20;
    WriteMethod = 1;
    app.request(Link::Hid, &LinkThread::WriteTagFlag);
    const wxString reason = wxString::FromUTF8("帧长度超过USB-HID报告的52字节，未发送");
    ASSERT_TRUE(app.wait_for_log(reason));
    EXPECT_TRUE(app.log_line_red(reason));
    EXPECT_EQ(end.device().output_reports().size(), before);
    // Taken down, and nothing echoed as sent.
    EXPECT_EQ(int(app.link_thread(Link::Hid)->WriteTagFlag), 0);
    for (const App::Line& line : app.monitor_lines())
        EXPECT_TRUE(line.red) << line.text;
}

TEST_F(HidLink, AnOpenFailureSaysWhy)
{
    struct Case {
        int error_number;
        const char* says;
    };
    const Case cases[] = {
        {EACCES, "plugdev"},
        {EBUSY, "占用"},
        {ENODEV, "已拔出"},
        {EIO, "无法打开：Failed to open a device with path '/dev/hidraw-sim0'"},
    };
    SimHid end;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        app->GetUartDataLog()->Clear();
        stub().fail_next_open(c.error_number);
        gui_test::press(app.connection()->GetConnecthid_button());
        ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("连接失败！")));
        // The reason follows on its own line.
        const wxString says = wxString::FromUTF8(c.says);
        EXPECT_TRUE(gui_test::pump_until(
            [&] { return app->GetUartDataLog()->GetValue().Contains(says); }))
            << app->GetUartDataLog()->GetValue().utf8_str().data();
        EXPECT_EQ(app->get_timeoutflag(), 0);
        EXPECT_TRUE(app.connect_button(Link::Hid)->IsEnabled());
    }
    EXPECT_EQ(stub().open_handles(), 0);
}

// Run in a folder without the stand-in (the parent test copies this
// program there): the program says so once and the link stays unusable.
TEST(HidLinkMissingLibrary, IsReportedOnceAndConnectingFails)
{
    struct stat st;
    const std::string here = platform::ExecutableDir();
    if (stat((here + kHidLibraryName).c_str(), &st) == 0) {
        std::string output;
        EXPECT_TRUE(rerun_alone("HidLinkMissingLibrary.*", &output)) << output;
        return;
    }

    App app;
    const wxString report = wxString::FromUTF8("USB-HID库加载失败");
    auto reports = [&] { return app.log_mentions(report); };
    ASSERT_TRUE(app.choose(Link::Hid));
    EXPECT_FALSE(app->get_hid_thread()->library_loaded());
    EXPECT_EQ(reports(), 1);
    gui_test::press(app.connection()->GetConnecthid_button());
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("连接失败！")));
    // Chosen again, the link does not report again.
    ASSERT_TRUE(app.choose(Link::Tcp));
    ASSERT_TRUE(app.choose(Link::Hid));
    EXPECT_EQ(reports(), 1);
}
