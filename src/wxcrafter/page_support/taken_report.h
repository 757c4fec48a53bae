// What a page's report setter hands back to the controller, which passes
// the EPC on to the tag-storage page's list and says the notice.
#pragma once

#include <wx/string.h>

struct taken_report {
    wxString epc;     // EPC text for the tag-storage list; "" for none
    wxString notice;  // a line for the operation log, in red; "" for none
};
