// The reader-settings pages against the simulated reader over RS-232: what
// a control sends, and what the reader's answer shows.
#include "link_fixture.h"

#include "sim_codec.h"
#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"
#include "wxcrafter/reader_rfparam_pannel_base/rf_paramset_pannel.h"
#include "wxcrafter/reader_setting_pannel_base/reader_base_setting_pannel.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/msgdlg.h>
#include <wx/radiobox.h>

#include <functional>

using namespace link_test;

namespace {

wxString u(const char* text)
{
    return wxString::FromUTF8(text);
}

struct Row {
    const char* what;
    uint8_t cmd;                            // what the reader receives
    std::vector<uint8_t> reply;             // its answer (empty: the simulator's own)
    std::function<void(App&)> operate;      // the operator's steps
    const char* frame;                      // the frame the reader receives
    std::function<wxString(App&)> field;    // what the page shows after the answer
    const char* shown;
    const char* line;                       // red line after the answer, or ""
};

rf_paramset_pannel* rf(App& app)
{
    return app->get_base_setting_pannel()->rf_paramset_subpannel;
}

void powers(App& app, std::vector<const char*> texts)
{
    wxTextCtrl* boxes[] = {rf(app)->GetAntPort1_textCtrl(), rf(app)->GetAntPort2_textCtrl(),
                           rf(app)->GetAntPort3_textCtrl(), rf(app)->GetAntPort4_textCtrl()};
    for (size_t i = 0; i < texts.size(); ++i)
        gui_test::paste_text(boxes[i], texts[i]);
    gui_test::press(rf(app)->GetAntPower_Write_button());
}

TEST(SettingsEndToEnd, EachControlSendsItsFrameAndShowsTheAnswer)
{
    const Row rows[] = {
        {"version", 0x72, {}, [](App& a) { gui_test::press(a.connection()->GetFrameware_button()); },
         "A0 03 00 72 EB", [](App& a) { return a.connection()->GetFrameware_textCtrl()->GetValue(); },
         "KSR460-3.7", ""},
        {"temperature below zero", 0x7B, {0x00, 0x19},
         [](App& a) { gui_test::press(a.connection()->GetWorkTemprature_button()); }, "A0 03 00 7B E2",
         [](App& a) { return a.connection()->GetWorkTemprature_textCtrl()->GetValue(); }, "-25℃", ""},
        {"four powers", 0x5F, {}, [](App& a) { powers(a, {"30", "25", "30", "30"}); }, "A0 07 00 5F 1E 19 1E 1E 87",
         nullptr, "", ""},
        {"eight powers refused", 0x5F, {0x11}, [](App& a) { powers(a, {"30", "25", "30", "30"}); },
         "A0 07 00 5F 1E 19 1E 1E 87", nullptr, "", "读写器不支持此命令！"},
        {"power out of range", 0x76, {0x25}, [](App& a) { powers(a, {"33", "33", "33", "33"}); },
         "A0 04 00 76 21 C5", nullptr, "", "功率超出范围!"},
        {"profile 3", 0x69, {},
         [](App& a) {
             gui_test::choose(rf(a)->GetRfLink_radioBox(),
                              rf(a)->GetRfLink_radioBox()->FindString(u("配置3  FM0 40KHz tari:25us")));
             gui_test::press(rf(a)->GetRfLink_Write_button());
         },
         // Profile ids go out offset by 0x30, as the reader takes them.
         "A0 04 00 69 D9 1A", nullptr, "", ""},
        {"CHN plan", 0x78, {},
         [](App& a) {
             gui_test::choose(rf(a)->GetFreq_radioBox(), 0);
             gui_test::choose(rf(a)->GetFreqStander_choice(), 2);
             gui_test::press(rf(a)->GetFreq_Write_button());
         },
         "A0 06 00 78 03 2B 35 7F", nullptr, "", ""},
        {"custom plan", 0x78, {},
         [](App& a) {
             gui_test::choose(rf(a)->GetFreq_radioBox(), 1);
             gui_test::paste_text(rf(a)->GetStartFreq_textCtrl(), "900000");
             gui_test::paste_text(rf(a)->GetFreqGap_textCtrl(), "25");
             gui_test::paste_text(rf(a)->GetFreqNum_textCtrl(), "1");
             gui_test::press(rf(a)->GetFreq_Write_button());
         },
         "A0 0A 00 78 04 00 19 01 0D BB A0 58", nullptr, "", ""},
        {"plan read back", 0x79, {0x04, 0x01, 0xF4, 10, 0x0D, 0xBB, 0xA0},
         [](App& a) { gui_test::press(rf(a)->GetFreq_Read_button()); }, "A0 03 00 79 E4",
         [](App& a) { return rf(a)->GetStartFreq_textCtrl()->GetValue(); }, "900000", ""},
    };

    SimPort end;
    App app;
    app.connection()->SetReaderType(1);  // four antennas
    connect_and_reset(app, end);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (!row.reply.empty())
            end.reader().SetReply(row.cmd, row.reply);
        const size_t before = end.reader().Received().size();
        row.operate(app);
        ASSERT_TRUE(gui_test::pump_until([&] { return end.reader().Received().size() > before; }));
        EXPECT_EQ(last_frame(end, row.cmd), row.frame);
        // The answer ends the request: nothing is left waiting.
        EXPECT_TRUE(gui_test::pump_until([&] { return app->get_timeoutflag() == 0; }));
        if (row.field) {
            EXPECT_TRUE(gui_test::pump_until([&] { return row.field(app) == u(row.shown); }))
                << row.field(app).utf8_string();
        }
        if (*row.line) {
            EXPECT_TRUE(app.wait_for_log(u(row.line)));
            EXPECT_TRUE(app.log_line_red(u(row.line)));
        }
    }
}

// A reader that never answers: the operator is asked after the time-out.
TEST(SettingsEndToEnd, AnUnansweredCommandAsksWhetherToGoOn)
{
    SimPort end;
    App app;
    connect_and_reset(app, end);
    end.reader().WithholdReply(0x72);
    // Answered from the press on: on a slow run the question may come while
    // the frame is still on its way to the reader.
    bool sent = false;
    bool asked = false;
    wxTEST_DIALOG(([&] {
                      gui_test::press(app.connection()->GetFrameware_button());
                      sent = reader_got(end, 0x72);
                      asked = gui_test::pump_until([&] { return app->get_timeoutflag() == 0; }, 8000);
                  }()),
                  wxExpectModal<wxMessageDialog>(wxCANCEL).Describe("the time-out question"));
    EXPECT_TRUE(sent);
    EXPECT_TRUE(asked);
}

}  // namespace
