// What the RF and upgrade page tests share beside the page tests' own
// helpers (a frame holding the page, a click): a recorder of the requests
// these two pages post, and the expectation of a "错误信息" refusal box.
#pragma once

#include "page_test_support.h"

#include <wx/msgdlg.h>

#include <string>
#include <vector>

#include "rfid_event/rfid_event.h"

namespace rf_test {

using page_test::Posted;

// Records the requests of the two pages from construction on.
class Recorder {
public:
    Recorder();
    ~Recorder();
    // Delivers what is queued on the hub, then hands over what arrived.
    std::vector<Posted> take();
    // The types only, in the order they were posted.
    std::vector<wxEventType> take_types();

private:
    void on_event(wxCommandEvent& event);
    std::vector<Posted> seen;
};

// Answers the refusal box and checks its text, caption and icon.
class ExpectRefusal : public wxExpectModalBase<wxMessageDialog, ExpectRefusal> {
public:
    explicit ExpectRefusal(const char* text) : text_(text) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override;

private:
    std::string text_;
};

}  // namespace rf_test
