// The TCP link's thread: its worker connects to the reader, resets it and
// reassembles replies; its command side frames the controller's requests.
#pragma once

#include "sdk_package/link_thread/LinkThread.h"
#include "sdk_package/socket/rfid_socket.h"

#include <wx/string.h>

#include <mutex>
#include <string>

class TCPThread : public LinkThread {
public:
    // GUI thread.
    explicit TCPThread(wxWindow* owner);
    ~TCPThread() override;

    FrameLink& frames() override { return *tcp; }

    // The address and port the next connect goes to; set before raising
    // ConnectedReaderFlag. GUI thread.
    void set_connect_target(const std::string& address, int port);

    tcp_client* tcp;

    const RequestTable& requests() const override { return request_table(); }
    // The requests of this link, in the order they are tested.
    static const RequestTable& request_table();

protected:
    ExitCode Entry() override;

private:
    void TcpState(const wxString& text);
    bool open_link() override;
    void on_connected() override;
    // Negative when the connection is gone: closed or reset by the reader,
    // or failed by the keep-alive.
    int serve_link() override;
    void close_link() override;

    std::mutex target_lock_;
    std::string target_address_;
    int target_port_ = 0;

    const int id_completion_;
    const int id_state_;
};
