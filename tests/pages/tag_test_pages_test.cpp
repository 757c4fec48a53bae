// The five tag-test pages as the controller meets them: what their buttons
// post and write, the label and boxes the controller sets, and the tag
// lists the controller reads back and fills.
#include "page_test_support.h"

#include "wxcrafter/buffer_inv_pannel_base/buffer_inventory_pannel.h"
#include "wxcrafter/custom_inv_pannel_base/custom_inventory_pannel.h"
#include "wxcrafter/reader_rw_pannel_base/rfid_storage_pannel.h"
#include "wxcrafter/reader_switchant_inventory_base/reader_switchant_inventory_pannel.h"
#include "wxcrafter/realtime_inv_pannel_base/realtime_inventory_pannel.h"

using namespace page_test;

namespace {

const wxString kRunning = wxString::FromUTF8("停止盘存");
const wxString kIdle = wxString::FromUTF8("开始盘存");

// The one request a click posted.
wxEventType posted_type(Recorder& recorder)
{
    const auto posted = recorder.take();
    EXPECT_EQ(posted.size(), 1u);
    if (posted.size() != 1)
        return wxEVT_NULL;
    EXPECT_FALSE(posted[0].connect_carrier);
    EXPECT_EQ(posted[0].id, 0);
    return posted[0].type;
}

std::vector<std::string> column_titles(wxListCtrl* list)
{
    std::vector<std::string> titles;
    for (int i = 0; i < list->GetColumnCount(); ++i) {
        wxListItem column;
        column.SetMask(wxLIST_MASK_TEXT);
        list->GetColumn(i, column);
        titles.push_back(utf8(column.GetText()));
    }
    return titles;
}

// Every statistics box the controller writes shows its own value, and the
// start button follows the running state.
template <class Page>
void expect_controller_setters(Page* page)
{
    page->SetTagNumber(1234);
    page->SetIdentifyTime(56L);
    page->SetAcumulateData(wxT("789"));
    page->SetAcumulatetime(wxT("10"));
    EXPECT_EQ(page->GetInventoryTagNumber_textCtrl()->GetValue(), wxT("1234"));
    EXPECT_EQ(page->GetIdentifytime_textCtrl()->GetValue(), wxT("56"));
    EXPECT_EQ(page->GetAcumulateData_textCtrl()->GetValue(), wxT("789"));
    EXPECT_EQ(page->GetAcumulatetime_textCtrl()->GetValue(), wxT("10"));

    page->SetInventoryButton(1);
    EXPECT_EQ(page->GetStartInventory_button()->GetLabel(), kRunning);
    page->SetInventoryButton(2);
    EXPECT_EQ(page->GetStartInventory_button()->GetLabel(), kIdle);
    page->SetInventoryButton(1);
    page->SetInventoryButton(0);
    EXPECT_EQ(page->GetStartInventory_button()->GetLabel(), kIdle);
}

// After a refresh the seven boxes show "0".
template <class Page>
void expect_zeroed(Page* page)
{
    for (wxTextCtrl* box : {page->GetInventoryTagNumber_textCtrl(), page->GetIdentifytime_textCtrl(),
                            page->GetExcuteTime_textCtrl(), page->GetAcumulateData_textCtrl(),
                            page->GetAcumulatetime_textCtrl(), page->GetMinRSSI_textCtrl(),
                            page->GetMaxRSSI_textCtrl()})
        EXPECT_EQ(box->GetValue(), wxT("0"));
}

TEST(RealtimePage, StartAsksForThePlainInventoryOnTheFirstAntenna)
{
    Host<realtime_inventory_pannel> host;
    Recorder recorder;
    WorkAntenna = 0;
    SelectInventoryMode = 1;
    EXPECT_TRUE(click(host.page->GetStartInventory_button()));
    EXPECT_EQ(posted_type(recorder), wxEVT_INVENTORY);
    EXPECT_EQ(WorkAntenna, 1);
    EXPECT_EQ(SelectInventoryMode, 0);
    // The same press stops: the controller decides.
    EXPECT_TRUE(click(host.page->GetStartInventory_button()));
    EXPECT_EQ(posted_type(recorder), wxEVT_INVENTORY);
}

TEST(RealtimePage, ControllerSetsLabelAndBoxes)
{
    Host<realtime_inventory_pannel> host;
    expect_controller_setters(host.page);
    host.page->SetExcuteTime(wxT("25"));
    EXPECT_EQ(host.page->GetExcuteTime_textCtrl()->GetValue(), wxT("25"));
}

// Hands the real-time page one tag report of a 4-byte EPC E2 00 00 `last`
// on antenna 1, as the controller does.
void report_tag(realtime_inventory_pannel* page, uint8_t last)
{
    uint8_t data[] = {0x01, 0x10, 0x00, 0xE2, 0x00, 0x00, last, 0x4A, 0x01, 0x02, 0x03, 0x0E, 0x0A, 0x3D};
    page->SetEpcTable(data, sizeof(data) + 3);
}

TEST(RealtimePage, TagListIsReadBackFromTheEpcColumn)
{
    Host<realtime_inventory_pannel> host;
    realtime_inventory_pannel* page = host.page;
    EXPECT_EQ(column_titles(page->GetListCtrl13()),
              (std::vector<std::string>{"ID", "类型", "EPC", "PC", "识别次数", "RSSI", "载波频率"}));
    EXPECT_EQ(page->GetEpcBufferNum(), 0);
    report_tag(page, 0x01);
    report_tag(page, 0x02);
    EXPECT_EQ(page->GetEpcBuffer(1), wxT("E2 00 00 01 "));
    EXPECT_EQ(page->GetEpcBuffer(2), wxT("E2 00 00 02 "));
    EXPECT_EQ(page->GetEpcBuffer(0), wxEmptyString);
    EXPECT_EQ(page->GetEpcBuffer(3), wxEmptyString);
}

TEST(RealtimePage, RefreshZeroesTheBoxesAndEmptiesTheList)
{
    Host<realtime_inventory_pannel> host;
    realtime_inventory_pannel* page = host.page;
    Recorder recorder;
    page->SetTagNumber(7);
    page->SetMinRSSI(wxT("-70"));
    page->AcumulateTime();
    report_tag(page, 0x01);
    EXPECT_TRUE(gui_test::pump_until([page] { return page->GetListCtrl13()->GetItemCount() == 1; }));

    EXPECT_TRUE(click(page->GetFlashManu_button()));
    EXPECT_EQ(posted_type(recorder), wxEVT_FLASHINVENTORYMENU);
    expect_zeroed(page);
    EXPECT_EQ(page->GetListCtrl13()->GetItemCount(), 0);
    EXPECT_EQ(page->GetListCtrl13()->GetColumnCount(), 7);
    // The running time starts again from the refresh.
    page->AcumulateTime();
    EXPECT_EQ(page->GetAcumulatetime_textCtrl()->GetValue(), wxT("1"));
}

TEST(RealtimePage, SecondsCountAndPaceTheAntennaChecks)
{
    Host<realtime_inventory_pannel> host;
    realtime_inventory_pannel* page = host.page;
    for (int second = 1; second <= 10; ++second) {
        EXPECT_EQ(page->Get_Time_State(), 0) << second;
        page->AcumulateTime();
    }
    EXPECT_EQ(page->GetAcumulatetime_textCtrl()->GetValue(), wxT("10"));
    EXPECT_EQ(page->Get_Time_State(), 1);
    EXPECT_EQ(page->Get_Time_State(), 0);
    EXPECT_EQ(page->change_work_ant(), 0);
}

// Hands the buffered page one record read from the reader's buffer, as the
// controller does, and waits until the list shows it.
void add_record(buffer_inventory_pannel* page)
{
    const uint8_t data[] = {0x08, 0x10, 0x00, 0xE2, 0x00, 0x00, 0x01, 0xC1, 0xC2,
                            0x4A, 0x01, 0x02, 0x03, 0x0E, 0x0A, 0x3D, 0x01, 0x01};
    const int lines = page->GetListCtrl()->GetItemCount();
    page->SetEpcTable(data, sizeof(data) + 3);
    EXPECT_TRUE(gui_test::pump_until([&] { return page->GetListCtrl()->GetItemCount() == lines + 1; }));
}

TEST(BufferPage, EveryButtonPostsItsRequest)
{
    Host<buffer_inventory_pannel> host;
    buffer_inventory_pannel* page = host.page;
    Recorder recorder;
    BuffInventoryWorkAntenna = 0;
    EXPECT_TRUE(click(page->GetStartInventory_button()));
    EXPECT_EQ(posted_type(recorder), wxEVT_BUFFINVENTORY);
    EXPECT_EQ(BuffInventoryWorkAntenna, 1);

    add_record(page);
    EXPECT_TRUE(click(page->GetClearBuff_button()));
    EXPECT_EQ(posted_type(recorder), wxEVT_CLEARBUFF);
    EXPECT_TRUE(click(page->GetReadTagNum_button()));
    EXPECT_EQ(posted_type(recorder), wxEVT_READTAGNUM);
    EXPECT_EQ(page->GetListCtrl()->GetItemCount(), 1);

    // A read starts the list again for the records it brings.
    EXPECT_TRUE(click(page->GetReadBuff_button()));
    EXPECT_EQ(posted_type(recorder), wxEVT_READTAGBUFF);
    EXPECT_EQ(page->GetListCtrl()->GetItemCount(), 0);
    add_record(page);
    EXPECT_TRUE(click(page->GetReadClearBuff_button()));
    EXPECT_EQ(posted_type(recorder), wxEVT_READCLEARTAGBUFF);
    EXPECT_EQ(page->GetListCtrl()->GetItemCount(), 0);
    EXPECT_EQ(column_titles(page->GetListCtrl()),
              (std::vector<std::string>{"ID", "PC", "CRC", "EPC", "天线号", "RSSI", "频率", "读取次数"}));

    page->SetTagNumber(42);
    EXPECT_TRUE(click(page->GetFlashManu_button()));
    EXPECT_EQ(posted_type(recorder), wxEVT_FLASHBUFFINVENTORYMENU);
    expect_zeroed(page);
}

TEST(BufferPage, ControllerSetsLabelAndBoxes)
{
    Host<buffer_inventory_pannel> host;
    expect_controller_setters(host.page);
    EXPECT_EQ(host.page->GetAcumulatetime_staticText()->GetLabel(), wxString::FromUTF8("累计运行的时间(毫秒):"));
}

TEST(SwitchAntennaPage, StartSendsTheRoundsTheFullPageStartsWith)
{
    Host<reader_switchant_inventory_pannel> host;
    host.page->SetAntMode(2);
    Recorder recorder;
    std::fill(std::begin(Round_Ant), std::end(Round_Ant), 0);
    std::fill(std::begin(Round_Num), std::end(Round_Num), 0);
    ChangeAntInventory_Round = 0;
    session_select = 3;
    flag_select = 1;
    EXPECT_TRUE(click(host.page->GetStartInventory_button()));
    EXPECT_EQ(posted_type(recorder), wxEVT_SWITCHANTINVENTORY);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(Round_Ant[k], 1) << k;
        EXPECT_EQ(Round_Num[k], 1) << k;
    }
    EXPECT_EQ(ChangeAntInventory_Round, 10);
    EXPECT_EQ(session_select, 0);
    EXPECT_EQ(flag_select, 0);
}

