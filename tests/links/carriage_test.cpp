// Requests a link does not carry, over each link: one red line saying so,
// and nothing logged as sent, raised, sent, echoed, cleared or armed. Where
// the link carries the request, it goes out.
#include "link_fixture.h"

#include "reader_params.h"
#include "sim_codec.h"
#include "wxcrafter/reader_rfparam_pannel_base/rf_paramset_pannel.h"
#include "wxcrafter/reader_rw_pannel_base/rfid_storage_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/reader_switchant_inventory_base/reader_switchant_inventory_pannel.h"
#include "wxcrafter/reader_uart_monitor_pannel_base/uart_monitor_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/radiobox.h>

#include <algorithm>
#include <functional>
#include <string>

using namespace link_test;

namespace {

using Steps = std::function<void(App&)>;

// A tag-storage operation: protocol 0 6C, 1 GB, 2 secure GB.
Steps tag_op(int protocol, wxButton* (rfid_storage_pannelBase::*button)(), const char* words = "1")
{
    return [=](App& app) {
        rfid_storage_pannel* page = app->rfid_6c_tag_test_pannel->rfid_storage_subpannel;
        gui_test::choose(page->GetModeSelect_radioBox(), protocol > 0 ? 1 : 0);
        gui_test::tick(page->GetEncryption_checkBox(), protocol == 2);
        gui_test::paste_text(page->GetDataLenght_textCtrl(), words);
        // As many words of data as the length asks for: a shorter text is
        // refused by the page.
        gui_test::paste_text(page->GetWriteTag_textCtrl(), std::string(4 * std::stoi(words), 'A'));
        gui_test::paste_text(page->GetDistroyPassWord_textCtrl(), "12345678");
        gui_test::press((page->*button)());
    };
}

Steps powers(const char* second)
{
    return [=](App& app) {
        rf_paramset_pannel* page = app->base_setting_pannel->rf_paramset_subpannel;
        gui_test::paste_text(page->GetAntPort1_textCtrl(), "20");
        gui_test::paste_text(page->GetAntPort2_textCtrl(), second);
        gui_test::press(page->GetAntPower_Write_button());
    };
}

// The serial monitor's frame: command 0x72 and `data` zero bytes.
Steps raw(size_t data)
{
    return [=](App& app) {
        gui_test::paste_text(app.monitor()->GetInputData_textCtrl(), "72" + std::string(2 * data, '0'));
        gui_test::press(app.monitor()->GetSendData_button());
    };
}

using B = rfid_storage_pannelBase;
using L = LinkThread;
const std::vector<Link> kTcp{Link::Tcp}, kHid{Link::Hid}, kNet{Link::Tcp, Link::Hid}, kNone{};
const std::vector<Link> kAll{Link::Serial, Link::Tcp, Link::Hid};

struct Case {
    const char* what;
    Steps ask;
    const char* line;  // the black line where carried
    uint8_t cmd;       // sent where carried; 0: not tried there
    std::vector<Link> refusing;
    const char* why;  // "@" stands for the link's name
    LinkThread::Flag LinkThread::*flag;
};

const std::vector<Case> kCases = {
    {"secure GB read", tag_op(2, &B::GetReadTag_button), "国标加密通讯读", 0x43, kTcp, "@连接不支持国标加密通讯读",
     &L::GbSeReadTagFlag},
    {"secure GB write", tag_op(2, &B::GetWriteTag_button), "国标加密通讯写", 0x42, kTcp, "@连接不支持国标加密通讯写",
     &L::GbSeWriteTagFlag},
    {"secure GB lock", tag_op(2, &B::GetLockTag_button), "国标加密通讯上锁", 0, kAll, "本程序在任何连接方式下都不支持国标加密通讯上锁",
     &L::GbSeLockTagFlag},
    {"secure GB kill", tag_op(2, &B::GetDistroyTag_button), "国标加密通讯灭活", 0, kAll,
     "本程序在任何连接方式下都不支持国标加密通讯灭活", &L::GbSeDistroyTagFlag},
    {"two-way authentication", tag_op(1, &B::GetDoubleidentify_button), "国标双向认证", 0x98, kHid,
     "@连接不支持国标双向认证", &L::GbDoubleIdTagFlag},
    {"antenna-switch inventory",
     [](App& app) {
         gui_test::press(app->rfid_6c_tag_test_pannel->reader_switchant_inventory_subpannel->GetStartInventory_button());
     },
     "开始天线轮询盘存", 0, kHid, "@连接不支持天线轮询盘存", &L::StartSwitchAntInventoryFlag},
    {"6C write of 18 words", tag_op(0, &B::GetWriteTag_button, "18"), "写EPC数据", 0x82, kNone, "", nullptr},
    {"6C write of 19 words", tag_op(0, &B::GetWriteTag_button, "19"), "写EPC数据", 0x82, kHid,
     "@连接不支持超过18字的写EPC数据", &L::WriteTagFlag},
    {"GB write of 20 words", tag_op(1, &B::GetWriteTag_button, "20"), "国标写标签", 0x46, kHid,
     "@连接不支持超过19字的国标写标签", &L::GbWriteTagFlag},
    {"equal powers", powers("20"), "设置当前发射功率", 0x76, kNone, "", nullptr},
    {"different powers", powers("21"), "设置当前发射功率", 0x5F, kNet, "@连接不支持各天线设置不同的功率",
     &L::SetAntPowerFlag},
    {"raw frame of 49 bytes", raw(48), "发送串口数据", 0x72, kHid, "@连接不支持超过48字节的串口数据发送",
     &L::SendDataFlag},
};

class Carriage : public testing::TestWithParam<Link> {};

}  // namespace

