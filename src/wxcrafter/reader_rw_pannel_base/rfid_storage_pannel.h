// The tag-storage page, first form: it collects the EPCs the inventories
// found and keeps the result list the controller clears. The operations and
// their result rows come with the page's own work; the parameter globals the
// links read stand here already.
#pragma once

#include "reader_params.h"

#include <cstdint>

#include <wx/string.h>

#include "wxcrafter/reader_rw_pannel_base/reader_rw_wxcraft.h"

class rfid_storage_pannel : public rfid_storage_pannelBase {
public:
    explicit rfid_storage_pannel(wxWindow* parent);
    virtual ~rfid_storage_pannel();

    // Empties the tag choice and the selected-tag box.
    void Flash_Taglist();
    // Empties the result list and starts its row numbers again.
    void ClearTagList();
    // Puts a non-empty EPC at the top of the tag choice; repeats are kept.
    void AddTagList(wxString epc);

    // Result rows, one per reply kind.
    void SetReadTable(uint8_t* data);
    void SetWriteTable(uint8_t* data);
    void SetLockTable(uint8_t* data);
    void SetKillTable(uint8_t* data);
    void SetGbReadTable(uint8_t* data);
    void SetGbWriteTable(uint8_t* data);
    void SetGbLockTable(uint8_t* data);
    void SetGbKillTable(uint8_t* data);
    void SetDoubleIdentifyTable(uint8_t* data);

protected:
    int IdNumber;
};
