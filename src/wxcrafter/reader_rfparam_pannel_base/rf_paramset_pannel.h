// The RF-parameter page: work antenna, output power per antenna, multi-tag
// mode, RF link profile and frequency plan. Its handlers write the RF
// globals (reader_params.h) and post one request to the event hub; the
// reply decoder fills the page back through the setters.
#pragma once

#include "reader_params.h"

#include <array>
#include <cstdint>

#include <wx/arrstr.h>
#include <wx/string.h>

#include "wxcrafter/reader_rfparam_pannel_base/reader_rfparam_pannel_base.h"

class rf_paramset_pannel : public rf_paramset_pannelBase {
public:
    explicit rf_paramset_pannel(wxWindow* parent);
    virtual ~rf_paramset_pannel();

    // Reader type 0, 1 or 2 (one, four or eight antennas): the antenna list
    // and the power boxes that can be edited. Another type changes nothing.
    void AntModeSelect(int reader_type);
    // Makes `ant` (low byte) the work antenna and posts the request at once,
    // unchecked: the controller calls it as an inventory steps antennas.
    void StartSetAntEnvet(int ant);

    // Reply setters. A value the control has no entry for changes nothing,
    // but antenna 0 and a profile the list lacks show none.
    void SetAntPort(uint8_t ant);  // antenna number from 1
    void SetFastEpc(uint8_t mode);  // 0 off, 1 on
    void SetPrifilID(uint8_t id);   // profile id, not entry
    // Power texts in dBm; each goes through its box's filter, and box 1's
    // filter copies it into the other seven.
    void SetOutPut1Power(wxString text);
    void SetOutPut2Power(wxString text);
    void SetOutPut3Power(wxString text);
    void SetOutPut4Power(wxString text);
    void SetOutPut5Power(wxString text);
    void SetOutPut6Power(wxString text);
    void SetOutPut7Power(wxString text);
    void SetOutPut8Power(wxString text);

    // Frequency plan. Mode 0 standard region, 1 custom plan.
    void FreqModeSelect(int mode);      // enables the controls of the mode
    void FreqStandardSelect(int region);  // 0 FCC, 1 ETSI, 2 CHN
    void SetFreqMode(int mode);         // selects the mode, enables nothing
    void SetFreqRegion(uint8_t low, uint8_t high);
    void SetStartFreq(wxString text);
    void SetFreqGap(wxString text);
    void SetFreqNum(wxString text);

protected:
    void AntPortRead(wxCommandEvent& event) override;
    void AntPortset(wxCommandEvent& event) override;
    void AntPort1Enter(wxCommandEvent& event) override;
    void AntPort2Enter(wxCommandEvent& event) override;
    void AntPort3Enter(wxCommandEvent& event) override;
    void AntPort4Enter(wxCommandEvent& event) override;
    void AntPort5Enter(wxCommandEvent& event) override;
    void AntPort6Enter(wxCommandEvent& event) override;
    void AntPort7Enter(wxCommandEvent& event) override;
    void AntPort8Enter(wxCommandEvent& event) override;
    void AntPowerRead(wxCommandEvent& event) override;
    void AntPowerWrite(wxCommandEvent& event) override;
    void FastEpcRead(wxCommandEvent& event) override;
    void FastEpcWrite(wxCommandEvent& event) override;
    void RfLinkRead(wxCommandEvent& event) override;
    void RfLinkWrite(wxCommandEvent& event) override;
    void SelectSettingMode(wxCommandEvent& event) override;
    void SelectStandardFreq(wxCommandEvent& event) override;
    void StartFreqEnter(wxCommandEvent& event) override;
    void FreqGapEnter(wxCommandEvent& event) override;
    void FreqNumEnter(wxCommandEvent& event) override;
    void ReadFreqSetting(wxCommandEvent& event) override;
    void WriteFreqSetting(wxCommandEvent& event) override;
    void FlashMenu(wxCommandEvent& event) override;

    wxArrayString FreqMax_choiceArr;
    wxArrayString FreqMin_choiceArr;
    wxArrayString Ant_choiceArr;

private:
    std::array<wxTextCtrl*, 8> power_boxes() const;
    // Sets every power box to "0" through box 1 and its copy.
    void reset_powers();
};
