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

    const RequestTable& requests() const override { return request_table(); }
    // The requests of this link, in the order they are tested.
    static const RequestTable& request_table();

protected:
    ExitCode Entry() override;

private:
    const int id_completion_;
    const int id_state_;
};
