// An application object whose idle passes leave the windows alone.
//
// By default every idle pass sends an update-UI and an idle event to every
// control of every page. The program handles neither, so both go only to
// windows that ask for them (wxWS_EX_PROCESS_UI_UPDATES,
// wxWS_EX_PROCESS_IDLE). Idle passes themselves follow events: with the
// receive timers asleep while the reader is silent, there are none.
#pragma once

#include <wx/app.h>

class QuietIdleApp : public wxApp {
public:
    QuietIdleApp();
};
