#include "wxcrafter/reader_rw_pannel_base/tag_choice.h"

#include <algorithm>

#include <wx/dc.h>
#include <wx/display.h>
#include <wx/settings.h>
#include <wx/vlbox.h>

namespace {

// Lines the pop-up shows at once, at the most.
const int kVisibleLines = 15;

}  // namespace

// The pop-up's rows are the entries as they were at its last catch-up:
// row r is the entry with the key view_end - 1 - r, and a row whose entry
// has gone since stays blank. Entries that come while it is open are added
// above in one catch-up once the feed yields, and the view moves down with
// them, so that every line stays on its own entry and the highlight with
// it, in sight or scrolled out of it. A click picks through what was
// painted, which is what the operator saw.
class tag_choice_popup : public wxVListBox, public wxComboPopup {
public:
    explicit tag_choice_popup(tag_choice& owner_in) : owner(owner_in) {}

    bool Create(wxWindow* parent) override
    {
        if (!wxVListBox::Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE | wxWANTS_CHARS))
            return false;
        // The font the entries' widths are measured in.
        SetFont(owner.GetFont());
        Bind(wxEVT_PAINT, &tag_choice_popup::on_paint, this);
        Bind(wxEVT_MOTION, &tag_choice_popup::on_motion, this);
        Bind(wxEVT_LEFT_UP, &tag_choice_popup::on_left_up, this);
        Bind(wxEVT_KEY_DOWN, &tag_choice_popup::on_key, this);
        return true;
    }
    wxWindow* GetControl() override { return this; }
    wxString GetStringValue() const override { return owner.GetStringSelection(); }
    void OnPopup() override
    {
        open = true;
        view_end = owner.inserted();
        painted_end = 0;
        SetItemCount(owner.GetCount());
        const int shown = owner.GetSelection();
        wxVListBox::SetSelection(shown);
        if (shown != wxNOT_FOUND)
            ScrollToRow(static_cast<size_t>(shown));
    }
    void OnDismiss() override { open = false; }
    // The closed control's keys; wxComboCtrl turns a turn of the wheel on
    // it into Up or Down.
    void OnComboKeyEvent(wxKeyEvent& event) override
    {
        if (!owner.step(event.GetKeyCode()))
            event.Skip();
    }
    wxSize GetAdjustedSize(int min_width, int pref_height, int max_height) override
    {
        const int lines = std::max(1, std::min<int>(kVisibleLines, static_cast<int>(owner.GetCount())));
        int height = lines * line_height() + 2;
        if (pref_height > 0)
            height = std::min(height, pref_height);
        const int text = owner.widest + 2 * margin() + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this) + 2;
        const int screen = wxDisplay(&owner).GetClientArea().GetWidth();
        return wxSize(std::max(min_width, std::min(text, screen)), std::min(height, max_height));
    }

    // The owner's entries changed: one catch-up follows, however many
    // entries come before it.
    void entries_changed()
    {
        if (!open || catch_up_queued)
            return;
        catch_up_queued = true;
        CallAfter(&tag_choice_popup::catch_up);
    }

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t row) const override
    {
        const int n = entry_in_row(static_cast<int>(row));
        if (n == wxNOT_FOUND)
            return;
        dc.SetFont(GetFont());
        dc.SetTextForeground(wxSystemSettings::GetColour(IsSelected(row) ? wxSYS_COLOUR_HIGHLIGHTTEXT
                                                                         : wxSYS_COLOUR_LISTBOXTEXT));
        const wxString text = owner.GetString(static_cast<unsigned int>(n));
        dc.DrawText(text, rect.x + margin(), rect.y + (rect.height - dc.GetCharHeight()) / 2);
    }
    wxCoord OnMeasureItem(size_t) const override { return line_height(); }

private:
    int line_height() const { return GetCharHeight() + FromDIP(4); }
    int margin() const { return FromDIP(3); }
    // The list index of the entry in the view's `row`, wxNOT_FOUND for
    // none or one gone.
    int entry_in_row(int row) const
    {
        return row < 0 ? wxNOT_FOUND : owner.index_of(view_end - 1 - static_cast<size_t>(row));
    }

    void catch_up()
    {
        catch_up_queued = false;
        if (!open)
            return;
        const size_t added = owner.inserted() - view_end;
        const size_t first = GetVisibleRowsBegin() + added;
        const int row = wxVListBox::GetSelection();
        const bool keep = entry_in_row(row) != wxNOT_FOUND;
        view_end = owner.inserted();
        SetItemCount(owner.GetCount());
        // Setting the selection scrolls it into view, so the view is set
        // after it: a highlight scrolled out of sight stays out of sight.
        wxVListBox::SetSelection(keep ? row + static_cast<int>(added) : wxNOT_FOUND);
        if (owner.GetCount() > 0)
            ScrollToRow(std::min<size_t>(first, owner.GetCount() - 1));
    }

    // The list index of the entry painted at `y`, wxNOT_FOUND for none.
    int painted_at(wxCoord y) const
    {
        if (y < 0)
            return wxNOT_FOUND;
        const size_t row = static_cast<size_t>(y / line_height());
        return row < painted_end ? owner.index_of(painted_end - 1 - row) : wxNOT_FOUND;
    }

    void on_paint(wxPaintEvent& event)
    {
        painted_end = view_end - GetVisibleRowsBegin();
        event.Skip();
    }
    void on_motion(wxMouseEvent& event)
    {
        const int n = painted_at(event.GetPosition().y);
        if (n != wxNOT_FOUND) {
            // The row of the entry in the view, which may lag the list.
            const int row = n - static_cast<int>(owner.inserted() - view_end);
            if (row >= 0 && row != wxVListBox::GetSelection())
                wxVListBox::SetSelection(row);
        }
        event.Skip();
    }
    void on_left_up(wxMouseEvent& event) { pick_at(painted_at(event.GetPosition().y)); }
    void on_key(wxKeyEvent& event)
    {
        if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER)
            pick_at(entry_in_row(wxVListBox::GetSelection()));
        else if (event.GetKeyCode() == WXK_ESCAPE)
            pick_at(wxNOT_FOUND);
        else
            event.Skip();
    }
    void pick_at(int n)
    {
        Dismiss();
        if (n != wxNOT_FOUND)
            owner.pick(n);
    }

    tag_choice& owner;
    bool open = false;
    bool catch_up_queued = false;
    // The owner's inserted() at the last catch-up.
    size_t view_end = 0;
    // view_end less the first visible row, at the last paint: the entry
    // painted on the screen's row r has the key painted_end - 1 - r.
    size_t painted_end = 0;
};

