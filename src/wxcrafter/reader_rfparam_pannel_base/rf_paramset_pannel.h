// The RF-parameter page. For now it holds the RF globals that the links'
// command side reads, and the antenna-mode entry point the controller calls
// when a link comes up.
#pragma once

#include "reader_params.h"

#include <cstdint>

#include "wxcrafter/reader_rfparam_pannel_base/reader_rfparam_pannel_base.h"

class rf_paramset_pannel : public rf_paramset_pannelBase {
public:
    explicit rf_paramset_pannel(wxWindow* parent);
    virtual ~rf_paramset_pannel();

    // Reader type 0, 1 or 2 (one, four or eight antennas). The page has no
    // antenna controls yet, so there is nothing to adapt.
    void AntModeSelect(int reader_type);
};
