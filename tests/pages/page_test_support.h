// What the page tests share: a frame to hold the page under test, a
// recorder of the requests posted to the event hub, and a button click that
// tells whether the page let the click go on.
#pragma once

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/frame.h>

#include <string>
#include <vector>

#include "gui_test_support.h"
#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "wxcrafter/page_support/page_support.h"

namespace page_test {

struct Posted {
    wxEventType type;
    bool connect_carrier;  // rfidConnectEvent, else rfidConfigEvent
    int id;
};

// Records every request the pages may post, from construction on; Unbinds
// them again when it goes.
class Recorder {
public:
    Recorder();
    ~Recorder();
    // Delivers what is queued on the hub, then hands over what arrived.
    std::vector<Posted> take();

private:
    void on_event(wxCommandEvent& event);
    std::vector<Posted> seen;
};

// Sends the button's click the way a press does; true when the page let
// the click go on (skipped it), false when it stopped there.
bool click(wxButton* button);

// Sends a radio box's or a choice's own selection event after selecting
// `index`; true when skipped.
bool choose_skipped(wxWindow* control, wxEventType type, int index);

// A frame that holds one page of type `Page` and deletes both at the end.
template <class Page>
class Host {
public:
    Host() : frame(new wxFrame(nullptr, wxID_ANY, wxT("page test"))), page(new Page(frame))
    {
        frame->Bind(wxEVT_PAGE_NOTICE, [this](wxCommandEvent& e) { notices.emplace_back(e.GetString().utf8_str()); });
    }
    ~Host() { delete frame; }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    wxFrame* frame;
    Page* page;
    // The red lines the page told the operator, as the main window gets them.
    std::vector<std::string> notices;
};

// The text of `window` as UTF-8, for readable failure messages.
inline std::string utf8(const wxString& s)
{
    return std::string(s.utf8_str().data());
}

}  // namespace page_test
