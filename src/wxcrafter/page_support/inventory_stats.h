// The statistics part the four inventory pages share: the "数据" box with
// its five counters, and the row under it with the list label, the lowest
// and highest RSSI and the refresh and save buttons. Each page's generated
// base derives from it beside wxPanel, so the controls keep one name on
// every page.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include <wx/arrstr.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/string.h>
#include <wx/textctrl.h>

#include "wxcrafter/page_support/inventory_tally.h"
#include "wxcrafter/page_support/tag_list_ctrl.h"

class inventory_stats {
public:
    // The start button's label: 1 running ("停止盘存"), else idle ("开始盘存").
    void SetInventoryButton(uint8_t state);
    // Each writes one box: numbers with "%d", texts as they are.
    void SetTagNumber(int n);
    void SetIdentifyTime(long n);
    void SetExcuteTime(wxString text);
    void SetAcumulateData(wxString text);
    void SetAcumulatetime(wxString text);
    void SetMinRSSI(wxString text);
    void SetMaxRSSI(wxString text);
    // The lowest and highest RSSI, each with "%d".
    void show_rssi_range(int lowest, int highest);
    // One second of a running inventory: `tally` moves on, and the running
    // time and the mean reports per second are shown.
    void show_second(inventory_tally& tally);

    wxButton* GetStartInventory_button() { return StartInventory_button; }
    wxStaticText* GetInventoryTagNumber_staticText() { return InventoryTagNumber_staticText; }
    wxTextCtrl* GetInventoryTagNumber_textCtrl() { return InventoryTagNumber_textCtrl; }
    wxStaticText* GetIdentifytime_staticText() { return Identifytime_staticText; }
    wxTextCtrl* GetIdentifytime_textCtrl() { return Identifytime_textCtrl; }
    wxStaticText* GetExcuteTime_staticText() { return ExcuteTime_staticText; }
    wxTextCtrl* GetExcuteTime_textCtrl() { return ExcuteTime_textCtrl; }
    wxStaticText* GetAcumulateData_staticText() { return AcumulateData_staticText; }
    wxTextCtrl* GetAcumulateData_textCtrl() { return AcumulateData_textCtrl; }
    wxStaticText* GetAcumulatetime_staticText() { return Acumulatetime_staticText; }
    wxTextCtrl* GetAcumulatetime_textCtrl() { return Acumulatetime_textCtrl; }
    wxStaticText* GetTagList_staticText() { return TagList_staticText; }
    wxStaticText* GetMinRSSI_staticText() { return MinRSSI_staticText; }
    wxTextCtrl* GetMinRSSI_textCtrl() { return MinRSSI_textCtrl; }
    wxStaticText* GetMaxRSSI_staticText() { return MaxRSSI_staticText; }
    wxTextCtrl* GetMaxRSSI_textCtrl() { return MaxRSSI_textCtrl; }
    wxButton* GetFlashManu_button() { return FlashManu_button; }
    wxButton* GetSaveTag_button() { return SaveTag_button; }

protected:
    // Creates the statistics and, under them, the page's tag list on `page`
    // and adds them to `sizer`, top to bottom; returns the list. `time_label`
    // is the accumulated-time caption, which names its unit.
    tag_list_ctrl* create_stats(wxWindow* page, wxSizer* sizer, const wxString& time_label);
    // "0" in all seven boxes.
    void zero_stats();
    // The tag count in a 55-point bold Roman font, the other four counters
    // in a 20-point one.
    void set_stats_fonts();

    // Created by each page with its own size; the label is common.
    wxButton* StartInventory_button = nullptr;
    wxStaticText* InventoryTagNumber_staticText = nullptr;
    wxTextCtrl* InventoryTagNumber_textCtrl = nullptr;
    wxStaticText* Identifytime_staticText = nullptr;
    wxTextCtrl* Identifytime_textCtrl = nullptr;
    wxStaticText* ExcuteTime_staticText = nullptr;
    wxTextCtrl* ExcuteTime_textCtrl = nullptr;
    wxStaticText* AcumulateData_staticText = nullptr;
    wxTextCtrl* AcumulateData_textCtrl = nullptr;
    wxStaticText* Acumulatetime_staticText = nullptr;
    wxTextCtrl* Acumulatetime_textCtrl = nullptr;
    wxStaticText* TagList_staticText = nullptr;
    wxStaticText* MinRSSI_staticText = nullptr;
    wxTextCtrl* MinRSSI_textCtrl = nullptr;
    wxStaticText* MaxRSSI_staticText = nullptr;
    wxTextCtrl* MaxRSSI_textCtrl = nullptr;
    wxButton* FlashManu_button = nullptr;
    wxButton* SaveTag_button = nullptr;
};

class antenna_rotation;

// The entries of `rotation` as an antenna choice lists them.
wxArrayString antenna_items(const antenna_rotation& rotation);

// Sets `rotation` to `reader_type` and lists its entries in `choice`, the
// first chosen.
void show_antenna_entries(wxChoice* choice, antenna_rotation& rotation, int reader_type);

// Makes `choice` as wide as the longest antenna entry of any reader type,
// so that the entries a connected reader brings never widen the page.
void fit_antenna_choice(wxChoice* choice);

// Empties `list` of lines and columns and appends `columns` (title, width in
// pixels), left-aligned.
void reset_list_columns(wxListCtrl* list, std::initializer_list<std::pair<const char*, int>> columns);
