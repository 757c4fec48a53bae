// The buffered inventory page: its antenna boxes and its file, and through
// the program and the simulated reader the start frame, the reply count, an
// empty buffer, and reads of records into the list and the storage page.
#include "link_fixture.h"
#include "page_test_support.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <tuple>

#include <unistd.h>

#include <wx/checkbox.h>
#include <wx/filedlg.h>

#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

using namespace link_test;
using page_test::utf8;

namespace {

using Bytes = std::vector<uint8_t>;
using Page = buffer_inventory_pannel;

std::vector<bool> checked(Page* page)
{
    std::vector<bool> states;
    for (wxCheckBox* box : page->antenna_boxes())
        states.push_back(box->GetValue());
    return states;
}

TEST(BufferPage, TheAntennaBoxesActAsOneChoice)
{
    page_test::Host<Page> host;
    Page* page = host.page;
    page->SetAntMode(1);
    EXPECT_FALSE(page->GetAnt5_checkBox()->IsEnabled());
    // A click on box (1..8) -> the boxes checked after it and the antenna
    // a start then leaves for the link.
    const std::vector<std::tuple<int, std::vector<bool>, int>> cases = {
        {3, {false, false, true, false, false, false, false, false}, 3},
        {3, std::vector<bool>(8, false), 3},  // none checked: the previous antenna
        {2, {false, true, false, false, false, false, false, false}, 2},
    };
    for (const auto& [box, after, antenna] : cases) {
        wxCheckBox* clicked = page->antenna_boxes()[box - 1];
        gui_test::tick(clicked, !clicked->GetValue());
        EXPECT_EQ(checked(page), after) << "box " << box;
        page_test::click(page->GetStartInventory_button());
        EXPECT_EQ(BuffInventoryWorkAntenna, antenna) << "box " << box;
    }
}

// One record as a buffer read reply carries it: L 16, PC 30 00, a 12-byte
// EPC, CRC C1 C2, -55 dBm, 920125 kHz, antenna 1, read 3 times.
Bytes record(uint8_t last_epc_byte = 0xAB)
{
    return {0x10, 0x30, 0x00, 0xE2, 0x00, 0x00, 0x17, 0x22, 0x0A, 0x01, 0x23, 0x45, 0x67, 0x89, last_epc_byte,
            0xC1, 0xC2, 0x08, 0x25, 0x00, 0x00, 0x0E, 0x0A, 0x3D, 0x01, 0x03};
}

std::vector<std::string> line(wxListCtrl* list, long row)
{
    std::vector<std::string> texts;
    for (int column = 0; column < list->GetColumnCount(); ++column)
        texts.push_back(utf8(list->GetItemText(row, column)));
    return texts;
}

// The program connected over RS-232 to the simulated reader.
class BufferPageOnReader : public testing::Test {
protected:
    void SetUp() override { connect_and_reset(app, end); }

