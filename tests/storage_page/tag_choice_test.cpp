// The storage page's tag list on screen, driven by the pointer and keys:
// picks from the open pop-up while entries come and go, the closed
// control's keys and wheel, the pop-up's width.
#include "gui_test_support.h"

#include <wx/app.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/uiaction.h>
#include <wx/vlbox.h>

#include <string>

#include "wxcrafter/reader_rw_pannel_base/rfid_storage_pannel.h"

namespace {

using gui_test::pump_until;

std::string utf8(const wxString& s) { return std::string(s.utf8_str()); }
wxString epc(int i) { return wxString::Format(wxT("E2 00 %02X %02X "), i / 256, i % 256); }

// The page on screen in single-tag operation with `count` tags listed and
// the list focused: without a window manager the keys go to the window
// under the pointer. Choice events and released keys are counted.
struct ShownPage {
    explicit ShownPage(int count)
        : frame(new wxFrame(nullptr, wxID_ANY, wxT("tags"), wxPoint(0, 0), wxSize(1000, 700))),
          page(new rfid_storage_pannel(frame)), tags(page->GetTagList_choice()),
          list(static_cast<wxVListBox*>(tags->GetPopupControl()->GetControl()))
    {
        add(count);
        gui_test::choose(page->GetTagOperate_radioBox(), 0);
        tags->Bind(wxEVT_CHOICE, [this](wxCommandEvent& e) { ++choices, e.Skip(); });
        tags->Bind(wxEVT_KEY_UP, [this](wxKeyEvent& e) { ++key_ups, e.Skip(); });
        list->Bind(wxEVT_PAINT, [this](wxPaintEvent& e) { ++paints, e.Skip(); });
        frame->Show();
        sim.MouseMove(tags->GetScreenPosition() + wxPoint(5, 5));
        EXPECT_TRUE(pump_until([this] { return frame->IsActive(); }));
        tags->SetFocus();
    }
    ~ShownPage()
    {
        tags->HidePopup();
        delete frame;
    }
    void add(int count)
    {
        for (int i = 0; i < count; ++i)
            page->AddTagList(epc(added++));
    }
    void open()
    {
        tags->ShowPopup();
        EXPECT_TRUE(pump_until([this] { return tags->IsPopupShown() && list->IsShownOnScreen(); }));
    }
    // A real key; waits until the control has taken it.
    void key(int key_code, int modifiers = wxMOD_NONE)
    {
        const int ups = key_ups;
        sim.Char(key_code, modifiers);
        EXPECT_TRUE(pump_until([&] { return key_ups > ups || tags->IsPopupShown(); }));
    }
    // Waits until the open pop-up has painted what it holds now.
    void repaint()
    {
        const int before = paints;
        list->Refresh();
        EXPECT_TRUE(pump_until([&] { return paints > before; }));
    }
    // A pointer event at `at` on the screen, delivered at once.
    void mouse_event(wxEventType type, const wxPoint& at)
    {
        wxMouseEvent event(type);
        event.SetPosition(list->ScreenToClient(at));
        list->ProcessWindowEvent(event);
    }
    std::string selected() const { return utf8(page->GetSelectedTag_textCtrl()->GetValue()); }

