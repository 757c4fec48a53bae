// The antenna-switch inventory page, first form: start and refresh post
// their requests, the controller drives the button label and the statistics,
// and the tag list is read back for the storage page. The round rows and the
// decoding of tag reports come with the page's own work.
#pragma once

#include "reader_params.h"

#include <cstdint>

#include <wx/string.h>

#include "wxcrafter/page_support/inventory_counters.h"
#include "wxcrafter/reader_switchant_inventory_base/rfid_switchant_inventory.h"

class reader_switchant_inventory_pannel : public reader_switchant_inventory_pannelBase,
                                          public inventory_counters {
public:
    explicit reader_switchant_inventory_pannel(wxWindow* parent);
    virtual ~reader_switchant_inventory_pannel();

    // EPC of list line i - 1 (i counts from 1); "" outside the list.
    wxString GetEpcBuffer(unsigned int i);
    // Reader type 0, 1 or 2 gives 1, 4 or 8 rounds; any other leaves ant_num.
    void SetAntMode(int reader_type);
    void SetEpcTable(uint8_t* data, uint8_t len);

protected:
    void StartInventory(wxCommandEvent& event) override;
    void FlashMenu(wxCommandEvent& event) override;

    void reset_list();
};
