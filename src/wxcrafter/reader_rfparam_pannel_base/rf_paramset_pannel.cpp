#include "wxcrafter/reader_rfparam_pannel_base/rf_paramset_pannel.h"

#include <climits>

#include "wxcrafter/page_support/page_support.h"
#include "wxcrafter/reader_rfparam_pannel_base/rf_param_tables.h"

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

namespace {

const wxChar* const kZero = wxT("0");
const wxChar* const kDefaultStartFreq = wxT("900000");
const wxChar* const kDefaultFreqGap = wxT("25");
const wxChar* const kDefaultFreqNum = wxT("1");
const int kCustomMode = 1;

// A power box holds one or two digits. Three or more characters, or any
// character that is no digit, empty it. True when it holds digits after.
bool filter_power(wxTextCtrl* box)
{
    // Emptying raises the filter again, on the empty text.
    return !empty_if_refused(box, 2, is_decimal_digit) && !box->IsEmpty();
}

void filter_digits(wxTextCtrl* box)
{
    cut_at_first_refused(box, is_decimal_digit);
}

// Selects `index` when the control has such an entry; a reply naming one
// it lacks leaves the control as it was.
template <class Control>
void select_if_present(Control* control, int index)
{
    if (index >= 0 && index < static_cast<int>(control->GetCount()))
        control->SetSelection(index);
}

const char* const kFreqRefusal =
    "频率参数设置错误！\n起始频率范围:840MHz~960MHz\n频道间隔范围:25-65535,最小间距25KHz\n频点数量范围:1-200";

}  // namespace

rf_paramset_pannel::rf_paramset_pannel(wxWindow* parent)
    : rf_paramset_pannelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(500, 300), wxTAB_TRAVERSAL)
{
    // SetValue, so that the boxes' filters see what the program puts there.
    StartFreq_textCtrl->SetValue(kDefaultStartFreq);
    FreqGap_textCtrl->SetValue(kDefaultFreqGap);
    FreqNum_textCtrl->SetValue(kDefaultFreqNum);
    RfLink_radioBox->SetSelection(0);
    reset_powers();
}

rf_paramset_pannel::~rf_paramset_pannel() {}

std::array<wxTextCtrl*, 8> rf_paramset_pannel::power_boxes() const
{
    return {AntPort1_textCtrl, AntPort2_textCtrl, AntPort3_textCtrl, AntPort4_textCtrl,
            AntPort5_textCtrl, AntPort6_textCtrl, AntPort7_textCtrl, AntPort8_textCtrl};
}

void rf_paramset_pannel::reset_powers()
{
    // Box 1 copies its "0" on; the others are set as well, so that no box
    // keeps an old value whatever box 1 held before.
    for (wxTextCtrl* box : power_boxes())
        box->SetValue(kZero);
}

// ---- handlers ----

void rf_paramset_pannel::AntPortRead(wxCommandEvent& event)
{
    post_request(wxEVT_GETCHECKOUTWORKANT);
    event.Skip();
}

void rf_paramset_pannel::AntPortset(wxCommandEvent& event)
{
    // No antenna shown (the reader reported antenna 0): none to set.
    const int entry = AntPort_choice->GetSelection();
    if (entry == wxNOT_FOUND) {
        show_refusal(u8("请选择工作天线！"));
        return;
    }
    WorkAnt = static_cast<uint8_t>(entry + 1);
    post_request(wxEVT_SETCHECKOUTWORKANT);
    event.Skip();
}

void rf_paramset_pannel::AntPort1Enter(wxCommandEvent&)
{
    if (!filter_power(AntPort1_textCtrl))
        return;
    const wxString text = AntPort1_textCtrl->GetValue();
    const std::array<wxTextCtrl*, 8> boxes = power_boxes();
    for (size_t i = 1; i < boxes.size(); ++i)
        boxes[i]->SetValue(text);
}

void rf_paramset_pannel::AntPort2Enter(wxCommandEvent&) { filter_power(AntPort2_textCtrl); }
void rf_paramset_pannel::AntPort3Enter(wxCommandEvent&) { filter_power(AntPort3_textCtrl); }
void rf_paramset_pannel::AntPort4Enter(wxCommandEvent&) { filter_power(AntPort4_textCtrl); }
void rf_paramset_pannel::AntPort5Enter(wxCommandEvent&) { filter_power(AntPort5_textCtrl); }
void rf_paramset_pannel::AntPort6Enter(wxCommandEvent&) { filter_power(AntPort6_textCtrl); }
void rf_paramset_pannel::AntPort7Enter(wxCommandEvent&) { filter_power(AntPort7_textCtrl); }
void rf_paramset_pannel::AntPort8Enter(wxCommandEvent&) { filter_power(AntPort8_textCtrl); }

void rf_paramset_pannel::AntPowerRead(wxCommandEvent& event)
{
    post_request(wxEVT_GETPOWER);
    event.Skip();
}

