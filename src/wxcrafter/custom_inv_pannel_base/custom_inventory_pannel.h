// The custom inventory page, first form: start and refresh post their
// requests; when the controller starts an inventory the page stores its
// parameters and clears its list and statistics. Match modes, antenna
// choices and the decoding of the reports come with the page's own work.
#pragma once

#include "reader_params.h"

#include <cstdint>

#include <wx/string.h>

#include "wxcrafter/page_support/inventory_counters.h"
#include "wxcrafter/custom_inv_pannel_base/custom_inv_wxcraft.h"

class custom_inventory_pannel : public custom_inventory_pannelBase, public inventory_counters {
public:
    explicit custom_inventory_pannel(wxWindow* parent);
    virtual ~custom_inventory_pannel();

    // 1: an inventory starts; the parameters are stored and the list and
    // statistics start empty. Anything else: it stopped, only the label.
    void SetInventoryButton(uint8_t state);
    // EPC of list line i - 1 (i counts from 1); "" outside the list.
    wxString GetEpcBuffer(unsigned int i);
    void SetAntMode(int reader_type);
    // Next antenna of the chosen combination; 0 while none rotates.
    int change_work_ant();

    // Report parsers, one per reply kind.
    void SetTemperateTable(uint8_t* data);
    void SetTemperate1Table(uint8_t* data);
    void SetTable(uint8_t* data);
    void SetGBTable(uint8_t* data);
    void SetEpcTable(uint8_t* data, uint8_t len);
    void SetVelaTagTempTable(uint8_t* data, uint8_t len);

protected:
    void StartInventory(wxCommandEvent& event) override;
    void FlashMenu(wxCommandEvent& event) override;

    // The list and counters of an empty table.
    void reset_table();
};
