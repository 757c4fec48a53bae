// What the three link threads have in common: the request flags the
// controller raises, the run and connect flags, the copy of the last frame
// sent, and the notices queued to the controller window.
//
// The GUI thread writes the flags and the worker reads them (and the other
// way round for the ones the worker clears), so every flag is atomic.
//
// The worker sleeps in one wait on its link and a wake-up descriptor (see
// wait_for): every connect, disconnect and stop request, and every frame
// queued for the link, raises the wake-up, so the worker acts at once
// instead of at the end of its wait.
#pragma once

#include "platform/platform.h"

#include <wx/event.h>
#include <wx/string.h>
#include <wx/thread.h>
#include <wx/window.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class FrameLink;
class LinkThread;
class rfidConfigEvent;

// One row of a link's request table: when `flag` holds `take` (and
// `applies` allows, where given), `flag` becomes `leave` and `send` frames
// the request. A row without a flag is tested by `applies` alone. `send`
// returns false when the request came to nothing that should be reported.
struct RequestRow {
    const char* name;
    std::atomic<uint8_t> LinkThread::*flag;
    uint8_t take;
    uint8_t leave;
    bool (*send)(LinkThread& link);
    bool (*applies)(const LinkThread& link) = nullptr;
};
using RequestTable = std::vector<RequestRow>;

class LinkThread : public wxThread {
public:
    using Flag = std::atomic<uint8_t>;

    // The idle worker's sleep between checks for a request.
    static constexpr int kIdleWaitMs = 300;

    // 1 keep running, 0 end at the next idle pass.
    std::atomic<int> DeleteFlag{0};

    Flag SetReaderAddrFlag{0};
    Flag ReaderParaResetFlag{0};
    Flag SaveParaFlag{0};
    Flag ReaderAppUpgradeFlag{0};
    Flag BasebandFirmwareUpgradeFlag{0};
    // A connect request not yet taken by the worker, and a disconnect
    // request not yet served; see request_connect.
    Flag ConnectedReaderFlag{0};
    Flag DisconnectedReaderFlag{0};
    Flag SetBoundFlag{0};
    Flag RestartReaderFlag{0};
    Flag ReadFrameWareFlag{0};
    Flag ReadWorkTempFlag{0};
    Flag ReadGPIO1Flag{0};
    Flag WriteGPIO1Flag{0};
    Flag ReadGPIO2Flag{0};
    Flag WriteGPIO2Flag{0};
    Flag SetBeepFlag{0};
    Flag ReadWorkAntFlag{0};
    Flag SetWorkAntFlag{0};
    Flag ReadFastEpcReadFlag{0};
    Flag SetFastEpcReadFlag{0};
    Flag ReadAntPowerFlag{0};
    Flag SetAntPowerFlag{0};
    Flag ReadFreqFlag{0};
    Flag SetFreqFlag{0};
    Flag ReadProfilIDFlag{0};
    Flag SetProfilIDFlag{0};
    Flag FlashMenuFlag{0};
    // Inventory flags: 0 idle, 1 start asked, 2 running, 3 stop asked.
    Flag StartInventoryFlag{0};
    Flag StartcustominventoryFlag{0};
    Flag StartSwitchAntInventoryFlag{0};
    Flag StartBuffInventoryFlag{0};
    Flag ReadBuffFlag{0};
    Flag ReadBuffAndClearFlag{0};
    Flag ClearBuffFlag{0};
    Flag ReadTagNumberFlag{0};
    // 1 set the access match, 2 cancel it, 3 query it.
    Flag SelectTagFlag{0};
    Flag ReadTagFlag{0};
    Flag WriteTagFlag{0};
    Flag LockTagFlag{0};
    Flag DistroyTagFlag{0};
    Flag GbReadTagFlag{0};
    Flag GbWriteTagFlag{0};
    Flag GbLockTagFlag{0};
    Flag GbDistroyTagFlag{0};
    Flag GbSeReadTagFlag{0};
    Flag GbSeWriteTagFlag{0};
    Flag GbSeLockTagFlag{0};
    Flag GbSeDistroyTagFlag{0};
    Flag GbDoubleIdTagFlag{0};
    Flag SetFilterFlag{0};
    Flag ClearFillterFlag{0};
    Flag FindFilterFlag{0};
    Flag SendDataFlag{0};

