// The custom inventory page through its real controls: what a start
// stores, the length box and its refused length, reports into the list of
// each mode, and the tag-list file.
#include "page_test_support.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <wx/filedlg.h>
#include <wx/spinctrl.h>

#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"

using namespace page_test;

namespace {

using Page = custom_inventory_pannel;
using Bytes = std::vector<uint8_t>;

const char* const kEpcText = "E2 00 00 17 22 0A 01 23 45 67 89 AB ";

// PC 30 00 and a 12-byte EPC after the antenna, then `tail`.
Bytes tag_report(uint8_t antenna, const Bytes& tail)
{
    Bytes data = {antenna, 0x30, 0x00, 0xE2, 0x00, 0x00, 0x17, 0x22, 0x0A, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB};
    for (uint8_t b : tail)
        data.push_back(b);
    return data;
}

// Reader type (-1: none yet), antenna entry, rounds, match mode and typed
// length -> what the start stores, and the antennas the rotation names.
struct StartCase {
    int reader_type, entry, rounds, mode;
    const char* length;
    int work_antenna, inventory_round, match_code, read_len;
    std::vector<int> next;
};

TEST(CustomPageStart, StoresTheChoicesInTheInventoryGlobals)
{
    const std::vector<StartCase> cases = {
        {-1, 0, 1, 0, "", 1, 1, 0, 6, {0}},
        {-1, 4, 2, 4, "", 1, 2, 4, 0, {2, 3}},  // "天线1-天线2-天线3-天线4" before a reader
        {1, 12, 255, 8, "", 2, 255, 5, 6, {3, 4, 2}},  // "天线2-天线3-天线4"
        {2, 7, 10, 6, "32", 8, 10, 2, 32, {0}},
        {2, 8, 1, 11, "", 1, 1, 8, 13, {2, 3}},
        {2, 2, 1, 7, "", 3, 1, 3, 0, {0}},  // an empty box asks for no length
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", entry " << c.entry);
        Host<Page> host;
        Page* page = host.page;
        if (c.reader_type >= 0)
            page->SetAntMode(c.reader_type);
        gui_test::choose(page->GetSelectANT_choice(), c.entry);
        page->GetInventoryround_spinCtrl()->SetValue(c.rounds);
        gui_test::choose(page->GetMembank_choice(), c.mode);
        gui_test::type_text(page->GetReadlen_textCtrl(), c.length);
        Recorder recorder;
        EXPECT_TRUE(click(page->GetStartInventory_button()));
        ASSERT_EQ(recorder.take().size(), 1u);

        // The controller's word that the inventory starts.
        page->SetInventoryButton(1);
        EXPECT_EQ(std::vector<int>({WorkAntenna, inventory_round, inventory_mode, custom_read_len}),
                  std::vector<int>({c.work_antenna, c.inventory_round, c.match_code, c.read_len}));
        std::vector<int> next;
        for (size_t i = 0; i < c.next.size(); ++i)
            next.push_back(page->change_work_ant());
        EXPECT_EQ(next, c.next);
        EXPECT_FALSE(page->GetMembank_choice()->IsEnabled());
        EXPECT_FALSE(page->GetSelectANT_choice()->IsEnabled());
        page->SetInventoryButton(0);
        EXPECT_TRUE(page->GetInventoryround_spinCtrl()->IsEnabled());
    }
}

