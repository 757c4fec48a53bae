// The antenna-switch page: what a start checks, writes and posts, the count
// filters, the rows open per reader type and running state, and through the
// program and the simulated reader the 0x87 frame, tag reports and the end.
#include "link_fixture.h"
#include "page_test_support.h"

#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

using namespace link_test;
using page_test::utf8;

namespace {

using Bytes = std::vector<uint8_t>;
using Page = reader_switchant_inventory_pannel;

const char* const kCycleRefusal = "循环次数最大为255！ 最小为1!";
const char* const kRoundRefusal = "轮询次数最大为255！";

// Texts in the cycle box and the round boxes A..H -> whether the start is
// posted (else one refusal per bad count) and the counts left in the globals.
struct StartCase {
    const char* cycle;
    std::vector<const char*> rounds;
    int refusals;  // of kCycleRefusal when `cycles` is 0, else of kRoundRefusal
    uint8_t cycles;
    Bytes polls;
};

TEST(SwitchantStart, CountsAreCheckedBeforeTheStartIsPosted)
{
    const std::vector<const char*> ones(8, "1");
    const uint8_t kOld = 9;
    const std::vector<StartCase> cases = {
        {"", ones, 1, 0, Bytes(8, kOld)},
        {"0", ones, 1, 0, Bytes(8, kOld)},
        {"256", ones, 1, 0, Bytes(8, kOld)},
        {"255", {"1", "300", "", "999", "0", "255", "7", "1"}, 2, 255, {1, kOld, 0, kOld, 0, 255, 7, 1}},
        {"1", {"255", "0", "", "7", "1", "1", "1", "1"}, 0, 1, {255, 0, 0, 7, 1, 1, 1, 1}},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.cycle);
        page_test::Host<Page> host;
        Page* page = host.page;
        page->SetAntMode(2);
        gui_test::choose(page->GetC_choice(), 2);
        gui_test::choose(page->GetSession_choice(), 3);
        gui_test::choose(page->GetFlag_choice(), 1);
        gui_test::paste_text(page->GetCycle_textCtrl(), c.cycle);
        for (int k = 0; k < 8; ++k)
            gui_test::paste_text(page->round_boxes()[k], c.rounds[k]);
        ChangeAntInventory_Round = 0;
        std::fill(std::begin(Round_Num), std::end(Round_Num), kOld);
        page_test::Recorder recorder;

        wxButton* start = page->GetStartInventory_button();
        const char* refusal = c.cycles == 0 ? kCycleRefusal : kRoundRefusal;
        if (c.refusals == 0) {
            page_test::click(start);
        } else if (c.refusals == 1) {
            wxTEST_DIALOG(page_test::click(start), ExpectRefusal(refusal));
        } else {
            wxTEST_DIALOG(page_test::click(start), ExpectRefusal(refusal), ExpectRefusal(refusal));
        }

        EXPECT_EQ(recorder.take().size(), c.refusals == 0 ? 1u : 0u);
        EXPECT_EQ(ChangeAntInventory_Round, c.cycles);
        EXPECT_EQ(Bytes(std::begin(Round_Num), std::end(Round_Num)), c.polls);
        // Written on every press, refused or not.
        EXPECT_EQ(Bytes(std::begin(Round_Ant), std::end(Round_Ant)), Bytes({1, 1, 3, 1, 1, 1, 1, 1}));
        EXPECT_EQ(Bytes({session_select, flag_select}), Bytes({3, 1}));
    }
}

TEST(SwitchantStart, CountBoxesTakeAtMostThreeDigits)
{
    page_test::Host<Page> host;
    wxTextCtrl* box = host.page->GetDround_textCtrl();
    for (const auto& c : std::vector<std::pair<const char*, const char*>>{{"12a", ""}, {"1234", ""}, {"255", "255"}}) {
        box->Clear();
        gui_test::type_text(box, c.first);
        EXPECT_EQ(utf8(box->GetValue()), c.second) << c.first;
    }
}

TEST(SwitchantRows, OpenForTheReadersRoundsAndLockedWhileRunning)
{
    page_test::Host<Page> host;
    Page* page = host.page;
    const auto rows_open = [page] {
        std::vector<bool> open;
        for (int k = 0; k < 8; ++k)
            open.push_back(page->round_choices()[k]->IsEnabled() && page->round_boxes()[k]->IsEnabled());
        return open;
    };
    const std::vector<bool> four = {true, true, true, true, false, false, false, false};
    page->SetAntMode(2);
    page->SetAntMode(1);
    EXPECT_EQ(rows_open(), four);
    EXPECT_EQ(page->GetH_choice()->GetCount(), 4u);
    EXPECT_EQ(utf8(page->GetHround_textCtrl()->GetValue()), "0");
    page->SetInventoryButton(1);
    EXPECT_EQ(rows_open(), std::vector<bool>(8, false));
    EXPECT_FALSE(page->GetCycle_textCtrl()->IsEnabled());
    EXPECT_TRUE(page->GetSession_choice()->IsEnabled() && page->GetFlag_choice()->IsEnabled());
    page->SetInventoryButton(0);
    EXPECT_EQ(rows_open(), four);
}

// A report of the tag E2 00 ... AB with PC `pc` on antenna `antenna`.
Bytes report(uint8_t antenna, uint8_t pc)
{
    return {antenna, pc,   0x00, 0xE2, 0x00, 0x00, 0x17, 0x22, 0x0A, 0x01, 0x23,
            0x45,    0x67, 0x89, 0xAB, 0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D};
}

TEST(SwitchantOnReader, StartSendsTheRoundsReportsFillTheTableAndTheEndIsLogged)
{
    SimPort end;
    App app;
    connect_and_reset(app, end);
    Page* page = app->rfid_6c_tag_test_pannel->reader_switchant_inventory_subpannel;
    readersim::SimReader& reader = end.reader();
    page->SetAntMode(1);

    // The known tag keeps its first PC; antennas 0 and 12 count nowhere.
    reader.SetReplies(0x87, {report(1, 0x30), report(3, 0x34), report(0, 0x30), report(12, 0x30), {0x13}});
    gui_test::press(page->GetStartInventory_button());
    ASSERT_TRUE(reader_got(end, 0x87));
    const readersim::SimFrame sent = reader.WaitForCommand(0x87, std::chrono::milliseconds(0))->frame;
    EXPECT_EQ(sent.data, Bytes({0x04, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x0A}));
    EXPECT_EQ(readersim::EncodeFrame(sent.addr, sent.cmd, sent.data)[1], 0x10);

    const wxString done = wxString::FromUTF8("结束多天线轮询盘存");
    ASSERT_TRUE(app.wait_for_log(done));
    EXPECT_FALSE(app.log_line_red(done));
    EXPECT_EQ(utf8(page->GetStartInventory_button()->GetLabel()), "开始盘存");
    EXPECT_TRUE(page->GetDround_textCtrl()->IsEnabled());

    tag_list_ctrl* list = page->GetListCtrl();
    ASSERT_TRUE(gui_test::pump_until([page] { return page->GetAcumulateData_textCtrl()->GetValue() == "4"; }));
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(utf8(list->GetItemText(0, 3)), "30 00");
    EXPECT_EQ(utf8(list->GetItemText(0, 4)), "1 \\ 0 \\ 1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0");
}

}  // namespace
