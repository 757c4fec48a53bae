// The main window as the program builds it: a controller with no parent.
// Its title, tabs, icon and log controls, the log cut-back, and the window
// state that carries over to the next run.
#include "app_test_support.h"

#include <wx/app.h>
#include <wx/config.h>
#include <wx/display.h>
#include <wx/notebook.h>
#include <wx/stattext.h>
#include <wx/toplevel.h>

#include "rfid_event/rfid_notifiler.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/reader_uart_monitor_pannel_base/uart_monitor_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

using namespace app_test;

namespace {

MainAPP* open_main()
{
    MainAPP* window = new MainAPP(nullptr);
    show(window);
    return window;
}

// Writes one log line as the controller does and lets the loop run what
// the write set off (the cut-back comes right after the write).
void write_log(MainAPP* window, const wxString& text, int colour)
{
    window->SetCmdLog(text, colour);
    deliver();
}

// The text of an entry after its time stamp and the two blanks.
std::string entry_text(const std::string& entry)
{
    const std::string::size_type gap = entry.find("  ");
    return gap == std::string::npos ? "<no time stamp>" : entry.substr(gap + 2);
}

TEST(MainWindow, StartsWithTitleIconTabsAndLogControls)
{
    MainAPP* window = open_main();

    EXPECT_EQ(utf8(window->GetTitle()), "UHF RFID Reader V1.76.8");
    EXPECT_TRUE(window->GetIcon().IsOk());
    EXPECT_EQ(window->GetIcon().GetWidth(), 32);
    EXPECT_EQ(window->GetIcon().GetHeight(), 32);
    EXPECT_EQ(window->GetName(), "MainFrameBaseClass");
    EXPECT_EQ(window->GetParent(), nullptr);

    wxNotebook* book = window->GetNotebook1();
    ASSERT_EQ(book->GetPageCount(), 3u);
    EXPECT_EQ(utf8(book->GetPageText(0)), "读写器设置");
    EXPECT_EQ(utf8(book->GetPageText(1)), "标签测试");
    EXPECT_EQ(utf8(book->GetPageText(2)), "串口监控数据");
    EXPECT_EQ(book->GetPage(0), window->get_base_setting_pannel());
    EXPECT_EQ(book->GetPage(1), window->get_rfid_6c_tag_test_pannel());
    EXPECT_EQ(book->GetPage(2), window->get_uart_monitor_pannel());
    EXPECT_EQ(book->GetSelection(), 0);
    EXPECT_EQ(book->GetName(), "m_notebook1");

    EXPECT_EQ(utf8(window->GetStaticText41()->GetLabel()), "操作记录：");
    EXPECT_EQ(utf8(window->GetAuto_clear_log_checkBox()->GetLabel()), "自动清空");
    EXPECT_EQ(utf8(window->GetOpen_uart_monitor_checkBox()->GetLabel()), "打开串口监控");
    EXPECT_FALSE(window->GetAuto_clear_log_checkBox()->GetValue());
    EXPECT_TRUE(window->GetOpen_uart_monitor_checkBox()->GetValue());

    // Empty at start: also nothing to report about the serial-port library.
    wxTextCtrl* log = window->GetUartDataLog();
    EXPECT_EQ(utf8(log->GetValue()), "");
    EXPECT_TRUE(log->IsMultiLine());
    EXPECT_FALSE(log->IsEditable());

    // On a screen with room for them (the test display is 1280x1024) the
    // pages show whole and the frame lies within the work area, centred.
    const wxRect area = wxDisplay(0u).GetClientArea();
    const wxRect frame = window->GetRect();
    EXPECT_TRUE(area.Contains(frame)) << frame.x << "," << frame.y << " " << frame.width << "x" << frame.height;
    EXPECT_NEAR(frame.x - area.x, area.GetRight() - frame.GetRight(), 2);
    const wxSize shown = book->GetParent()->GetClientSize();
    EXPECT_GE(shown.GetWidth(), book->GetBestSize().GetWidth());
    EXPECT_GE(shown.GetHeight(), book->GetBestSize().GetHeight());

    close_window(window);
}

TEST(MainWindow, BuildsAndClosesCleanlyAndLeavesNothingBoundOnTheHub)
{
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        MainAPP* window = open_main();
        // Let the data and log timers run a while.
        gui_test::pump_for(200);
        close_window(window);
        EXPECT_EQ(wxTopLevelWindows.GetCount(), 0u);
    }
    // Every request type posted now must find no handler of the closed
    // window or of its link threads (the sanitizer build sees any that
    // remained).
    for (const EventTypeRow& row : event_type_rows())
        row.post();
    deliver();
    EXPECT_FALSE(wxTheApp->HasPendingEvents());
}

