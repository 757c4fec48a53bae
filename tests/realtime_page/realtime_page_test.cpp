// The real-time inventory page: what a start writes and posts, the antenna
// rotation per reader type, tag reports into the list and boxes, and the
// tag-list file.
#include "page_test_support.h"

#include <cstdint>
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

using Bytes = std::vector<uint8_t>;
using Page = realtime_inventory_pannel;

// A 6C tag with a 12-byte EPC, -55 dBm, 920125 kHz, on `antenna`.
Bytes tag_a(uint8_t antenna)
{
    return {antenna, 0x30, 0x00, 0xE2, 0x00, 0x00, 0x17, 0x22, 0x0A, 0x01, 0x23,
            0x45,    0x67, 0x89, 0xAB, 0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D};
}

// A GB tag with a 6-byte EPC, -41 dBm.
Bytes tag_gb()
{
    return {0x02, 0x03, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D};
}

// As the controller hands a reply over: its data and its length byte.
wxString feed(Page* page, Bytes data)
{
    return page->SetEpcTable(data.data(), static_cast<uint8_t>(data.size() + 3));
}

void pick(wxRadioButton* radio)
{
    radio->SetValue(true);
    wxCommandEvent event(wxEVT_RADIOBUTTON, radio->GetId());
    event.SetEventObject(radio);
    event.SetInt(1);
    radio->ProcessWindowEvent(event);
}

std::string cell(wxListCtrl* list, long row, int column)
{
    return utf8(list->GetItemText(row, column));
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The page's failure box: no parent, caption "错误信息", information icon,
// one OK button, a message that names `fragment`.
class ExpectErrorBox : public wxExpectModalBase<wxMessageDialog, ExpectErrorBox> {
public:
    explicit ExpectErrorBox(const wxString& fragment_in) : fragment(fragment_in) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        EXPECT_EQ(utf8(dlg->GetCaption()), "错误信息");
        EXPECT_NE(dlg->GetMessage().Find(fragment), wxNOT_FOUND) << utf8(dlg->GetMessage());
        EXPECT_EQ(dlg->GetParent(), nullptr);
        EXPECT_EQ(dlg->GetMessageDialogStyle() & (wxOK | wxCANCEL | wxYES_NO | wxICON_MASK),
                  wxOK | wxICON_INFORMATION);
        return wxID_OK;
    }

private:
    wxString fragment;
};

struct StartCase {
    const char* what;
    int antenna_entry;
    bool custom_session;
    int session;
    int flag;
    // Expected globals.
    uint8_t work_antenna;
    uint8_t mode;
    uint8_t session_id;
    uint8_t inventory_flag;
};

TEST(RealtimeStart, WritesTheInventoryGlobalsAndPostsTheRequest)
{
    const uint8_t kUntouched = 9;
    const std::vector<StartCase> cases = {
        {"automatic, antenna 2", 1, false, 3, 1, 2, 0, kUntouched, kUntouched},
        {"session S1, flag B, antenna 1", 0, true, 1, 1, 1, 1, 1, 1},
        {"session SL, flag A, antenna 8", 7, true, 4, 0, 8, 1, 4, 0},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.what);
        Host<Page> host;
        Page* page = host.page;
        page->SetAntMode(2);
        Recorder recorder;
        WorkAntenna = kUntouched;
        SelectInventoryMode = kUntouched;
        SessionID = kUntouched;
        InventoryFlag = kUntouched;

        gui_test::choose(page->GetSelectANT_choice(), c.antenna_entry);
        if (c.custom_session)
            pick(page->GetSelf_radioButton());
        gui_test::choose(page->GetSessionID_choice(), c.session);
        gui_test::choose(page->GetInventoryFlag_choice(), c.flag);
        EXPECT_TRUE(click(page->GetStartInventory_button()));

        const std::vector<Posted> posted = recorder.take();
        ASSERT_EQ(posted.size(), 1u);
        EXPECT_EQ(posted[0].type, wxEVT_INVENTORY);
        EXPECT_EQ(posted[0].id, 0);
        EXPECT_EQ(WorkAntenna, c.work_antenna);
        EXPECT_EQ(SelectInventoryMode, c.mode);
        EXPECT_EQ(SessionID, c.session_id);
        EXPECT_EQ(InventoryFlag, c.inventory_flag);
    }
}

