// Small pieces every page shares: posting a request to the event hub, the
// cut-at-the-first-bad-character text filter, reading a decimal box without
// silent wrap-around, telling the operator why an entry was refused, and the
// once-per-class resource set-up of the bases.
#pragma once

#include <wx/arrstr.h>
#include <wx/event.h>
#include <wx/string.h>
#include <wx/window.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"

class wxPanel;
class wxTextCtrl;

// Interface texts are UTF-8 in the sources; a narrow literal would come out
// empty, so every one goes through here.
inline wxString u8(const char* text)
{
    return wxString::FromUTF8(text);
}

// The entries of a choice or radio box, each through u8.
wxArrayString utf8_items(std::initializer_list<const char*> texts);

// Queues one request of `type` on the event hub. The carrier class follows
// from the event type, and the event carries nothing but its type (id 0).
template <class Carrier>
void post_request(const wxEventTypeTag<Carrier>& type)
{
    Carrier event(type, 0);
    EventNotifier::Get()->AddPendingEvent(event);
}

// When the box holds a character that `allowed` refuses, writes back only
// the text before the first such character and moves the caret to the end.
// Returns whether it wrote. Writing raises the box's text event again, so a
// filter bound to that event runs once more on the shortened text.
bool cut_at_first_refused(wxTextCtrl* box, const std::function<bool(wxUniChar)>& allowed);

// Empties the box when it holds more than `max_length` characters or one
// that `allowed` refuses; returns whether it did. Emptying raises the
// box's text event again, which then finds nothing to refuse.
bool empty_if_refused(wxTextCtrl* box, size_t max_length, const std::function<bool(wxUniChar)>& allowed);

// Tells the operator why an input was refused: a modal box without parent,
// caption "错误信息", one OK button.
void show_refusal(const wxString& text);

// A red line for the operation log from a page's own doing (a save, a
// timer): it travels up the window tree to the main window, which logs it.
wxDECLARE_EVENT(wxEVT_PAGE_NOTICE, wxCommandEvent);
void tell_operator(wxWindow* page, const wxString& text);

// Keeps a growing text view bounded: once it holds more than `keep` lines
// plus a tenth, the oldest go so that `keep` remain. Not to be called from
// the box's own text event (GTK still holds positions into it there).
void drop_oldest_lines(wxTextCtrl* box, int keep);

bool is_decimal_digit(wxUniChar c);
bool is_hex_digit(wxUniChar c);

// The value of the leading decimal digits of `text` (0 when it starts with
// none). False when that value is above `max`, however many digits follow:
// a long number never wraps into a small one. `value` is written only on
// success.
bool leading_decimal(const wxString& text, unsigned long max, unsigned long& value);

// The last steps of every generated base: its window name, a size of 500 by
// 300 dialog units, then the sizer fitted to the panel.
void finish_page(wxPanel* page, const wxString& name);

// The generated bases register the resource system's bitmap handler on the
// first construction of their class in a run; `loaded` is that class's flag.
void init_page_bitmaps(bool& loaded);

// One control event that a generated base routes to one of its handlers.
template <class Page>
struct PageConnection {
    wxWindow* control;
    wxEventType type;
    void (Page::*handler)(wxCommandEvent&);
};

// Binds (on) or unbinds (off) every connection of `table`, in its order. The
// bases call it with the same table in their constructor and destructor.
template <class Page>
void bind_page(Page* page, const std::vector<PageConnection<Page>>& table, bool on)
{
    for (const PageConnection<Page>& c : table) {
        const wxEventTypeTag<wxCommandEvent> tag(c.type);
        if (on)
            c.control->Bind(tag, c.handler, page);
        else
            c.control->Unbind(tag, c.handler, page);
    }
}
