#include "wxcrafter/reader_rfparam_pannel_base/rf_paramset_pannel.h"

uint8_t WorkAnt = 0;
uint8_t FastEpc = 0;
uint8_t AntPower[8] = {0};
uint8_t FreqStandard = 0;
uint8_t StartFreqStandard = 0;
uint8_t EndFreqStandard = 0;
int StartFreq = 0;
int FreqSpace = 0;
uint8_t FreqQuantity = 0;
uint8_t RfProfileID = 0;

rf_paramset_pannel::rf_paramset_pannel(wxWindow* parent)
    : rf_paramset_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL)
{
}

rf_paramset_pannel::~rf_paramset_pannel() {}

void rf_paramset_pannel::AntModeSelect(int) {}
