#include "gui_test_support.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobox.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace gui_test {

bool pump_until(const std::function<bool()>& done, int timeout_ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        wxTheApp->Yield(true);
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return done();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void pump_for(int ms)
{
    pump_until([] { return false; }, ms);
}

static void send_command(wxWindow* window, wxEventType type, int int_value = 0)
{
    wxCommandEvent event(type, window->GetId());
    event.SetEventObject(window);
    event.SetInt(int_value);
    window->ProcessWindowEvent(event);
}

void press(wxButton* button)
{
    ASSERT_TRUE(button->IsEnabled()) << "pressing a disabled button";
    send_command(button, wxEVT_BUTTON);
}

void choose(wxChoice* choice, int index)
{
    choice->SetSelection(index);
    send_command(choice, wxEVT_CHOICE, index);
}

void choose(wxRadioBox* box, int index)
{
    box->SetSelection(index);
    send_command(box, wxEVT_RADIOBOX, index);
}

void tick(wxCheckBox* box, bool value)
{
    box->SetValue(value);
    send_command(box, wxEVT_CHECKBOX, value ? 1 : 0);
}

void type_text(wxTextCtrl* ctrl, const wxString& text)
{
    for (wxUniChar ch : text) {
        ctrl->SetInsertionPointEnd();
        ctrl->WriteText(wxString(ch));
    }
}

void paste_text(wxTextCtrl* ctrl, const wxString& text)
{
    ctrl->SetValue(text);
}

std::string home_dir()
{
    const char* home = std::getenv("HOME");
    return home ? home : "";
}

}  // namespace gui_test
