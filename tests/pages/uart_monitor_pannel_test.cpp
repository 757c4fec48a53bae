// The serial monitor: its hex filter, what a send stores and posts, the
// clear button, and the colours of the lines it shows.
#include "page_test_support.h"

#include <algorithm>

#include <wx/notebook.h>

#include "wxcrafter/reader_uart_monitor_pannel_base/uart_monitor_pannel.h"

using namespace page_test;

namespace {

class MonitorPage : public ::testing::Test {
protected:
    Host<uart_monitor_pannel> host;
    uart_monitor_pannel* page = host.page;
    wxTextCtrl* input = page->GetInputData_textCtrl();
    Recorder recorder;

    // Types `digits`, presses send, and returns how many requests went out.
    size_t send(const wxString& digits)
    {
        gui_test::paste_text(input, digits);
        EXPECT_TRUE(click(page->GetSendData_button()));
        const auto posted = recorder.take();
        for (const Posted& p : posted) {
            EXPECT_EQ(p.type, wxEVT_SENDUARTDATA);
            EXPECT_FALSE(p.connect_carrier);
            EXPECT_EQ(p.id, 0);
        }
        return posted.size();
    }

    // The colour the log shows at character `pos`.
    wxColour colour_at(long pos)
    {
        wxTextAttr attr;
        EXPECT_TRUE(page->GetTextCtrl()->GetStyle(pos, attr));
        return attr.GetTextColour();
    }
};

wxString hex_run(size_t digits)
{
    wxString text;
    for (size_t i = 0; i < digits; ++i)
        text += wxString::Format(wxT("%X"), static_cast<unsigned>(i % 16));
    return text;
}

TEST_F(MonitorPage, FilterKeepsTheHexDigitsBeforeTheFirstOther)
{
    gui_test::paste_text(input, wxT("7G2"));
    EXPECT_EQ(input->GetValue(), wxT("7"));
    EXPECT_EQ(input->GetInsertionPoint(), input->GetLastPosition());

    // Typed, the refused key goes at once and typing goes on after it.
    input->Clear();
    gui_test::type_text(input, wxT("7G"));
    EXPECT_EQ(input->GetValue(), wxT("7"));
    EXPECT_EQ(input->GetInsertionPoint(), input->GetLastPosition());
    gui_test::type_text(input, wxT("2"));
    EXPECT_EQ(input->GetValue(), wxT("72"));

    gui_test::paste_text(input, wxT("a0fF 01"));
    EXPECT_EQ(input->GetValue(), wxT("a0fF"));
    EXPECT_EQ(input->GetInsertionPoint(), input->GetLastPosition());

    gui_test::paste_text(input, wxT("0123456789abcdefABCDEF"));
    EXPECT_EQ(input->GetValue(), wxT("0123456789abcdefABCDEF"));
}

const std::string kTooLong = "输入数据最多100个十六进制数字，过长的数据未被接受！";
const std::string kTooShort = "发送数据至少需要一个字节（两个十六进制数字）！";

// Each refusal says why in the operation log.
TEST_F(MonitorPage, InputHoldsAtMostWhatUartDataHolds)
{
    gui_test::type_text(input, hex_run(101));
    EXPECT_EQ(input->GetValue(), hex_run(100));
    EXPECT_EQ(host.notices, std::vector<std::string>{kTooLong});

    // A longer paste is refused whole: no cut command is left to send.
    gui_test::paste_text(input, hex_run(102));
    EXPECT_EQ(input->GetValue(), wxEmptyString);
    EXPECT_TRUE(click(page->GetSendData_button()));
    EXPECT_TRUE(recorder.take().empty());
    EXPECT_EQ(host.notices, (std::vector<std::string>{kTooLong, kTooLong, kTooShort}));
}

TEST_F(MonitorPage, SendsOneByteCommand)
{
    sendlenght = 9;
    EXPECT_EQ(send(wxT("72")), 1u);
    EXPECT_EQ(sendlenght, 1);
    EXPECT_EQ(UartData[0], 0x72);
}

TEST_F(MonitorPage, SendsCommandWithData)
{
    EXPECT_EQ(send(wxT("8901")), 1u);
    EXPECT_EQ(sendlenght, 2);
    EXPECT_EQ(UartData[0], 0x89);
    EXPECT_EQ(UartData[1], 0x01);

    EXPECT_EQ(send(wxT("a0Ff")), 1u);
    EXPECT_EQ(UartData[0], 0xA0);
    EXPECT_EQ(UartData[1], 0xFF);
}

TEST_F(MonitorPage, IgnoresAnOddLastDigit)
{
    UartData[1] = 0x55;
    EXPECT_EQ(send(wxT("720")), 1u);
    EXPECT_EQ(sendlenght, 1);
    EXPECT_EQ(UartData[0], 0x72);
    EXPECT_EQ(UartData[1], 0x55);
}

TEST_F(MonitorPage, LessThanOneByteSendsNothing)
{
    sendlenght = 3;
    EXPECT_EQ(send(wxEmptyString), 0u);
    EXPECT_EQ(send(wxT("7")), 0u);
    EXPECT_EQ(sendlenght, 3);
    EXPECT_EQ(host.notices, (std::vector<std::string>{kTooShort, kTooShort}));
}

TEST_F(MonitorPage, LongestCommandFillsUartDataExactly)
{
    EXPECT_EQ(send(hex_run(100)), 1u);
    EXPECT_EQ(sendlenght, 50);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(UartData[i], ((2 * i) % 16) * 16 + (2 * i + 1) % 16) << i;
}

TEST_F(MonitorPage, TextPastTheFilterIsRefusedNotCut)
{
    // ChangeValue raises no text event, so the filter never sees this. The
    // box itself keeps the 120 digits out, and the send finds it empty.
    input->ChangeValue(hex_run(120));
    EXPECT_TRUE(click(page->GetSendData_button()));
    input->ChangeValue(wxT("12 4"));
    EXPECT_TRUE(click(page->GetSendData_button()));
    EXPECT_TRUE(recorder.take().empty());
    EXPECT_EQ(host.notices, (std::vector<std::string>{kTooLong, kTooShort, "输入数据只能是十六进制数字！"}));
}

TEST_F(MonitorPage, ClearEmptiesTheBoxesAndUartData)
{
    page->SetUartDataShow(wxT("[1:2:3:4] A0 03 01 72 EA \n"), 0);
    send(wxT("8901"));
    page->GetCheckBit_textCtrl()->SetValue(wxT("EA"));

    EXPECT_TRUE(click(page->GetClearData_button()));
    EXPECT_EQ(page->GetTextCtrl()->GetValue(), wxEmptyString);
    EXPECT_EQ(input->GetValue(), wxEmptyString);
    EXPECT_EQ(page->GetCheckBit_textCtrl()->GetValue(), wxEmptyString);
    EXPECT_TRUE(std::all_of(std::begin(UartData), std::end(UartData), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(sendlenght, 2);
    EXPECT_TRUE(recorder.take().empty());
}

TEST_F(MonitorPage, ReceivedLinesAreRedAndSentLinesBlack)
{
    const wxString received = wxT("[10:1:2:3] A0 04 01 72 10 D9 \n");
    const wxString sent = wxT("[10:1:2:4] A0 03 01 72 EA \n");
    page->SetUartDataShow(received, 1);
    page->SetUartDataShow(sent, 0);
    page->SetUartDataShow(received, 2);

    EXPECT_EQ(page->GetTextCtrl()->GetValue(), received + sent + received);
    const long second = static_cast<long>(received.length());
    const long third = second + static_cast<long>(sent.length());
    EXPECT_EQ(colour_at(1), *wxRED);
    EXPECT_EQ(colour_at(second - 2), *wxRED);
    EXPECT_EQ(colour_at(second + 1), *wxBLACK);
    EXPECT_EQ(colour_at(third - 2), *wxBLACK);
    EXPECT_EQ(colour_at(third + 1), *wxRED);

    page->clearUartData();
    EXPECT_EQ(page->GetTextCtrl()->GetValue(), wxEmptyString);
}

// Hours of frames: the view keeps the newest few thousand lines, in order,
// with their colours.
TEST_F(MonitorPage, KeepsTheNewestLinesOnly)
{
    for (int batch = 0; batch < 70; ++batch) {
        wxString text;
        for (int i = 0; i < 100; ++i)
            text += wxString::Format(wxT("[line %05d] A0 03 01 72 EA \n"), batch * 100 + i);
        page->SetUartDataShow(text, batch % 2);
    }
    wxTextCtrl* view = page->GetTextCtrl();
    const int lines = view->GetNumberOfLines();
    EXPECT_GE(lines, 5000);
    EXPECT_LE(lines, 5600);
    EXPECT_EQ(view->GetLineText(lines - 2), wxT("[line 06999] A0 03 01 72 EA "));
    // Whole lines go, oldest first.
    const wxString first = view->GetLineText(0);
    EXPECT_TRUE(first.StartsWith(wxT("[line ")) && first.EndsWith(wxT(" A0 03 01 72 EA "))) << utf8(first);
    EXPECT_EQ(colour_at(view->GetLastPosition() - 3), *wxRED);
}

// In the main window the monitor is a notebook page, mostly behind another.
// What comes meanwhile shows, in order and in its colours, once it is in
// front; at most the lines the view keeps.
TEST(MonitorBehindAnotherPage, ShowsWhatCameOnceInFront)
{
    auto lines = [](int from, int count) {
        wxString text;
        for (int i = from; i < from + count; ++i)
            text += wxString::Format(wxT("[line %05d] A0 03 01 72 EA \n"), i);
        return text;
    };
    struct Case {
        const char* what;
        int shown_before;        // lines appended while the page is in front
        std::vector<int> chunks; // lines per append while it is behind
        bool clear_behind;       // the clear button's path while behind
    } cases[] = {
        {"a few chunks", 2, {1, 3, 2}, false},
        {"more than the view keeps", 300, {4000, 2500, 1}, false},
        {"cleared while behind", 5, {10}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        wxFrame* frame = new wxFrame(nullptr, wxID_ANY, wxT("monitor test"));
        wxNotebook* book = new wxNotebook(frame, wxID_ANY);
        book->AddPage(new wxPanel(book), wxT("other"), false);
        auto* page = new uart_monitor_pannel(book);
        book->AddPage(page, wxT("monitor"), true);
        wxTextCtrl* view = page->GetTextCtrl();

        page->SetUartDataShow(lines(0, c.shown_before), 0);
        book->SetSelection(0);
        int next = c.shown_before;
        for (size_t i = 0; i < c.chunks.size(); ++i) {
            page->SetUartDataShow(lines(next, c.chunks[i]), static_cast<char>(i % 2 == 0));
            next += c.chunks[i];
        }
        if (c.clear_behind)
            page->clearUartData();
        const wxString before = view->GetValue();
        book->SetSelection(1);

        if (c.clear_behind) {
            EXPECT_EQ(view->GetValue(), wxEmptyString);
        } else if (next <= 5000) {
            EXPECT_EQ(before, lines(0, c.shown_before));
            EXPECT_EQ(view->GetValue(), lines(0, next));
            // Each chunk keeps its colour: the first red, the second black.
            const long first_end = static_cast<long>(lines(0, c.shown_before + c.chunks[0]).length());
            wxTextAttr attr;
            ASSERT_TRUE(view->GetStyle(first_end - 2, attr));
            EXPECT_EQ(attr.GetTextColour(), *wxRED);
            ASSERT_TRUE(view->GetStyle(first_end + 1, attr));
            EXPECT_EQ(attr.GetTextColour(), *wxBLACK);
        } else {
            const int shown = view->GetNumberOfLines() - 1;
            EXPECT_GE(shown, 5000);
            EXPECT_LE(shown, 5500);
            EXPECT_TRUE(view->GetValue().EndsWith(lines(next - 5000, 5000))) << shown;
        }
        delete frame;
    }
}

}  // namespace
