// The real-time inventory page: what a start writes and posts, the antenna
// rotation per reader type, tag reports into the list and boxes, and the
// tag-list file.
#include "page_test_support.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"

using namespace page_test;

namespace {

using Page = realtime_inventory_pannel;

// A 6C tag with a 12-byte EPC, -55 dBm, 920125 kHz, on `antenna`.
std::vector<uint8_t> tag_a(uint8_t antenna)
{
    return {antenna, 0x30, 0x00, 0xE2, 0x00, 0x00, 0x17, 0x22, 0x0A, 0x01, 0x23,
            0x45,    0x67, 0x89, 0xAB, 0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D};
}

// A GB tag with a 6-byte EPC, -41 dBm.
const std::vector<uint8_t> kTagGb = {2, 0x03, 0x00, 1, 2, 3, 4, 5, 6, 0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D};

// As the controller hands a reply over: its data and its length byte.
std::string feed(Page* page, std::vector<uint8_t> data)
{
    return utf8(page->SetEpcTable(data.data(), static_cast<uint8_t>(data.size() + 3)).epc);
}

void pick(wxRadioButton* radio)
{
    radio->SetValue(true);
    wxCommandEvent event(wxEVT_RADIOBUTTON, radio->GetId());
    event.SetEventObject(radio);
    radio->ProcessWindowEvent(event);
}

// Antenna entry, session kind and choices -> the globals a start writes.
struct StartCase {
    int entry;
    bool custom;
    int session;
    int flag;
    uint8_t work_antenna, mode, session_id, inventory_flag;
};

TEST(RealtimeStart, WritesTheInventoryGlobalsAndPostsTheRequest)
{
    const uint8_t kOld = 9;
    const std::vector<StartCase> cases = {
        {1, false, 3, 1, 2, 0, kOld, kOld},  // "自动", 天线2: session and flag stay
        {0, true, 1, 1, 1, 1, 1, 1},         // S1, B, 天线1
        {7, true, 4, 0, 8, 1, 4, 0},         // SL, A, 天线8
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.entry);
        Host<Page> host;
        Page* page = host.page;
        page->SetAntMode(2);
        Recorder recorder;
        WorkAntenna = SelectInventoryMode = SessionID = InventoryFlag = kOld;
        gui_test::choose(page->GetSelectANT_choice(), c.entry);
        if (c.custom)
            pick(page->GetSelf_radioButton());
        EXPECT_EQ(page->GetSessionID_choice()->IsEnabled(), c.custom);
        gui_test::choose(page->GetSessionID_choice(), c.session);
        gui_test::choose(page->GetInventoryFlag_choice(), c.flag);
        EXPECT_TRUE(click(page->GetStartInventory_button()));

        const std::vector<Posted> posted = recorder.take();
        ASSERT_EQ(posted.size(), 1u);
        EXPECT_EQ(posted[0].type, wxEVT_INVENTORY);
        EXPECT_EQ(std::vector<int>({WorkAntenna, SelectInventoryMode, SessionID, InventoryFlag}),
                  std::vector<int>({c.work_antenna, c.mode, c.session_id, c.inventory_flag}));
    }
}

// Reader type (-1: not yet known), antenna entry -> start antenna and the
// antennas change_work_ant names after it.
struct RotationCase {
    int reader_type;
    int entry;
    std::string entry_text;
    int start;
    std::vector<int> next;
};

TEST(RealtimeRotation, EachCombinationCyclesItsAntennas)
{
    const std::vector<RotationCase> cases = {
        {1, 12, "天线2-天线3-天线4", 2, {3, 4, 2, 3}},
        {1, 5, "天线1-天线3", 1, {3, 1, 3, 1}},
        {1, 2, "天线3", 3, {0, 0}},
        {2, 8, "天线1-天线2-天线3-天线4-天线5-天线6-天线7-天线8", 1, {2, 3, 4, 5, 6, 7, 8, 1}},
        {0, 0, "天线1" + std::string(33, ' '), 1, {0}},
        // Before the reader type is known each entry means what it shows.
        {-1, 4, "天线1-天线2-天线3-天线4", 1, {2, 3, 4, 1}},
        {-1, 5, "天线5", 5, {0}},
    };
    for (const RotationCase& c : cases) {
        SCOPED_TRACE(c.entry_text);
        Host<Page> host;
        Page* page = host.page;
        if (c.reader_type >= 0)
            page->SetAntMode(c.reader_type);
        gui_test::choose(page->GetSelectANT_choice(), c.entry);
        ASSERT_EQ(utf8(page->GetSelectANT_choice()->GetStringSelection()), c.entry_text);
        click(page->GetStartInventory_button());
        EXPECT_EQ(WorkAntenna, c.start);
        std::vector<int> next;
        for (size_t i = 0; i < c.next.size(); ++i)
            next.push_back(page->change_work_ant());
        EXPECT_EQ(next, c.next);
    }
}