    SimPort end;
    App app;
    rfid_6c_tag_test* tests = app->rfid_6c_tag_test_pannel;
    Page* page = tests->buffer_inventory_subpannel;
};

TEST_F(BufferPageOnReader, StartCountsTheRepliesAndReadsFillTheList)
{
    readersim::SimReader& reader = end.reader();
    page->SetAntMode(1);

    gui_test::tick(page->GetAnt3_checkBox(), true);
    reader.SetReply(0x80, {0x00, 0x05});
    gui_test::press(page->GetStartInventory_button());
    ASSERT_TRUE(reader_got(end, 0x80));
    EXPECT_EQ(reader.WaitForCommand(0x80, std::chrono::milliseconds(0))->frame.data, Bytes({3}));
    ASSERT_TRUE(gui_test::pump_until([this] { return page->GetInventoryTagNumber_textCtrl()->GetValue() == "5"; }));
    EXPECT_EQ(page->GetAcumulateData_textCtrl()->GetValue(), "1");
    gui_test::press(page->GetStartInventory_button());
    ASSERT_TRUE(reader_got(end, 0x8C));

    reader.SetReply(0x90, {0x38});
    gui_test::press(page->GetReadBuff_button());
    ASSERT_TRUE(app.wait_for_log(wxString::FromUTF8("缓存为空!")));
    EXPECT_TRUE(app.log_line_red(wxString::FromUTF8("缓存为空!")));

    // Every record takes a line of its own, the newest on top.
    reader.SetReplies(0x90, {record(), record()});
    gui_test::press(page->GetReadBuff_button());
    tag_list_ctrl* list = page->GetListCtrl();
    ASSERT_TRUE(gui_test::pump_until([list] { return list->GetItemCount() == 2; }));
    EXPECT_EQ(line(list, 0), std::vector<std::string>({"1", "30 00", "C1 C2", "E2 00 00 17 22 0A 01 23 45 67 89 AB ",
                                                       "1", "-55dBm", "920125 Khz", "3"}));
    EXPECT_EQ(utf8(list->GetItemText(1, 0)), "0");
    EXPECT_EQ(tests->rfid_storage_subpannel->GetTagList_choice()->GetCount(), 2u);

    // The next read shows only its own records, from ID 0 again.
    reader.SetReplies(0x90, {record(0x01)});
    gui_test::press(page->GetReadBuff_button());
    ASSERT_TRUE(gui_test::pump_until([list] { return list->GetItemCount() == 1; }));
    EXPECT_EQ(utf8(list->GetItemText(0, 3)), "E2 00 00 17 22 0A 01 23 45 67 89 01 ");
    EXPECT_EQ(utf8(list->GetItemText(0, 0)), "0");
}

// The reader empties its buffer as it sends it: every record must stay.
// (The file is saved below, without the program: beside the whole program
// a file dialog leaves a block of the toolkit's own unfreed, which the leak
// check reports.)
TEST_F(BufferPageOnReader, AReadOf800RecordsKeepsThemAllInTheListAndTheStorageList)
{
    const int kRecords = 800;
    std::vector<Bytes> records;
    for (int i = 0; i < kRecords; ++i)
        records.push_back(record(static_cast<uint8_t>(i)));
    end.reader().SetReplies(0x91, records);
    gui_test::press(page->GetReadClearBuff_button());
    tag_list_ctrl* list = page->GetListCtrl();
    ASSERT_TRUE(gui_test::pump_until([list] { return list->GetItemCount() == kRecords; }));
    EXPECT_EQ(utf8(list->GetItemText(0, 0)), "799");
    tag_choice* tags = tests->rfid_storage_subpannel->GetTagList_choice();
    ASSERT_EQ(tags->GetCount(), static_cast<unsigned>(kRecords));
    EXPECT_EQ(utf8(tags->GetString(0)), "E2 00 00 17 22 0A 01 23 45 67 89 1F ");
}

// Records past the store are dropped; once they stop coming, a red line
// gives how many went.
TEST(BufferPage, RecordsPastTheStoreAreSaidInFullOnceTheyStop)
{
    page_test::Host<Page> host;
    const Bytes data = record();
    const auto feed = [&](int records) {
        for (int i = 0; i < records; ++i)
            host.page->SetEpcTable(data.data(), static_cast<uint8_t>(data.size() + 3));
    };
    const std::string line = "缓存记录超过" + std::to_string(buffer_records::kMaxRecords) + "条，其后的记录未保存：已丢弃";
    feed(buffer_records::kMaxRecords + 50);
    ASSERT_TRUE(gui_test::pump_until([&] { return host.notices.size() == 1; }));
    feed(5);
    ASSERT_TRUE(gui_test::pump_until([&] { return host.notices.size() == 2; }));
    EXPECT_EQ(host.notices, (std::vector<std::string>{line + "50条！", line + "55条！"}));
}

TEST(BufferPage, SavesEveryRecordOldestFirst)
{
    page_test::Host<Page> host;
    std::string expected;
    for (int i = 0; i < 800; ++i) {
        const Bytes data = record(static_cast<uint8_t>(0xAB + i));
        host.page->SetEpcTable(data.data(), static_cast<uint8_t>(data.size() + 3));
        expected += std::string("PC = 30 00 ; EPC = E2 00 00 17 22 0A 01 23 45 67 89 ") + convert_type(data[14], 16) +
                    "  ; freq = 920125 Khz  ; rssi = -55dBm ;  ant = 1; read num = 3\n";
    }
    const std::string path = testing::TempDir() + "buffer-tags-" + std::to_string(getpid()) + ".txt";
    wxTEST_DIALOG(page_test::click(host.page->GetSaveTag_button()), wxExpectModal<wxFileDialog>(path));
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), expected);
    std::remove(path.c_str());
}

}  // namespace