TEST_P(Carriage, EachLinkRefusesWhatItDoesNotCarryAndSendsTheRest)
{
    const uint16_t words = DataLenght;
    const std::vector<uint8_t> power(std::begin(AntPower), std::end(AntPower));
    const Link link = GetParam();
    std::unique_ptr<SimEndpoint> end = make_endpoint(link);
    App app;
    if (link != Link::Serial) {
        ASSERT_TRUE(app.choose(link));
    }
    connect_and_reset(app, *end);
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("复位成功！")));
    rfid_storage_pannel* storage = app->rfid_6c_tag_test_pannel->rfid_storage_subpannel;
    const std::vector<uint8_t> temperature = readersim::EncodeFrame(link == Link::Hid ? 1 : 0, 0x7B, {});

    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const bool refused = std::count(c.refusing.begin(), c.refusing.end(), link) > 0;
        if (!refused && c.cmd == 0)
            continue;
        ASSERT_TRUE(gui_test::pump_until([&] { return app->get_timeoutflag() == 0; }));
        app->GetUartDataLog()->Clear();
        app.monitor()->clearUartData();
        end->reader().ClearRecords();
        storage->SetTagList("7", "", "", "E2 00", "", "", "", 0);
        const int rows = storage->GetListCtrl11()->GetItemCount();
        c.ask(app);
        if (refused) {
            // A request behind it: once that is out, this one was dealt with.
            app.request(link, &LinkThread::ReadWorkTempFlag);
            ASSERT_TRUE(reader_got(*end, 0x7B));
            wxString why = wxString::FromUTF8(c.why);
            why.Replace("@", link == Link::Tcp ? "TCP/IP" : "USB-HID");
            EXPECT_EQ(app.log_count(why), 1);
            EXPECT_TRUE(app.log_line_red(why));
            EXPECT_EQ(app.log_count(wxString::FromUTF8(c.line)), 0);
            EXPECT_EQ(end->reader().Received().size(), 1u);
            EXPECT_EQ(app->get_timeoutflag(), 0);
            EXPECT_EQ(int(app.link_thread(link)->*c.flag), 0);
            EXPECT_EQ(storage->GetListCtrl11()->GetItemCount(), rows);
            EXPECT_TRUE(gui_test::pump_until([&] { return app.monitor_shows(temperature, false); }));
            for (const App::Line& l : app.monitor_lines())
                EXPECT_TRUE(l.red || line_bytes(l.text) == temperature) << l.text;
        } else {
            EXPECT_TRUE(reader_got(*end, c.cmd));
        }
    }
    DataLenght = words;
    std::copy(power.begin(), power.end(), AntPower);
}

INSTANTIATE_TEST_SUITE_P(Links, Carriage, testing::Values(Link::Serial, Link::Tcp, Link::Hid), link_param_name);
