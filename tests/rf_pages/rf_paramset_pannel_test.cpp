// The RF-parameter page driven through its real controls: the power boxes
// and their write, the profile and frequency-plan writes with their
// refusals, and the reply setters with values the controls lack.
#include "rf_pages_support.h"

#include <array>

#include "wxcrafter/reader_rfparam_pannel_base/rf_paramset_pannel.h"

using namespace rf_test;
using page_test::click;
using page_test::Host;

namespace {

class RfPage : public ::testing::Test {
protected:
    Host<rf_paramset_pannel> host;
    rf_paramset_pannel* page = host.page;
    Recorder recorder;

    std::array<wxTextCtrl*, 8> boxes()
    {
        return {page->GetAntPort1_textCtrl(), page->GetAntPort2_textCtrl(), page->GetAntPort3_textCtrl(),
                page->GetAntPort4_textCtrl(), page->GetAntPort5_textCtrl(), page->GetAntPort6_textCtrl(),
                page->GetAntPort7_textCtrl(), page->GetAntPort8_textCtrl()};
    }
    std::vector<std::string> box_texts()
    {
        std::vector<std::string> texts;
        for (wxTextCtrl* box : boxes())
            texts.push_back(box->GetValue().utf8_string());
        return texts;
    }
    // Types `text` into an emptied box, key by key.
    static void retype(wxTextCtrl* box, const char* text)
    {
        box->ChangeValue(wxEmptyString);
        gui_test::type_text(box, wxString::FromUTF8(text));
    }
};

using Texts = std::vector<std::string>;

TEST_F(RfPage, PowerFiltersMirrorBoxOneAndEmptyWhatIsNoPower)
{
    const struct {
        int box;  // 0-based
        const char* typed;
        Texts after;
    } cases[] = {
        {0, "25", {"25", "25", "25", "25", "25", "25", "25", "25"}},
        {0, "12a", {"", "12", "12", "12", "12", "12", "12", "12"}},
        {0, "123", {"", "12", "12", "12", "12", "12", "12", "12"}},
        {2, "7x", {"0", "0", "", "0", "0", "0", "0", "0"}},
    };
    for (const auto& c : cases) {
        page->AntModeSelect(2);
        retype(boxes()[c.box], c.typed);
        EXPECT_EQ(box_texts(), c.after) << c.typed;
    }
    page->SetOutPut1Power(wxT("20"));
    EXPECT_EQ(box_texts(), Texts(8, "20"));
    page->SetOutPut3Power(wxT("5"));
    EXPECT_EQ(box_texts(), (Texts{"20", "20", "5", "20", "20", "20", "20", "20"}));
}

TEST_F(RfPage, PowerWriteTakesAllEightBoxesAndRefusesAbove33)
{
    const struct {
        int reader_type;
        Texts typed;  // per box, "-" leaves it as box 1 made it
        std::array<int, 8> power;
        bool refused;
    } cases[] = {
        {2, {"33", "-", "-", "-", "-", "-", "-", "-"}, {33, 33, 33, 33, 33, 33, 33, 33}, false},
        {1, {"30", "25", "-", "-", "-", "-", "-", "-"}, {30, 25, 30, 30, 30, 30, 30, 30}, false},
        {0, {"34", "-", "-", "-", "-", "-", "-", "-"}, {34, 34, 34, 34, 34, 34, 34, 34}, true},
        {2, {"30", "-", "-", "-", "34", "0", "0", "0"}, {30, 30, 30, 30, 34, 0, 0, 0}, true},
    };
    for (const auto& c : cases) {
        page->AntModeSelect(c.reader_type);
        for (size_t i = 0; i < c.typed.size(); ++i)
            if (c.typed[i] != "-")
                retype(boxes()[i], c.typed[i].c_str());
        bool skipped = false;
        if (c.refused) {
            wxTEST_DIALOG(skipped = click(page->GetAntPower_Write_button()), ExpectRefusal("功率范围:0~33！"));
        } else {
            skipped = click(page->GetAntPower_Write_button());
        }
        for (size_t i = 0; i < 8; ++i)
            EXPECT_EQ(AntPower[i], c.power[i]) << c.typed[0] << " antenna " << i + 1;
        const std::vector<wxEventType> posted = recorder.take_types();
        if (c.refused) {
            EXPECT_TRUE(posted.empty());
            EXPECT_FALSE(skipped);
            EXPECT_EQ(box_texts(), Texts(8, "0"));
        } else {
            EXPECT_EQ(posted, std::vector<wxEventType>{wxEVT_SETPOWER});
            EXPECT_TRUE(skipped);
        }
    }
}

TEST_F(RfPage, EachButtonWritesItsGlobalAndPostsItsRequest)
{
    page->AntModeSelect(1);
    page->SetAntPort(3);
    page->SetFastEpc(0);
    page->GetRfLink_radioBox()->SetSelection(3);  // "配置3  FM0 40KHz tari:25us"
    gui_test::choose(page->GetFreq_radioBox(), 0);
    gui_test::choose(page->GetFreqStander_choice(), 2);  // CHN
    const struct {
        wxButton* button;
        wxEventType type;
    } cases[] = {
        {page->GetAntPort_Read_button(), wxEVT_GETCHECKOUTWORKANT},
        {page->GetAntPort_Set_button(), wxEVT_SETCHECKOUTWORKANT},
        {page->GetAntPower_Read_button(), wxEVT_GETPOWER},
        {page->GetFastEpc_Read_button(), wxEVT_GETREADTAGMODE},
        {page->GetFastEpc_Write_button(), wxEVT_SETREADTAGMODE},
        {page->GetRfLink_Read_button(), wxEVT_GETRFLINK},
        {page->GetRfLink_Write_button(), wxEVT_SETRFLINK},
        {page->GetFreq_Read_button(), wxEVT_GETFREQ},
        {page->GetFreq_Write_button(), wxEVT_SETFREQ},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(click(c.button));
        EXPECT_EQ(recorder.take_types(), std::vector<wxEventType>{c.type});
    }
    EXPECT_EQ(WorkAnt, 3);
    EXPECT_EQ(FastEpc, 0);
    EXPECT_EQ(RfProfileID, 9);
    EXPECT_EQ(FreqStandard, 3);
    EXPECT_EQ(StartFreqStandard, 43);
    EXPECT_EQ(EndFreqStandard, 53);

    page->StartSetAntEnvet(0x105);
    EXPECT_EQ(WorkAnt, 5);
    EXPECT_EQ(recorder.take_types(), std::vector<wxEventType>{wxEVT_SETCHECKOUTWORKANT});
}

TEST_F(RfPage, CustomPlanIsSentOnlyWithinItsRanges)
{
    // After a refusal the globals hold what was read, but never a number
    // wrapped or cut to a byte (they start at 0 here).
    const struct {
        const char *start, *space, *count;
        bool accepted;
        int start_global, count_global;
    } cases[] = {
        {"900000", "25", "1", true, 900000, 1},
        {"839999", "25", "1", false, 839999, 1},
        {"900000", "25", "257", false, 900000, 0},
        {"4295867296", "25", "1", false, 0, 1},
    };
    for (const auto& c : cases) {
        StartFreq = FreqSpace = FreqQuantity = 0;
        retype(page->GetStartFreq_textCtrl(), c.start);
        retype(page->GetFreqGap_textCtrl(), c.space);
        retype(page->GetFreqNum_textCtrl(), c.count);
        if (c.accepted) {
            EXPECT_TRUE(click(page->GetFreq_Write_button()));
            EXPECT_EQ(recorder.take_types(), std::vector<wxEventType>{wxEVT_SETFREQ});
            EXPECT_EQ(std::to_string(FreqSpace), c.space);
        } else {
            wxTEST_DIALOG(EXPECT_FALSE(click(page->GetFreq_Write_button())),
                          ExpectRefusal("频率参数设置错误！\n起始频率范围:840MHz~960MHz\n"
                                        "频道间隔范围:25-65535,最小间距25KHz\n频点数量范围:1-200"));
            EXPECT_TRUE(recorder.take_types().empty()) << c.start << " " << c.space << " " << c.count;
            for (wxTextCtrl* box :
                 {page->GetStartFreq_textCtrl(), page->GetFreqGap_textCtrl(), page->GetFreqNum_textCtrl()})
                EXPECT_TRUE(box->IsEmpty());
        }
        EXPECT_EQ(FreqStandard, 4);
        EXPECT_EQ(StartFreq, c.start_global) << c.start;
        EXPECT_EQ(FreqQuantity, c.count_global) << c.count;
    }
}

TEST_F(RfPage, ReplySettersIgnoreValuesTheControlsLack)
{
    page->AntModeSelect(1);
    page->SetAntPort(2);
    page->SetFastEpc(1);
    page->SetPrifilID(9);
    page->FreqStandardSelect(1);
    page->SetFreqMode(0);

    page->SetAntPort(5);
    page->SetFastEpc(2);
    page->FreqStandardSelect(3);
    page->SetFreqRegion(0, 52);
    page->SetFreqMode(2);
    page->AntModeSelect(3);
    page->SetFreqGap(wxT("5x00"));  // through the box's filter

    EXPECT_EQ(page->GetFreqGap_textCtrl()->GetValue(), wxT("5"));
    EXPECT_EQ(page->GetAntPort_choice()->GetCount(), 4u);
    EXPECT_EQ(page->GetAntPort_choice()->GetSelection(), 1);
    EXPECT_EQ(page->GetFastEpc_radioBox()->GetSelection(), 1);
    EXPECT_EQ(page->GetRfLink_radioBox()->GetSelection(), 3);
    EXPECT_EQ(page->GetFreqStander_choice()->GetSelection(), 1);
    EXPECT_EQ(page->GetFreqMin_choice()->GetStringSelection(), wxT("865.0"));
    EXPECT_EQ(page->GetFreqMax_choice()->GetStringSelection(), wxT("868.0"));
    EXPECT_EQ(page->GetFreq_radioBox()->GetSelection(), 0);
    EXPECT_TRUE(page->GetAntPort4_textCtrl()->IsEnabled());
    EXPECT_FALSE(page->GetAntPort5_textCtrl()->IsEnabled());
}

TEST_F(RfPage, TheResetButtonReturnsToTheDefaultsAndPostsNothing)
{
    page->AntModeSelect(2);
    page->SetAntPort(8);
    page->SetOutPut1Power(wxT("30"));
    page->FreqModeSelect(0);
    page->SetStartFreq(wxT("920125"));
    EXPECT_TRUE(click(page->GetFlashMenu_button()));
    EXPECT_TRUE(recorder.take().empty());
    EXPECT_EQ(page->GetAntPort_choice()->GetSelection(), 0);
    EXPECT_EQ(box_texts(), Texts(8, "0"));
    EXPECT_TRUE(page->GetStartFreq_textCtrl()->IsEnabled());
    EXPECT_EQ(page->GetStartFreq_textCtrl()->GetValue(), wxT("900000"));
}

}  // namespace
