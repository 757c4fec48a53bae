#include "sdk_package/link_thread/LinkThread.h"

#include "rfid_event/rfid_command_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "sdk_package/frame_link.h"

#include <wx/event.h>
#include <wx/xrc/xmlres.h>

#include <chrono>

LinkThread::LinkThread(wxWindow* owner, wxEventType control, int sent_notice, int sent_code)
    : wxThread(wxTHREAD_JOINABLE),
      owner_(owner),
      control_(control),
      open_failure_notice_(notice_id("Thread_openfailure")),
      sent_notice_(sent_notice),
      sent_code_(sent_code),
      wake_fd_(platform::OpenWakeup())
{
    EventNotifier::Get()->Bind(wxEventTypeTag<rfidConfigEvent>(control_), &LinkThread::ctrl_command,
                               this);
}

LinkThread::~LinkThread()
{
    EventNotifier::Get()->Unbind(wxEventTypeTag<rfidConfigEvent>(control_),
                                 &LinkThread::ctrl_command, this);
    platform::CloseWakeup(wake_fd_);
}

int LinkThread::notice_id(const char* name)
{
    return wxXmlResource::GetXRCID(name);
}

void LinkThread::post_int(int id, int value)
{
    wxThreadEvent* event = new wxThreadEvent(wxEVT_THREAD, id);
    event->SetInt(value);
    wxQueueEvent(owner_, event);
}

void LinkThread::post_text(int id, const wxString& text)
{
    wxThreadEvent* event = new wxThreadEvent(wxEVT_THREAD, id);
    event->SetString(text.Clone());
    wxQueueEvent(owner_, event);
}

void LinkThread::post_completion(int id)
{
    wxThreadEvent* event = new wxThreadEvent(wxEVT_THREAD, id);
    event->SetPayload<LinkThread*>(this);
    wxQueueEvent(owner_, event);
}

void LinkThread::post_attempt(int id, const wxString& text)
{
    wxThreadEvent* event = new wxThreadEvent(wxEVT_THREAD, id);
    event->SetString(text.Clone());
    event->SetInt(static_cast<int>(serving_.load()));
    event->SetPayload<LinkThread*>(this);
    wxQueueEvent(owner_, event);
}

void LinkThread::post_open_failure(const std::string& reason)
{
    if (!reason.empty())
        post_attempt(open_failure_notice_, wxString::FromUTF8(reason.c_str()));
}

void LinkThread::request_connect()
{
    DisconnectedReaderFlag = 0;
    connect_request_ = ++requests_;
    ConnectedReaderFlag = 1;
    wake();
}

void LinkThread::request_disconnect()
{
    ++requests_;
    ConnectedReaderFlag = 0;
    DisconnectedReaderFlag = 1;
    wake();
}

void LinkThread::request_stop()
{
    DeleteFlag = 0;
    wake();
}

void LinkThread::idle_wait(int ms)
{
    using clock = std::chrono::steady_clock;
    const auto end = clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        if (DeleteFlag == 0 || ConnectedReaderFlag)
            return;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - clock::now()).count();
        if (left <= 0 || wait_for(-1, static_cast<int>(left)) == platform::WaitResult::Timeout)
            return;
    }
}

platform::WaitResult LinkThread::wait_for(int fd, int timeout_ms)
{
    const platform::WaitResult result = platform::WaitReadable(fd, wake_fd_, timeout_ms);
    if (result == platform::WaitResult::Woken)
        clear_wake();
    return result;
}

wxThread::ExitCode LinkThread::idle_loop(int completion_id)
{
    for (;;) {
        if (DeleteFlag == 0) {
            post_completion(completion_id);
            return nullptr;
        }
        if (!ConnectedReaderFlag.exchange(0)) {
            idle_wait(kIdleWaitMs);
            on_idle();
            continue;
        }
        // The requests so far are taken in now, so a wake-up they raised
        // must not end the connect's own waits; a later request raises it
        // again.
        clear_wake();
        serving_ = connect_request_.load();
        serve_connect_request();
    }
}

void LinkThread::serve_connect_request()
{
    // Asked to disconnect or connect anew before this connect began.
    if (link_must_close() || !open_link())
        return;
    // A request that came while the link was opening closes it at once,
    // before anything is reported or sent.
    if (!link_must_close()) {
        on_connected();
        frames().Restart_Reader();
        while (!link_must_close()) {
            const int status = serve_link();
            if (status < 0) {
                // Reported once; the link then closes and goes idle.
                post_int(sent_notice_, status);
                break;
            }
        }
    }
    close_link();
    DisconnectedReaderFlag = 0;
}
