#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"

#include "wxcrafter/page_support/page_support.h"

#include <wx/sizer.h>

reader_base_setting_pannel::reader_base_setting_pannel(wxWindow* parent)
    : reader_base_setting_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL)
{
    connect_subpannel = new connect_pannel(m_notebook1);
    m_notebook1->AddPage(connect_subpannel, u8("基本参数设置"), false);
    rf_paramset_subpannel = new rf_paramset_pannel(m_notebook1);
    m_notebook1->AddPage(rf_paramset_subpannel, u8("射频参数设置"), false);
    rfid_upgrade_subpannel = new rfid_upgrade_pannel(m_notebook1);
    m_notebook1->AddPage(rfid_upgrade_subpannel, u8("版本信息"), false);
    // Sized around its pages now that they exist: a notebook left at its
    // empty size is laid out with a negative width when the window shows.
    GetSizer()->Fit(this);
}

reader_base_setting_pannel::~reader_base_setting_pannel() {}