TEST(SwitchAntennaPage, AntennaModeSetsTheRoundCount)
{
    Host<reader_switchant_inventory_pannel> host;
    host.page->SetAntMode(1);
    EXPECT_EQ(ant_num, 4);
    host.page->SetAntMode(2);
    EXPECT_EQ(ant_num, 8);
    host.page->SetAntMode(5);  // not a reader type: unchanged
    EXPECT_EQ(ant_num, 8);
    host.page->SetAntMode(0);
    EXPECT_EQ(ant_num, 1);
}

TEST(SwitchAntennaPage, RefreshAndTagList)
{
    Host<reader_switchant_inventory_pannel> host;
    reader_switchant_inventory_pannel* page = host.page;
    Recorder recorder;
    expect_controller_setters(page);
    uint8_t report[] = {0x01, 0x08, 0x00, 0xE2, 0x01, 0x4A, 0x01, 0x02, 0x03, 0x0E, 0x0A, 0x3D};
    page->SetEpcTable(report, sizeof(report) + 3);
    EXPECT_EQ(page->GetEpcBuffer(1), wxT("E2 01 "));
    EXPECT_EQ(page->GetEpcBuffer(2), wxEmptyString);

    EXPECT_TRUE(click(page->GetFlashManu_button()));
    EXPECT_EQ(posted_type(recorder), wxEVT_FLASHINVENTORYMENU);
    expect_zeroed(page);
    EXPECT_EQ(page->GetListCtrl()->GetItemCount(), 0);
    EXPECT_EQ(page->GetEpcBuffer(1), wxEmptyString);
}

