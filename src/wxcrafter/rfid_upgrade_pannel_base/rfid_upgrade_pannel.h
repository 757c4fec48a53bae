// The firmware-upgrade page. For now it holds the upgrade globals and the two
// state setters the controller calls as the link comes and goes; the page's
// controls come later, and until then the setters have nothing to switch.
#pragma once

#include "reader_params.h"

#include <wx/string.h>

#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel_base.h"

class rfid_upgrade_pannel : public rfid_upgradebase {
public:
    explicit rfid_upgrade_pannel(wxWindow* parent);
    virtual ~rfid_upgrade_pannel();

    void SetButtonUpgradeState(bool on);
    void SetChooseupobjectState(bool on);
};
