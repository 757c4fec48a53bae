#include "wxcrafter/reader_rw_pannel_base/rfid_storage_pannel.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>

#include "wxcrafter/page_support/inventory_stats.h"
#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/reader_rw_pannel_base/storage_fields.h"

uint8_t OperateArea = 0;
uint32_t OperateStartAddr = 0;
uint16_t DataLenght = 0;
uint32_t OperatePassWord = 0;
uint32_t LockPassWord = 0;
uint32_t DistroyPassWord = 0;
char WriteData[50] = {0};
// 1: the TCP and USB-HID links write as 0x82, like the serial link, so the
// reader's answer shows in the result list (their block write 0x94 gets no
// result there).
uint8_t WriteMethod = 1;
uint8_t LockArea = 0;
uint8_t LockSelect = 0;
char EPC_Select[32] = {0};
char DoubleIdentify_Key[16] = {0};

namespace {

// What each hex box may hold: a 32-bit number, or as many digit pairs as
// the global behind it has bytes.
const size_t kNumberDigits = 8;
const size_t kWriteDigits = 2 * sizeof WriteData;
const size_t kKeyDigits = 2 * sizeof DoubleIdentify_Key;

// Word counts: a write carries at most what WriteData holds, a read what
// DataLenght holds.
const unsigned long kMaxWriteWords = sizeof WriteData / 2;
const unsigned long kMaxReadWords = 0xFFFF;
// The GB commands carry the start address in two bytes.
const uint32_t kMaxGbAddress = 0xFFFF;

// A request every link carries.
const carriage::Request kAny = carriage::Request::Any;

uint8_t* bytes(char* global)
{
    return reinterpret_cast<uint8_t*>(global);
}

std::string text_of(wxTextCtrl* box)
{
    return box->GetValue().utf8_string();
}

// Keeps the leading hex digits of the box, at most `most` of them.
void keep_hex(wxTextCtrl* box, size_t most)
{
    size_t kept = 0;
    cut_at_first_refused(box, [&kept, most](wxUniChar c) { return is_hex_digit(c) && kept++ < most; });
}

// A password box: empty means 0.
void read_password(wxTextCtrl* box, uint32_t& password)
{
    const std::string text = text_of(box);
    if (text.empty())
        password = 0;
    else
        leading_hex32(text, password);
}

// A choice's entry, the first when none is chosen.
int chosen(wxChoice* choice)
{
    return std::max(0, choice->GetSelection());
}

wxString cell(const std::string& text)
{
    return wxString::FromUTF8(text.c_str());
}

}  // namespace

rfid_storage_pannel::rfid_storage_pannel(wxWindow* parent)
    : rfid_storage_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL),
      IdNumber(0)
{
    enable_select(false);
    // SetValue, so that the boxes' filters see what the page puts there.
    ReadPassWord_textCtrl->SetValue(wxT("7C4E19B2"));
    StartAddr_textCtrl->SetValue(wxT("0"));
    WriteTag_textCtrl->SetValue(wxT("E200"));
    DataLenght_textCtrl->SetValue(wxT("1"));
}

rfid_storage_pannel::~rfid_storage_pannel() {}

void rfid_storage_pannel::enable_select(bool on)
{
    // The selected-tag box itself stays usable: it only shows the choice.
    SelectedTag_staticText->Enable(on);
    TagList_staticText->Enable(on);
    TagList_choice->Enable(on);
    Select_button->Enable(on);
}

bool rfid_storage_pannel::gb_mode() const
{
    return ModeSelect_radioBox->GetSelection() == 1;
}

void rfid_storage_pannel::clear_for(carriage::Request need)
{
    if (carriage::carries(need, LinkMethod))
        ClearTagList();
}

void rfid_storage_pannel::post_by_mode(const Ask& tag_6c, const Ask& gb, const Ask& gb_secure)
{
    const Ask& ask = !gb_mode() ? tag_6c : encryption_checkBox->GetValue() ? gb_secure : gb;
    clear_for(ask.need);
    post_request(ask.type);
}

bool rfid_storage_pannel::start_address(uint32_t& address)
{
    address = OperateStartAddr;
    leading_hex32(text_of(StartAddr_textCtrl), address);
    if (gb_mode() && address > kMaxGbAddress) {
        show_refusal(u8("起始地址范围:0~FFFF！"));
        return false;
    }
    return true;
}

