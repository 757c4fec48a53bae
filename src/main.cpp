// Process entry and the application object.
#include "APP.h"
#include "diagnostic_log.h"
#include "quiet_idle_app.h"

#include <wx/app.h>
#include <wx/image.h>
#include <wx/log.h>

class MainApp : public QuietIdleApp {
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
