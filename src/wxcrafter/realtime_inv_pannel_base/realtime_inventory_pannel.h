// The real-time inventory page. The operator picks an antenna or an antenna
// combination and the automatic or a custom session; the start button asks
// the controller to start or stop the inventory. Each tag report the
// controller hands over goes into the page's tag table; the list, the tag
// count, the reports received and the lowest and highest RSSI follow the
// table at most every tag_table_view::kRefreshMs, so a reader reporting as
// fast as it can never holds up the window.
#pragma once

#include "reader_params.h"

#include <cstdint>

#include <wx/string.h>

#include "wxcrafter/page_support/antenna_rotation.h"
#include "wxcrafter/page_support/tag_table.h"
#include "wxcrafter/page_support/tag_table_view.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_invt_wxcraft.h"

class realtime_inventory_pannel : public realtime_inventory_pannelBase {
public:
    explicit realtime_inventory_pannel(wxWindow* parent);
    virtual ~realtime_inventory_pannel();

    // Distinct tags in the table.
    int GetEpcBufferNum();
    // EPC text of tag i - 1 (i counts from 1); "" outside the table.
    wxString GetEpcBuffer(unsigned int i);
    // One second of a running inventory: the running time and the mean
    // reports per second over the last three seconds are shown.
    void AcumulateTime();
    // 1 (and the count restarts) once more than nine seconds passed since
    // it last returned 1; paces the antenna changes of a rotation.
    int Get_Time_State();
    // True when fewer than five new tags came since the previous call.
    bool Get_Speed_State();

    // Reader type 0, 1 or 2 (one, four or eight antennas): the antenna
    // entries for that reader, the first one chosen. Any other type leaves
    // no entry.
    void SetAntMode(int reader_type);
    // One reply of the real-time inventory: `data` holds its len - 3 data
    // bytes, `len` is the frame's length byte. Returns the EPC text of a
    // new tag, "" for a known tag or a reply that is no readable report.
    wxString SetEpcTable(uint8_t* data, uint8_t len);
    // The next antenna of the combination the inventory started with; 0
    // when it started on a single antenna.
    int change_work_ant();

    // Enables or disables the session and flag choices together.
    void SessionSelect(bool enable);
    // The antenna choice's selection (an entry index, not an antenna).
    uint8_t GetWorkAntenna();
    // Shows the lowest and highest RSSI of the table.
    void SetRSSI();

protected:
    void StartInventory(wxCommandEvent& event) override;
    void AutoInventorySession(wxCommandEvent& event) override;
    void DefineInventorySession(wxCommandEvent& event) override;
    void NewTagInter(wxCommandEvent& event) override;
    void FlashMenu(wxCommandEvent& event) override;
    void SaveTag(wxCommandEvent& event) override;

private:
    void reset_list();

    tag_table table;
    antenna_rotation antennas;
    tag_table_view view;
};
