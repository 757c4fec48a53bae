#include "wxcrafter/page_support/tag_list_ctrl.h"

#include <utility>

tag_list_ctrl::tag_list_ctrl(wxWindow* parent, wxWindowID id)
    : wxListCtrl(parent, id, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL)
{
}

void tag_list_ctrl::set_source(cell_source source)
{
    cells = std::move(source);
}

void tag_list_ctrl::show_rows(long rows)
{
    if (rows != GetItemCount())
        SetItemCount(rows);
    if (rows > 0)
        Refresh();
}

wxString tag_list_ctrl::OnGetItemText(long item, long column) const
{
    if (!cells || item < 0 || item >= GetItemCount())
        return wxString();
    return wxString::FromUTF8(cells(item, column));
}