uint8_t rfid_storage_pannel::access_area() const
{
    wxRadioBox* area = gb_mode() ? WriteMethod_radioBox : TagReadArea_radioBox;
    return static_cast<uint8_t>(std::max(0, area->GetSelection()));
}

// ---- handlers ----

void rfid_storage_pannel::SelectTagOperate(wxCommandEvent& event)
{
    const int selection = TagOperate_radioBox->GetSelection();
    if (selection != 0 && selection != 1)
        return;
    const bool single = selection == 0;
    enable_select(single);
    // Single-tag operation asks the reader for its match, multi-tag cancels it.
    post_request(single ? wxEVT_NUMTAGOPERATE : wxEVT_SINGLETAGOPERATE);
    event.Skip();
}

void rfid_storage_pannel::tag_select(wxCommandEvent&)
{
    SelectedTag_textCtrl->SetValue(TagList_choice->GetStringSelection());
}

void rfid_storage_pannel::SelectTag(wxCommandEvent& event)
{
    // No complete byte would leave the match length of an earlier select.
    if (epc_select_bytes(text_of(SelectedTag_textCtrl), bytes(EPC_Select), sizeof EPC_Select) == 0) {
        show_refusal(u8("标签不能为空！"));
        return;
    }
    if (!gb_mode())
        post_request(wxEVT_ACCESSTAG);
    event.Skip();
}

void rfid_storage_pannel::key_inter(wxCommandEvent&)
{
    keep_hex(key_textCtrl, kKeyDigits);
}

void rfid_storage_pannel::doubleidentify(wxCommandEvent&)
{
    clear_for(carriage::Request::GbDoubleIdentify);
    std::memset(DoubleIdentify_Key, 0, sizeof DoubleIdentify_Key);
    hex_pairs(text_of(key_textCtrl), bytes(DoubleIdentify_Key), sizeof DoubleIdentify_Key);
    post_request(wxEVT_GB_DOUBLEID);
}

void rfid_storage_pannel::encryption(wxCommandEvent&) {}

void rfid_storage_pannel::ModeSelect(wxCommandEvent&)
{
    const bool gb = gb_mode();
    TagReadArea_radioBox->Enable(!gb);
    WriteMethod_radioBox->Enable(gb);
    key_textCtrl->Enable(gb);
    doubleidentify_button->Enable(gb);
    encryption_checkBox->Enable(gb);

    if (gb) {
        lock_choiceArr = utf8_items({"标签信息区", "编码区", "安全区", "用户区"});
        lockaction_choiceArr = utf8_items({"可读可写", "可读不可写", "不可读可写", "不可读不可写", "保留",
                                           "不需要鉴别", "需要鉴别不需要安全通信", "需要鉴别需要安全通信"});
    } else {
        lock_choiceArr = utf8_items({"USER区", "TID区", "EPC区", "访问密码区", "锁定密码区"});
        lockaction_choiceArr = utf8_items({"开放", "锁定", "永久开放", "永久锁定"});
    }
    // Refilled lists choose nothing; a lock would then name no area.
    LockArea_choice->Set(lock_choiceArr);
    LockArea_choice->SetSelection(0);
    LockMethod_choice->Set(lockaction_choiceArr);
    LockMethod_choice->SetSelection(0);
    // The GB actions are longer than the 6C ones: make room for them.
    Layout();
}

void rfid_storage_pannel::ReadPassWordEnter(wxCommandEvent&)
{
    keep_hex(ReadPassWord_textCtrl, kNumberDigits);
}

void rfid_storage_pannel::StartAddrEnter(wxCommandEvent&)
{
    keep_hex(StartAddr_textCtrl, kNumberDigits);
}

