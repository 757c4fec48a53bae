// The RS-232 link's thread: its worker connects the port, resets the reader
// and reassembles replies; its command side frames the controller's requests.
#pragma once

#include "sdk_package/link_thread/LinkThread.h"
#include "sdk_package/uart/dllimport.h"

#include <wx/string.h>

#include <chrono>
#include <mutex>
#include <string>

class UartThread : public LinkThread {
public:
    // Loads liblodeport from the program's folder; a missing library leaves
    // the link unusable (library_loaded() tells). GUI thread.
    explicit UartThread(wxWindow* owner);
    // Closes the port, then frees the port object and the library. Called
    // on the GUI thread once the worker has ended.
    ~UartThread() override;

    FrameLink& frames() override { return *libuart; }

    bool library_loaded() const { return libuart->Serial != nullptr; }
    const std::string& library_error() const { return load_error_; }

    // The port and rate the next connect opens; set before raising
    // ConnectedReaderFlag. GUI thread.
    void set_connect_target(const std::string& port, long baud);

    LibWinUart* libuart;

    const RequestTable& requests() const override { return request_table(); }
    // The requests of this link, in the order they are tested.
    static const RequestTable& request_table();

protected:
    ExitCode Entry() override;
    // The port list is looked at after each idle wait.
    void on_idle() override { report_port_list_change(); }
    bool open_link() override;
    void on_connected() override;
    // The port list is also looked at, at most every kIdleWaitMs. A lost
    // port is told by the list, so a pass never reports the link lost.
    int serve_link() override;
    void close_link() override;

private:
    void UartState(const wxString& text);
    void Set_port_log(const wxString& list);
    void report_port_list_change();

    std::string load_error_;
    std::mutex target_lock_;
    std::string target_port_;
    long target_baud_ = 115200;
    std::chrono::steady_clock::time_point next_list_check_;

    const int id_completion_;
    const int id_state_;
    const int id_port_;
};
