#include "wxcrafter/reader_rw_pannel_base/tag_choice.h"

#include <algorithm>

#include <wx/dc.h>
#include <wx/settings.h>
#include <wx/vlbox.h>

namespace {

// Lines the pop-up shows at once, at the most.
const int kVisibleLines = 15;

class tag_choice_popup : public wxVListBox, public wxComboPopup {
public:
    explicit tag_choice_popup(tag_choice& owner_in) : owner(owner_in) {}

    bool Create(wxWindow* parent) override
    {
        if (!wxVListBox::Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE | wxWANTS_CHARS))
            return false;
        Bind(wxEVT_MOTION, &tag_choice_popup::on_motion, this);
        Bind(wxEVT_LEFT_UP, &tag_choice_popup::on_left_up, this);
        Bind(wxEVT_KEY_DOWN, &tag_choice_popup::on_key, this);
        return true;
    }
    wxWindow* GetControl() override { return this; }
    wxString GetStringValue() const override { return owner.GetStringSelection(); }
    void OnPopup() override
    {
        SetItemCount(owner.GetCount());
        const int shown = owner.GetSelection();
        wxVListBox::SetSelection(shown);
        if (shown != wxNOT_FOUND)
            ScrollToRow(static_cast<size_t>(shown));
    }
    wxSize GetAdjustedSize(int min_width, int pref_height, int max_height) override
    {
        const int lines = std::max(1, std::min<int>(kVisibleLines, static_cast<int>(owner.GetCount())));
        int height = lines * line_height() + 2;
        if (pref_height > 0)
            height = std::min(height, pref_height);
        return wxSize(min_width, std::min(height, max_height));
    }

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override
    {
        dc.SetFont(GetFont());
        dc.SetTextForeground(wxSystemSettings::GetColour(IsSelected(n) ? wxSYS_COLOUR_HIGHLIGHTTEXT
                                                                       : wxSYS_COLOUR_LISTBOXTEXT));
        const wxString text = owner.GetString(static_cast<unsigned int>(n));
        dc.DrawText(text, rect.x + FromDIP(3), rect.y + (rect.height - dc.GetCharHeight()) / 2);
    }
    wxCoord OnMeasureItem(size_t) const override { return line_height(); }

private:
    int line_height() const { return GetCharHeight() + FromDIP(4); }

    void on_motion(wxMouseEvent& event)
    {
        const int n = VirtualHitTest(event.GetPosition().y);
        if (n != wxNOT_FOUND && n != wxVListBox::GetSelection())
            wxVListBox::SetSelection(n);
        event.Skip();
    }
    void on_left_up(wxMouseEvent& event) { pick_at(VirtualHitTest(event.GetPosition().y)); }
    void on_key(wxKeyEvent& event)
    {
        if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER)
            pick_at(wxVListBox::GetSelection());
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
};

}  // namespace

tag_choice::tag_choice(wxWindow* parent, wxWindowID id)
    : wxComboCtrl(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxCB_READONLY), shown(-1)
{
    // The control owns the pop-up from here on.
    SetPopupControl(new tag_choice_popup(*this));
}

void tag_choice::insert_first(const wxString& text)
{
    entries.push_back(text.utf8_string());
}

void tag_choice::remove_last()
{
    if (entries.empty())
        return;
    entries.pop_front();
    if (shown == 0)
        SetSelection(wxNOT_FOUND);
    else if (shown > 0)
        --shown;
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
    return shown < 0 ? wxNOT_FOUND : static_cast<int>(entries.size() - 1 - static_cast<size_t>(shown));
}

void tag_choice::SetSelection(int n)
{
    if (n < 0 || static_cast<size_t>(n) >= entries.size()) {
        shown = -1;
        SetValue(wxString());
        return;
    }
    shown = static_cast<long>(entries.size() - 1 - static_cast<size_t>(n));
    SetValue(GetString(static_cast<unsigned int>(n)));
}

wxString tag_choice::GetStringSelection() const
{
    const int n = GetSelection();
    return n == wxNOT_FOUND ? wxString() : GetString(static_cast<unsigned int>(n));
}

void tag_choice::Clear()
{
    std::deque<std::string>().swap(entries);
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
