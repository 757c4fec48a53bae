// The RF-parameter page. For now it holds the RF globals that the links'
// command side reads, and the antenna-mode entry point the controller calls
// when a link comes up.
#pragma once

#include <cstdint>

#include "wxcrafter/reader_rfparam_pannel_base/reader_rfparam_pannel_base.h"

extern uint8_t WorkAnt;            // work antenna 1..8
extern uint8_t FastEpc;            // multi-tag mode: 0 off, 1 on
extern uint8_t AntPower[8];        // output power of antennas 1..8 in dBm
extern uint8_t FreqStandard;       // 1 FCC, 2 ETSI, 3 CHN, 4 custom
extern uint8_t StartFreqStandard;  // first channel of the standard plan
extern uint8_t EndFreqStandard;    // last channel of the standard plan
extern int StartFreq;              // custom plan: start frequency in kHz
extern int FreqSpace;              // custom plan: channel spacing in kHz
extern uint8_t FreqQuantity;       // custom plan: number of channels
extern uint8_t RfProfileID;        // RF link profile id

class rf_paramset_pannel : public rf_paramset_pannelBase {
public:
    explicit rf_paramset_pannel(wxWindow* parent);
    virtual ~rf_paramset_pannel();

    // Reader type 0, 1 or 2 (one, four or eight antennas). The page has no
    // antenna controls yet, so there is nothing to adapt.
    void AntModeSelect(int reader_type);
};
