// The controller's operation log and its response time-out: the question it
// asks, and what each answer leaves behind.
#include "app_test_support.h"

#include <wx/app.h>
#include <wx/datetime.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/radiobox.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <ostream>

#include "rfid_event/rfid_event.h"
#include "sdk_package/socket/TCPThread.h"
#include "sdk_package/uart/UartThread.h"
#include "wxcrafter/buffer_inv_pannel_base/buffer_inventory_pannel.h"
#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"
#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_rfparam_pannel_base/rf_paramset_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/reader_switchant_inventory_base/reader_switchant_inventory_pannel.h"
#include "wxcrafter/reader_uart_monitor_pannel_base/uart_monitor_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

using namespace app_test;

namespace {

Controller* open_controller()
{
    Controller* c = new Controller;
    show(c);
    return c;
}

// Closes the controller at the end of a test, however the test ends.
struct Closing {
    Controller* c;
    ~Closing() { close_window(c); }
};

connect_pannel* connect_page(Controller* c)
{
    return c->get_base_setting_pannel()->connect_subpannel;
}

std::vector<inventory_stats*> inventory_pages(Controller* c)
{
    rfid_6c_tag_test* tests = c->get_rfid_6c_tag_test_pannel();
    return {tests->realtime_inventory_subpannel, tests->buffer_inventory_subpannel,
            tests->custom_inventory_subpannel, tests->reader_switchant_inventory_subpannel};
}

// The newest entry of the log box and its colour.
struct Newest {
    std::string text;  // after the time stamp and the two blanks
    wxColour colour;
};

Newest newest_entry(Controller* c)
{
    wxTextCtrl* log = c->GetUartDataLog();
    const std::vector<std::string> entries = log_entries(log);
    if (entries.empty())
        return {"<empty log>", wxColour()};
    const std::string& last = entries.back();
    const std::string::size_type gap = last.find("  ");
    // Positions count characters; the newest entry ends the box with its
    // carriage return.
    const long start = log->GetLastPosition() - static_cast<long>(wxString::FromUTF8(last.c_str()).length()) - 1;
    return {gap == std::string::npos ? "<no time stamp>" : last.substr(gap + 2), colour_at(log, start + 1)};
}

// ------------------------------------------------------------ operation log

TEST(OperationLog, TimeStampHasNoLeadingZeros)
{
    EXPECT_EQ(format_log_time(9, 5, 3, 7), "9:5:3:7");
    EXPECT_EQ(format_log_time(0, 0, 0, 0), "0:0:0:0");
    EXPECT_EQ(format_log_time(10, 20, 30, 100), "10:20:30:100");
    EXPECT_EQ(format_log_time(23, 59, 59, 999), "23:59:59:999");
}

// Milliseconds since midnight of hour:minute:second:millisecond.
long ms_of_day(const wxDateTime& t)
{
    return ((t.GetHour() * 60L + t.GetMinute()) * 60 + t.GetSecond()) * 1000 + t.GetMillisecond();
}

TEST(OperationLog, LineIsLocalTimeTwoBlanksTextAndCarriageReturn)
{
    Controller* c = open_controller();
    Closing closing{c};
    wxTextCtrl* log = c->GetUartDataLog();
    log->Clear();

    const wxDateTime before = wxDateTime::UNow();
    c->SetCmdLog(wxString::FromUTF8("打开串口"), 0);
    const wxDateTime after = wxDateTime::UNow();

    const std::string text = utf8(log->GetValue());
    const std::string tail = "  打开串口\r";
    ASSERT_GT(text.size(), tail.size());
    ASSERT_EQ(text.substr(text.size() - tail.size()), tail) << text;
    const std::string stamp = text.substr(0, text.size() - tail.size());

    long fields[4] = {};
    int count = 0;
    std::string::size_type start = 0;
    for (; count < 4; ++count) {
        const std::string::size_type end = stamp.find(':', start);
        const std::string field = stamp.substr(start, end == std::string::npos ? std::string::npos : end - start);
        ASSERT_FALSE(field.empty()) << stamp;
        ASSERT_EQ(field.find_first_not_of("0123456789"), std::string::npos) << stamp;
        EXPECT_TRUE(field == "0" || field[0] != '0') << "leading zero in " << stamp;
        fields[count] = std::stol(field);
        if (end == std::string::npos) {
            ++count;
            break;
        }
        start = end + 1;
    }
    ASSERT_EQ(count, 4) << stamp;

    // Hour, minute, second and millisecond of the local time of writing.
    const long logged = ((fields[0] * 60 + fields[1]) * 60 + fields[2]) * 1000 + fields[3];
    if (ms_of_day(after) >= ms_of_day(before)) {  // not across midnight
        EXPECT_GE(logged, ms_of_day(before)) << stamp;
        EXPECT_LE(logged, ms_of_day(after)) << stamp;
    }
}

TEST(OperationLog, NonZeroColourWritesRedAndZeroBlack)
{
    Controller* c = open_controller();
    Closing closing{c};
    wxTextCtrl* log = c->GetUartDataLog();
    log->Clear();

    const std::pair<const char*, int> lines[] = {
        {"red one", 1}, {"black one", 0}, {"red two", 7}, {"red three", -1}, {"black two", 0}};
    std::vector<long> starts;
    for (const auto& line : lines) {
        starts.push_back(log->GetLastPosition());
        c->SetCmdLog(line.first, line.second);
    }
    starts.push_back(log->GetLastPosition());

    for (size_t i = 0; i < starts.size() - 1; ++i) {
        SCOPED_TRACE(lines[i].first);
        const wxColour want = lines[i].second ? *wxRED : *wxBLACK;
        // The whole line, time stamp included, but for its carriage return.
        EXPECT_EQ(colour_at(log, starts[i]), want);
        EXPECT_EQ(colour_at(log, starts[i + 1] - 3), want);
    }
}

TEST(OperationLog, APagesOwnNoticeIsWrittenInRed)
{
    Controller* c = open_controller();
    Closing closing{c};
    tell_operator(c->get_rfid_6c_tag_test_pannel()->buffer_inventory_subpannel, wxString::FromUTF8("已丢弃5条！"));
    const Newest line = newest_entry(c);
    EXPECT_EQ(line.text, "已丢弃5条！");
    EXPECT_EQ(line.colour, *wxRED);
}

// ------------------------------------------------------------- time-out

// The time-out question: checks its text, caption and buttons, and answers.
class ExpectQuestion : public wxExpectModalBase<wxMessageDialog, ExpectQuestion> {
public:
    ExpectQuestion(int answer, const char* text) : answer_(answer), text_(text) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        EXPECT_EQ(utf8(dlg->GetMessage()), text_);
        EXPECT_EQ(utf8(dlg->GetCaption()), "警告");
        const long style = dlg->GetMessageDialogStyle();
        EXPECT_EQ(style & (wxYES_NO | wxCANCEL | wxOK), wxYES_NO | wxCANCEL);
        EXPECT_TRUE(style & wxNO_DEFAULT) << "No is not the default";
        EXPECT_TRUE(style & wxICON_INFORMATION);
        return answer_ == wxYES ? wxID_YES : answer_ == wxNO ? wxID_NO : wxID_CANCEL;
    }

