// The USB-HID link's thread. Its device work comes with the USB-HID link;
// until then it frames requests like the other links and reports that it
// finds no device.
#pragma once

#include "sdk_package/hid/dllimporthid.h"
#include "sdk_package/link_thread/LinkThread.h"

class HIDThread : public LinkThread {
public:
    explicit HIDThread(wxWindow* owner);
    ~HIDThread() override;

    FrameLink& frames() override { return *hid; }

    LibWinHid* hid;

protected:
    ExitCode Entry() override;

    void send_tag_write() override;
    void send_gb_secure_read() override;
    void send_gb_secure_write() override;
    void send_save_param() override;

private:
    const int id_completion_;
    const int id_state_;
};
