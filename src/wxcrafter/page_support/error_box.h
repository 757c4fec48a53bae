// How a page refuses or reports a failure to the operator: a modal box
// without parent, caption "错误信息", information icon, one OK button.
// (No wxNO_DEFAULT: with no No button it means nothing, and wx asserts.)
#pragma once

#include <wx/string.h>

void show_error_box(const wxString& text);
