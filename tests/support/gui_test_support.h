// Shared helpers for the tests that need a display (run them under
// xvfb-run -a). Link `gui_test_main` to get main(), the application object
// and these helpers.
#pragma once

#include <gtest/gtest.h>

#include <wx/msgdlg.h>
#include <wx/string.h>
#include <wx/window.h>

#include <functional>
#include <string>

// A modal dialog that a test expected but that never came fails the test
// instead of being shrugged off.
#define wxTEST_DIALOG_HOOK_CLASS GTestModalHook
#include <wx/testing.h>

class GTestModalHook : public wxTestingModalHook {
public:
    explicit GTestModalHook(const char* file = nullptr, int line = 0, const char* func = nullptr)
        : wxTestingModalHook(file, line, func) {}

protected:
    void ReportFailure(const wxString& msg) override { ADD_FAILURE() << msg.utf8_str().data(); }
};

// The "错误信息" box of a refused input: checks its text, caption and
// style, and presses OK.
class ExpectRefusal : public wxExpectModalBase<wxMessageDialog, ExpectRefusal> {
public:
    explicit ExpectRefusal(const char* text) : text_(text) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        EXPECT_EQ(std::string(dlg->GetMessage().utf8_str()), text_);
        EXPECT_EQ(std::string(dlg->GetCaption().utf8_str()), "错误信息");
        const long style = dlg->GetMessageDialogStyle();
        EXPECT_EQ(style & (wxYES_NO | wxCANCEL | wxOK), wxOK);
        EXPECT_TRUE(style & wxICON_INFORMATION);
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override
    {
        return wxString::FromUTF8(("the refusal \"" + text_ + "\"").c_str());
    }

private:
    std::string text_;
};

class wxButton;
class wxChoice;
class wxRadioBox;
class wxCheckBox;
class wxTextCtrl;

namespace gui_test {

// Runs the event loop (timers, queued events, CallAfter) until `done` holds
// or `timeout_ms` passes; returns whether it held.
bool pump_until(const std::function<bool()>& done, int timeout_ms = 5000);
// Runs the event loop for about `ms` milliseconds.
void pump_for(int ms);

// Drive a control the way the operator would: the control changes and its
// own event goes out to its handlers.
void press(wxButton* button);
void choose(wxChoice* choice, int index);
void choose(wxRadioBox* box, int index);
void tick(wxCheckBox* box, bool value);
// Types each character at the end of the box, as keystrokes do.
void type_text(wxTextCtrl* ctrl, const wxString& text);
// Replaces the whole text at once, as a paste over a selection does.
void paste_text(wxTextCtrl* ctrl, const wxString& text);

// The folder the test process uses as its home (window state lives there).
std::string home_dir();

}  // namespace gui_test
