#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include "wxcrafter/page_support/page_support.h"

#include <wx/sizer.h>

rfid_6c_tag_test::rfid_6c_tag_test(wxWindow* parent)
    : rfid_6c_tag_testBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL)
{
    realtime_inventory_subpannel = new realtime_inventory_pannel(m_notebook9);
    m_notebook9->AddPage(realtime_inventory_subpannel, u8("盘存标签(实时)"), false);
    buffer_inventory_subpannel = new buffer_inventory_pannel(m_notebook9);
    m_notebook9->AddPage(buffer_inventory_subpannel, u8("盘存标签(缓存模式)"), false);
    custom_inventory_subpannel = new custom_inventory_pannel(m_notebook9);
    m_notebook9->AddPage(custom_inventory_subpannel, u8("自定义盘存"), false);
    reader_switchant_inventory_subpannel = new reader_switchant_inventory_pannel(m_notebook9);
    m_notebook9->AddPage(reader_switchant_inventory_subpannel, u8("天线切换盘存"), false);
    rfid_storage_subpannel = new rfid_storage_pannel(m_notebook9);
    m_notebook9->AddPage(rfid_storage_subpannel, u8("标签操作"), false);
    // Sized around its pages now that they exist: a notebook left at its
    // empty size is laid out with a negative width when the window shows.
    GetSizer()->Fit(this);
}

rfid_6c_tag_test::~rfid_6c_tag_test() {}
