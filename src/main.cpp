// Process entry and the application object.
#include "APP.h"
#include "diagnostic_log.h"
#include "idle_throttle.h"

#include <wx/app.h>
#include <wx/image.h>
#include <wx/log.h>

class MainApp : public ThrottledIdleApp {
public:
    bool OnInit() override
    {
        wxImage::AddHandler(new wxPNGHandler);
        wxImage::AddHandler(new wxJPEGHandler);
        configure_diagnostic_log("log.conf");
        write_start_lines();
        MainAPP* window = new MainAPP(nullptr);
        SetTopWindow(window);
        return window->Show();
    }
};

wxDECLARE_APP(MainApp);
wxIMPLEMENT_APP_NO_MAIN(MainApp);

int main(int argc, char** argv)
{
    wxDisableAsserts();
    wxLog::SetLogLevel(5);
    return wxEntry(argc, argv);
}