    wxString GetDefaultDescription() const override
    {
        return wxString::FromUTF8(("the question \"" + text_ + "\"").c_str());
    }

private:
    int answer_;
    std::string text_;
};

const char* const kWrongReader = "当前连接不是正确的读写器，是否继续连接？";
const char* const kNoReply = "读写器响应超时，是否继续连接？";

// What the operator sees and what the link is asked, before and after.
struct State {
    std::string log;
    std::vector<bool> enabled;  // the controls listed in state_of
    std::vector<bool> inventories;
    bool elapsed_timer;
    std::vector<int> link_flags;  // disconnect request, then the four starts
    std::vector<std::string> start_labels;

    bool operator==(const State& o) const
    {
        return log == o.log && enabled == o.enabled && inventories == o.inventories &&
               elapsed_timer == o.elapsed_timer && link_flags == o.link_flags && start_labels == o.start_labels;
    }
};

void PrintTo(const State& s, std::ostream* os)
{
    *os << "{log \"" << s.log << "\", enabled";
    for (bool b : s.enabled)
        *os << ' ' << b;
    *os << ", inventories";
    for (bool b : s.inventories)
        *os << ' ' << b;
    *os << ", elapsed timer " << s.elapsed_timer << ", link flags";
    for (int f : s.link_flags)
        *os << ' ' << f;
    *os << ", labels";
    for (const std::string& l : s.start_labels)
        *os << ' ' << l;
    *os << "}";
}