void rf_paramset_pannel::AntPowerWrite(wxCommandEvent& event)
{
    // Every box counts, the disabled ones too: the command may carry all
    // eight powers.
    bool in_range = true;
    const std::array<wxTextCtrl*, 8> boxes = power_boxes();
    for (size_t i = 0; i < boxes.size(); ++i) {
        unsigned long power = UCHAR_MAX;
        leading_decimal(boxes[i]->GetValue(), UCHAR_MAX, power);  // too long to hold: left at 255
        AntPower[i] = static_cast<uint8_t>(power);
        in_range = in_range && power <= rf_tables::kMaxPower;
    }
    if (!in_range) {
        reset_powers();
        show_refusal(u8("功率范围:0~33！"));
        return;
    }
    post_request(wxEVT_SETPOWER);
    event.Skip();
}

void rf_paramset_pannel::FastEpcRead(wxCommandEvent& event)
{
    post_request(wxEVT_GETREADTAGMODE);
    event.Skip();
}

void rf_paramset_pannel::FastEpcWrite(wxCommandEvent& event)
{
    FastEpc = static_cast<uint8_t>(FastEpc_radioBox->GetSelection());
    post_request(wxEVT_SETREADTAGMODE);
    event.Skip();
}

void rf_paramset_pannel::RfLinkRead(wxCommandEvent& event)
{
    post_request(wxEVT_GETRFLINK);
    event.Skip();
}

void rf_paramset_pannel::RfLinkWrite(wxCommandEvent& event)
{
    // No profile shown (the reader reported one the list lacks): none to set.
    const int entry = RfLink_radioBox->GetSelection();
    if (entry < 0 || entry >= rf_tables::kProfileCount) {
        show_refusal(u8("请选择通讯带宽配置！"));
        return;
    }
    RfProfileID = rf_tables::kProfiles[entry].id;
    post_request(wxEVT_SETRFLINK);
    event.Skip();
}

void rf_paramset_pannel::SelectSettingMode(wxCommandEvent& event)
{
    FreqModeSelect(Freq_radioBox->GetSelection());
    event.Skip();
}

void rf_paramset_pannel::SelectStandardFreq(wxCommandEvent& event)
{
    FreqStandardSelect(FreqStander_choice->GetSelection());
    event.Skip();
}

void rf_paramset_pannel::StartFreqEnter(wxCommandEvent&)
{
    filter_digits(StartFreq_textCtrl);
}

void rf_paramset_pannel::FreqGapEnter(wxCommandEvent&)
{
    filter_digits(FreqGap_textCtrl);
}

void rf_paramset_pannel::FreqNumEnter(wxCommandEvent&)
{
    filter_digits(FreqNum_textCtrl);
}

void rf_paramset_pannel::ReadFreqSetting(wxCommandEvent& event)
{
    post_request(wxEVT_GETFREQ);
    event.Skip();
}

void rf_paramset_pannel::WriteFreqSetting(wxCommandEvent& event)
{
    if (Freq_radioBox->GetSelection() == 0) {
        const int region = FreqStander_choice->GetSelection();
        if (region >= 0 && region < rf_tables::kRegionCount) {
            const rf_tables::Region& r = rf_tables::kRegions[region];
            FreqStandard = r.code;
            StartFreqStandard = r.first;
            EndFreqStandard = r.last;
        }
        post_request(wxEVT_SETFREQ);
        event.Skip();
        return;
    }

    // Each number is read whole: one too large for its global is refused,
    // never wrapped into a value that passes. A refused number that fits is
    // kept in its global all the same.
    FreqStandard = rf_tables::kCustomPlanCode;
    unsigned long start = 0;
    unsigned long space = 0;
    unsigned long count = 0;
    const bool start_fits = leading_decimal(StartFreq_textCtrl->GetValue(), INT_MAX, start);
    const bool space_fits = leading_decimal(FreqGap_textCtrl->GetValue(), INT_MAX, space);
    const bool count_fits = leading_decimal(FreqNum_textCtrl->GetValue(), UCHAR_MAX, count);
    if (start_fits)
        StartFreq = static_cast<int>(start);
    if (space_fits)
        FreqSpace = static_cast<int>(space);
    if (count_fits)
        FreqQuantity = static_cast<uint8_t>(count);

    if (start_fits && space_fits && count_fits && rf_tables::custom_plan_ok(start, space, count)) {
        post_request(wxEVT_SETFREQ);
        event.Skip();
        return;
    }
    FreqGap_textCtrl->Clear();
    FreqNum_textCtrl->Clear();
    StartFreq_textCtrl->Clear();
    show_refusal(u8(kFreqRefusal));
}