void rfid_storage_pannel::ReadTag(wxCommandEvent& event)
{
    // Taken before the checks: a refused read still leaves the password.
    read_password(ReadPassWord_textCtrl, OperatePassWord);
    if (StartAddr_textCtrl->IsEmpty()) {
        show_refusal(u8("起始地址不能为空！"));
        return;
    }
    if (DataLenght_textCtrl->IsEmpty()) {
        show_refusal(u8("数据长度不能为空！"));
        return;
    }
    uint32_t address = 0;
    if (!start_address(address))
        return;
    unsigned long words = 0;
    if (!leading_decimal(DataLenght_textCtrl->GetValue(), kMaxReadWords, words)) {
        show_refusal(u8("数据长度范围:0~65535！"));
        return;
    }
    OperateStartAddr = address;
    DataLenght = static_cast<uint16_t>(words);
    OperateArea = access_area();
    post_by_mode({wxEVT_READ, kAny}, {wxEVT_GB_READ, kAny}, {wxEVT_GB_SREAD, carriage::Request::GbSecureRead});
    event.Skip();
}

void rfid_storage_pannel::Select_writeMethod(wxCommandEvent&) {}

void rfid_storage_pannel::WriteTagEnter(wxCommandEvent&)
{
    keep_hex(WriteTag_textCtrl, kWriteDigits);
}

void rfid_storage_pannel::DataLenghtEnter(wxCommandEvent&)
{
    cut_at_first_refused(DataLenght_textCtrl, is_decimal_digit);
}

void rfid_storage_pannel::WriteTag(wxCommandEvent& event)
{
    if (DataLenght_textCtrl->IsEmpty()) {
        show_refusal(u8("数据长度不能为空！"));
        return;
    }
    if (WriteTag_textCtrl->IsEmpty()) {
        show_refusal(u8("数据不能为空！"));
        return;
    }
    if (StartAddr_textCtrl->IsEmpty()) {
        show_refusal(u8("起始地址不能为空！"));
        return;
    }
    unsigned long words = 0;
    if (!leading_decimal(DataLenght_textCtrl->GetValue(), kMaxWriteWords, words) || words == 0) {
        show_refusal(u8("数据长度范围:1~25！"));
        return;
    }
    // Words the operator did not type would go out as zeros and clear the
    // tag's memory; typed words past the length are not sent.
    const size_t typed = hex_words(text_of(WriteTag_textCtrl));
    if (typed < words) {
        show_refusal(wxString::Format(u8("数据不足：数据长度为%lu个字，数据只有%lu个字（每字4位十六进制数）！"), words,
                                      static_cast<unsigned long>(typed)));
        return;
    }
    uint32_t address = 0;
    if (!start_address(address))
        return;
    DataLenght = static_cast<uint16_t>(words);
    // Cleared first, so nothing of an earlier write lingers past the data.
    std::memset(WriteData, 0, sizeof WriteData);
    hex_pairs(text_of(WriteTag_textCtrl), bytes(WriteData), sizeof WriteData);
    OperateStartAddr = address;
    read_password(ReadPassWord_textCtrl, OperatePassWord);
    OperateArea = access_area();
    post_by_mode({wxEVT_WRITE, carriage::Request::TagWrite}, {wxEVT_GB_WRITE, carriage::Request::GbWrite},
                 {wxEVT_GB_SWRITE, carriage::Request::GbSecureWrite});
    event.Skip();
}

void rfid_storage_pannel::LockPassWordEnter(wxCommandEvent&)
{
    keep_hex(LockPassWord_textCtrl, kNumberDigits);
}

void rfid_storage_pannel::LcokTag(wxCommandEvent& event)
{
    LockArea = static_cast<uint8_t>(chosen(LockArea_choice) + 1);
    LockSelect = static_cast<uint8_t>(chosen(LockMethod_choice));
    read_password(LockPassWord_textCtrl, LockPassWord);
    post_by_mode({wxEVT_LOCK, kAny}, {wxEVT_GB_LOCK, kAny}, {wxEVT_GB_SLOCK, carriage::Request::GbSecureLock});
    event.Skip();
}

void rfid_storage_pannel::DistroyPassWordEnter(wxCommandEvent&)
{
    keep_hex(DistroyPassWord_textCtrl, kNumberDigits);
}

