// The reader controller. It is the main window too: it owns the timers, the
// operation log and the receive buffer, follows the link threads, and turns
// the pages' requests into work for the active link.
#pragma once

#include "link_carriage.h"
#include "reply_decoder.h"
#include "rfid_event/rfid_command_event.h"
#include "sdk_package/frame_link.h"
#include "wxcrafter/main_pannel_base/MainFrame.h"

#include <concurrentqueue/concurrentqueue.h>

#include <wx/thread.h>
#include <wx/timer.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

class LinkThread;
class UartThread;
class HIDThread;
class TCPThread;
class connect_pannel;

// Which inventory page's tag list the feed is walking.
enum LIST_ENUM {
    NULL_FLAG = 0,
    REALTIME_INVENTORY_LIST_FLAG = 1,
    BUFFER_INVENTORY_LIST_FLAG = 2,
    CUSTOM_INVENTROY_LIST_FLAG = 3,
    ANTSW_INVENTORY_LIST_FLAG = 4,
};

// "9:5:3:7" for 09:05:03.007: the operation log's time stamp.
wxString format_log_time(int hour, int minute, int second, int millisecond);

class MainAPP : public MainFrame {
public:
    explicit MainAPP(wxWindow* parent);
    virtual ~MainAPP();

    // Operation log: one line, red when colour is non-zero.
    void SetCmdLog(wxString text, int colour);
    wxString gettime();

    // Response time-out: kind 1 first reply after connecting, 2 a command's
    // reply, 3 an upgrade packet's acknowledgement.
    void SetTimeOut(int kind);
    void ClearTimeOut();
    void SetDataTime();
    void SetLogTime();
    void SetTagListTime();
    void ClearTagListTime();

    int show_acumulate_time(uint8_t mode);
    // One byte as two upper-case hex digits (radix 16) or plain decimal.
    wxString ConvertType(uint8_t value, int radix);

    // The reply decoder: rx_data holds the reply from its data on.
    void cmd_decode(uint8_t cmd);

    // Timers.
    void Ontimer(wxTimerEvent& event);
    void OnTimeOut(wxTimerEvent& event);
    void DataTimer(wxTimerEvent& event);
    // Decodes what the active link has received, on RS-232 at most a
    // tick's worth; returns how many frames. `until_answered`: every frame
    // that waits, up to the one that ends or re-arms the response time-out.
    size_t take_received(bool until_answered = false);
    void TagListTimer(wxTimerEvent& event);
    void LogTimer(wxTimerEvent& event);

    // Which running inventories a request to the reader must wait for.
    enum class Guard { none, realtime_or_buffered, any };

    // Command handlers: the table-driven common shape and those that differ.
    void OnCommand(wxCommandEvent& event);
    void SetBound(wxCommandEvent& event);
    void RestartReader(wxCommandEvent& event);
    void UpgradeProgram(wxCommandEvent& event);
    void LogData(wxCommandEvent& event);

    // Inventory control: one toggle for the four start buttons, and the
    // page-clearing requests.
    void ToggleInventory(rfidConfigEvent& event);
    void FlashInventoryMenu(rfidConfigEvent& event);
    void FlashBuffInventoryMenu(rfidConfigEvent& event);

    // Tag-list feeds into the tag-memory page.
    void SetRealTimeTagList(rfidConfigEvent& event);
    void SetAntSwTagList(rfidConfigEvent& event);
    void SetCustomTagList(rfidConfigEvent& event);
    void SetBufferTagList(rfidConfigEvent& event);

    // Link lifecycle.
    void SetConnectMethod(rfidConnectEvent& event);
    void ConnectUart(rfidConnectEvent& event);
    void DisConnectUart(rfidConnectEvent& event);
    void ConnectTCP(rfidConnectEvent& event);
    void DisConnectTCP(rfidConnectEvent& event);
    void ConnectHID(rfidConnectEvent& event);
    void DisConnectHID(rfidConnectEvent& event);
    void Set485ADDR(rfidConnectEvent& event);

    void uartthreadcreat();
    void hidthreadcreat();
    void tcpthreadcreat();
    void uartthreaddelate();
    void hidthreaddelate();
    void tcpthreaddelate();