TEST(RealtimeReports, FillTheListAndTheBoxes)
{
    Host<Page> host;
    Page* page = host.page;
    wxListCtrl* list = page->GetListCtrl13();
    EXPECT_EQ(feed(page, tag_a(1)), "E2 00 00 17 22 0A 01 23 45 67 89 AB ");
    EXPECT_EQ(feed(page, tag_a(3)), "");
    EXPECT_EQ(feed(page, kTagGb), "01 02 03 04 05 06 ");
    EXPECT_EQ(feed(page, {0x10}), "");  // a status reply
    ASSERT_TRUE(gui_test::pump_until([list] { return list->GetItemCount() == 2; }));

    const std::vector<std::vector<std::string>> want = {
        {"0", "6C", "E2 00 00 17 22 0A 01 23 45 67 89 AB ", "30 00", "1 \\ 0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0", "-55dBm",
         "920125 Khz"},
        {"1", "GB", "01 02 03 04 05 06 ", "03 00", "0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0", "-41dBm", "920125 Khz"},
    };
    for (long row = 0; row < 2; ++row)
        for (int column = 0; column < 7; ++column)
            EXPECT_EQ(utf8(list->GetItemText(row, column)), want[row][column]) << row << ", " << column;
    std::vector<std::string> boxes;
    for (wxTextCtrl* box : {page->GetInventoryTagNumber_textCtrl(), page->GetAcumulateData_textCtrl(),
                            page->GetMinRSSI_textCtrl(), page->GetMaxRSSI_textCtrl()})
        boxes.push_back(utf8(box->GetValue()));
    EXPECT_EQ(boxes, std::vector<std::string>({"2", "3", "-55", "-41"}));
    EXPECT_EQ(utf8(page->GetEpcBuffer(2)), "01 02 03 04 05 06 ");
    EXPECT_EQ(page->GetEpcBuffer(3), wxEmptyString);

    // A refresh starts the IDs again; the reports-per-second ring goes on.
    page->AcumulateTime();
    click(page->GetFlashManu_button());
    EXPECT_EQ(list->GetItemCount(), 0);
    feed(page, kTagGb);
    ASSERT_TRUE(gui_test::pump_until([list] { return list->GetItemCount() == 1; }));
    EXPECT_EQ(utf8(list->GetItemText(0, 0)), "0");
    page->AcumulateTime();
    EXPECT_EQ(page->GetIdentifytime_textCtrl()->GetValue(), wxT("2"));  // (3 + 1) / 2
}

// The failure box: no parent, caption "错误信息", a message naming `path`.
class ExpectErrorBox : public wxExpectModalBase<wxMessageDialog, ExpectErrorBox> {
public:
    explicit ExpectErrorBox(const wxString& path_in) : path(path_in) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        EXPECT_EQ(utf8(dlg->GetCaption()), "错误信息");
        EXPECT_NE(dlg->GetMessage().Find(path), wxNOT_FOUND) << utf8(dlg->GetMessage());
        EXPECT_EQ(dlg->GetParent(), nullptr);
        return wxID_OK;
    }

private:
    wxString path;
};

TEST(RealtimeSave, WritesOneLinePerTagAndReportsAFileItCannotWrite)
{
    Host<Page> host;
    Page* page = host.page;
    const std::string path = testing::TempDir() + "realtime-tags-" + std::to_string(getpid()) + ".txt";
    const auto saved = [&path] {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    };
    for (int i = 0; i < 3; ++i)
        feed(page, tag_a(1));
    wxTEST_DIALOG(click(page->GetSaveTag_button()), wxExpectModal<wxFileDialog>(path));
    EXPECT_EQ(saved(), "PC = 30 00 ; EPC = E2 00 00 17 22 0A 01 23 45 67 89 AB  ; freq = 920125 Khz  ; "
                       "rssi = -55dBm ; 3 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0\n");
    EXPECT_TRUE(host.notices.empty());
    // An empty table, after a refresh, replaces it with an empty file.
    click(page->GetFlashManu_button());
    wxTEST_DIALOG(click(page->GetSaveTag_button()), wxExpectModal<wxFileDialog>(path));
    EXPECT_EQ(saved(), "");

    // Tags counted past the listed ones are not in the file: said in red.
    std::vector<uint8_t> tag = tag_a(1);
    for (int i = 0; i < tag_table::kMaxRows + 10; ++i) {
        tag[13] = static_cast<uint8_t>(i >> 8);
        tag[14] = static_cast<uint8_t>(i);
        feed(page, tag);
    }
    wxTEST_DIALOG(click(page->GetSaveTag_button()), wxExpectModal<wxFileDialog>(path));
    const std::string lines = saved();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), tag_table::kMaxRows);
    EXPECT_EQ(host.notices, std::vector<std::string>{"另有10个标签未列入列表，未保存到文件！"});
    std::remove(path.c_str());

    feed(page, tag_a(1));
    for (const char* target : {"/nonexistent-folder/tags.txt", "/dev/full"})
        wxTEST_DIALOG(click(page->GetSaveTag_button()), wxExpectModal<wxFileDialog>(target),
                      ExpectErrorBox(target));
}

}  // namespace
