// The "保存标签" step every inventory page shares: the save dialog, then
// the file written by the page's own writer, and the operator told when
// the file could not be written.
#pragma once

#include <functional>
#include <string>

#include "wxcrafter/page_support/tag_list_file.h"

class wxWindow;

// Asks for a path (dialog parented to `page`); when the operator accepts,
// calls `write` with it (UTF-8) and shows a refusal box for a failure.
// `left_out` tags counted but not in the list, so not in the file, are
// said in red after a save.
void save_tag_file(wxWindow* page, const std::function<file_status(const std::string& path)>& write,
                   int left_out = 0);