TEST(CustomPageStart, ALengthAbove255IsRefusedAndAStopIsNot)
{
    Host<Page> host;
    Page* page = host.page;
    wxTextCtrl* box = page->GetReadlen_textCtrl();
    EXPECT_FALSE(box->IsEnabled());
    gui_test::choose(page->GetMembank_choice(), 7);  // "自定义匹配USERdata"
    EXPECT_TRUE(box->IsEnabled());
    // The box keeps one to three digits and nothing else.
    for (const char* bad : {"12a", "1234"}) {
        gui_test::type_text(box, bad);
        EXPECT_EQ(box->GetValue(), wxEmptyString) << bad;
    }
    gui_test::type_text(box, "300");
    Recorder recorder;
    wxTEST_DIALOG(click(page->GetStartInventory_button()), ExpectRefusal("匹配长度范围:0~255！"));
    EXPECT_TRUE(recorder.take().empty());

    // Started with a length it takes; the box changes while it runs.
    box->Clear();
    gui_test::type_text(box, "32");
    click(page->GetStartInventory_button());
    page->SetInventoryButton(1);
    EXPECT_EQ(custom_read_len, 32);
    gui_test::paste_text(box, "300");
    recorder.take();
    EXPECT_TRUE(click(page->GetStartInventory_button()));
    EXPECT_EQ(recorder.take().size(), 1u);
    // A refresh with that box keeps the length the reader took.
    click(page->GetFlashManu_button());
    EXPECT_EQ(custom_read_len, 32);
    // Another mode empties and locks the box.
    gui_test::choose(page->GetMembank_choice(), 1);
    EXPECT_EQ(box->GetValue(), wxEmptyString);
    EXPECT_FALSE(box->IsEnabled());
}

TEST(CustomPageReports, TheListAndTheFileShowTheModesColumnsAndAModeChangeEmptiesThem)
{
    Host<Page> host;
    Page* page = host.page;
    tag_list_ctrl* list = page->GetListCtrl11();
    gui_test::choose(page->GetMembank_choice(), 11);  // "匹配VelaTagTemp"
    const Bytes vela = tag_report(2, {9, 9, 9, 9, 0x01, 0xF4});
    page->SetVelaTagTempTable(vela.data(), static_cast<uint8_t>(vela.size() + 3));
    ASSERT_TRUE(gui_test::pump_until([list] { return list->GetItemCount() == 1; }));
    EXPECT_EQ(list->GetItemText(0, 5), wxT("24.7"));
    EXPECT_EQ(page->GetInventoryTagNumber_textCtrl()->GetValue(), wxT("1"));
    // A sensor tag carries no RSSI.
    EXPECT_EQ(page->GetMinRSSI_textCtrl()->GetValue(), wxT("0"));
    EXPECT_EQ(page->GetMaxRSSI_textCtrl()->GetValue(), wxT("0"));

    // Another mode: no line, its columns; the boxes keep their numbers.
    gui_test::choose(page->GetMembank_choice(), 2);  // "匹配EPC"
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(list->GetColumnCount(), 9);
    EXPECT_EQ(page->GetInventoryTagNumber_textCtrl()->GetValue(), wxT("1"));
    const Bytes epc = tag_report(1, {0x1A, 0x2B, 0x02, 0xAA, 0xBB, 0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D});
    page->SetTable(epc.data(), static_cast<uint8_t>(epc.size() + 3));
    ASSERT_TRUE(gui_test::pump_until([list] { return list->GetItemCount() == 1; }));
    EXPECT_EQ(utf8(list->GetItemText(0, 3)), kEpcText);
    EXPECT_EQ(list->GetItemText(0, 6), wxT("2"));
    EXPECT_EQ(page->GetMinRSSI_textCtrl()->GetValue(), wxT("-55"));
    EXPECT_EQ(utf8(page->GetEpcBuffer(1)), kEpcText);
    EXPECT_EQ(page->GetEpcBuffer(2), wxEmptyString);

    // The file's data field holds the list's sixth column: here the data.
    const std::string path = testing::TempDir() + "custom-tags-" + std::to_string(getpid()) + ".txt";
    wxTEST_DIALOG(click(page->GetSaveTag_button()), wxExpectModal<wxFileDialog>(path));
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), std::string("<PC = 30 00><EPC = ") + kEpcText +
                              "><freq = 920125 Khz><rssi = -55dBm><1 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0 \\ 0><data = AA BB >\n");
    std::remove(path.c_str());
}

}  // namespace
