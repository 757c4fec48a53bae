// The firmware-upgrade page's controls and layout. Every control event goes
// to a virtual handler that only lets the event go on; rfid_upgrade_pannel
// gives them their behaviour.
#pragma once

#include <wx/button.h>
#include <wx/filepicker.h>
#include <wx/gauge.h>
#include <wx/panel.h>
#include <wx/radiobox.h>
#include <wx/statline.h>

#include "wxcrafter/page_support/page_support.h"

class rfid_upgradebase : public wxPanel {
public:
    rfid_upgradebase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxSize(500, 300), long style = wxTAB_TRAVERSAL);
    virtual ~rfid_upgradebase();

    wxStaticLine* GetStaticLine57() { return m_staticLine57; }
    wxRadioBox* GetChooseupobject() { return chooseupobject; }
    wxFilePickerCtrl* GetChoosebinfile() { return choosebinfile; }
    wxButton* GetButtonupgrade() { return buttonupgrade; }
    wxGauge* GetGauge23() { return m_gauge23; }
    wxButton* GetButtonreset() { return buttonreset; }
    wxButton* GetSaveflash_button() { return saveflash_button; }

protected:
    virtual void UpgradeObject(wxCommandEvent& event) { event.Skip(); }
    virtual void choosefile(wxFileDirPickerEvent& event) { event.Skip(); }
    virtual void StartUpgrade(wxCommandEvent& event) { event.Skip(); }
    virtual void SendResetCMD(wxCommandEvent& event) { event.Skip(); }
    virtual void SaveParameter(wxCommandEvent& event) { event.Skip(); }

    wxStaticLine* m_staticLine57;
    wxRadioBox* chooseupobject;
    wxFilePickerCtrl* choosebinfile;
    wxButton* buttonupgrade;
    wxGauge* m_gauge23;
    wxButton* buttonreset;
    wxButton* saveflash_button;

private:
    // The four command-event connections; the file picker's is made apart,
    // as its handler takes the picker's own event class.
    std::vector<PageConnection<rfid_upgradebase>> connections();
    void connect_picker(bool on);
};
