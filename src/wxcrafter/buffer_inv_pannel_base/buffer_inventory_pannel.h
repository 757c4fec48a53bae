// The buffered inventory page. The operator picks one antenna with the
// check boxes and starts or stops the buffered inventory, during which the
// reader fills its own tag buffer and reports only its tag count; the
// buffer buttons read the buffer, read and empty it, empty it or ask for
// its tag count. Each record of a read becomes one line of the list,
// newest on top; the list and the RSSI boxes follow the records at most
// every refresh_timer::kPeriodMs.
#pragma once

#include "reader_params.h"

#include <chrono>
#include <cstdint>
#include <string>

#include <wx/string.h>

#include "wxcrafter/buffer_inv_pannel_base/buffer_inv_wxcraft.h"
#include "wxcrafter/buffer_inv_pannel_base/buffer_records.h"
#include "wxcrafter/page_support/inventory_tally.h"
#include "wxcrafter/page_support/refresh_timer.h"
#include "wxcrafter/page_support/taken_report.h"

class buffer_inventory_pannel : public buffer_inventory_pannelBase {
public:
    explicit buffer_inventory_pannel(wxWindow* parent);
    virtual ~buffer_inventory_pannel();

    // Reader type 0, 1 or 2 (one, four or eight antennas): "天线1" checked
    // alone and the boxes of the reader's antennas offered. Any other type
    // changes only which box is checked.
    void SetAntMode(int reader_type);
    // One reply of the running buffered inventory carrying the reader's tag
    // count `number`: shown, and counted as a reply received.
    void SetTagNumber(int number);
    // One record of a buffer read: `data` holds the len - 3 data bytes of
    // the reply, `len` is its frame length byte. Gives the record's EPC
    // text ("" for a record that was not stored). Records past the store's
    // room are dropped and counted, and the count is said in red once the
    // records stop coming.
    taken_report SetEpcTable(const uint8_t* data, uint8_t len);
    // One second of the running inventory: the running time and the mean
    // replies per second over the last three seconds are shown.
    void AcumulateTime();
    // Shows the lowest and highest RSSI of the records.
    void SetRSSI();

protected:
    void StartInventory(wxCommandEvent& event) override;
    void ant1_select(wxCommandEvent& event) override;
    void ant2_select(wxCommandEvent& event) override;
    void ant3_select(wxCommandEvent& event) override;
    void ant4_select(wxCommandEvent& event) override;
    void ant5_select(wxCommandEvent& event) override;
    void ant6_select(wxCommandEvent& event) override;
    void ant7_select(wxCommandEvent& event) override;
    void ant8_select(wxCommandEvent& event) override;
    void ReadBuff(wxCommandEvent& event) override;
    void ReadClearBuff(wxCommandEvent& event) override;
    void ClearBuff(wxCommandEvent& event) override;
    void ReadTagNum(wxCommandEvent& event) override;
    void FlashMenu(wxCommandEvent& event) override;
    void SaveTag(wxCommandEvent& event) override;

private:
    // The check boxes act as one choice: all but box `antenna` (1..8) go
    // unchecked, and that one stays as the click left it.
    void keep_only(int antenna);
    // An empty store and list, ready for the records of the next read.
    void reset_list();
    // Shows what the store gained since it was last shown.
    void show_records();
    // The dropped records' line, once none has been dropped for a while.
    void drops_quiet();
    void say_drops();

    buffer_records records;
    inventory_tally tally;
    refresh_timer refresh;
    refresh_timer drop_watch;
    std::chrono::steady_clock::time_point last_drop;
};
