// The tag-storage page: reads, writes, locks and kills one 6C or GB tag's
// memory, restricts access to one tag by its EPC, runs the GB two-way
// authentication, and shows each reply as a row of its result list. Its
// handlers write the tag-storage globals and post one request to the event
// hub; the controller hands the replies back through the result setters.
#pragma once

#include "link_carriage.h"
#include "reader_params.h"

#include <cstddef>
#include <cstdint>

#include <wx/arrstr.h>
#include <wx/string.h>

#include "wxcrafter/buffer_inv_pannel_base/buffer_records.h"
#include "wxcrafter/page_support/tag_table.h"
#include "wxcrafter/reader_rw_pannel_base/reader_rw_wxcraft.h"
#include "wxcrafter/reader_rw_pannel_base/storage_results.h"

class rfid_storage_pannel : public rfid_storage_pannelBase {
public:
    // The tag choice keeps the EPCs of a whole buffer read beside those of
    // an inventory's tag table; the result list as many rows as one
    // operation plausibly brings.
    static constexpr unsigned int kMaxTagChoices = buffer_records::kMaxRecords + tag_table::kMaxRows;
    static constexpr int kMaxResultRows = 1000;

    explicit rfid_storage_pannel(wxWindow* parent);
    virtual ~rfid_storage_pannel();

    // Empties the tag choice and the selected-tag box.
    void Flash_Taglist();
    // Empties the result list, puts its seven columns back and numbers the
    // next row 0.
    void ClearTagList();
    // Puts a non-empty EPC at the top of the tag choice; repeats are kept.
    // When the choice is full the oldest entry, at the bottom, goes, and
    // the first time after the choice was emptied this returns the notice
    // that says so; "" else.
    wxString AddTagList(wxString epc);
    // Inserts a result row at `position` (0 is the top). When the list is
    // full the oldest row, at the bottom, goes.
    void SetTagList(wxString id, wxString pc, wxString crc, wxString epc, wxString data, wxString length,
                    wxString antenna, int position);

    // One result row each, from the `len` data bytes of one reply: the bytes
    // after the command code, without the check byte (the frame's length
    // byte minus 3). A reply whose own lengths reach past `len` adds no row
    // and gives false.
    bool SetReadTable(const uint8_t* data, size_t len);
    bool SetWriteTable(const uint8_t* data, size_t len);
    bool SetLockTable(const uint8_t* data, size_t len);
    bool SetKillTable(const uint8_t* data, size_t len);
    bool SetGbReadTable(const uint8_t* data, size_t len);
    bool SetGbWriteTable(const uint8_t* data, size_t len);
    bool SetGbLockTable(const uint8_t* data, size_t len);
    bool SetGbKillTable(const uint8_t* data, size_t len);
    // Numbers its row 0: an authentication always starts a fresh count.
    bool SetDoubleIdentifyTable(const uint8_t* data, size_t len);

    // Request handlers: each checks its boxes, writes its globals and posts
    // one request chosen by the tag type and the "加密通讯" box.
    void SelectTagOperate(wxCommandEvent& event) override;
    void SelectTag(wxCommandEvent& event) override;
    void doubleidentify(wxCommandEvent& event) override;
    void ReadTag(wxCommandEvent& event) override;
    void WriteTag(wxCommandEvent& event) override;
    void LcokTag(wxCommandEvent& event) override;
    void DistroyTag(wxCommandEvent& event) override;

protected:
    void tag_select(wxCommandEvent& event) override;
    void key_inter(wxCommandEvent& event) override;
    void encryption(wxCommandEvent& event) override;
    void ModeSelect(wxCommandEvent& event) override;
    void ReadPassWordEnter(wxCommandEvent& event) override;
    void StartAddrEnter(wxCommandEvent& event) override;
    void Select_writeMethod(wxCommandEvent& event) override;
    void WriteTagEnter(wxCommandEvent& event) override;
    void DataLenghtEnter(wxCommandEvent& event) override;
    void LockPassWordEnter(wxCommandEvent& event) override;
    void DistroyPassWordEnter(wxCommandEvent& event) override;

    int IdNumber;
    // The tag choice's notice was given since it was last emptied.
    bool told_tags_dropped = false;
    wxArrayString lock_choiceArr;
    wxArrayString lockaction_choiceArr;

private:
    // The controls of single-tag operation.
    void enable_select(bool on);
    bool gb_mode() const;
    // One of the page's requests and what the link must carry for it.
    struct Ask {
        const wxEventTypeTag<rfidConfigEvent>& type;
        carriage::Request need;
    };
    // Posts the 6C request, or in GB mode the plain or the secure one,
    // emptying the result list first when the link in use carries it.
    void post_by_mode(const Ask& tag_6c, const Ask& gb, const Ask& gb_secure);
    // Empties the result list for a request the link in use carries; one it
    // does not is refused by the controller and the last results stay.
    void clear_for(carriage::Request need);
    // The start address, in GB mode at most 16 bits; false after telling
    // the operator why not.
    bool start_address(uint32_t& address);
    // The area of a read or write: the 6C bank or the GB area.
    uint8_t access_area() const;
    // The seven result columns, the rows gone; the numbering is left alone.
    void result_columns();
    bool add_result(StorageReply kind, const uint8_t* data, size_t len);
};
