#include "app_test_support.h"

#include <wx/app.h>
#include <wx/socket.h>
#include <wx/weakref.h>

#include <memory>

#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"

namespace app_test {

void show(wxWindow* window)
{
    window->Show();
    ASSERT_TRUE(gui_test::pump_until([&] { return window->IsShownOnScreen(); }, 10000))
        << "the window never came on screen";
}

void close_window(wxWindow* window)
{
    wxWeakRef<wxWindow> alive(window);
    window->Close(true);
    EXPECT_TRUE(gui_test::pump_until([&] { return !alive; }, 10000)) << "the window was not destroyed";
}

std::vector<std::string> log_entries(wxTextCtrl* log)
{
    const std::string text = utf8(log->GetValue());
    std::vector<std::string> entries;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = text.find('\r', start);
        if (end == std::string::npos)
            break;
        entries.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    EXPECT_EQ(start, text.size()) << "text after the last carriage return: " << text.substr(start);
    return entries;
}

wxColour colour_at(wxTextCtrl* log, long position)
{
    wxTextAttr attr;
    EXPECT_TRUE(log->GetStyle(position, attr)) << "no style at " << position;
    return attr.GetTextColour();
}

namespace {

// Forwards an event of class E to a handler that takes any event; one per
// binding, so that the unbind finds exactly it.
struct Sink {
    std::function<void(wxEvent&)> handler;
    template <class E>
    void on(E& event)
    {
        handler(event);
        event.Skip();
    }
};

template <class E>
E make_event(wxEventType type)
{
    return E(type, 0);
}

template <>
wxSocketEvent make_event<wxSocketEvent>(wxEventType type)
{
    wxSocketEvent event(0);
    event.SetEventType(type);
    return event;
}

template <class E>
EventTypeRow row(const char* name, const wxEventTypeTag<E>& tag)
{
    const wxEventType type = tag;
    EventTypeRow r;
    r.name = name;
    r.type = type;
    r.declared = &typeid(E);
    r.bind = [type](std::function<void(wxEvent&)> handler) {
        auto sink = std::make_shared<Sink>();
        sink->handler = std::move(handler);
        EventNotifier::Get()->Bind(wxEventTypeTag<E>(type), &Sink::on<E>, sink.get());
        return std::function<void()>([type, sink] {
            EventNotifier::Get()->Unbind(wxEventTypeTag<E>(type), &Sink::on<E>, sink.get());
        });
    };
    r.post = [type] {
        E event = make_event<E>(type);
        EventNotifier::Get()->AddPendingEvent(event);
    };
    return r;
}

#define ROW(tag) row(#tag, tag)

}  // namespace

const std::vector<EventTypeRow>& event_type_rows()
{
    // Built on first use: the tags get their values during static
    // initialisation of another unit.
    static const std::vector<EventTypeRow> rows = {
        ROW(wxEVT_SOCK),
        ROW(wxEVT_UART_CTRL),
        ROW(wxEVT_HID_CTRL),
        ROW(wxEVT_TCP_CTRL),
        ROW(wxEVT_RESET_PARA),
        ROW(wxEVT_UPGRADE),
        ROW(wxEVT_SAVE_PARA),
        ROW(wxEVT_CONNECT_PORT),
        ROW(wxEVT_DISCONNECT_PORT),
        ROW(wxEVT_CONNECT_TCP),
        ROW(wxEVT_DISCONNECT_TCP),
        ROW(wxEVT_RESTART_READER),
        ROW(wxEVT_CONNECTMETHOD),
        ROW(wxEVT_SET485ADDR),
        ROW(wxEVT_CONNECTHID),
        ROW(wxEVT_DISCONNECTHID),
        ROW(wxEVT_GETVERSION),
        ROW(wxEVT_GETWORKTEMP),
        ROW(wxEVT_SETBOUND),
        ROW(wxEVT_SETGPIO1),
        ROW(wxEVT_SETGPIO2),
        ROW(wxEVT_GETGPIO1),
        ROW(wxEVT_GETGPIO2),
        ROW(wxEVT_SETBEEP),
        ROW(wxEVT_FLASHBASESETMENU),
        ROW(wxEVT_SETREADERMODE),
        ROW(wxEVT_SETCHECKOUTWORKANT),
        ROW(wxEVT_GETCHECKOUTWORKANT),
        ROW(wxEVT_GETPOWER),
        ROW(wxEVT_SETPOWER),
        ROW(wxEVT_GETREADTAGMODE),
        ROW(wxEVT_SETREADTAGMODE),
        ROW(wxEVT_SETFREQ),
        ROW(wxEVT_GETFREQ),
        ROW(wxEVT_SETRFLINK),
        ROW(wxEVT_GETRFLINK),
        ROW(wxEVT_INVENTORY),
        ROW(wxEVT_CUSTOMINVENTORY),
        ROW(wxEVT_SWITCHANTINVENTORY),
        ROW(wxEVT_SETREALTIMETAGLIST),
        ROW(wxEVT_ANTSWTAGLIST),
        ROW(wxEVT_CUSTOMTAGLIST),
        ROW(wxEVT_SETBUFFERTAGLIST),
        ROW(wxEVT_FLASHINVENTORYMENU),
        ROW(wxEVT_READTAGBUFF),
        ROW(wxEVT_READCLEARTAGBUFF),
        ROW(wxEVT_CLEARBUFF),
        ROW(wxEVT_READTAGNUM),
        ROW(wxEVT_BUFFINVENTORY),
        ROW(wxEVT_FLASHBUFFINVENTORYMENU),
        ROW(wxEVT_SINGLETAGOPERATE),
        ROW(wxEVT_NUMTAGOPERATE),
        ROW(wxEVT_ACCESSTAG),
        ROW(wxEVT_READ),
        ROW(wxEVT_WRITE),
        ROW(wxEVT_LOCK),
        ROW(wxEVT_KILL),
        ROW(wxEVT_GB_READ),
        ROW(wxEVT_GB_WRITE),
        ROW(wxEVT_GB_LOCK),
        ROW(wxEVT_GB_KILL),
        ROW(wxEVT_GB_SREAD),
        ROW(wxEVT_GB_SWRITE),
        ROW(wxEVT_GB_SLOCK),
        ROW(wxEVT_GB_SKILL),
        ROW(wxEVT_GB_DOUBLEID),
        ROW(wxEVT_SETSELECT),
        ROW(wxEVT_CLEARSELECT),
        ROW(wxEVT_GETSELECT),
        ROW(wxEVT_SENDUARTDATA),
        ROW(wxEVT_LOGRXDATA),
    };
    return rows;
}

void deliver()
{
    // A handler may queue more (a command its control event); bounded, so
    // a handler that always requeues cannot hang the test.
    for (int round = 0; round < 100 && wxTheApp->HasPendingEvents(); ++round)
        wxTheApp->ProcessPendingEvents();
}

}  // namespace app_test