TEST(RealtimeStart, SessionChoicesFollowTheSessionKind)
{
    Host<Page> host;
    Page* page = host.page;
    EXPECT_FALSE(page->GetSessionID_choice()->IsEnabled());
    pick(page->GetSelf_radioButton());
    EXPECT_TRUE(page->GetSessionID_choice()->IsEnabled());
    EXPECT_TRUE(page->GetInventoryFlag_choice()->IsEnabled());
    gui_test::choose(page->GetSessionID_choice(), 3);
    pick(page->GetAuto_radioButton());
    EXPECT_FALSE(page->GetSessionID_choice()->IsEnabled());
    EXPECT_FALSE(page->GetInventoryFlag_choice()->IsEnabled());
    EXPECT_EQ(page->GetSessionID_choice()->GetSelection(), 3);
}

// Reader type (-1: not yet known), antenna entry -> start antenna and the
// antennas change_work_ant names after it.
struct RotationCase {
    int reader_type;
    int entry;
    const char* entry_text;
    uint8_t start;
    std::vector<int> next;
};

TEST(RealtimeRotation, EachCombinationCyclesItsAntennas)
{
    const std::string one_antenna = "天线1" + std::string(33, ' ');
    const std::vector<RotationCase> cases = {
        {1, 12, "天线2-天线3-天线4", 2, {3, 4, 2, 3}},
        {1, 5, "天线1-天线3", 1, {3, 1, 3, 1}},
        {1, 13, "天线1-天线2-天线3-天线4", 1, {2, 3, 4, 1, 2}},
        {1, 2, "天线3", 3, {0, 0}},
        {2, 8, "天线1-天线2-天线3-天线4-天线5-天线6-天线7-天线8", 1, {2, 3, 4, 5, 6, 7, 8, 1}},
        {2, 7, "天线8", 8, {0}},
        {0, 0, one_antenna.c_str(), 1, {0}},
        // Before the reader type is known, each entry means what it shows.
        {-1, 4, "天线1-天线2-天线3-天线4", 1, {2, 3, 4, 1}},
        {-1, 5, "天线5", 5, {0}},
    };
    for (const RotationCase& c : cases) {
        SCOPED_TRACE(c.entry_text);
        Host<Page> host;
        Page* page = host.page;
        if (c.reader_type >= 0)
            page->SetAntMode(c.reader_type);
        EXPECT_EQ(page->GetSelectANT_choice()->GetSelection(), 0);
        gui_test::choose(page->GetSelectANT_choice(), c.entry);
        ASSERT_EQ(utf8(page->GetSelectANT_choice()->GetStringSelection()), c.entry_text);
        WorkAntenna = 0;
        click(page->GetStartInventory_button());
        EXPECT_EQ(WorkAntenna, c.start);
        std::vector<int> next;
        for (size_t i = 0; i < c.next.size(); ++i)
            next.push_back(page->change_work_ant());
        EXPECT_EQ(next, c.next);
    }
}

TEST(RealtimeRotation, AStartOnOneAntennaEndsTheRotation)
{
    Host<Page> host;
    Page* page = host.page;
    page->SetAntMode(1);
    gui_test::choose(page->GetSelectANT_choice(), 4);  // 天线1-天线2
    click(page->GetStartInventory_button());
    EXPECT_EQ(page->change_work_ant(), 2);
    // An unknown reader type leaves no entry: a start changes nothing.
    page->SetAntMode(7);
    EXPECT_EQ(page->GetSelectANT_choice()->GetCount(), 0u);
    WorkAntenna = 9;
    click(page->GetStartInventory_button());
    EXPECT_EQ(WorkAntenna, 9);
    EXPECT_EQ(page->change_work_ant(), 1);

    page->SetAntMode(1);
    gui_test::choose(page->GetSelectANT_choice(), 3);  // 天线4
    click(page->GetStartInventory_button());
    EXPECT_EQ(WorkAntenna, 4);
    EXPECT_EQ(page->change_work_ant(), 0);
}

