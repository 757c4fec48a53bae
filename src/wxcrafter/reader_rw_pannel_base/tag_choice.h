// The tag-storage page's drop-down list of EPCs, newest first. A buffer
// read brings a hundred thousand of them, and a native choice slows with
// every entry (seconds for a few thousand), so this one keeps the entries
// itself and its pop-up draws only the lines on screen: an entry costs the
// same however many there are. Picking an entry, with the mouse or the
// Enter key, raises wxEVT_CHOICE with the entry's index, as a choice does.
// GUI thread only.
#pragma once

#include <deque>
#include <string>

#include <wx/combo.h>
#include <wx/string.h>

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
    // No entries and none shown.
    void Clear() override;

    // The pop-up's pick: entry `n` is shown and wxEVT_CHOICE goes out.
    void pick(int n);

private:
    // Oldest first, so the newest is added at the end: entry n of the list
    // is entries[size - 1 - n].
    std::deque<std::string> entries;
    // Index into `entries` of the shown entry, -1 for none.
    long shown;
};
