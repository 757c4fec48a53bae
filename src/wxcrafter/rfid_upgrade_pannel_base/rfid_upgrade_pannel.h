// The firmware-upgrade page. For now it holds the upgrade globals and the two
// state setters the controller calls as the link comes and goes; the page's
// controls come later, and until then the setters have nothing to switch.
#pragma once

#include <wx/string.h>

#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel_base.h"

extern bool Upgrade_Enable;                  // a firmware file has been chosen
extern unsigned int UpObject;                // 0 reader application, 1 baseband firmware
extern wxString Bin_Path;                    // the chosen firmware image
extern int Gaugeupgrade_Postion;             // upgrade progress in percent
extern unsigned int upgrade_timeout_count;   // consecutive upgrade time-outs
extern bool upgraed_flag;                    // the upgrade may go on sending packets

class rfid_upgrade_pannel : public rfid_upgradebase {
public:
    explicit rfid_upgrade_pannel(wxWindow* parent);
    virtual ~rfid_upgrade_pannel();

    void SetButtonUpgradeState(bool on);
    void SetChooseupobjectState(bool on);
};