    wxFrame* frame;
    rfid_storage_pannel* page;
    tag_choice* tags;
    wxVListBox* list;
    wxUIActionSimulator sim;
    int added = 0, choices = 0, key_ups = 0, paints = 0;
};

// Points at the pop-up's visible line `line`, moving a little until the
// pop-up has painted and highlights it; returns that entry.
std::string highlight(ShownPage& shown, int line)
{
    const size_t row = shown.list->GetVisibleRowsBegin() + static_cast<size_t>(line);
    const wxPoint at = shown.list->ClientToScreen(shown.list->GetItemRect(row).GetPosition() + wxPoint(20, 4));
    int moves = 0;
    EXPECT_TRUE(pump_until([&] {
        shown.sim.MouseMove(at + wxPoint(0, moves++ % 2));
        return shown.list->GetSelection() == static_cast<int>(row);
    }));
    return utf8(shown.tags->GetString(static_cast<unsigned int>(row)));
}

TEST(TagChoice, ThePopUpPicksTheEntryItShowsWhileEntriesComeAndGo)
{
    // A real Enter or click once the pop-up caught up and painted; a real
    // click there after the view scrolled the highlight out of sight; an Enter
    // at once, before the pop-up caught up; a pointer move at once, then a
    // real Enter; a click after it caught up, before it painted again; an
    // Enter after a clear; a real Escape, then a real Enter.
    enum Pick { Enter, Click, ScrolledClick, EnterAtOnce, MoveAtOnce, ClickUnpainted, Cleared, Escape };
    const struct {
        const char* name;
        int entries, first, line, added, dropped;
        Pick pick;
        bool picked;  // else nothing is
    } cases[] = {
        {"Enter after entries came above and went below", 40, 0, 2, 5, 3, Enter, true},
        {"a click after entries came above", 40, 0, 4, 7, 0, Click, true},
        {"a click after the view scrolled the highlight out of sight and entries came above", 40, 0, 2, 3, 0,
         ScrolledClick, true},
        {"Enter before the pop-up caught up", 40, 0, 1, 30, 2, EnterAtOnce, true},
        {"Enter after the pointer moved before the pop-up caught up", 40, 0, 3, 6, 0, MoveAtOnce, true},
        {"a click after the view moved up, before the pop-up painted", 20, 5, 10, 0, 3, ClickUnpainted, true},
        {"Enter on an entry that went", 10, 0, 8, 2, 2, Enter, false},
        {"a click on an entry that went, before the pop-up painted again", 10, 0, 9, 0, 1, ClickUnpainted, false},
        {"a clear closes the pop-up, which picks no new entry in the old one's place", 20, 0, 3, 0, 0, Cleared, false},
        {"Escape closes the pop-up, and an Enter after it picks nothing", 20, 0, 3, 2, 0, Escape, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShownPage shown(c.entries);
        shown.open();
        shown.list->ScrollToRow(static_cast<size_t>(c.first));
        const std::string highlighted = highlight(shown, c.line);
        const wxPoint pointer = wxGetMousePosition();
        // The entry under the pointer.
        std::string entry = highlighted;
        size_t top = shown.list->GetVisibleRowsBegin();
        if (c.pick == ScrolledClick) {
            // As the scroll bar moves it: the simulator has no wheel.
            wxScrollWinEvent page_down(wxEVT_SCROLLWIN_PAGEDOWN, 0, wxVERTICAL);
            shown.list->ProcessWindowEvent(page_down);
            shown.repaint();
            top = shown.list->GetVisibleRowsBegin();
            ASSERT_FALSE(shown.list->IsRowVisible(static_cast<size_t>(shown.list->GetSelection())));
            entry = utf8(shown.tags->GetString(static_cast<unsigned int>(top) + c.line));
        }
        shown.add(c.added);
        for (int i = 0; i < c.dropped; ++i)
            shown.tags->remove_last();
        if (c.pick == MoveAtOnce)
            shown.mouse_event(wxEVT_MOTION, pointer);
        const auto caught_up = [&] { return shown.list->GetItemCount() == shown.tags->GetCount(); };
        if (c.pick == Enter || c.pick == Click || c.pick == ScrolledClick || c.pick == MoveAtOnce) {
            ASSERT_TRUE(pump_until(caught_up));
            shown.repaint();
            // The highlight stayed on its entry, or went with it.
            const int row = shown.list->GetSelection();
            EXPECT_EQ(row < 0 ? "" : utf8(shown.tags->GetString(static_cast<unsigned int>(row))),
                      c.picked ? highlighted : "");
            // Every line stayed on its entry.
            if (c.pick == ScrolledClick) {
                EXPECT_EQ(shown.list->GetVisibleRowsBegin(), top + static_cast<size_t>(c.added));
            }
            c.pick == Enter || c.pick == MoveAtOnce ? shown.sim.Char(WXK_RETURN) : shown.sim.MouseClick();
        } else if (c.pick == ClickUnpainted) {
            wxTheApp->ProcessPendingEvents();  // no paint in between
            ASSERT_TRUE(caught_up());
            shown.mouse_event(wxEVT_LEFT_UP, pointer);
        } else if (c.pick == Escape) {
            shown.sim.Char(WXK_ESCAPE);
            ASSERT_TRUE(pump_until([&] { return !shown.tags->IsPopupShown(); }));
            shown.key(WXK_RETURN);
        } else {
            if (c.pick == Cleared) {
                shown.page->Flash_Taglist();
                EXPECT_FALSE(shown.tags->IsPopupShown());
                shown.add(20);
            }
            wxKeyEvent enter(wxEVT_KEY_DOWN);
            enter.m_keyCode = WXK_RETURN;
            shown.tags->ProcessWindowEvent(enter);
        }
        ASSERT_TRUE(pump_until([&] { return !shown.tags->IsPopupShown(); }));
        EXPECT_EQ(shown.choices, c.picked ? 1 : 0);
        EXPECT_EQ(shown.selected(), c.picked ? entry : "");
        EXPECT_EQ(utf8(shown.tags->GetStringSelection()), c.picked ? entry : "");
    }
}

TEST(TagChoice, TheClosedListAnswersKeysAndTheWheelAsAChoice)
{
    const int none = wxNOT_FOUND, kWheelUp = -1, kWheelDown = -2;
    const struct {
        int from, key, modifiers, to;
        bool opens;
    } cases[] = {
        {none, WXK_DOWN, 0, 0, false},     {none, WXK_UP, 0, 0, false},       {0, WXK_DOWN, 0, 1, false},
        {1, WXK_UP, 0, 0, false},          {0, WXK_UP, 0, 0, false},          {2, WXK_DOWN, 0, 2, false},
        {1, WXK_HOME, 0, 0, false},        {none, WXK_END, 0, 2, false},      {2, WXK_END, 0, 2, false},
        {none, kWheelDown, 0, 0, false},   {1, kWheelUp, 0, 0, false},        {0, kWheelUp, 0, 0, false},
        {1, WXK_F4, 0, 1, true},           {1, WXK_DOWN, wxMOD_ALT, 1, true},
    };
    ShownPage shown(3);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.from << ", key " << c.key);
        shown.tags->SetSelection(c.from);
        shown.page->GetSelectedTag_textCtrl()->Clear();
        const int choices = shown.choices;
        if (c.key < 0) {
            wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
            wheel.m_wheelRotation = c.key == kWheelUp ? 120 : -120;
            wheel.m_wheelDelta = 120;
            shown.tags->ProcessWindowEvent(wheel);
        } else {
            shown.key(c.key, c.modifiers);
        }
        EXPECT_EQ(shown.tags->GetSelection(), c.to);
        EXPECT_EQ(shown.choices - choices, c.to != c.from ? 1 : 0);
        EXPECT_EQ(shown.selected(), c.to != c.from ? utf8(epc(2 - c.to)) : "");
        EXPECT_EQ(shown.tags->IsPopupShown(), c.opens);
        shown.tags->HidePopup();
    }
    shown.page->Flash_Taglist();
    shown.key(WXK_DOWN);
    EXPECT_EQ(shown.tags->GetSelection(), wxNOT_FOUND);
}

TEST(TagChoice, ThePopUpShowsTheWidestEntryWholeOnScreen)
{
    // Two 32-byte EPCs of as many characters: the first is the wider.
    wxString wide, narrow;
    for (int i = 0; i < 32; ++i)
        wide += wxT("DB "), narrow += wxT("11 ");
    ShownPage shown(30);
    shown.page->AddTagList(wide);
    shown.page->AddTagList(narrow);
    shown.open();
    const int scroll_bar = wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, shown.list);
    EXPECT_GT(shown.list->GetSize().x - scroll_bar, shown.list->GetTextExtent(wide).x);
    EXPECT_TRUE(wxDisplay(shown.frame).GetGeometry().Contains(shown.list->GetParent()->GetScreenRect()));
}

}  // namespace
