// main() for the tests that need a display: one application object for the
// whole run, a private home folder, assertions turned into test failures.
#include "gui_test_support.h"

#include <easylogging++.h>

#include <wx/app.h>
#include <wx/config.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/socket.h>

#include <cstdlib>
#include <string>

#include <unistd.h>

namespace {

class TestApp : public wxApp {
public:
    bool OnInit() override
    {
        wxLog::SetActiveTarget(new wxLogStderr);
        return true;
    }
};

void assert_to_failure(const wxString& file, int line, const wxString& func, const wxString& cond,
                       const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str().data(), line)
        << "wx assertion in " << func.utf8_str().data() << ": " << cond.utf8_str().data() << " "
        << msg.utf8_str().data();
}

bool only_listing(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind("--gtest_list_tests", 0) == 0)
            return true;
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (only_listing(argc, argv))
        return RUN_ALL_TESTS();

    // Window state and any settings go to a private home, never the user's.
    char home_template[] = "/tmp/reader-gui-test-XXXXXX";
    const char* home = mkdtemp(home_template);
    if (home)
        setenv("HOME", home, 1);
    setenv("NO_AT_BRIDGE", "1", 1);

    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "cannot start the GUI (is DISPLAY set? run under xvfb-run -a)\n");
        return 1;
    }
    wxSetAssertHandler(assert_to_failure);
    // The diagnostic log would write a line a millisecond to the terminal.
    el::Loggers::reconfigureAllLoggers(el::ConfigurationType::ToStandardOutput, "false");
    wxTheApp->CallOnInit();
    wxSocketBase::Initialize();

    const int result = RUN_ALL_TESTS();

    delete wxConfigBase::Set(nullptr);
    wxTheApp->OnExit();
    wxEntryCleanup();
    if (home) {
        std::string cmd = std::string("rm -rf '") + home + "'";
        if (std::system(cmd.c_str()) != 0)
            fprintf(stderr, "could not remove %s\n", home);
    }
    return result;
}
