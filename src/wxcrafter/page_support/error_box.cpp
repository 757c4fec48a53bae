#include "wxcrafter/page_support/error_box.h"

#include <wx/msgdlg.h>

void show_error_box(const wxString& text)
{
    wxMessageBox(text, wxString::FromUTF8("错误信息"), wxOK | wxICON_INFORMATION);
}
