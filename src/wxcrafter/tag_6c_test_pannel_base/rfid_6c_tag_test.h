// The "标签测试" container: the five tag-test pages as notebook tabs. The
// members keep their own order; the tabs show the antenna-switch page before
// the storage page.
#pragma once

#include "wxcrafter/buffer_inv_pannel_base/buffer_inventory_pannel.h"
#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"
#include "wxcrafter/reader_rw_pannel_base/rfid_storage_pannel.h"
#include "wxcrafter/reader_switchant_inventory_base/reader_switchant_inventory_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/tag_6c_test_pannel_base.h"

class rfid_6c_tag_test : public rfid_6c_tag_testBase {
public:
    explicit rfid_6c_tag_test(wxWindow* parent);
    virtual ~rfid_6c_tag_test();

    realtime_inventory_pannel* realtime_inventory_subpannel;
    buffer_inventory_pannel* buffer_inventory_subpannel;
    custom_inventory_pannel* custom_inventory_subpannel;
    rfid_storage_pannel* rfid_storage_subpannel;
    reader_switchant_inventory_pannel* reader_switchant_inventory_subpannel;

    realtime_inventory_pannel* get_realtime_inventory_pannel() { return realtime_inventory_subpannel; }
    buffer_inventory_pannel* get_buffer_inventory_pannel() { return buffer_inventory_subpannel; }
    custom_inventory_pannel* get_custom_inventory_subpannel() { return custom_inventory_subpannel; }
    rfid_storage_pannel* get_rfid_storage_subpannel() { return rfid_storage_subpannel; }
    reader_switchant_inventory_pannel* get_reader_switchant_inventory_subpannel()
    {
        return reader_switchant_inventory_subpannel;
    }
};
