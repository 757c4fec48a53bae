// The custom inventory page. The operator picks an antenna or an antenna
// combination, a round count, a match mode and, for the user-defined
// modes, a match length; the start button asks the controller to start or
// stop the inventory. Each tag report the controller hands over goes into
// the page's table; the list, in the columns of the match mode, and the
// statistics follow the table (see tag_table_view), so a reader reporting
// as fast as it can never holds up the window.
#pragma once

#include "reader_params.h"

#include <cstdint>
#include <string>
#include <vector>

#include <wx/string.h>

#include "wxcrafter/custom_inv_pannel_base/custom_inv_wxcraft.h"
#include "wxcrafter/custom_inv_pannel_base/custom_reports.h"
#include "wxcrafter/custom_inv_pannel_base/match_modes.h"
#include "wxcrafter/page_support/antenna_rotation.h"
#include "wxcrafter/page_support/tag_table_view.h"

class custom_inventory_pannel : public custom_inventory_pannelBase {
public:
    // Longest match length the reader takes.
    static const unsigned long kMaxReadLen = 255;

    explicit custom_inventory_pannel(wxWindow* parent);
    virtual ~custom_inventory_pannel();

    // 1: an inventory starts. The round count, the match mode and length
    // and the start antenna go into inventory_round, inventory_mode,
    // custom_read_len and WorkAntenna; the choices are locked; the table,
    // the list and the statistics start empty. Anything else: it stopped,
    // the choices are free again and the table stays.
    void SetInventoryButton(uint8_t state);
    // Match mode `sel` (an entry of the match choice): inventory_mode and
    // custom_read_len, the list's columns, and an empty table. A choice
    // outside the modes leaves the list without columns and the globals as
    // they are; so does a user-defined length above 255 for the globals.
    void SetListmode(int sel);

    // Reader type 0, 1 or 2 (one, four or eight antennas): the antenna
    // entries for that reader, the first one chosen. Any other type leaves
    // no entry.
    void SetAntMode(int reader_type);
    // The antenna choice's selection (an entry index; -1 for none).
    char GetWorkAntenna();
    // The next antenna of the combination the inventory started with; 0
    // when it started on a single antenna.
    int change_work_ant();

    // Tags listed in the table.
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
    // Shows the lowest and highest RSSI of the table.
    void SetRSSI();

    // The reports, one per reply: `data` holds the reply's len - 3 data
    // bytes, `len` is the frame's length byte. A report whose fields do not
    // fit, whose EPC is longer than 32 bytes or whose antenna is not 1..8
    // changes nothing. Each returns the notice of a tag past the rows, once
    // per inventory; "" else.
    // 0x8A, 0xD9: antenna, PC, EPC, RSSI, frequency.
    wxString SetEpcTable(const uint8_t* data, uint8_t len);
    // 0x53..0x55 (6C) and 0x56, 0x57 (GB): with the data of the matched area.
    wxString SetTable(const uint8_t* data, uint8_t len);
    wxString SetGBTable(const uint8_t* data, uint8_t len);
    // 0x52 and 0x58: temperature-sensing tags with RSSI and frequency.
    wxString SetTemperateTable(const uint8_t* data, uint8_t len);
    wxString SetTemperate1Table(const uint8_t* data, uint8_t len);
    // 0xD8: sensor tags with a temperature code and no RSSI.
    wxString SetVelaTagTempTable(const uint8_t* data, uint8_t len);

protected:
    void StartInventory(wxCommandEvent& event) override;
    void ivnetoryround_input(wxCommandEvent& event) override;
    void select_read_membank(wxCommandEvent& event) override;
    void ReadLenEnter(wxCommandEvent& event) override;
    void NewTagInter(wxCommandEvent& event) override;
    void FlashMenu(wxCommandEvent& event) override;
    void SaveTag(wxCommandEvent& event) override;

private:
    wxString add_report(custom_report_kind kind, const uint8_t* data, uint8_t len);
    // The length box's number; false when it is above kMaxReadLen.
    bool read_len(unsigned long& value) const;
    // The list gets `shown`'s columns and shows no line.
    void set_columns(const std::vector<list_column>& shown);

    custom_tag_table table;
    antenna_rotation antennas;
    tag_table_view view;
    std::vector<list_column> columns;  // of the list as it stands
    bool running;
};
