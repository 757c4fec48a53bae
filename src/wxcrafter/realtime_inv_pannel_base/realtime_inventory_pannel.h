// The real-time inventory page. The operator picks an antenna or an antenna
// combination and the automatic or a custom session; the start button asks
// the controller to start or stop the inventory. Each tag report the
// controller hands over goes into the page's tag table, which the list and
// the boxes follow (listed_tag_table).
#pragma once

#include "reader_params.h"

#include <cstdint>

#include <wx/string.h>

#include "wxcrafter/page_support/antenna_rotation.h"
#include "wxcrafter/page_support/listed_tag_table.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_invt_wxcraft.h"

class realtime_inventory_pannel : public realtime_inventory_pannelBase, public listed_tag_table {
public:
    explicit realtime_inventory_pannel(wxWindow* parent);
    virtual ~realtime_inventory_pannel();

    // Reader type 0, 1 or 2 (one, four or eight antennas): the antenna
    // entries for that reader, the first one chosen. Any other type leaves
    // no entry.
    void SetAntMode(int reader_type);
    // 1 running ("停止盘存"): a start may give the notices of tags past the
    // rows once more. Else "开始盘存".
    void SetInventoryButton(uint8_t state);
    // One reply of the real-time inventory: `data` holds its len - 3 data
    // bytes, `len` is the frame's length byte. Gives the EPC text of a new
    // listed tag ("" for a known tag or a reply that is no readable report)
    // and the notice of a tag past the rows, once per inventory.
    taken_report SetEpcTable(uint8_t* data, uint8_t len);
    // The next antenna of the combination the inventory started with; 0
    // when it started on a single antenna.
    int change_work_ant();

    // Enables or disables the session and flag choices together.
    void SessionSelect(bool enable);
    // The antenna choice's selection (an entry index, not an antenna).
    uint8_t GetWorkAntenna();

protected:
    void StartInventory(wxCommandEvent& event) override;
    void AutoInventorySession(wxCommandEvent& event) override;
    void DefineInventorySession(wxCommandEvent& event) override;
    void NewTagInter(wxCommandEvent& event) override;
    void FlashMenu(wxCommandEvent& event) override;
    void SaveTag(wxCommandEvent& event) override;

private:
    void reset_list();

    antenna_rotation antennas;
};
