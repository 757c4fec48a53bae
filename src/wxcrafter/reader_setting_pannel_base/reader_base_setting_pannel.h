// The "读写器设置" container: connection, RF-parameter and upgrade pages as
// notebook tabs. The controller reaches those pages through the pointers.
#pragma once

#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_rfparam_pannel_base/rf_paramset_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_setting_pannel_base.h"
#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel.h"

class reader_base_setting_pannel : public reader_base_setting_pannelBase {
public:
    explicit reader_base_setting_pannel(wxWindow* parent);
    virtual ~reader_base_setting_pannel();

    connect_pannel* connect_subpannel;
    rf_paramset_pannel* rf_paramset_subpannel;
    rfid_upgrade_pannel* rfid_upgrade_subpannel;

    connect_pannel* get_connect_pannel() { return connect_subpannel; }
    rf_paramset_pannel* get_rf_paramset_pannel() { return rf_paramset_subpannel; }
    rfid_upgrade_pannel* get_rfid_upgrade_pannel() { return rfid_upgrade_subpannel; }
};
