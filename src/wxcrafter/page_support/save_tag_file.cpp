#include "wxcrafter/page_support/save_tag_file.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

#include "wxcrafter/page_support/page_support.h"

void save_tag_file(wxWindow* page, const std::function<file_status(const std::string& path)>& write, int left_out)
{
    wxFileDialog dialog(page, u8("保存EPC"), wxStandardPaths::Get().GetDocumentsDir(), wxT("EPC Table"),
                        wxT("txt files (*.txt)|*.txt"), wxFD_SAVE);
    if (dialog.ShowModal() != wxID_OK)
        return;
    // GTK fills in the whole path only when the operator accepts on screen;
    // the folder and the name are known however the dialog was answered.
    wxString path = dialog.GetPath();
    if (path.empty())
        path = wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
    switch (write(std::string(path.utf8_str()))) {
    case file_status::ok:
        if (left_out > 0)
            tell_operator(page, u8("另有") + wxString::Format(wxT("%d"), left_out) +
                                    u8("个标签未列入列表，未保存到文件！"));
        break;
    case file_status::cannot_create:
        show_refusal(u8("无法创建文件：") + path);
        break;
    case file_status::write_failed:
        show_refusal(u8("标签列表未能完整写入文件：") + path);
        break;
    }
}
