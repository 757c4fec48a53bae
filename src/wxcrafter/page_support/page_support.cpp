#include "wxcrafter/page_support/page_support.h"

#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/xrc/xh_bmp.h>
#include <wx/xrc/xmlres.h>

bool cut_at_first_refused(wxTextCtrl* box, const std::function<bool(wxUniChar)>& allowed)
{
    const wxString text = box->GetValue();
    size_t keep = 0;
    for (wxUniChar c : text) {
        if (!allowed(c))
            break;
        ++keep;
    }
    if (keep == text.length())
        return false;
    box->SetValue(text.Left(keep));
    box->SetInsertionPointEnd();
    return true;
}

bool empty_if_refused(wxTextCtrl* box, size_t max_length, const std::function<bool(wxUniChar)>& allowed)
{
    const wxString text = box->GetValue();
    bool refused = text.length() > max_length;
    for (wxUniChar c : text)
        refused = refused || !allowed(c);
    if (!refused)
        return false;
    box->SetValue(wxString());
    return true;
}

wxArrayString utf8_items(std::initializer_list<const char*> texts)
{
    wxArrayString items;
    for (const char* t : texts)
        items.Add(u8(t));
    return items;
}

void show_refusal(const wxString& text)
{
    // No "no default" flag: with a single OK button it means nothing, and wx
    // rejects it without a No button.
    wxMessageBox(text, u8("错误信息"), wxOK | wxICON_INFORMATION);
}

wxDEFINE_EVENT(wxEVT_PAGE_NOTICE, wxCommandEvent);

void tell_operator(wxWindow* page, const wxString& text)
{
    wxCommandEvent notice(wxEVT_PAGE_NOTICE, page->GetId());
    notice.SetEventObject(page);
    notice.SetString(text);
    page->ProcessWindowEvent(notice);
}

void drop_oldest_lines(wxTextCtrl* box, int keep)
{
    // Cut in steps of a tenth, so a busy view is not cut on every line.
    const int lines = box->GetNumberOfLines();
    if (lines <= keep + keep / 10)
        return;
    box->Remove(0, box->XYToPosition(0, lines - keep));
}

bool is_decimal_digit(wxUniChar c)
{
    return c >= '0' && c <= '9';
}

bool is_hex_digit(wxUniChar c)
{
    return is_decimal_digit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool leading_decimal(const wxString& text, unsigned long max, unsigned long& value)
{
    unsigned long result = 0;
    for (wxUniChar c : text) {
        if (!is_decimal_digit(c))
            break;
        const unsigned long digit = static_cast<unsigned long>(c.GetValue() - '0');
        // Checked before it is computed, so nothing ever wraps.
        if (digit > max || result > (max - digit) / 10)
            return false;
        result = result * 10 + digit;
    }
    value = result;
    return true;
}

void init_page_bitmaps(bool& loaded)
{
    if (loaded)
        return;
    wxXmlResource::Get()->AddHandler(new wxBitmapXmlHandler);
    loaded = true;
}

void finish_page(wxPanel* page, const wxString& name)
{
    page->SetName(name);
    page->SetSize(wxDLG_UNIT(page, wxSize(500, 300)));
    if (page->GetSizer())
        page->GetSizer()->Fit(page);
}
