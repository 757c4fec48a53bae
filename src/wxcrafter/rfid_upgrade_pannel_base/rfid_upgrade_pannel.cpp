#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel.h"

#include "wxcrafter/rfid_upgrade_pannel_base/firmware_image.h"

bool Upgrade_Enable = false;
unsigned int UpObject = 0;
std::string Bin_Path;
int Gaugeupgrade_Postion = 0;
unsigned int upgrade_timeout_count = 0;
bool upgraed_flag = true;

rfid_upgrade_pannel::rfid_upgrade_pannel(wxWindow* parent)
    : rfid_upgradebase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL)
{
}

rfid_upgrade_pannel::~rfid_upgrade_pannel() {}

void rfid_upgrade_pannel::take_path()
{
    Bin_Path = choosebinfile->GetPath().utf8_string();
    Upgrade_Enable = firmware_image_usable(Bin_Path);
}

// ---- handlers ----

void rfid_upgrade_pannel::UpgradeObject(wxCommandEvent& event)
{
    const int target = chooseupobject->GetSelection();
    if (target != wxNOT_FOUND)
        UpObject = static_cast<unsigned int>(target);
    event.Skip();
}

void rfid_upgrade_pannel::choosefile(wxFileDirPickerEvent& event)
{
    take_path();
    event.Skip();
}

void rfid_upgrade_pannel::StartUpgrade(wxCommandEvent& event)
{
    // Looked at again: the file may have gone since it was chosen. Without
    // an image the controller refuses with "请选择文件！" instead of starting
    // an upgrade that could send nothing.
    take_path();
    post_request(wxEVT_UPGRADE);
    event.Skip();
}

void rfid_upgrade_pannel::SendResetCMD(wxCommandEvent& event)
{
    post_request(wxEVT_RESET_PARA);
    event.Skip();
}

void rfid_upgrade_pannel::SaveParameter(wxCommandEvent& event)
{
    post_request(wxEVT_SAVE_PARA);
    event.Skip();
}

// ---- operations for the controller ----

void rfid_upgrade_pannel::SetGaugeUpgradeValue(int value)
{
    if (value >= 0 && value <= m_gauge23->GetRange())
        m_gauge23->SetValue(value);
}

void rfid_upgrade_pannel::SetButtonUpgradeState(bool on)
{
    buttonupgrade->Enable(on);
}

void rfid_upgrade_pannel::SetChooseupobjectState(bool on)
{
    chooseupobject->Enable(on);
}

wxString rfid_upgrade_pannel::TargetName(unsigned target) const
{
    return target < chooseupobject->GetCount() ? chooseupobject->GetString(target) : wxString();
}