void rfid_storage_pannel::DistroyTag(wxCommandEvent& event)
{
    const std::string text = text_of(DistroyPassWord_textCtrl);
    if (text.empty()) {
        show_refusal(u8("密码不能为空！"));
        return;
    }
    uint32_t password = 0;
    leading_hex32(text, password);
    if (password == 0) {
        show_refusal(u8("密码不能为0！"));
        return;
    }
    DistroyPassWord = password;
    post_by_mode({wxEVT_KILL, kAny}, {wxEVT_GB_KILL, kAny}, {wxEVT_GB_SKILL, carriage::Request::GbSecureKill});
    event.Skip();
}

// ---- lists for the controller ----

void rfid_storage_pannel::Flash_Taglist()
{
    TagList_choice->Clear();
    SelectedTag_textCtrl->Clear();
    told_tags_dropped = false;
}

void rfid_storage_pannel::result_columns()
{
    reset_list_columns(m_listCtrl11, {{"ID", wxLIST_AUTOSIZE},
                                      {"PC", 80},
                                      {"CRC", wxLIST_AUTOSIZE},
                                      {"EPC", 300},
                                      {"数据", 300},
                                      {"数据长度", 80},
                                      {"天线", 80}});
}

void rfid_storage_pannel::ClearTagList()
{
    result_columns();
    IdNumber = 0;
}

wxString rfid_storage_pannel::AddTagList(wxString epc)
{
    if (epc.empty())
        return wxString();
    TagList_choice->insert_first(epc);
    if (TagList_choice->GetCount() <= kMaxTagChoices)
        return wxString();
    TagList_choice->remove_last();
    if (told_tags_dropped)
        return wxString();
    told_tags_dropped = true;
    return wxString::Format(u8("标签列表已满%u个，最早的标签被移除！"), kMaxTagChoices);
}

void rfid_storage_pannel::SetTagList(wxString id, wxString pc, wxString crc, wxString epc, wxString data,
                                     wxString length, wxString antenna, int position)
{
    // A reply that comes before any operation finds the base's six columns.
    if (m_listCtrl11->GetColumnCount() != 7)
        result_columns();
    int count = m_listCtrl11->GetItemCount();
    if (count >= kMaxResultRows)
        m_listCtrl11->DeleteItem(--count);
    const long row = m_listCtrl11->InsertItem(std::min(std::max(position, 0), count), id);
    const wxString cells[] = {pc, crc, epc, data, length, antenna};
    for (int column = 1; column <= 6; ++column)
        m_listCtrl11->SetItem(row, column, cells[column - 1]);
}

bool rfid_storage_pannel::add_result(StorageReply kind, const uint8_t* data, size_t len)
{
    StorageRow row;
    if (!parse_storage_reply(kind, data, len, row))
        return false;
    SetTagList(wxString::Format(wxT("%d"), IdNumber), cell(row.pc), cell(row.crc), cell(row.epc), cell(row.data),
               cell(row.length), cell(row.antenna), 0);
    ++IdNumber;
    return true;
}

bool rfid_storage_pannel::SetReadTable(const uint8_t* data, size_t len)
{
    return add_result(StorageReply::Read, data, len);
}

bool rfid_storage_pannel::SetWriteTable(const uint8_t* data, size_t len)
{
    return add_result(StorageReply::Write, data, len);
}

bool rfid_storage_pannel::SetLockTable(const uint8_t* data, size_t len)
{
    return add_result(StorageReply::Lock, data, len);
}

bool rfid_storage_pannel::SetKillTable(const uint8_t* data, size_t len)
{
    return add_result(StorageReply::Kill, data, len);
}

bool rfid_storage_pannel::SetGbReadTable(const uint8_t* data, size_t len)
{
    return add_result(StorageReply::GbRead, data, len);
}

bool rfid_storage_pannel::SetGbWriteTable(const uint8_t* data, size_t len)
{
    return add_result(StorageReply::GbWrite, data, len);
}

bool rfid_storage_pannel::SetGbLockTable(const uint8_t* data, size_t len)
{
    return add_result(StorageReply::GbLock, data, len);
}

bool rfid_storage_pannel::SetGbKillTable(const uint8_t* data, size_t len)
{
    return add_result(StorageReply::GbKill, data, len);
}

bool rfid_storage_pannel::SetDoubleIdentifyTable(const uint8_t* data, size_t len)
{
    IdNumber = 0;
    return add_result(StorageReply::DoubleIdentify, data, len);
}
