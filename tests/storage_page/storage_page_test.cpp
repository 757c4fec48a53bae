// The tag-storage page driven through its controls: the requests it posts
// and the frames the serial link builds from the globals it leaves, what it
// refuses, what its boxes keep, and the rows the replies make.
#include "gui_test_support.h"
#include "hex_bytes.h"
#include "sink_link.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "rfid_event/rfid_event.h"
#include "rfid_event/rfid_notifiler.h"
#include "wxcrafter/reader_rw_pannel_base/rfid_storage_pannel.h"

namespace {

using Page = rfid_storage_pannel;
using gui_test::choose;
using gui_test::paste_text;
using gui_test::press;

std::string utf8(const wxString& s)
{
    return std::string(s.utf8_str().data());
}

// The page's requests, in the order the hub delivers them.
class Requests {
public:
    Requests()
    {
        wxTheApp->ProcessPendingEvents();
        for (wxEventType type : types())
            EventNotifier::Get()->Bind(wxEventTypeTag<wxCommandEvent>(type), &Requests::on_event, this);
    }
    ~Requests()
    {
        for (wxEventType type : types())
            EventNotifier::Get()->Unbind(wxEventTypeTag<wxCommandEvent>(type), &Requests::on_event, this);
    }
    std::vector<wxEventType> take()
    {
        wxTheApp->ProcessPendingEvents();
        std::vector<wxEventType> out;
        out.swap(seen);
        return out;
    }

private:
    static std::vector<wxEventType> types()
    {
        return {wxEVT_READ,     wxEVT_WRITE,       wxEVT_LOCK,          wxEVT_KILL,            wxEVT_ACCESSTAG,
                wxEVT_GB_READ,  wxEVT_GB_WRITE,    wxEVT_GB_LOCK,       wxEVT_GB_KILL,         wxEVT_GB_SREAD,
                wxEVT_GB_SWRITE, wxEVT_GB_SLOCK,   wxEVT_GB_SKILL,      wxEVT_GB_DOUBLEID,     wxEVT_NUMTAGOPERATE,
                wxEVT_SINGLETAGOPERATE};
    }
    void on_event(wxCommandEvent& event) { seen.push_back(event.GetEventType()); }
    std::vector<wxEventType> seen;
};

// The frame the serial link sends for a request, from the globals as its
// command side reads them.
Bytes frame_for(wxEventType type)
{
    SinkLink link;
    const auto* data = reinterpret_cast<const uint8_t*>(WriteData);
    const auto* epc = reinterpret_cast<const uint8_t*>(EPC_Select);
    const auto gb_addr = static_cast<uint16_t>(OperateStartAddr);
    if (type == wxEVT_READ)
        link.RFID_Read(OperateArea, OperateStartAddr, DataLenght, OperatePassWord);
    else if (type == wxEVT_WRITE)
        link.SendTagWrite(FrameLink::CMD_WRITE, OperateArea, OperateStartAddr, DataLenght, data, sizeof WriteData,
                          OperatePassWord);
    else if (type == wxEVT_LOCK)
        link.RFID_Lock(LockArea, LockSelect, LockPassWord);
    else if (type == wxEVT_KILL)
        link.RFID_Kill(DistroyPassWord);
    else if (type == wxEVT_GB_READ)
        link.RFID_GbRead(OperateArea, gb_addr, DataLenght, OperatePassWord);
    else if (type == wxEVT_GB_SREAD)
        link.RFID_GbSeRead(OperateArea, gb_addr, DataLenght, OperatePassWord);
    else if (type == wxEVT_GB_WRITE)
        link.RFID_GbWrite(OperateArea, gb_addr, DataLenght, data, sizeof WriteData, OperatePassWord);
    else if (type == wxEVT_GB_LOCK)
        link.RFID_GbLock(LockArea, LockSelect, LockPassWord);
    else if (type == wxEVT_ACCESSTAG || type == wxEVT_SINGLETAGOPERATE)
        link.Set_Epc_Match(type == wxEVT_ACCESSTAG ? 0 : 1, epc, sizeof EPC_Select);
    else if (type == wxEVT_GB_DOUBLEID)
        link.RFID_GbDoubleIdentify(reinterpret_cast<const uint8_t*>(DoubleIdentify_Key));
    const auto written = link.Written();
    return written.empty() ? Bytes{} : written.back();
}

struct Host {
    Host() : frame(new wxFrame(nullptr, wxID_ANY, wxT("storage page"))), page(new Page(frame)) {}
    ~Host() { delete frame; }
    wxFrame* frame;
    Page* page;
};

void to_gb(Page* p, bool secure = false)
{
    choose(p->GetModeSelect_radioBox(), 1);
    gui_test::tick(p->GetEncryption_checkBox(), secure);
}

TEST(StoragePage, OperationsPostTheirRequestAndFrameTheirGlobals)
{
    const struct {
        const char* name;
        std::function<void(Page*)> act;
        std::vector<wxEventType> posted;
        const char* frame;  // of the last request
    } cases[] = {
        {"6C read, defaults", [](Page* p) { press(p->GetReadTag_button()); }, {wxEVT_READ},
         "A0 0E 00 81 00 00 00 00 00 00 01 7C 4E 19 B2 3B"},
        {"6C write, defaults", [](Page* p) { press(p->GetWriteTag_button()); }, {wxEVT_WRITE},
         "A0 10 00 82 7C 4E 19 B2 00 00 00 00 00 00 01 E2 00 56"},
        {"6C write: the length's words go out, typed words past them do not",
         [](Page* p) {
             paste_text(p->GetWriteTag_textCtrl(), wxT("1122334455667788"));
             paste_text(p->GetDataLenght_textCtrl(), wxT("4"));
             press(p->GetWriteTag_button());
             paste_text(p->GetDataLenght_textCtrl(), wxT("2"));
             press(p->GetWriteTag_button());
         },
         {wxEVT_WRITE, wxEVT_WRITE}, "A0 12 00 82 7C 4E 19 B2 00 00 00 00 00 00 02 11 22 33 44 8B"},
        {"6C lock, defaults", [](Page* p) { press(p->GetLockTag_button()); }, {wxEVT_LOCK},
         "A0 09 00 83 00 00 00 00 01 00 D3"},
        {"6C kill",
         [](Page* p) {
             paste_text(p->GetDistroyPassWord_textCtrl(), wxT("12345678"));
             press(p->GetDistroyTag_button());
         },
         {wxEVT_KILL}, "A0 07 00 84 12 34 56 78 C1"},
        {"GB read, defaults", [](Page* p) { to_gb(p); press(p->GetReadTag_button()); }, {wxEVT_GB_READ},
         "A0 0C 00 45 01 00 00 00 01 7C 4E 19 B2 78"},
        {"GB read, encrypted", [](Page* p) { to_gb(p, true); press(p->GetReadTag_button()); }, {wxEVT_GB_SREAD},
         "A0 0C 00 43 01 00 00 00 01 7C 4E 19 B2 7A"},
        {"GB write, defaults", [](Page* p) { to_gb(p); press(p->GetWriteTag_button()); }, {wxEVT_GB_WRITE},
         "A0 0E 00 46 7C 4E 19 B2 01 00 00 00 01 E2 00 93"},
        {"GB lock right after the switch: first area, first action",
         [](Page* p) {
             to_gb(p);
             EXPECT_EQ(utf8(wxJoin(p->GetLockArea_choice()->GetStrings(), ',')), "标签信息区,编码区,安全区,用户区");
             press(p->GetLockTag_button());
         },
         {wxEVT_GB_LOCK}, "A0 09 00 47 00 00 00 00 01 00 0F"},
        {"select a listed tag",
         [](Page* p) {
             p->AddTagList(wxT("E2 00 11 22 "));
             choose(p->GetTagOperate_radioBox(), 0);
             p->GetTagList_choice()->pick(0);
             press(p->GetSelect_button());
         },
         {wxEVT_NUMTAGOPERATE, wxEVT_ACCESSTAG}, "A0 09 00 85 00 04 E2 00 11 22 B9"},
        {"single, then multi-tag operation",
         [](Page* p) {
             choose(p->GetTagOperate_radioBox(), 0);
             choose(p->GetTagOperate_radioBox(), 1);
             EXPECT_FALSE(p->GetSelect_button()->IsEnabled());
         },
         {wxEVT_NUMTAGOPERATE, wxEVT_SINGLETAGOPERATE}, "A0 04 00 85 01 D6"},
        {"authentication with an empty key", [](Page* p) { to_gb(p); press(p->GetDoubleidentify_button()); },
         {wxEVT_GB_DOUBLEID}, "A0 13 00 98 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 B5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Host host;
        Requests requests;
        c.act(host.page);
        const std::vector<wxEventType> posted = requests.take();
        ASSERT_EQ(posted, c.posted);
        EXPECT_EQ(frame_for(posted.back()), hex(c.frame));
    }
}

// The refusal box: its text, caption and style; answered with OK.
class ExpectRefusal : public wxExpectModalBase<wxMessageDialog, ExpectRefusal> {
public:
    explicit ExpectRefusal(std::string text) : text_(std::move(text)) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        EXPECT_EQ(utf8(dlg->GetMessage()), text_);
        EXPECT_EQ(utf8(dlg->GetCaption()), "错误信息");
        EXPECT_EQ(dlg->GetMessageDialogStyle() & (wxYES_NO | wxCANCEL | wxOK | wxICON_MASK), wxOK | wxICON_INFORMATION);
        return wxID_OK;
    }
private:
    std::string text_;
};

TEST(StoragePage, RefusedInputSaysWhyAndPostsNothing)
{
    using Box = wxTextCtrl* (Page::*)();
    const Box length = &Page::GetDataLenght_textCtrl, start = &Page::GetStartAddr_textCtrl;
    const struct {
        bool gb;
        std::vector<std::pair<Box, const char*>> boxes;
        wxButton* (Page::*button)();
        const char* message;
    } cases[] = {
        {false, {{&Page::GetDistroyPassWord_textCtrl, "00000"}}, &Page::GetDistroyTag_button, "密码不能为0！"},
        {false, {}, &Page::GetDistroyTag_button, "密码不能为空！"},
        {false, {{start, ""}}, &Page::GetReadTag_button, "起始地址不能为空！"},
        {false, {{length, ""}}, &Page::GetReadTag_button, "数据长度不能为空！"},
        {false, {{length, "65536"}}, &Page::GetReadTag_button, "数据长度范围:0~65535！"},
        {false, {{length, "99999999999999999999999"}}, &Page::GetReadTag_button, "数据长度范围:0~65535！"},
        {true, {{start, "10000"}}, &Page::GetReadTag_button, "起始地址范围:0~FFFF！"},
        {false, {{length, ""}, {&Page::GetWriteTag_textCtrl, ""}, {start, ""}}, &Page::GetWriteTag_button,
         "数据长度不能为空！"},
        {false, {{&Page::GetWriteTag_textCtrl, ""}, {start, ""}}, &Page::GetWriteTag_button, "数据不能为空！"},
        {false, {{length, "0"}}, &Page::GetWriteTag_button, "数据长度范围:1~25！"},
        {false, {{length, "26"}}, &Page::GetWriteTag_button, "数据长度范围:1~25！"},
        {true, {{start, "FFFFFFFF"}}, &Page::GetWriteTag_button, "起始地址范围:0~FFFF！"},
        {false, {{length, "4"}}, &Page::GetWriteTag_button,
         "数据不足：数据长度为4个字，数据只有1个字（每字4位十六进制数）！"},
        {true, {{length, "2"}, {&Page::GetWriteTag_textCtrl, "E2001"}}, &Page::GetWriteTag_button,
         "数据不足：数据长度为2个字，数据只有1个字（每字4位十六进制数）！"},
        {false, {}, &Page::GetSelect_button, "标签不能为空！"},
        {false, {{&Page::GetSelectedTag_textCtrl, "E"}}, &Page::GetSelect_button, "标签不能为空！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Host host;
        Page* p = host.page;
        if (c.gb)
            to_gb(p);
        choose(p->GetTagOperate_radioBox(), 0);
        for (const auto& box : c.boxes)
            paste_text((p->*box.first)(), wxString::FromUTF8(box.second));
        Requests requests;
        const auto globals = [] {
            return std::vector<uint64_t>{OperateArea,     OperateStartAddr,         DataLenght,
                                         DistroyPassWord, uint8_t(WriteData[0]), uint8_t(EPC_Select[0])};
        };
        const std::vector<uint64_t> before = globals();
        wxTEST_DIALOG(press((p->*c.button)()), ExpectRefusal(c.message));
        EXPECT_TRUE(requests.take().empty());
        EXPECT_EQ(globals(), before);
    }
}

TEST(StoragePage, BoxesKeepTheirLeadingDigitsUpToWhatTheirGlobalHolds)
{
    const struct {
        wxTextCtrl* (Page::*box)();
        bool typed;  // key by key, else pasted at once
        std::string text;
        std::string kept;
    } cases[] = {
        {&Page::GetReadPassWord_textCtrl, true, "12G4", "124"},  // the G keystroke alone is refused
        {&Page::GetReadPassWord_textCtrl, false, "12G4", "12"},
        {&Page::GetLockPassWord_textCtrl, true, "abcdef012", "abcdef01"},
        {&Page::GetStartAddr_textCtrl, false, "ABCDEF0123", "ABCDEF01"},
        {&Page::GetDistroyPassWord_textCtrl, false, "123456789", "12345678"},
        {&Page::GetWriteTag_textCtrl, false, std::string(101, 'A'), std::string(100, 'A')},
        {&Page::GetKey_textCtrl, false, std::string(33, '1'), std::string(32, '1')},
        {&Page::GetDataLenght_textCtrl, true, "1a", "1"},
    };
    Host host;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        wxTextCtrl* box = (host.page->*c.box)();
        box->Clear();
        if (c.typed)
            gui_test::type_text(box, c.text);
        else
            paste_text(box, c.text);
        EXPECT_EQ(utf8(box->GetValue()), c.kept);
    }
}

std::vector<std::string> row(wxListCtrl* list, long item)
{
    std::vector<std::string> cells;
    for (int column = 0; column < list->GetColumnCount(); ++column)
        cells.push_back(utf8(list->GetItemText(item, column)));
    return cells;
}

const Bytes kRead = hex("00 01 14 30 00 E2 00 00 00 00 00 00 00 00 00 00 01 1A 2B 11 22 33 44 00 04 02");

TEST(StoragePage, RepliesBecomeRowsNewestFirst)
{
    Host host;
    Page* p = host.page;
    wxListCtrl* list = p->GetListCtrl11();
    // A reply before any operation still lands in the seven columns.
    p->SetReadTable(kRead.data(), kRead.size());
    EXPECT_EQ(row(list, 0), (std::vector<std::string>{"0", "30 00", "1A 2B", "E2 00 00 00 00 00 00 00 00 00 00 01 ",
                                                      "11 22 33 44 ", "4", "02"}));
    const Bytes write = hex("00 01 04 30 00 0A 0B 10 01");
    p->SetWriteTable(write.data(), write.size());
    p->SetWriteTable(write.data(), write.size() - 1);  // cut: no row
    ASSERT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(row(list, 0), (std::vector<std::string>{"1", "30 00", "0A 0B", "", "write complete", "", "01"}));

    const Bytes auth = hex("04 30 00 59 01");
    p->SetDoubleIdentifyTable(auth.data(), auth.size());
    p->SetDoubleIdentifyTable(auth.data(), auth.size());
    EXPECT_EQ(row(list, 0), (std::vector<std::string>{"0", "30 00", "00 00", "", "双向认证成功！", "0", "01"}));
    EXPECT_EQ(utf8(list->GetItemText(1, 0)), "0");

    // Every operation starts a fresh list, numbered from 0.
    press(p->GetLockTag_button());
    EXPECT_EQ(list->GetItemCount(), 0);

    // Short and random replies through every setter, each in a buffer of
    // exactly its length: the parser's own tests go through every length.
    std::mt19937 random(7);
    for (auto setter : {&Page::SetReadTable, &Page::SetWriteTable, &Page::SetLockTable, &Page::SetKillTable,
                        &Page::SetGbReadTable, &Page::SetGbWriteTable, &Page::SetGbLockTable, &Page::SetGbKillTable,
                        &Page::SetDoubleIdentifyTable})
        for (size_t len : {0, 1, 3, 5, 9, 26, 255}) {
            std::vector<uint8_t> reply(len);
            for (uint8_t& b : reply)
                b = static_cast<uint8_t>(random());
            (p->*setter)(reply.data(), reply.size());
        }
}

TEST(StoragePage, ListsDropTheOldestWhenFull)
{
    Host host;
    Page* p = host.page;
    wxListCtrl* list = p->GetListCtrl11();
    for (int i = 0; i <= Page::kMaxResultRows; ++i)
        p->SetReadTable(kRead.data(), kRead.size());
    EXPECT_EQ(list->GetItemCount(), Page::kMaxResultRows);
    EXPECT_EQ(utf8(list->GetItemText(0, 0)), std::to_string(Page::kMaxResultRows));
    EXPECT_EQ(utf8(list->GetItemText(Page::kMaxResultRows - 1, 0)), "1");

    tag_choice* tags = p->GetTagList_choice();
    // The one entry dropped is said once.
    wxString said;
    for (unsigned int i = 0; i <= Page::kMaxTagChoices; ++i)
        said += p->AddTagList(wxString::Format(wxT("%u"), i));
    EXPECT_EQ(utf8(said), "标签列表已满" + std::to_string(Page::kMaxTagChoices) + "个，最早的标签被移除！");
    EXPECT_EQ(tags->GetCount(), Page::kMaxTagChoices);
    EXPECT_EQ(tags->GetString(0), wxString::Format(wxT("%u"), Page::kMaxTagChoices));
    EXPECT_EQ(tags->GetString(Page::kMaxTagChoices - 1), wxT("1"));
}

}  // namespace
