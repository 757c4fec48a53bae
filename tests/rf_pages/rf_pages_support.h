// What the RF and upgrade page tests add to the page tests' own helpers
// (a frame holding the page, a click): a recorder of the requests these two
// pages post, and the expectation of a "错误信息" refusal box.
#pragma once

#include "page_test_support.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

#include <string>
#include <vector>

namespace rf_test {

using page_test::Posted;

// Records the two pages' requests from construction on.
class Recorder {
public:
    Recorder()
    {
        wxTheApp->ProcessPendingEvents();  // an earlier test's leftovers are not ours
        for (wxEventType type : requests())
            EventNotifier::Get()->Bind(wxEventTypeTag<wxCommandEvent>(type), &Recorder::on_event, this);
    }
    ~Recorder()
    {
        for (wxEventType type : requests())
            EventNotifier::Get()->Unbind(wxEventTypeTag<wxCommandEvent>(type), &Recorder::on_event, this);
    }
    // Delivers what is queued on the hub, then hands over what arrived.
    std::vector<Posted> take()
    {
        wxTheApp->ProcessPendingEvents();
        return std::move(seen);
    }
    std::vector<wxEventType> take_types()
    {
        std::vector<wxEventType> types;
        for (const Posted& p : take())
            types.push_back(p.type);
        return types;
    }

private:
    // Listed at first use: the types get their values at static start-up.
    static std::vector<wxEventType> requests()
    {
        return {wxEVT_GETCHECKOUTWORKANT, wxEVT_SETCHECKOUTWORKANT, wxEVT_GETPOWER, wxEVT_SETPOWER,
                wxEVT_GETREADTAGMODE, wxEVT_SETREADTAGMODE, wxEVT_GETRFLINK, wxEVT_SETRFLINK, wxEVT_GETFREQ,
                wxEVT_SETFREQ, wxEVT_UPGRADE, wxEVT_RESET_PARA, wxEVT_SAVE_PARA};
    }
    void on_event(wxCommandEvent& event)
    {
        const bool is_connect = dynamic_cast<rfidConnectEvent*>(&event) != nullptr;
        seen.push_back({event.GetEventType(), is_connect, event.GetId()});
        EXPECT_EQ(event.GetId(), 0);
    }
    std::vector<Posted> seen;
};

}  // namespace rf_test