State state_of(Controller* c, LinkThread* link)
{
    connect_pannel* page = connect_page(c);
    State s;
    s.log = utf8(c->GetUartDataLog()->GetValue());
    s.enabled = {page->GetConnectReader_button()->IsEnabled(),    page->GetDisConnect_button()->IsEnabled(),
                 page->GetConnecteReader_button()->IsEnabled(),   page->GetDisConnecteReader_button()->IsEnabled(),
                 page->GetFrameware_button()->IsEnabled(),        page->GetConnectMethod()->IsEnabled(),
                 c->get_rfid_6c_tag_test_pannel()->IsEnabled(),   c->get_uart_monitor_pannel()->IsEnabled(),
                 c->get_base_setting_pannel()->rf_paramset_subpannel->IsEnabled()};
    s.inventories = c->inventories();
    s.elapsed_timer = c->elapsed_timer_running();
    s.link_flags = {link->disconnect_asked(), link->StartInventoryFlag, link->StartcustominventoryFlag,
                    link->StartSwitchAntInventoryFlag, link->StartBuffInventoryFlag};
    for (inventory_stats* page : inventory_pages(c))
        s.start_labels.push_back(utf8(page->GetStartInventory_button()->GetLabel()));
    return s;
}

// Connected, with every inventory running: what a time-out may interrupt.
void enter_connected_state(Controller* c, LinkThread* link)
{
    c->menuinit();
    c->set_inventories(true);
    c->start_elapsed_timer();
    for (inventory_stats* page : inventory_pages(c))
        page->SetInventoryButton(1);
    link->StartInventoryFlag = 2;
    link->StartcustominventoryFlag = 2;
    link->StartSwitchAntInventoryFlag = 2;
    link->StartBuffInventoryFlag = 2;
}

TEST(TimeOut, NothingAwaitedMeansNothingShownAndNothingChanged)
{
    Controller* c = open_controller();
    Closing closing{c};
    UartThread* link = c->get_uart_thread();
    ASSERT_NE(link, nullptr);
    enter_connected_state(c, link);

    for (int kind : {0, 9}) {
        SCOPED_TRACE(kind);
        c->SetTimeOut(kind);
        const State before = state_of(c, link);
        GTestModalHook no_dialog_expected;
        wxTimerEvent tick = c->timeout_tick();
        c->OnTimeOut(tick);
        no_dialog_expected.CheckUnmetExpectations();
        EXPECT_EQ(state_of(c, link), before);
        EXPECT_EQ(c->get_timeoutflag(), kind);
    }
}

TEST(TimeOut, TheArmedTimerAsksAfterItsPeriod)
{
    Controller* c = open_controller();
    Closing closing{c};
    c->SetTimeOut(2);
    EXPECT_TRUE(c->timeout_running());
    wxTEST_DIALOG(EXPECT_TRUE(gui_test::pump_until([&] { return c->get_timeoutflag() == 0; }, 8000)),
                  ExpectQuestion(wxCANCEL, kNoReply));
    EXPECT_EQ(c->get_timeoutflag(), 0);
}

struct Question {
    int kind;
    const char* text;
    int answer;
};

void PrintTo(const Question& q, std::ostream* os)
{
    *os << "kind " << q.kind << ", answer " << (q.answer == wxYES ? "Yes" : q.answer == wxNO ? "No" : "Cancel");
}

class TimeOutQuestion : public testing::TestWithParam<Question> {};

TEST_P(TimeOutQuestion, YesAndCancelChangeNothingAndNoDisconnects)
{
    const Question q = GetParam();
    Controller* c = open_controller();
    Closing closing{c};
    UartThread* link = c->get_uart_thread();
    ASSERT_NE(link, nullptr);
    enter_connected_state(c, link);
    c->SetTimeOut(q.kind);
    const State before = state_of(c, link);

    wxTimerEvent tick = c->timeout_tick();
    wxTEST_DIALOG(c->OnTimeOut(tick), ExpectQuestion(q.answer, q.text));
    // Asked once: the kind is cleared whatever the answer.
    EXPECT_EQ(c->get_timeoutflag(), 0);

    const State after = state_of(c, link);
    if (q.answer != wxNO) {
        EXPECT_EQ(after, before);
        return;
    }
    // No: the link is asked to disconnect and every control goes to the
    // not-connected state.
    EXPECT_EQ(after.link_flags, (std::vector<int>{1, 0, 0, 0, 0}));
    connect_pannel* page = connect_page(c);
    EXPECT_TRUE(page->GetConnectReader_button()->IsEnabled());
    EXPECT_FALSE(page->GetDisConnect_button()->IsEnabled());
    EXPECT_FALSE(page->GetFrameware_button()->IsEnabled());
    EXPECT_TRUE(page->GetConnectMethod()->IsEnabled());
    EXPECT_FALSE(c->get_rfid_6c_tag_test_pannel()->IsEnabled());
    EXPECT_FALSE(c->get_uart_monitor_pannel()->IsEnabled());
    EXPECT_FALSE(c->get_base_setting_pannel()->rf_paramset_subpannel->IsEnabled());
    // No inventory is left marked as running, or every later command would
    // be refused with nothing running.
    EXPECT_EQ(after.inventories, (std::vector<bool>(4, false)));
    EXPECT_FALSE(after.elapsed_timer);
    EXPECT_EQ(after.start_labels, (std::vector<std::string>(4, "开始盘存")));

    const Newest line = newest_entry(c);
    EXPECT_EQ(line.text, "断开连接");
    EXPECT_EQ(line.colour, *wxBLACK);
    EXPECT_EQ(after.log.substr(0, before.log.size()), before.log) << "earlier lines changed";
}

