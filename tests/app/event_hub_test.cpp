// The event hub and the two command-event classes: how a request travels
// from its poster to the handler bound to its type.
#include "app_test_support.h"

#include <wx/app.h>
#include <wx/socket.h>

#include <map>
#include <memory>
#include <set>

#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"

using namespace app_test;

namespace {

// What one handler saw.
struct Seen {
    wxEventType type;
    const std::type_info* cls;
    int id;
};

// Binds a recorder on some event types of the hub, each with its tag's own
// class, and unbinds them when it goes.
class Listener {
public:
    explicit Listener(std::vector<std::string>* trace = nullptr) : trace_(trace) {}
    ~Listener()
    {
        for (auto& unbind : unbinds_)
            unbind();
    }

    // Records deliveries of `row`'s type; runs `then` after recording.
    void listen(const EventTypeRow& row, std::function<void()> then = {})
    {
        const std::string name = row.name;
        unbinds_.push_back(row.bind([this, name, then](wxEvent& event) {
            seen.push_back({event.GetEventType(), &typeid(event), event.GetId()});
            if (trace_)
                trace_->push_back(name);
            if (then)
                then();
        }));
    }

    std::vector<Seen> seen;

private:
    std::vector<std::string>* trace_;
    std::vector<std::function<void()>> unbinds_;
};

const EventTypeRow& row_of(wxEventType type)
{
    for (const EventTypeRow& row : event_type_rows())
        if (row.type == type)
            return row;
    ADD_FAILURE() << "no row for type " << type;
    return event_type_rows().front();
}

// Turns delivery back on whatever a test did.
struct DeliveryOnAtEnd {
    ~DeliveryOnAtEnd() { EventNotifier::Get()->DisableEvents(false); }
};

// The carrier class of each event type, in declaration order: the socket
// event first, then the connection-level requests on rfidConnectEvent and
// all the others on rfidConfigEvent.
const std::map<std::string, const std::type_info*>& expected_carriers()
{
    static const std::map<std::string, const std::type_info*> carriers = [] {
        std::map<std::string, const std::type_info*> m;
        const char* connect[] = {
            "wxEVT_RESET_PARA",     "wxEVT_UPGRADE",       "wxEVT_CONNECT_PORT", "wxEVT_DISCONNECT_PORT",
            "wxEVT_CONNECT_TCP",    "wxEVT_DISCONNECT_TCP", "wxEVT_RESTART_READER", "wxEVT_CONNECTMETHOD",
            "wxEVT_SET485ADDR",     "wxEVT_CONNECTHID",    "wxEVT_DISCONNECTHID", "wxEVT_GETVERSION",
            "wxEVT_GETWORKTEMP",    "wxEVT_SETBOUND",
        };
        for (const EventTypeRow& row : event_type_rows())
            m[row.name] = &typeid(rfidConfigEvent);
        for (const char* name : connect)
            m[name] = &typeid(rfidConnectEvent);
        m["wxEVT_SOCK"] = &typeid(wxSocketEvent);
        return m;
    }();
    return carriers;
}

TEST(EventTypes, SeventyOneDistinctTypesInDeclarationOrder)
{
    const std::vector<EventTypeRow>& rows = event_type_rows();
    ASSERT_EQ(rows.size(), 71u);
    std::set<wxEventType> distinct;
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_NE(rows[i].type, wxEVT_NULL) << rows[i].name;
        distinct.insert(rows[i].type);
        // Allocated one after the other at start-up, in the order declared.
        if (i > 0) {
            EXPECT_LT(rows[i - 1].type, rows[i].type) << rows[i - 1].name << " / " << rows[i].name;
        }
    }
    EXPECT_EQ(distinct.size(), 71u);
}

TEST(EventTypes, EachTypeIsTaggedAndDeliveredWithItsCarrierClass)
{
    int connect = 0, config = 0, socket = 0;
    for (const EventTypeRow& row : event_type_rows()) {
        SCOPED_TRACE(row.name);
        const std::type_info* expected = expected_carriers().at(row.name);
        EXPECT_EQ(*row.declared, *expected) << "the type tag declares " << row.declared->name();
        connect += *expected == typeid(rfidConnectEvent);
        config += *expected == typeid(rfidConfigEvent);
        socket += *expected == typeid(wxSocketEvent);

        // What the handler receives is the hub's clone: it must still be of
        // the carrier class, with the type and id 0 that the poster gave.
        Listener listener;
        listener.listen(row);
        row.post();
        deliver();
        ASSERT_EQ(listener.seen.size(), 1u);
        EXPECT_EQ(*listener.seen[0].cls, *expected) << "delivered as " << listener.seen[0].cls->name();
        EXPECT_EQ(listener.seen[0].type, row.type);
        EXPECT_EQ(listener.seen[0].id, 0);
    }
    EXPECT_EQ(socket, 1);
    EXPECT_EQ(connect, 14);
    EXPECT_EQ(config, 56);
}

