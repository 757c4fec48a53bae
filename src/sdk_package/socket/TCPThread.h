// The TCP link's thread. Its socket work comes with the TCP link; until then
// it frames requests like the other links and reports that it cannot
// connect.
#pragma once

#include "sdk_package/link_thread/LinkThread.h"
#include "sdk_package/socket/rfid_socket.h"

class TCPThread : public LinkThread {
public:
    explicit TCPThread(wxWindow* owner);
    ~TCPThread() override;

    FrameLink& frames() override { return *tcp; }

    tcp_client* tcp;

    const RequestTable& requests() const override { return request_table(); }
    // The requests of this link, in the order they are tested.
    static const RequestTable& request_table();

protected:
    ExitCode Entry() override;

private:
    const int id_completion_;
    const int id_state_;
};