void rf_paramset_pannel::FlashMenu(wxCommandEvent& event)
{
    AntPort_choice->SetSelection(0);
    reset_powers();
    FastEpc_radioBox->SetSelection(1);
    Freq_radioBox->SetSelection(kCustomMode);
    FreqStander_choice->SetSelection(0);
    FreqStandardSelect(FreqStander_choice->GetSelection());
    FreqModeSelect(Freq_radioBox->GetSelection());
    StartFreq_textCtrl->SetValue(kDefaultStartFreq);
    FreqGap_textCtrl->SetValue(kDefaultFreqGap);
    FreqNum_textCtrl->SetValue(kDefaultFreqNum);
    RfLink_radioBox->SetSelection(0);
    event.Skip();
}

// ---- operations for the controller ----

void rf_paramset_pannel::AntModeSelect(int reader_type)
{
    const int antennas = rf_tables::antenna_count(reader_type);
    if (antennas == 0)
        return;
    reset_powers();
    Ant_choiceArr.Clear();
    for (int i = 1; i <= antennas; ++i)
        Ant_choiceArr.Add(wxString::Format(u8("天线%d"), i));
    const std::array<wxTextCtrl*, 8> boxes = power_boxes();
    for (int i = 0; i < static_cast<int>(boxes.size()); ++i)
        boxes[i]->Enable(i < antennas);
    AntPort_choice->Set(Ant_choiceArr);
    AntPort_choice->SetSelection(0);
}

void rf_paramset_pannel::StartSetAntEnvet(int ant)
{
    WorkAnt = static_cast<uint8_t>(ant & 0xFF);
    post_request(wxEVT_SETCHECKOUTWORKANT);
}

void rf_paramset_pannel::SetAntPort(uint8_t ant)
{
    // Antenna 0 is none of the entries: the choice shows no antenna.
    if (ant == 0)
        AntPort_choice->SetSelection(wxNOT_FOUND);
    else
        select_if_present(AntPort_choice, static_cast<int>(ant) - 1);
}

void rf_paramset_pannel::SetFastEpc(uint8_t mode)
{
    select_if_present(FastEpc_radioBox, mode);
}

void rf_paramset_pannel::SetPrifilID(uint8_t id)
{
    // A profile the list lacks shows as none: it is not one of them.
    RfLink_radioBox->SetSelection(rf_tables::profile_index(id));
}

void rf_paramset_pannel::SetOutPut1Power(wxString text) { AntPort1_textCtrl->SetValue(text); }
void rf_paramset_pannel::SetOutPut2Power(wxString text) { AntPort2_textCtrl->SetValue(text); }
void rf_paramset_pannel::SetOutPut3Power(wxString text) { AntPort3_textCtrl->SetValue(text); }
void rf_paramset_pannel::SetOutPut4Power(wxString text) { AntPort4_textCtrl->SetValue(text); }
void rf_paramset_pannel::SetOutPut5Power(wxString text) { AntPort5_textCtrl->SetValue(text); }
void rf_paramset_pannel::SetOutPut6Power(wxString text) { AntPort6_textCtrl->SetValue(text); }
void rf_paramset_pannel::SetOutPut7Power(wxString text) { AntPort7_textCtrl->SetValue(text); }
void rf_paramset_pannel::SetOutPut8Power(wxString text) { AntPort8_textCtrl->SetValue(text); }

void rf_paramset_pannel::FreqModeSelect(int mode)
{
    if (mode != 0 && mode != kCustomMode)
        return;
    const bool standard = mode == 0;
    FreqStander_choice->Enable(standard);
    FreqMax_choice->Enable(standard);
    FreqMin_choice->Enable(standard);
    StartFreq_textCtrl->Enable(!standard);
    FreqGap_textCtrl->Enable(!standard);
    FreqNum_textCtrl->Enable(!standard);
}

void rf_paramset_pannel::FreqStandardSelect(int region)
{
    if (region < 0 || region >= rf_tables::kRegionCount)
        return;
    const rf_tables::Region& r = rf_tables::kRegions[region];
    FreqStander_choice->SetSelection(region);
    FreqMax_choiceArr.Clear();
    FreqMin_choiceArr.Clear();
    FreqMax_choiceArr.Add(u8(r.max_mhz));
    FreqMin_choiceArr.Add(u8(r.min_mhz));
    FreqMax_choice->Set(FreqMax_choiceArr);
    FreqMin_choice->Set(FreqMin_choiceArr);
    FreqMax_choice->SetSelection(0);
    FreqMin_choice->SetSelection(0);
}

void rf_paramset_pannel::SetFreqMode(int mode)
{
    select_if_present(Freq_radioBox, mode);
}

void rf_paramset_pannel::SetFreqRegion(uint8_t low, uint8_t high)
{
    select_if_present(FreqMin_choice, low);
    select_if_present(FreqMax_choice, high);
}

void rf_paramset_pannel::SetStartFreq(wxString text)
{
    StartFreq_textCtrl->SetValue(text);
}

void rf_paramset_pannel::SetFreqGap(wxString text)
{
    FreqGap_textCtrl->SetValue(text);
}

void rf_paramset_pannel::SetFreqNum(wxString text)
{
    FreqNum_textCtrl->SetValue(text);
}
