// The real-time inventory page, first form: the start and refresh buttons
// post their requests, the controller drives the button label and the
// statistics boxes, and the tag list is read back for the storage page.
// Antenna choices, session inventory and the decoding of tag reports come
// with the page's own work.
#pragma once

#include "reader_params.h"

#include <cstdint>

#include <wx/string.h>

#include "wxcrafter/page_support/inventory_counters.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_invt_wxcraft.h"

class realtime_inventory_pannel : public realtime_inventory_pannelBase, public inventory_counters {
public:
    explicit realtime_inventory_pannel(wxWindow* parent);
    virtual ~realtime_inventory_pannel();

    // EPC of list line i - 1 (i counts from 1); "" outside the list.
    wxString GetEpcBuffer(unsigned int i);
    void SetAntMode(int reader_type);
    wxString SetEpcTable(uint8_t* data, uint8_t len);
    // Next antenna of the chosen combination; 0 while none rotates.
    int change_work_ant();

protected:
    void StartInventory(wxCommandEvent& event) override;
    void FlashMenu(wxCommandEvent& event) override;

    void reset_list();
};
