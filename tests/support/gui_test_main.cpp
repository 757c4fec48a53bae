// main() for the tests that need a display: one application object for the
// whole run, a private home folder, assertions and unanswered dialogs turned
// into test failures.
#include "between_tests.h"
#include "gui_test_support.h"

#include <easylogging++.h>

#include <wx/app.h>
#include <wx/config.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/socket.h>

#include <cstdlib>
#include <string>
#include <vector>

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

// A modal dialog that no wxTEST_DIALOG answers would wait for a click that
// never comes and hold the run until its time-out, saying nothing: it fails
// the test that opened it and is cancelled at once. Registered first, it is
// asked last, after the hook of any wxTEST_DIALOG.
class UnansweredDialogs : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override
    {
        wxString text = dialog->GetTitle();
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog))
            text = box->GetCaption() + ": " + box->GetMessage();
        ADD_FAILURE() << "a modal dialog nobody answers: " << text.utf8_str().data();
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

bool only_listing(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind("--gtest_list_tests", 0) == 0)
            return true;
    return false;
}

}  // namespace

// Under heavy load the X server now and then turns a new connection away
// ("Resource temporarily unavailable"). Nothing has run yet at that point,
// so the test process starts itself again, a few times at most.
void start_again(char** original_argv, const char* home)
{
    const char* tries = std::getenv("READER_GUI_START_TRIES");
    const int done = tries ? std::atoi(tries) : 0;
    if (done >= 5)
        return;
    setenv("READER_GUI_START_TRIES", std::to_string(done + 1).c_str(), 1);
    if (home) {
        std::string cmd = std::string("rm -rf '") + home + "'";
        if (std::system(cmd.c_str()) != 0)
            fprintf(stderr, "could not remove %s\n", home);
    }
    fprintf(stderr, "the display turned the connection away; starting again\n");
    sleep(1 + done);
    execv("/proc/self/exe", original_argv);
}

int main(int argc, char** argv)
{
    std::vector<char*> original_argv(argv, argv + argc);
    original_argv.push_back(nullptr);
    // Asked before InitGoogleTest, which takes its own flags out of argv.
    const bool listing = only_listing(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    if (listing)
        return RUN_ALL_TESTS();

    // Window state and any settings go to a private home, never the user's.
    char home_template[] = "/tmp/reader-gui-test-XXXXXX";
    const char* home = mkdtemp(home_template);
    if (home)
        setenv("HOME", home, 1);
    setenv("NO_AT_BRIDGE", "1", 1);

    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv)) {
        start_again(original_argv.data(), home);
        fprintf(stderr, "cannot start the GUI (is DISPLAY set? run under xvfb-run -a)\n");
        return 1;
    }
    wxSetAssertHandler(assert_to_failure);
    UnansweredDialogs unanswered;
    unanswered.Register();
    // The diagnostic log would write a line a millisecond to the terminal.
    el::Loggers::reconfigureAllLoggers(el::ConfigurationType::ToStandardOutput, "false");
    wxTheApp->CallOnInit();
    wxSocketBase::Initialize();
    // Appended after the result printer, so that it runs before the
    // printer's end of a test and a window left open fails that test.
    testing::UnitTest::GetInstance()->listeners().Append(new gui_test::BetweenTests);

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
