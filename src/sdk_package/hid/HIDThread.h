// The USB-HID link's thread: its worker finds and opens the reader, resets
// it and reassembles replies; its command side frames the controller's
// requests. A missing hidapi leaves the link unusable (library_loaded()).
#pragma once

#include "sdk_package/hid/dllimporthid.h"
#include "sdk_package/link_thread/LinkThread.h"

#include <wx/string.h>

#include <string>

class HIDThread : public LinkThread {
public:
    // Loads hidapi from the program's folder. GUI thread.
    explicit HIDThread(wxWindow* owner);
    ~HIDThread() override;

    FrameLink& frames() override { return *hid; }

    bool library_loaded() const { return hid->library_loaded(); }
    const std::string& library_error() const { return hid->load_error(); }

    LibWinHid* hid;

    const RequestTable& requests() const override { return request_table(); }
    // The requests of this link, in the order they are tested.
    static const RequestTable& request_table();

protected:
    ExitCode Entry() override;

    // A packet frame has nine bytes besides the image: one report holds 41.
    uint32_t upgrade_packet_size() const override { return LibWinHid::kMaxReportLen - 9; }
    bool frame_refused() override;

private:
    void HIDState(const wxString& text);
    void Set_port_log(const wxString& info);
    // Searches for the reader and opens it.
    bool open_link() override;
    // The state notice, then the device's description.
    void on_connected() override;
    // -1 when the device failed (unplugged).
    int serve_link() override;
    void close_link() override;

    const int id_completion_;
    const int id_state_;
    const int id_info_;
};