INSTANTIATE_TEST_SUITE_P(KindsAndAnswers, TimeOutQuestion,
                         testing::Values(Question{1, kWrongReader, wxYES}, Question{1, kWrongReader, wxCANCEL},
                                         Question{1, kWrongReader, wxNO}, Question{2, kNoReply, wxYES},
                                         Question{2, kNoReply, wxCANCEL}, Question{2, kNoReply, wxNO}),
                         [](const testing::TestParamInfo<Question>& info) {
                             const int a = info.param.answer;
                             return "Kind" + std::to_string(info.param.kind) +
                                    (a == wxYES ? "Yes" : a == wxNO ? "No" : "Cancel");
                         });

TEST(TimeOut, NoOnTheTcpLinkAsksTheTcpThreadToDisconnect)
{
    Controller* c = open_controller();
    Closing closing{c};
    connect_pannel* page = connect_page(c);
    gui_test::choose(page->GetConnectMethod(), 1);
    // The switch runs through the hub; the serial thread then ends.
    ASSERT_TRUE(gui_test::pump_until([&] { return c->get_tcp_thread() && !c->get_uart_thread(); }, 10000));
    TCPThread* link = c->get_tcp_thread();
    enter_connected_state(c, link);
    EXPECT_FALSE(page->GetConnecteReader_button()->IsEnabled());
    EXPECT_TRUE(page->GetDisConnecteReader_button()->IsEnabled());

    c->SetTimeOut(2);
    wxTimerEvent tick = c->timeout_tick();
    wxTEST_DIALOG(c->OnTimeOut(tick), ExpectQuestion(wxNO, kNoReply));

    EXPECT_EQ(state_of(c, link).link_flags, (std::vector<int>{1, 0, 0, 0, 0}));
    EXPECT_TRUE(page->GetConnecteReader_button()->IsEnabled());
    EXPECT_FALSE(page->GetDisConnecteReader_button()->IsEnabled());
    EXPECT_FALSE(c->get_rfid_6c_tag_test_pannel()->IsEnabled());
    EXPECT_EQ(newest_entry(c).text, "断开连接");
}

// ------------------------------------------------------ upgrade time-out

// A firmware image of `size` bytes in a temporary file, removed at the end.
struct Image {
    explicit Image(size_t size) : path(wxFileName::CreateTempFileName("reader-image"))
    {
        std::ofstream out(path.utf8_string(), std::ios::binary | std::ios::trunc);
        for (size_t i = 0; i < size; ++i)
            out.put(static_cast<char>(i * 7 + 1));
    }
    ~Image() { std::remove(path.utf8_string().c_str()); }
    wxString path;
};

// The packet number of an upgrade frame (command, then the number in four
// bytes, high first), or -1 for another frame.
long packet_number(const uint8_t* frame)
{
    if (frame[0] != 0xA0 || frame[3] != 0x4C)
        return -1;
    return (long(frame[4]) << 24) | (long(frame[5]) << 16) | (long(frame[6]) << 8) | frame[7];
}

