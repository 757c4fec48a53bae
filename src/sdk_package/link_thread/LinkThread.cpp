#include "sdk_package/link_thread/LinkThread.h"

#include "rfid_event/rfid_command_event.h"
#include "rfid_event/rfid_notifiler.h"

#include <wx/event.h>
#include <wx/xrc/xmlres.h>

LinkThread::LinkThread(wxWindow* owner, wxEventType control, int sent_notice, int sent_code)
    : wxThread(wxTHREAD_JOINABLE),
      owner_(owner),
      control_(control),
      open_failure_notice_(notice_id("Thread_openfailure")),
      sent_notice_(sent_notice),
      sent_code_(sent_code)
{
    EventNotifier::Get()->Bind(wxEventTypeTag<rfidConfigEvent>(control_), &LinkThread::ctrl_command,
                               this);
}

LinkThread::~LinkThread()
{
    EventNotifier::Get()->Unbind(wxEventTypeTag<rfidConfigEvent>(control_),
                                 &LinkThread::ctrl_command, this);
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

void LinkThread::post_open_failure(const std::string& reason)
{
    if (!reason.empty())
        post_text(open_failure_notice_, wxString::FromUTF8(reason.c_str()));
}

void LinkThread::idle_wait(int ms)
{
    for (int waited = 0; waited < ms; waited += 10) {
        if (DeleteFlag == 0 || ConnectedReaderFlag)
            return;
        wxMilliSleep(10);
    }
}

wxThread::ExitCode LinkThread::idle_loop(int completion_id)
{
    for (;;) {
        if (DeleteFlag == 0) {
            post_completion(completion_id);
            return nullptr;
        }
        if (!ConnectedReaderFlag) {
            idle_wait(300);
            continue;
        }
        ConnectedReaderFlag = 0;
        serve_connect_request();
    }
}
