// A report-style list that holds no lines of its own: it shows `rows`
// lines and asks its source for the text of each cell it draws. An
// inventory page points it at its tag table, so a tag report costs the list
// nothing until the page redraws it, and only the lines on screen are ever
// formatted.
#pragma once

#include <functional>
#include <string>

#include <wx/listctrl.h>

class tag_list_ctrl : public wxListCtrl {
public:
    // The UTF-8 text of line `row`, column `column`.
    using cell_source = std::function<std::string(long row, long column)>;

    tag_list_ctrl(wxWindow* parent, wxWindowID id = wxID_ANY);

    void set_source(cell_source source);
    // The list now has `rows` lines; the lines on screen are drawn again.
    void show_rows(long rows);

protected:
    wxString OnGetItemText(long item, long column) const override;

private:
    cell_source cells;
};
