// The antenna-switch (antenna polling) inventory page. The operator sets
// up to eight rounds, each an antenna and a poll count, a cycle count, a
// session and a target flag; the start button checks the counts, leaves
// them for the link and asks the controller to start or stop the
// inventory. Tag reports go into the page's tag table, which the list and
// the boxes follow (listed_tag_table); a known tag keeps the PC it was
// first seen with.
#pragma once

#include "reader_params.h"

#include <cstdint>

#include <wx/string.h>

#include "wxcrafter/page_support/listed_tag_table.h"
#include "wxcrafter/reader_switchant_inventory_base/rfid_switchant_inventory.h"

class reader_switchant_inventory_pannel : public reader_switchant_inventory_pannelBase, public listed_tag_table {
public:
    explicit reader_switchant_inventory_pannel(wxWindow* parent);
    virtual ~reader_switchant_inventory_pannel();

    // Reader type 0, 1 or 2 (one, four or eight antennas): the antennas the
    // round choices offer (the first chosen), the rounds the reader runs
    // (ant_num 1, 4 or 8) enabled with a poll count of 1, the others
    // disabled with 0. Any other type leaves the choices empty.
    void SetAntMode(int reader_type);
    // 1 running: the start button reads "停止盘存" and the rounds and the
    // cycle count are locked; else "开始盘存" and the rounds the reader
    // runs are open again. A start may give the notices of tags past the
    // rows once more.
    void SetInventoryButton(uint8_t state);
    // One tag report: `data` holds its len - 3 data bytes, `len` is the
    // frame's length byte. Returns the notice of a tag past the rows, once
    // per inventory; "" else.
    wxString SetEpcTable(uint8_t* data, uint8_t len);

protected:
    void StartInventory(wxCommandEvent& event) override;
    void RoundA_AntSelect(wxCommandEvent& event) override;
    void RoundA_RoundNum_Enter(wxCommandEvent& event) override;
    void RoundB_AntSelect(wxCommandEvent& event) override;
    void RoundB_RoundNum_Enter(wxCommandEvent& event) override;
    void RoundC_AntSelect(wxCommandEvent& event) override;
    void RoundC_RoundNum_Enter(wxCommandEvent& event) override;
    void RoundD_AntSelect(wxCommandEvent& event) override;
    void RoundD_RoundNum_Enter(wxCommandEvent& event) override;
    void RoundE_AntSelect(wxCommandEvent& event) override;
    void RoundE_RoundNum_Enter(wxCommandEvent& event) override;
    void RoundF_AntSelect(wxCommandEvent& event) override;
    void RoundF_RoundNum_Enter(wxCommandEvent& event) override;
    void RoundG_AntSelect(wxCommandEvent& event) override;
    void RoundG_RoundNum_Enter(wxCommandEvent& event) override;
    void RoundH_AntSelect(wxCommandEvent& event) override;
    void RoundH_RoundNum_Enter(wxCommandEvent& event) override;
    void cycle_Enter(wxCommandEvent& event) override;
    void FlashMenu(wxCommandEvent& event) override;
    void SaveTag(wxCommandEvent& event) override;

private:
    void reset_list();
};