// A plain report of the one-byte EPC `epc`'s tag (PC 0x08), as the
// controller hands it over.
void feed_plain(custom_inventory_pannel* page, uint8_t epc)
{
    const uint8_t data[] = {1, 0x08, 0x00, epc, 0x00, 0x08, 0x22, 0x00, 0x00, 0x0E, 0x0A, 0x3D};
    page->SetEpcTable(data, sizeof data + 3);
}

TEST(CustomPage, StartPostsAndTheRunningStateStoresTheParameters)
{
    Host<custom_inventory_pannel> host;
    custom_inventory_pannel* page = host.page;
    Recorder recorder;
    EXPECT_TRUE(click(page->GetStartInventory_button()));
    EXPECT_EQ(posted_type(recorder), wxEVT_CUSTOMINVENTORY);

    inventory_round = 9;
    inventory_mode = 9;
    custom_read_len = 9;
    WorkAntenna = 9;
    page->SetTagNumber(5);
    feed_plain(page, 0x02);

    // A stop changes the label only.
    page->SetInventoryButton(0);
    EXPECT_EQ(page->GetStartInventory_button()->GetLabel(), kIdle);
    EXPECT_EQ(inventory_mode, 9);
    EXPECT_EQ(page->GetEpcBufferNum(), 1);

    // A start stores the parameters and begins with an empty table.
    page->SetInventoryButton(1);
    EXPECT_EQ(page->GetStartInventory_button()->GetLabel(), kRunning);
    EXPECT_EQ(inventory_round, 1);
    EXPECT_EQ(inventory_mode, 0);
    EXPECT_EQ(custom_read_len, 6);
    EXPECT_EQ(WorkAntenna, 1);
    expect_zeroed(page);
    EXPECT_EQ(page->GetListCtrl11()->GetItemCount(), 0);
    EXPECT_EQ(page->GetEpcBufferNum(), 0);
    EXPECT_EQ(page->GetEpcBuffer(1), wxEmptyString);
}