TEST(TimeOut, UpgradeResendsTwiceThenFailsAndTheNextUpgradeStartsAfresh)
{
    Controller* c = open_controller();
    Closing closing{c};
    UartThread* link = c->get_uart_thread();
    ASSERT_NE(link, nullptr);
    // Off, so the sent frame stays in the thread's copy for the test to read.
    c->GetOpen_uart_monitor_checkBox()->SetValue(false);

    int control_posts = 0;
    const EventTypeRow* uart_ctrl = nullptr;
    for (const EventTypeRow& row : event_type_rows())
        if (row.type == wxEVT_UART_CTRL)
            uart_ctrl = &row;
    ASSERT_NE(uart_ctrl, nullptr);
    const std::function<void()> unbind = uart_ctrl->bind([&](wxEvent&) { ++control_posts; });

    // Ten packets; the upgrade has started and its first packet is out.
    Image image(2000);
    Bin_Path = image.path;
    UpObject = 0;
    upgraed_flag = true;
    upgrade_timeout_count = 0;
    link->ReaderAppUpgradeFlag = 1;
    uart_ctrl->post();
    deliver();
    ASSERT_EQ(packet_number(link->TxData), 0);
    control_posts = 0;
    c->SetTimeOut(3);

    wxTimerEvent tick = c->timeout_tick();
    for (unsigned int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        std::memset(link->TxData, 0, sizeof link->TxData);
        c->OnTimeOut(tick);
        deliver();
        EXPECT_EQ(upgrade_timeout_count, round);
        EXPECT_EQ(c->get_timeoutflag(), 3) << "the next time-out is not armed";
        EXPECT_TRUE(c->timeout_running());
        EXPECT_EQ(control_posts, static_cast<int>(round));
        // The packet that was not acknowledged goes again; none is skipped.
        EXPECT_EQ(packet_number(link->TxData), 0);
        const Newest line = newest_entry(c);
        EXPECT_EQ(line.text, "升级超时");
        EXPECT_EQ(line.colour, *wxBLACK);
    }

    c->OnTimeOut(tick);
    deliver();
    const Newest line = newest_entry(c);
    EXPECT_EQ(line.text, "升级失败");
    EXPECT_EQ(line.colour, *wxRED);
    EXPECT_EQ(upgrade_timeout_count, 0u);
    EXPECT_EQ(Gaugeupgrade_Postion, 0);
    EXPECT_FALSE(upgraed_flag);
    EXPECT_EQ(c->get_timeoutflag(), 0);
    EXPECT_FALSE(c->timeout_running()) << "the time-out goes on firing for nothing";
    EXPECT_EQ(link->ReaderAppUpgradeFlag, 0) << "the failed upgrade is still asked for";
    EXPECT_EQ(control_posts, 2) << "a packet went out for the failed upgrade";
    const std::vector<std::string> entries = log_entries(c->GetUartDataLog());
    ASSERT_GE(entries.size(), 3u);
    std::vector<std::string> last_three;
    for (size_t i = entries.size() - 3; i < entries.size(); ++i)
        last_three.push_back(entries[i].substr(entries[i].find("  ") + 2));
    EXPECT_EQ(last_three, (std::vector<std::string>{"升级超时", "升级超时", "升级失败"}));

    // Started again, the upgrade begins with the image's first packet.
    upgraed_flag = true;
    link->ReaderAppUpgradeFlag = 1;
    uart_ctrl->post();
    deliver();
    EXPECT_EQ(packet_number(link->TxData), 0);
    EXPECT_EQ(link->TxData[10], 1) << "not the image's first byte";

    link->ReaderAppUpgradeFlag = 0;
    unbind();
}

