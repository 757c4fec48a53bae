#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel.h"

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

void rfid_upgrade_pannel::SetButtonUpgradeState(bool) {}

void rfid_upgrade_pannel::SetChooseupobjectState(bool) {}
