// The buffered inventory page, first form: start, the four buffer requests
// and refresh post their events; the controller drives the button label and
// the tag count. Antenna check boxes and the buffered records come with the
// page's own work.
#pragma once

#include "reader_params.h"

#include <cstdint>

#include <wx/string.h>

#include "wxcrafter/page_support/inventory_counters.h"
#include "wxcrafter/buffer_inv_pannel_base/buffer_inv_wxcraft.h"

class buffer_inventory_pannel : public buffer_inventory_pannelBase, public inventory_counters {
public:
    explicit buffer_inventory_pannel(wxWindow* parent);
    virtual ~buffer_inventory_pannel();

    void SetAntMode(int reader_type);
    // One record of a buffer read reply; its EPC text for the storage page.
    wxString SetEpcTable(uint8_t* data);

protected:
    void StartInventory(wxCommandEvent& event) override;
    void ReadBuff(wxCommandEvent& event) override;
    void ReadClearBuff(wxCommandEvent& event) override;
    void ClearBuff(wxCommandEvent& event) override;
    void ReadTagNum(wxCommandEvent& event) override;
    void FlashMenu(wxCommandEvent& event) override;

    // An empty list, ready for the records of the next read.
    void reset_list();
};