// With "自动清空" ticked the box is cut back to its newest entry as soon as
// it counts 7 lines, and each entry ends with "\r", so the last counted line
// is the empty one after the newest entry: the sixth entry triggers the first
// cut, and from then on every fifth.
TEST(MainWindow, AutoClearCutsTheLogBackToItsNewestEntry)
{
    MainAPP* window = open_main();
    wxTextCtrl* log = window->GetUartDataLog();
    gui_test::tick(window->GetAuto_clear_log_checkBox(), true);

    // Entries in the box after writing entry 1, 2, ... 12.
    const size_t expected_count[] = {1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 1, 2};
    for (int i = 1; i <= 12; ++i) {
        SCOPED_TRACE(i);
        write_log(window, wxString::Format("entry %d", i), 0);
        const std::vector<std::string> entries = log_entries(log);
        ASSERT_EQ(entries.size(), expected_count[i - 1]);
        EXPECT_EQ(log->GetNumberOfLines(), static_cast<int>(entries.size()) + 1);
        // What stays besides it is the run of entries written since the cut.
        for (size_t k = 0; k < entries.size(); ++k)
            EXPECT_EQ(entry_text(entries[k]), "entry " + std::to_string(i - int(entries.size()) + 1 + int(k)));
    }
    close_window(window);
}

TEST(MainWindow, AutoClearSurvivesABurstOfLinesWrittenInOneGo)
{
    // Handlers often write several lines before the loop runs again; the
    // box is never changed under the write that is still going on.
    MainAPP* window = open_main();
    wxTextCtrl* log = window->GetUartDataLog();
    gui_test::tick(window->GetAuto_clear_log_checkBox(), true);
    for (int i = 1; i <= 8; ++i)
        window->SetCmdLog(wxString::Format("entry %d", i), 0);
    deliver();
    const std::vector<std::string> entries = log_entries(log);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entry_text(entries[0]), "entry 8");
    close_window(window);
}

TEST(MainWindow, AutoClearKeepsTheNewestEntrysColour)
{
    MainAPP* window = open_main();
    wxTextCtrl* log = window->GetUartDataLog();
    gui_test::tick(window->GetAuto_clear_log_checkBox(), true);
    for (int i = 1; i <= 5; ++i)
        write_log(window, wxString::Format("black %d", i), 0);
    write_log(window, "the failure", 1);

    const std::vector<std::string> entries = log_entries(log);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entry_text(entries[0]), "the failure");
    EXPECT_EQ(colour_at(log, 1), *wxRED);
    EXPECT_EQ(colour_at(log, log->GetLastPosition() - 2), *wxRED);
    close_window(window);
}

TEST(MainWindow, UntickedTheLogGrowsAndTickingLaterCutsAtOnce)
{
    MainAPP* window = open_main();
    wxTextCtrl* log = window->GetUartDataLog();
    for (int i = 1; i <= 20; ++i)
        write_log(window, wxString::Format("entry %d", i), i % 2);
    std::vector<std::string> entries = log_entries(log);
    ASSERT_EQ(entries.size(), 20u);
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(entry_text(entries[i - 1]), "entry " + std::to_string(i));
    EXPECT_EQ(log->GetNumberOfLines(), 21);

    // Seven lines or more, not exactly seven: the next entry cuts.
    gui_test::tick(window->GetAuto_clear_log_checkBox(), true);
    write_log(window, "entry 21", 0);
    entries = log_entries(log);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entry_text(entries[0]), "entry 21");

    // Unticked again, nothing more is cut.
    gui_test::tick(window->GetAuto_clear_log_checkBox(), false);
    for (int i = 22; i <= 30; ++i)
        write_log(window, wxString::Format("entry %d", i), 0);
    EXPECT_EQ(log_entries(log).size(), 10u);
    close_window(window);
}

TEST(MainWindow, SecondRunOpensWithTheLastTabPositionAndSize)
{
    MainAPP* first = open_main();
    first->GetNotebook1()->SetSelection(1);
    const wxSize wanted(first->FromDIP(1200), first->FromDIP(880));
    first->SetSize(wxRect(wxPoint(17, 23), wanted));
    ASSERT_TRUE(gui_test::pump_until([&] { return first->GetSize() == wanted; }, 5000))
        << "size stays " << first->GetSize().x << "x" << first->GetSize().y;
    gui_test::pump_for(100);
    const wxSize size = first->GetSize();
    const wxPoint position = first->GetPosition();
    close_window(first);
    // The state reaches its file when the configuration goes.
    delete wxConfigBase::Set(nullptr);

    MainAPP* second = open_main();
    gui_test::pump_for(100);
    EXPECT_EQ(second->GetNotebook1()->GetSelection(), 1);
    EXPECT_EQ(second->GetSize(), size) << second->GetSize().x << "x" << second->GetSize().y;
    EXPECT_EQ(second->GetPosition(), position) << second->GetPosition().x << "," << second->GetPosition().y;

    // Leave the first tab for whoever runs next in this process.
    second->GetNotebook1()->SetSelection(0);
    close_window(second);
    // And no stored place or size: the next window opens centred.
    wxConfigBase::Get()->DeleteAll();
    delete wxConfigBase::Set(nullptr);
}

}  // namespace
