// The firmware-upgrade page: the upgrade target, the image file, the start
// button and its progress, and the reader's restore-factory-settings and
// save-parameters requests. Its handlers write the upgrade globals
// (reader_params.h) and post one request to the event hub; the controller
// drives the start button, the target box and the gauge through the setters.
#pragma once

#include "reader_params.h"

#include <wx/string.h>

#include "wxcrafter/rfid_upgrade_pannel_base/rfid_upgrade_pannel_base.h"

class rfid_upgrade_pannel : public rfid_upgradebase {
public:
    explicit rfid_upgrade_pannel(wxWindow* parent);
    virtual ~rfid_upgrade_pannel();

    // 0..100 sets the gauge; any other value leaves it as it is.
    void SetGaugeUpgradeValue(int value);
    // The start button alone.
    void SetButtonUpgradeState(bool on);
    // The target box alone.
    void SetChooseupobjectState(bool on);
    // Upgrade target `target` (UpObject's values) as the target box names
    // it; empty for a value the box does not offer.
    wxString TargetName(unsigned target) const;

protected:
    void UpgradeObject(wxCommandEvent& event) override;
    void choosefile(wxFileDirPickerEvent& event) override;
    void StartUpgrade(wxCommandEvent& event) override;
    void SendResetCMD(wxCommandEvent& event) override;
    void SaveParameter(wxCommandEvent& event) override;

private:
    // Bin_Path from the picker, and Upgrade_Enable from whether it names an
    // image the link can send.
    void take_path();
};
