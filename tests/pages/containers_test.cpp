// The two notebook containers: their tabs, in order, and the page pointers
// through which the controller reaches every page.
#include "page_test_support.h"

#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

using namespace page_test;

namespace {

std::vector<std::string> tab_labels(wxNotebook* book)
{
    std::vector<std::string> labels;
    for (size_t i = 0; i < book->GetPageCount(); ++i)
        labels.push_back(utf8(book->GetPageText(i)));
    return labels;
}

TEST(ReaderSettingsContainer, HoldsConnectionRfAndUpgradeTabs)
{
    Host<reader_base_setting_pannel> host;
    reader_base_setting_pannel* box = host.page;
    wxNotebook* book = box->GetNotebook1();

    EXPECT_EQ(tab_labels(book), (std::vector<std::string>{"基本参数设置", "射频参数设置", "版本信息"}));
    ASSERT_NE(box->connect_subpannel, nullptr);
    ASSERT_NE(box->rf_paramset_subpannel, nullptr);
    ASSERT_NE(box->rfid_upgrade_subpannel, nullptr);
    EXPECT_EQ(book->GetPage(0), box->connect_subpannel);
    EXPECT_EQ(book->GetPage(1), box->rf_paramset_subpannel);
    EXPECT_EQ(book->GetPage(2), box->rfid_upgrade_subpannel);
    EXPECT_EQ(box->get_connect_pannel(), box->connect_subpannel);
    EXPECT_EQ(box->get_rf_paramset_pannel(), box->rf_paramset_subpannel);
    EXPECT_EQ(box->get_rfid_upgrade_pannel(), box->rfid_upgrade_subpannel);
    for (size_t i = 0; i < book->GetPageCount(); ++i)
        EXPECT_EQ(book->GetPage(i)->GetParent(), book);
    EXPECT_EQ(book->GetSelection(), 0);
    EXPECT_EQ(book->GetName(), wxT("m_notebook1"));
    EXPECT_EQ(box->GetName(), wxT("reader_base_setting_pannelBase"));
}

TEST(TagTestContainer, HoldsTheFiveTagTestTabsInTheirOrder)
{
    Host<rfid_6c_tag_test> host;
    rfid_6c_tag_test* box = host.page;
    wxNotebook* book = box->GetNotebook9();

    EXPECT_EQ(tab_labels(book), (std::vector<std::string>{"盘存标签(实时)", "盘存标签(缓存模式)", "自定义盘存",
                                                          "天线切换盘存", "标签操作"}));
    const std::vector<wxWindow*> in_tab_order = {
        box->realtime_inventory_subpannel, box->buffer_inventory_subpannel, box->custom_inventory_subpannel,
        box->reader_switchant_inventory_subpannel, box->rfid_storage_subpannel};
    for (size_t i = 0; i < in_tab_order.size(); ++i) {
        ASSERT_NE(in_tab_order[i], nullptr) << i;
        EXPECT_EQ(book->GetPage(i), in_tab_order[i]) << i;
        EXPECT_EQ(in_tab_order[i]->GetParent(), book) << i;
    }
    EXPECT_EQ(box->get_realtime_inventory_pannel(), box->realtime_inventory_subpannel);
    EXPECT_EQ(box->get_buffer_inventory_pannel(), box->buffer_inventory_subpannel);
    EXPECT_EQ(box->get_custom_inventory_subpannel(), box->custom_inventory_subpannel);
    EXPECT_EQ(box->get_rfid_storage_subpannel(), box->rfid_storage_subpannel);
    EXPECT_EQ(box->get_reader_switchant_inventory_subpannel(), box->reader_switchant_inventory_subpannel);
    EXPECT_EQ(book->GetSelection(), 0);
    EXPECT_EQ(book->GetName(), wxT("m_notebook9"));
}

TEST(Containers, ASecondPairBuildsAndGoesCleanly)
{
    // Built twice in one run, the bases set up their resources only once;
    // under the sanitizers this also proves the window tree frees it all.
    for (int round = 0; round < 2; ++round) {
        Host<reader_base_setting_pannel> settings;
        Host<rfid_6c_tag_test> tags;
        EXPECT_EQ(settings.page->GetNotebook1()->GetPageCount(), 3u);
        EXPECT_EQ(tags.page->GetNotebook9()->GetPageCount(), 5u);
    }
}

}  // namespace