TEST(CustomPage, RefreshAndBoxes)
{
    Host<custom_inventory_pannel> host;
    custom_inventory_pannel* page = host.page;
    Recorder recorder;
    page->SetIdentifyTime(3L);
    feed_plain(page, 0x03);
    EXPECT_EQ(page->GetEpcBuffer(1), wxT("03 00 "));
    EXPECT_TRUE(click(page->GetFlashManu_button()));
    EXPECT_EQ(posted_type(recorder), wxEVT_FLASHINVENTORYMENU);
    expect_zeroed(page);
    EXPECT_EQ(page->GetListCtrl11()->GetItemCount(), 0);
    EXPECT_EQ(column_titles(page->GetListCtrl11()),
              (std::vector<std::string>{"ID", "类型", "EPC", "PC", "识别次数", "RSSI", "载波频率"}));
}

TEST(StoragePage, TagChoiceTakesNewestFirstAndKeepsRepeats)
{
    Host<rfid_storage_pannel> host;
    rfid_storage_pannel* page = host.page;
    tag_choice* tags = page->GetTagList_choice();
    page->AddTagList(wxT("E2 00 00 01 "));
    page->AddTagList(wxEmptyString);
    page->AddTagList(wxT("E2 00 00 02 "));
    page->AddTagList(wxT("E2 00 00 01 "));
    ASSERT_EQ(tags->GetCount(), 3u);
    EXPECT_EQ(tags->GetString(0), wxT("E2 00 00 01 "));
    EXPECT_EQ(tags->GetString(1), wxT("E2 00 00 02 "));
    EXPECT_EQ(tags->GetString(2), wxT("E2 00 00 01 "));

    page->GetSelectedTag_textCtrl()->SetValue(wxT("E2 00 00 02 "));
    page->Flash_Taglist();
    EXPECT_EQ(tags->GetCount(), 0u);
    EXPECT_EQ(page->GetSelectedTag_textCtrl()->GetValue(), wxEmptyString);
}

TEST(StoragePage, ClearingTheResultsLeavesSevenEmptyColumns)
{
    Host<rfid_storage_pannel> host;
    wxListCtrl* list = host.page->GetListCtrl11();
    EXPECT_EQ(list->GetColumnCount(), 6);
    list->InsertItem(0, wxT("0"));
    host.page->ClearTagList();
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(column_titles(list),
              (std::vector<std::string>{"ID", "PC", "CRC", "EPC", "数据", "数据长度", "天线"}));
}

}  // namespace
