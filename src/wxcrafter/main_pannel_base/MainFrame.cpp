#include "wxcrafter/main_pannel_base/MainFrame.h"

#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"
#include "wxcrafter/reader_uart_monitor_pannel_base/uart_monitor_pannel.h"
#include "wxcrafter/tag_6c_test_pannel_base/rfid_6c_tag_test.h"

#include <wx/icon.h>
#include <wx/intl.h>

#include "wxcrafter/main_pannel_base/reader_icon.xpm"

MainFrame::MainFrame(wxWindow* parent)
    : MainFrameBaseClass(parent, wxID_ANY, _("UHF RFID Reader V1.76.8"), wxDefaultPosition,
                         wxDefaultSize, wxDEFAULT_FRAME_STYLE & ~wxCLIP_CHILDREN)
{
    SetIcon(wxIcon(reader_icon_xpm));

    base_setting_pannel = new reader_base_setting_pannel(m_notebook1);
    m_notebook1->AddPage(base_setting_pannel, wxString::FromUTF8("读写器设置"), true);
    rfid_6c_tag_test_pannel = new rfid_6c_tag_test(m_notebook1);
    m_notebook1->AddPage(rfid_6c_tag_test_pannel, wxString::FromUTF8("标签测试"), false);
    rfid_uart_monitor_pannel = new uart_monitor_pannel(m_notebook1);
    m_notebook1->AddPage(rfid_uart_monitor_pannel, wxString::FromUTF8("串口监控数据"), false);

    place_on_screen();

    open_uart_monitor_checkBox->SetValue(true);
}

MainFrame::~MainFrame() {}

void MainFrame::UartDataLogUpdate(wxCommandEvent& event)
{
    wxUnusedVar(event);
}