    // Notices from the link threads.
    void UartState(wxThreadEvent& event);
    // Why a link's connect failed, logged in red after its state line.
    void OpenFailure(wxThreadEvent& event);
    void HidState(wxThreadEvent& event);
    void TCPState(wxThreadEvent& event);
    void OnThreadUpdate_GetPort(wxThreadEvent& event);
    void OnThreadUpdate_GetPath(wxThreadEvent& event);
    void OnThreadUpdate(wxThreadEvent& event);
    void OnThreadUpdate_Hid(wxThreadEvent& event);
    void OnThreadUpdate_TCP(wxThreadEvent& event);
    void UartOnThreadcomple(wxThreadEvent& event);
    void HidOnThreadcomple(wxThreadEvent& event);
    void TCPOnThreadcomple(wxThreadEvent& event);

    // Control states: not connected, connected, link method chosen.
    void menudisable();
    void menuinit();
    void changeconnect();

    UartThread* get_uart_thread() { return uart_thread; }
    HIDThread* get_hid_thread() { return hid_thread; }
    TCPThread* get_tcp_thread() { return tcp_thread; }
    int get_timeoutflag() const { return timeoutflag; }
    uint8_t get_pakagelen() const { return pakagelen; }
    const uint8_t* get_rx_data() const { return rx_data; }
    // Reply frames handed to the decoder since start.
    uint64_t get_frames_decoded() const { return frames_decoded; }
    // Whether the receive and monitor timers run: they stop while their
    // queues stay empty.
    bool data_timer_running() const { return data_timer->IsRunning(); }
    bool log_timer_running() const { return log_timer->IsRunning(); }

protected:
    void UartDataLogUpdate(wxCommandEvent& event) override;

    wxTimer* m_timer;
    wxTimer* timeout;
    wxTimer* data_timer;
    wxTimer* tag_list_timer;
    wxTimer* log_timer;

    int inventorymode;
    uint8_t pakagelen;
    uint8_t* rx_data;
    RXBUF rxlog;
    moodycamel::ConcurrentQueue<RXBUF>* Logqueue;

    UartThread* uart_thread;
    HIDThread* hid_thread;
    TCPThread* tcp_thread;

    int timeoutflag;
    bool inventory_flag;
    bool buffer_inventory_flag;
    bool custom_inventory_flag;
    bool switchant_inventory_flag;
    int tag_list_lenght;
    LIST_ENUM list_enum_flag;
    uint64_t frames_decoded = 0;

private:
    connect_pannel* connect_page();
    // A page's notice, when it has one, goes into the operation log in red.
    void say_notice(const wxString& notice);
    // The thread object of the link method in use, or null.
    LinkThread* active_link();
    LinkThread* link_for(int method);
    // The driver of link method `method` whose queue the data timer
    // drains, or null.
    FrameLink* driver_for(int method);
    // Posts the control event of the link method in use.
    void post_link_control();
    void bind_requests(bool bind);
    void bind_commands(bool bind);
    void bind_inventory_control(bool bind);
    // Shows the frames waiting for the serial monitor; returns how many
    // were waiting.
    size_t drain_monitor_queue();

