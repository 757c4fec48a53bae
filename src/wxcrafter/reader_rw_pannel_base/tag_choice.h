// The tag-storage page's drop-down list of EPCs, newest first. A buffer
// read brings a hundred thousand of them, and a native choice slows with
// every entry (seconds for a few thousand), so this one keeps the entries
// itself and its pop-up draws only the lines on screen: an entry costs the
// same however many there are, with the pop-up open or closed. Picking an
// entry, with the mouse or the Enter key, or moving through the entries of
// the closed control with the arrow keys, Home, End or the mouse wheel,
// raises wxEVT_CHOICE with the entry's index, as a choice does; Escape
// closes the pop-up and picks nothing. The pop-up is as wide as the widest
// entry, up to the width of the screen.
// GUI thread only.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <string>

#include <wx/combo.h>
#include <wx/string.h>

class tag_choice_popup;

class tag_choice : public wxComboCtrl {
public:
    explicit tag_choice(wxWindow* parent, wxWindowID id = wxID_ANY);

    // Puts `text` at the top, as entry 0.
    void insert_first(const wxString& text);
    // Removes the bottom entry, the oldest, if there is one.
    void remove_last();

    // As a choice's: entries counted from the top, wxNOT_FOUND for none.
    unsigned int GetCount() const { return static_cast<unsigned int>(entries.size()); }
    wxString GetString(unsigned int n) const;
    int FindString(const wxString& text) const;
    using wxComboCtrl::GetSelection;
    using wxComboCtrl::SetSelection;
    int GetSelection() const;
    // Shows entry `n`; wxNOT_FOUND (or any index past the entries) shows none.
    void SetSelection(int n);
    wxString GetStringSelection() const;
    // No entries and none shown; an open pop-up closes first.
    void Clear() override;

    // The pop-up's pick: entry `n` is shown and wxEVT_CHOICE goes out.
    void pick(int n);

private:
    friend class tag_choice_popup;

    // An entry's key is the number of entries inserted before it since the
    // last Clear: it stays the entry's own while entries come above it and
    // go below it. Entry n of the list has the key inserted() - 1 - n.
    size_t inserted() const { return removed + entries.size(); }
    // The list index of the entry with `key`, wxNOT_FOUND once it is gone.
    int index_of(size_t key) const;
    // A key of the closed control: the chosen entry moves as on a choice.
    // Returns whether the key is one of those.
    bool step(int key_code);
    // The width of `text` in the control's font, summed from the width of
    // each character alone, so that no text needs measuring.
    int text_width(const std::string& text);

    // Oldest first, so the newest is added at the end: entry n of the list
    // is entries[size - 1 - n].
    std::deque<std::string> entries;
    // Entries taken from the bottom since the last Clear.
    size_t removed;
    // Key of the shown entry, kNone for none.
    static constexpr size_t kNone = static_cast<size_t>(-1);
    size_t shown;
    // The widest entry since the last Clear, in pixels.
    int widest;
    // What each byte of an entry's UTF-8 adds to its width, all 0 until
    // the first entry comes.
    std::array<int, 256> advance;
    tag_choice_popup* popup;
};