// While an upgrade runs every request to the reader waits with a red line
// that names it: nothing goes out and the upgrade's time-out stays armed.
// Only three time-outs (T) in a row fail it: an acknowledgement (A) and a
// start begin the count again.
// A reply that has come, but waits behind a window too busy to take it or
// behind more reports than a receive tick takes, is not late: the time-out
// takes every frame up to it, in order, and asks nothing.
TEST(TimeOut, AReplyWaitingAtTheTimeOutEndsItsWait)
{
    Controller* c = open_controller();
    Closing closing{c};
    UartThread* link = c->get_uart_thread();
    ASSERT_NE(link, nullptr);
    realtime_inventory_pannel* reports = c->get_rfid_6c_tag_test_pannel()->realtime_inventory_subpannel;
    Image image(1000);
    Bin_Path = image.path;
    UpObject = 0;
    upgraed_flag = true;
    const struct {
        int kind;
        uint8_t cmd;
        std::vector<uint8_t> data;
        int after;    // the wait then armed
        int backlog;  // tag reports queued before the reply
    } rows[] = {
        {1, 0x70, {0x10}, 0, 0},
        {2, 0x7B, {1, 25}, 0, 0},
        // The packet acknowledged: the next packet's wait begins.
        {3, 0x4C, {0x10}, 3, 0},
        // Last: the page keeps the reports.
        {2, 0x7B, {1, 25}, 0, 60},
    };
    auto enqueue = [&](uint8_t cmd, const std::vector<uint8_t>& data) {
        RXBUF frame{};
        frame.RXBuff[0] = 0xA0;
        frame.RXBuff[1] = static_cast<uint8_t>(data.size() + 3);
        frame.RXBuff[3] = cmd;
        std::copy(data.begin(), data.end(), frame.RXBuff + 4);
        link->libuart->rxbuf_qe.enqueue(frame);
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.kind << " behind " << row.backlog);
        link->ReaderAppUpgradeFlag = row.kind == 3 ? 1 : 0;
        c->SetTimeOut(row.kind);
        // Antenna, PC, a 12-byte EPC ending in its number, RSSI, frequency.
        for (int i = 0; i < row.backlog; ++i)
            enqueue(0x89, {1, 0x30, 0, 0xE2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<uint8_t>(i), 0, 0, 0, 0x40,
                           0x0E, 0x0A, 0x3D});
        enqueue(row.cmd, row.data);
        const uint64_t decoded = c->get_frames_decoded();
        GTestModalHook no_dialog_expected;
        wxTimerEvent tick = c->timeout_tick();
        c->OnTimeOut(tick);
        no_dialog_expected.CheckUnmetExpectations();
        EXPECT_EQ(c->get_frames_decoded() - decoded, static_cast<uint64_t>(row.backlog + 1));
        ASSERT_EQ(reports->GetEpcBufferNum(), row.backlog);
        for (int i = 0; i < row.backlog; ++i)
            EXPECT_EQ(utf8(reports->GetEpcBuffer(static_cast<unsigned>(i + 1))),
                      utf8(wxString::Format("E2 00 00 00 00 00 00 00 00 00 00 %02X ", i)));
        EXPECT_EQ(c->get_timeoutflag(), row.after);
        EXPECT_EQ(upgrade_timeout_count, 0u);
    }
    link->abort_upgrade();
}

TEST(TimeOut, RequestsWaitForTheUpgradeAndOnlyThreeTimeOutsInARowFailIt)
{
    Image image(4000);
    Bin_Path = image.path;
    Upgrade_Enable = true;
    UpObject = 1;
    Controller c;
    UartThread* link = c.get_uart_thread();
    auto post = [](wxEventType type) {
        for (const EventTypeRow& row : event_type_rows())
            if (row.type == type)
                row.post();
        deliver();
    };
    upgrade_timeout_count = 2;  // left by an earlier upgrade
    post(wxEVT_UPGRADE);
    uint8_t packet[256], now[256];
    wxTimerEvent tick = c.timeout_tick();
    for (char e : std::string("TTATTA")) {
        e == 'T' ? c.OnTimeOut(tick) : c.cmd_decode(0x4D);
        deliver();
    }
    link->frames().GetTxData(packet);
    for (wxEventType type : std::vector<wxEventType>{
             wxEVT_GETVERSION, wxEVT_GETWORKTEMP, wxEVT_NUMTAGOPERATE, wxEVT_SETBOUND, wxEVT_RESTART_READER,
             wxEVT_SET485ADDR, wxEVT_INVENTORY, wxEVT_CUSTOMINVENTORY, wxEVT_SENDUARTDATA, wxEVT_UPGRADE}) {
        post(type);
        link->frames().GetTxData(now);
        EXPECT_EQ(std::memcmp(now, packet, sizeof now), 0) << type;
        EXPECT_EQ(newest_entry(&c).text, "正在升级3740，请等待升级结束，再操作！") << type;
        EXPECT_EQ(newest_entry(&c).colour, *wxRED);
        EXPECT_TRUE(c.get_timeoutflag() == 3 && c.timeout_running()) << type;
    }
    for (int round = 1; round <= 3; ++round)
        c.OnTimeOut(tick);
    deliver();
    EXPECT_EQ(newest_entry(&c).text, "升级失败");
    EXPECT_EQ(link->BasebandFirmwareUpgradeFlag, 0);
    c.Destroy();
    deliver();
    Upgrade_Enable = false;
    UpObject = 0;
    upgraed_flag = true;
}

}  // namespace