    // The last frame sent, copied after every request served; GUI thread.
    uint8_t TxData[256] = {};

    // Every inventory start flag back to idle.
    void clear_inventory_flags()
    {
        StartInventoryFlag = 0;
        StartcustominventoryFlag = 0;
        StartSwitchAntInventoryFlag = 0;
        StartBuffInventoryFlag = 0;
    }

    // Connect and disconnect requests; GUI thread. The worker keeps a link
    // open only while neither flag is raised again, so a disconnect, another
    // connect or the end of the thread that comes while a connect is still
    // under way closes what that connect opens; a connect request lowers an
    // earlier disconnect request, which is then not held against it.
    //
    // Asks the worker to connect. Each request is numbered, and the
    // worker's notices about the attempt carry its number (see
    // attempt_current).
    void request_connect();
    // Asks the worker to close the link it has or is opening; a connect
    // request not yet taken is withdrawn.
    void request_disconnect();
    // Ends the thread as soon as it can: closes its link, then leaves its
    // loop. The caller then Wait()s for it.
    void request_stop();
    // Whether a notice about attempt `number` still stands: nothing was
    // asked of this thread after it, and the thread is not ending.
    bool attempt_current(unsigned number) const { return DeleteFlag == 1 && requests_ == number; }
    // Whether a disconnect was asked and not yet served.
    bool disconnect_asked() const { return DisconnectedReaderFlag != 0; }

    // Ends the worker's current wait (or its next one) at once, so that it
    // looks at its flags. Any thread.
    void wake() { platform::RaiseWakeup(wake_fd_); }

    // Asks the next control event to send the last firmware packet again
    // (it was not acknowledged in time). GUI thread.
    void resend_upgrade_packet() { upgrade_resend_ = true; }
    // Drops the firmware upgrade under way: its requests, its image and its
    // position, so nothing more goes out for it. GUI thread.
    void abort_upgrade();

    // The driver this thread frames its requests with.
    virtual FrameLink& frames() = 0;
    // This link's control event, on which ctrl_command serves a request.
    wxEventType control_event() const { return control_; }

    // The requests every link serves, in the order they are tested.
    static const RequestTable& shared_requests();
    // This link's table: the shared one with the link's own rows.
    virtual const RequestTable& requests() const = 0;

    // Unbinds the command side. The owner deletes a thread object only
    // after Wait() has returned.
    virtual ~LinkThread();

protected:
    // Binds ctrl_command to `control` on the event hub (until destruction);
    // after each request the thread posts notice `sent_notice` with
    // `sent_code`. GUI thread.
    LinkThread(wxWindow* owner, wxEventType control, int sent_notice, int sent_code);

    // The command side: serves the first raised request flag, in a fixed
    // order, with one frame built from the page globals, then reports the
    // last frame sent. Bound to the link's control event; GUI thread.
    void ctrl_command(rfidConfigEvent& event);

    // Image bytes per firmware packet: 200, or fewer where a link cannot
    // carry a frame that long.
    virtual uint32_t upgrade_packet_size() const { return 200; }
    // Whether the driver refused a frame of the request just served, one it
    // cannot carry; the request then counts as not sent. GUI thread.
    virtual bool frame_refused() { return false; }

