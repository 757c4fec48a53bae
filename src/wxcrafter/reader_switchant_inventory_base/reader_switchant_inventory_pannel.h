// The antenna-switch inventory page, first form: start and refresh post
// their requests, the controller drives the button label and the statistics,
// and the tag list is read back for the storage page. The round rows and the
// decoding of tag reports come with the page's own work.
#pragma once

#include <cstdint>

#include <wx/string.h>

#include "wxcrafter/page_support/inventory_counters.h"
#include "wxcrafter/reader_switchant_inventory_base/rfid_switchant_inventory.h"

// Parameters of the antenna-switch inventory.
extern uint8_t ant_num;                   // rounds the reader supports: 1, 4 or 8
extern uint8_t Round_Ant[8];              // antenna (1-based) of rounds A..H
extern uint8_t Round_Num[8];              // poll count of rounds A..H
extern uint8_t ChangeAntInventory_Round;  // cycles over the rounds, 1..255
extern uint8_t session_select;            // session 0..4 (S0..S3, SL)
extern uint8_t flag_select;               // target flag 0 (A) or 1 (B)

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