tag_choice::tag_choice(wxWindow* parent, wxWindowID id)
    : wxComboCtrl(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxCB_READONLY),
      removed(0),
      shown(kNone),
      widest(0),
      advance{},
      popup(new tag_choice_popup(*this))
{
    // The control owns the pop-up from here on.
    SetPopupControl(popup);
    // On GTK the read-only control is left unable to take the keyboard
    // focus, and its keys would go to another control.
    SetCanFocus(true);
}

void tag_choice::insert_first(const wxString& text)
{
    entries.push_back(text.utf8_string());
    widest = std::max(widest, text_width(entries.back()));
    popup->entries_changed();
}

void tag_choice::remove_last()
{
    if (entries.empty())
        return;
    entries.pop_front();
    ++removed;
    if (shown != kNone && shown < removed)
        SetSelection(wxNOT_FOUND);
    popup->entries_changed();
}

int tag_choice::index_of(size_t key) const
{
    if (key < removed || key >= inserted())
        return wxNOT_FOUND;
    return static_cast<int>(inserted() - 1 - key);
}

wxString tag_choice::GetString(unsigned int n) const
{
    if (n >= entries.size())
        return wxString();
    return wxString::FromUTF8(entries[entries.size() - 1 - n]);
}

int tag_choice::FindString(const wxString& text) const
{
    const std::string wanted = text.utf8_string();
    for (size_t n = 0; n < entries.size(); ++n)
        if (entries[entries.size() - 1 - n] == wanted)
            return static_cast<int>(n);
    return wxNOT_FOUND;
}

int tag_choice::GetSelection() const
{
    return index_of(shown);
}

void tag_choice::SetSelection(int n)
{
    if (n < 0 || static_cast<size_t>(n) >= entries.size()) {
        shown = kNone;
        SetValue(wxString());
        return;
    }
    shown = inserted() - 1 - static_cast<size_t>(n);
    SetValue(GetString(static_cast<unsigned int>(n)));
}

wxString tag_choice::GetStringSelection() const
{
    const int n = GetSelection();
    return n == wxNOT_FOUND ? wxString() : GetString(static_cast<unsigned int>(n));
}

void tag_choice::Clear()
{
    // The keys start again from 0: no pop-up may still hold one.
    if (IsPopupShown())
        HidePopup();
    std::deque<std::string>().swap(entries);
    removed = 0;
    widest = 0;
    SetSelection(wxNOT_FOUND);
}

void tag_choice::pick(int n)
{
    SetSelection(n);
    wxCommandEvent event(wxEVT_CHOICE, GetId());
    event.SetEventObject(this);
    event.SetInt(n);
    event.SetString(GetStringSelection());
    ProcessWindowEvent(event);
}

bool tag_choice::step(int key_code)
{
    const int last = static_cast<int>(GetCount()) - 1;
    const int now = GetSelection();
    int to;
    switch (key_code) {
    case WXK_UP:
    case WXK_NUMPAD_UP:
        to = now - 1;
        break;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        to = now + 1;
        break;
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
        to = 0;
        break;
    case WXK_END:
    case WXK_NUMPAD_END:
        to = last;
        break;
    default:
        return false;
    }
    // With none shown, every one of these keys lands in the list.
    if (last >= 0 && std::clamp(to, 0, last) != now)
        pick(std::clamp(to, 0, last));
    return true;
}

int tag_choice::text_width(const std::string& text)
{
    if (advance[' '] == 0) {
        for (int c = ' '; c < 127; ++c)
            advance[c] = GetTextExtent(wxString(static_cast<char>(c))).x;
        // Any other byte, a part of a wider character, counts as the widest.
        const int wide = *std::max_element(advance.begin(), advance.end());
        for (int& width : advance)
            if (width == 0)
                width = wide;
    }
    int width = 0;
    for (unsigned char c : text)
        width += advance[c];
    return width;
}