    // Notices to the controller window. A notice's id is the resource id of
    // its name; resolve it on the GUI thread (the id table is not
    // thread-safe), then post from any thread.
    static int notice_id(const char* name);
    void post_int(int id, int value);
    void post_text(int id, const wxString& text);
    // The completion notice carries this object, so the controller can tell
    // it from the notice of a newer thread of the same link.
    void post_completion(int id);
    // Why a connect failed (UTF-8), as the "Thread_openfailure" notice about
    // the attempt; the controller logs it in red. Post it right after the
    // state notice, which it explains. Worker; an empty reason posts nothing.
    void post_open_failure(const std::string& reason);
    // A notice about the connect attempt being served: `text`, the
    // attempt's number and this object, so the controller can drop one that
    // no longer stands (attempt_current). Worker thread.
    void post_attempt(int id, const wxString& text);

    // `base` with each row of `own` in place of the row of the same name,
    // for a link's requests().
    static RequestTable with_rows(const RequestTable& base, const RequestTable& own);

    // Sleeps about `ms` milliseconds, waking early when the controller asks
    // to connect or to end the thread.
    void idle_wait(int ms);

    // Waits at most `timeout_ms` (negative: without limit) until `fd` (-1:
    // none) has input or wake() was called; a wake-up is used up by the
    // wait that sees it. Worker thread.
    platform::WaitResult wait_for(int fd, int timeout_ms);
    // The wake-up descriptor, for a wait done elsewhere (a port object's
    // read); such a wait does not use the wake-up up: clear_wake() does.
    int wake_fd() const { return wake_fd_; }
    void clear_wake() { platform::ClearWakeup(wake_fd_); }

    // The worker loop: ends with notice `completion_id` when told to,
    // sleeps kIdleWaitMs between checks while idle (calling on_idle() after
    // each), and serves each connect request: open_link(), then
    // on_connected(), the reader's reset and serve_link() passes until the
    // link must close or is lost, then close_link().
    ExitCode idle_loop(int completion_id);
    virtual void on_idle() {}
    // What each link does for the connect request being served; worker.
    // Opens the link; false when it did not open (the failure reported, or
    // given up for a later request).
    virtual bool open_link() = 0;
    // The link is open and stays so: report it.
    virtual void on_connected() = 0;
    // One pass of the open link: writes what is queued, then waits for
    // input (a wake-up ends the wait) and takes it. A negative result: the
    // link is lost, and it goes out as the sent notice's value.
    virtual int serve_link() = 0;
    virtual void close_link() = 0;
    // True when the link of the request being served must close: the
    // thread is ending, or a disconnect or another connect was asked since
    // that connect was taken. Worker.
    bool link_must_close() const { return DeleteFlag == 0 || DisconnectedReaderFlag || ConnectedReaderFlag; }

    wxWindow* owner_;

private:
    friend struct SharedRequests;
    void serve_connect_request();
    // One firmware packet for request `flag`; false when the image cannot be
    // read (the request is dropped without a notice).
    bool serve_upgrade(Flag& flag, bool baseband);
    void send_upgrade_packet(bool baseband, uint32_t number, uint8_t last, const uint8_t* data,
                             uint16_t size);
    void reset_upgrade();

    const wxEventType control_;
    const int open_failure_notice_;
    const int sent_notice_;
    const int sent_code_;
    // -1 when none could be made: the waits then simply run to their end.
    const int wake_fd_;

    // Connect and disconnect requests so far, and the number of the last
    // connect request; written on the GUI thread. They only date notices.
    std::atomic<unsigned> requests_{0};
    std::atomic<unsigned> connect_request_{0};
    // The number of the connect request the worker serves.
    std::atomic<unsigned> serving_{0};

    // Firmware upgrade under way.
    uint32_t upgrade_count = 0;
    uint32_t file_length = 0;
    uint32_t file_index = 0;
    std::vector<uint8_t> filebuf;
    // The last packet sent, for a resend after a time-out.
    bool upgrade_resend_ = false;
    bool last_packet_valid_ = false;
    bool last_packet_baseband_ = false;
    uint32_t last_packet_number_ = 0;
    uint8_t last_packet_final_ = 0;
    std::vector<uint8_t> last_packet_;
};