TEST(EventHub, RequestsArriveAfterThePosterReturnsAndInPostingOrder)
{
    std::vector<std::string> trace;
    Listener listener(&trace);
    // One handler posts two requests; each must wait until it has returned.
    listener.listen(row_of(wxEVT_GETPOWER), [&] {
        trace.push_back("poster begins");
        row_of(wxEVT_SETGPIO2).post();
        row_of(wxEVT_CONNECT_PORT).post();
        trace.push_back("poster ends");
    });
    listener.listen(row_of(wxEVT_SETGPIO2));
    listener.listen(row_of(wxEVT_CONNECT_PORT));

    row_of(wxEVT_GETPOWER).post();
    EXPECT_TRUE(trace.empty()) << "a posted request ran before the loop delivered it";
    deliver();
    EXPECT_EQ(trace, (std::vector<std::string>{"wxEVT_GETPOWER", "poster begins", "poster ends",
                                               "wxEVT_SETGPIO2", "wxEVT_CONNECT_PORT"}));

    // Many requests keep their order too.
    trace.clear();
    for (int i = 0; i < 20; ++i)
        row_of(i % 2 ? wxEVT_SETGPIO2 : wxEVT_CONNECT_PORT).post();
    deliver();
    ASSERT_EQ(trace.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(trace[i], i % 2 ? "wxEVT_SETGPIO2" : "wxEVT_CONNECT_PORT") << i;
}

TEST(EventHub, SwitchedOffItDropsNewRequestsAndSwallowsQueuedOnes)
{
    DeliveryOnAtEnd restore;
    EventNotifier* hub = EventNotifier::Get();
    Listener listener;
    listener.listen(row_of(wxEVT_SETPOWER));
    listener.listen(row_of(wxEVT_CONNECTMETHOD));
    EXPECT_FALSE(hub->IsEventsDiabled());

    row_of(wxEVT_SETPOWER).post();  // queued while delivery is on
    hub->DisableEvents(true);
    EXPECT_TRUE(hub->IsEventsDiabled());
    row_of(wxEVT_CONNECTMETHOD).post();  // posted while off
    deliver();
    EXPECT_TRUE(listener.seen.empty());
    EXPECT_FALSE(wxTheApp->HasPendingEvents()) << "the hub still holds events";

    // Turned on again, neither comes back.
    hub->DisableEvents(false);
    deliver();
    EXPECT_TRUE(listener.seen.empty());

    // And the hub works as before.
    row_of(wxEVT_SETPOWER).post();
    deliver();
    ASSERT_EQ(listener.seen.size(), 1u);
    EXPECT_EQ(listener.seen[0].type, wxEVT_SETPOWER);
}

TEST(EventHub, ImmediateCommandEventsObeyTheSwitch)
{
    DeliveryOnAtEnd restore;
    EventNotifier* hub = EventNotifier::Get();
    std::vector<wxString> texts;
    auto on_command = [&](wxCommandEvent& event) { texts.push_back(event.GetString()); };
    // A plain command event type, so the plain event fits the handler.
    const wxEventType type = wxNewEventType();
    hub->Bind(wxEventTypeTag<wxCommandEvent>(type), on_command);

    EXPECT_TRUE(hub->SendCommandEvent(type, nullptr, "now"));
    ASSERT_EQ(texts.size(), 1u) << "sent events are handled before the call returns";
    EXPECT_EQ(texts[0], "now");

    hub->PostCommandEvent(type, nullptr);
    EXPECT_EQ(texts.size(), 1u);
    deliver();
    EXPECT_EQ(texts.size(), 2u);

    hub->DisableEvents(true);
    EXPECT_FALSE(hub->SendCommandEvent(type, nullptr));
    EXPECT_FALSE(hub->SendCommandEvent(type, nullptr, "off"));
    hub->PostCommandEvent(type, nullptr);
    hub->DisableEvents(false);
    deliver();
    EXPECT_EQ(texts.size(), 2u);

    hub->Unbind(wxEventTypeTag<wxCommandEvent>(type), on_command);
}

TEST(EventHub, TypesThatNothingBindsGoNowhereHarmlessly)
{
    Listener listener;
    listener.listen(row_of(wxEVT_GETVERSION));
    // Only allocated, never bound: the socket type, the base-settings menu
    // refresh and the three access-match types.
    for (wxEventType type : std::vector<wxEventType>{wxEVT_SOCK, wxEVT_FLASHBASESETMENU, wxEVT_SETSELECT,
                                                     wxEVT_CLEARSELECT, wxEVT_GETSELECT})
        row_of(type).post();
    deliver();
    EXPECT_FALSE(wxTheApp->HasPendingEvents());
    EXPECT_TRUE(listener.seen.empty());

    row_of(wxEVT_GETVERSION).post();
    deliver();
    EXPECT_EQ(listener.seen.size(), 1u);
}

TEST(CommandEvents, CloneAndCopyKeepClassTypeAndId)
{
    rfidConfigEvent config(wxEVT_SETPOWER, 7);
    config.SetString("kept");
    std::unique_ptr<wxEvent> config_clone(config.Clone());
    EXPECT_EQ(typeid(*config_clone), typeid(rfidConfigEvent));
    EXPECT_EQ(config_clone->GetEventType(), wxEVT_SETPOWER);
    EXPECT_EQ(config_clone->GetId(), 7);
    EXPECT_EQ(static_cast<wxCommandEvent&>(*config_clone).GetString(), "kept");

    rfidConnectEvent connect(wxEVT_CONNECT_TCP, 3);
    std::unique_ptr<wxEvent> connect_clone(connect.Clone());
    EXPECT_EQ(typeid(*connect_clone), typeid(rfidConnectEvent));
    EXPECT_EQ(connect_clone->GetEventType(), wxEVT_CONNECT_TCP);
    EXPECT_EQ(connect_clone->GetId(), 3);

    const rfidConnectEvent copy(connect);
    EXPECT_EQ(copy.GetEventType(), wxEVT_CONNECT_TCP);
    EXPECT_EQ(copy.GetId(), 3);

    // Every poster uses id 0, the default.
    rfidConfigEvent plain(wxEVT_GETPOWER);
    EXPECT_EQ(plain.GetId(), 0);
    EXPECT_TRUE(plain.IsCommandEvent());
}

}  // namespace