    // One kind of inventory: its start button's event, its start flag in a
    // link thread, the controller's flag, the elapsed-time page
    // (inventorymode), the texts, and the tag-list event of its stop.
    struct InventoryKind {
        wxEventType type;
        std::atomic<uint8_t> LinkThread::*start;
        bool MainAPP::*running;
        int mode;
        const char* refusal;  // while this kind runs, another may not start
        const char* start_line;
        const char* stop_line;
        wxEventType tag_list;
    };
    static const std::vector<InventoryKind>& inventory_kinds();
    // What a decoded reply asks of the pages and links.
    void show_reply(const reply::Reply& r, const reply::Outcome& out);
    void show_rf_reply(const reply::Outcome& out);
    void show_custom_report(reply::Parser parser);
    // rx_data holds the data of `r`.
    void show_tag_memory_result(reply::Parser parser, const reply::Reply& r);
    // An upgrade packet acknowledged for `target` (0 application, 1
    // baseband): the next packet, or the end of the upgrade.
    void upgrade_acknowledged(unsigned target);
    // A rotating inventory moves to its page's next antenna, and the reader
    // is asked to switch to it when `ended` or when the page says it is time.
    void antenna_step(bool custom, bool ended);
    void start_set_work_antenna(int ant);
    // The start button of the page of `mode` (inventorymode's values).
    void set_inventory_button(int mode, uint8_t state);
    // Logs the refusal and returns true when an inventory runs that the
    // command must wait for: any of the four, or only real-time and
    // buffered.
    bool inventory_in_the_way(bool any);
    // Logs in red why the link in use does not carry `need` and returns
    // true; false when it does.
    bool link_refuses(carriage::Request need);
    // Logs the refusal and returns true while a firmware upgrade runs: its
    // packets and its time-out own the link until it ends.
    bool upgrade_in_the_way();
    // The one gate of every request to the reader: refused (with its red
    // line) while an upgrade runs or an inventory of `guard` runs.
    bool request_refused(Guard guard);
    // An upgrade runs from its start to its success or failure; its
    // acknowledgement time-out is armed all that while.
    bool upgrading() const { return timeoutflag == 3; }
    // Ends an upgrade short of success, or clears what one left behind:
    // the link threads' packets and image, the time-out count, the progress
    // and the time-out. True when one was running.
    bool drop_upgrade();
    // The reader has ended the inventory of `mode` (inventorymode's
    // values): its flag in the controller and in every link thread, its
    // button and the elapsed time. With `tags_found`, the tags it found go
    // to the storage page as on the operator's stop, if it was running.
    void inventory_ended(int mode, bool tags_found);
    // Raises `flag` with `value` on the active link and posts its control
    // event; false when that link has no thread object.
    bool raise_request(std::atomic<uint8_t> LinkThread::*flag, uint8_t value);

    void OnClose(wxCloseEvent& event);
    void shutdown_links();
    // Sets every inventory start flag of the active link to idle and the
    // pages' start buttons with it.
    void reset_inventories();
    // One monitor line for the frame in `frame` (at most `capacity` bytes).
    void show_frame_line(const uint8_t* frame, size_t capacity, int colour);
    void echo_sent_frame(LinkThread* thread);
    void set_upgrade_controls(bool enable);
    void set_link_pages(bool enable);
    // What differs between the ways a link comes down.
    struct LinkDown {
        bool close_link;   // ask the worker to close the link
        bool stop_feed;    // stop the tag-list feed
        wxString reason;   // red line that says why, or empty
    };
    // The steps every link takes when it comes down, however it came down.
    void link_down(LinkThread* thread, const LinkDown& how);
    void link_state(wxThreadEvent& event, bool hid);
    // The thread of a notice about a connect attempt, when the notice still
    // stands: it comes from the link in use, about the last request made of
    // that link. Null otherwise.
    LinkThread* attempt_sender(wxThreadEvent& event);
    void thread_finished();
    void start_feed(LIST_ENUM kind, int tags, rfidConfigEvent& event);
    // What a link thread's frame layer calls, on the worker, when it queues
    // a frame while the data timer sleeps.
    std::function<void()> receive_wake_hook();
    void OnReceiveWake(wxThreadEvent& event);
    // Records a tick that had work (`worked`); true once a tick without work
    // comes after a quiet spell long enough to stop its timer.
    static bool quiet_for_long(std::chrono::steady_clock::time_point& busy_at, bool worked);

    // Threads told to end whose completion notice has not come yet.
    std::vector<LinkThread*> ending_threads;
    // The link asked to connect and not let go since, or null; whether it
    // has reported the connect (else it is still connecting); and for the
    // serial link, the port it opens.
    LinkThread* link_up = nullptr;
    bool link_up_connected = false;
    wxString serial_port_up;
    bool lodeport_missing_reported = false;
    bool hidapi_missing_reported = false;
    // The receive wake-up's event id, and when each timer last had work.
    const int receive_wake_id;
    std::chrono::steady_clock::time_point receive_busy_at;
    bool taking_received = false;
    // Response time-outs armed so far: a wait re-armed by a reply taken at
    // its time-out is a new wait.
    unsigned timeouts_armed = 0;
    std::chrono::steady_clock::time_point monitor_busy_at;

    wxDECLARE_EVENT_TABLE();
};
