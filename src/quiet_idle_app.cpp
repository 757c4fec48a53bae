#include "quiet_idle_app.h"

#include <wx/event.h>

QuietIdleApp::QuietIdleApp()
{
    wxUpdateUIEvent::SetMode(wxUPDATE_UI_PROCESS_SPECIFIED);
    wxIdleEvent::SetMode(wxIDLE_PROCESS_SPECIFIED);
}
