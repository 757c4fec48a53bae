// The main window: title, icon and the three notebook pages.
#pragma once

#include "wxcrafter/main_pannel_base/wxcrafter.h"

class reader_base_setting_pannel;
class rfid_6c_tag_test;
class uart_monitor_pannel;

class MainFrame : public MainFrameBaseClass {
public:
    explicit MainFrame(wxWindow* parent);
    virtual ~MainFrame();

    reader_base_setting_pannel* get_base_setting_pannel() { return base_setting_pannel; }
    rfid_6c_tag_test* get_rfid_6c_tag_test_pannel() { return rfid_6c_tag_test_pannel; }
    uart_monitor_pannel* get_uart_monitor_pannel() { return rfid_uart_monitor_pannel; }

    reader_base_setting_pannel* base_setting_pannel;
    rfid_6c_tag_test* rfid_6c_tag_test_pannel;
    uart_monitor_pannel* rfid_uart_monitor_pannel;

protected:
    void UartDataLogUpdate(wxCommandEvent& event) override;
};