TEST(RealtimeReports, FillTheListAndTheBoxes)
{
    Host<Page> host;
    Page* page = host.page;
    wxListCtrl* list = page->GetListCtrl13();
    EXPECT_EQ(utf8(feed(page, tag_a(1))), "E2 00 00 17 22 0A 01 23 45 67 89 AB ");
    EXPECT_EQ(feed(page, tag_a(3)), wxEmptyString);
    EXPECT_EQ(utf8(feed(page, tag_gb())), "11 22 33 44 55 66 ");
    EXPECT_EQ(feed(page, {0x10}), wxEmptyString);  // a status reply
    ASSERT_TRUE(gui_test::pump_until([list] { return list->GetItemCount() == 2; }));

    const std::vector<std::vector<std::string>> want = {
        {"0", "6C", "E2 00 00 17 22 0A 01 23 45 67 89 AB ", "30 00", "1 \\ 0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0", "-55dBm",
         "920125 Khz"},
        {"1", "GB", "11 22 33 44 55 66 ", "03 00", "0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0", "-41dBm", "920125 Khz"},
    };
    for (long row = 0; row < 2; ++row)
        for (int column = 0; column < 7; ++column)
            EXPECT_EQ(cell(list, row, column), want[row][column]) << "line " << row << " column " << column;

    EXPECT_EQ(page->GetInventoryTagNumber_textCtrl()->GetValue(), wxT("2"));
    EXPECT_EQ(page->GetAcumulateData_textCtrl()->GetValue(), wxT("3"));
    EXPECT_EQ(page->GetMinRSSI_textCtrl()->GetValue(), wxT("-55"));
    EXPECT_EQ(page->GetMaxRSSI_textCtrl()->GetValue(), wxT("-41"));
    EXPECT_EQ(page->GetEpcBufferNum(), 2);
    EXPECT_EQ(utf8(page->GetEpcBuffer(2)), "11 22 33 44 55 66 ");
    EXPECT_EQ(page->GetEpcBuffer(3), wxEmptyString);

    // A refresh starts the IDs again; the reports-per-second ring goes on.
    page->AcumulateTime();
    EXPECT_EQ(page->GetIdentifytime_textCtrl()->GetValue(), wxT("3"));
    click(page->GetFlashManu_button());
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(page->GetEpcBufferNum(), 0);
    feed(page, tag_gb());
    ASSERT_TRUE(gui_test::pump_until([list] { return list->GetItemCount() == 1; }));
    EXPECT_EQ(cell(list, 0, 0), "0");
    EXPECT_EQ(page->GetAcumulateData_textCtrl()->GetValue(), wxT("1"));
    page->AcumulateTime();
    EXPECT_EQ(page->GetIdentifytime_textCtrl()->GetValue(), wxT("2"));
}

class RealtimeSave : public testing::Test {
protected:
    void SetUp() override { path = testing::TempDir() + "realtime-tags-" + std::to_string(getpid()) + ".txt"; }
    void TearDown() override { std::remove(path.c_str()); }

    void save_to(const std::string& target)
    {
        wxTEST_DIALOG(click(host.page->GetSaveTag_button()), wxExpectModal<wxFileDialog>(wxString::FromUTF8(target)));
    }

    Host<Page> host;
    std::string path;
};

TEST_F(RealtimeSave, WritesOneLinePerTag)
{
    for (int i = 0; i < 3; ++i)
        feed(host.page, tag_a(1));
    save_to(path);
    EXPECT_EQ(read_file(path),
              "PC = 30 00 ; EPC = E2 00 00 17 22 0A 01 23 45 67 89 AB  ; freq = 920125 Khz  ; rssi = -55dBm ; "
              "3 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0\n");

    // After a refresh the same name is replaced by an empty file.
    click(host.page->GetFlashManu_button());
    save_to(path);
    EXPECT_EQ(read_file(path), "");
}

TEST_F(RealtimeSave, ACancelledDialogWritesNothing)
{
    feed(host.page, tag_a(1));
    wxTEST_DIALOG(click(host.page->GetSaveTag_button()),
                  wxExpectModal<wxFileDialog>(wxString::FromUTF8(path), wxID_CANCEL));
    EXPECT_NE(access(path.c_str(), F_OK), 0);
}

TEST_F(RealtimeSave, AFileThatCannotBeWrittenIsReported)
{
    feed(host.page, tag_a(1));
    const wxString missing = wxT("/nonexistent-folder/tags.txt");
    wxTEST_DIALOG(click(host.page->GetSaveTag_button()), wxExpectModal<wxFileDialog>(missing),
                  ExpectErrorBox(missing));
    // A device that takes nothing: the file opens, the lines never arrive.
    wxTEST_DIALOG(click(host.page->GetSaveTag_button()), wxExpectModal<wxFileDialog>(wxT("/dev/full")),
                  ExpectErrorBox(wxT("/dev/full")));
}

}  // namespace
