// The connection page driven through its real controls: defaults, the four
// text filters, the port-list parser, what each handler writes and posts.
#include "page_test_support.h"

#include "wxcrafter/reader_connect_pannel_base/connect_pannel.h"

using namespace page_test;

namespace {

wxString u(const char* text)
{
    return wxString::FromUTF8(text);
}

class ConnectPage : public ::testing::Test {
protected:
    Host<connect_pannel> host;
    connect_pannel* page = host.page;
    Recorder recorder;

    // The caret stands after the last character.
    static void expect_caret_at_end(wxTextCtrl* box)
    {
        EXPECT_EQ(box->GetInsertionPoint(), box->GetLastPosition());
    }

    // Fills the port choice and selects `port`.
    void select_port(const char* list, const char* port)
    {
        page->SetUartPort(u(list));
        ASSERT_TRUE(page->GetUartNumber_choice()->SetStringSelection(u(port)));
    }
};

std::vector<wxString> items(wxChoice* choice)
{
    std::vector<wxString> out;
    for (unsigned i = 0; i < choice->GetCount(); ++i)
        out.push_back(choice->GetString(i));
    return out;
}

TEST_F(ConnectPage, StartsWithTheDefaults)
{
    EXPECT_EQ(page->GetReaderID_textCtrl()->GetValue().utf8_string(), ipv4_hostname);
    EXPECT_EQ(page->GetPortName_textCtrl()->GetValue(), wxT("8080"));
    EXPECT_EQ(page->GetRS485conect_textCtrl()->GetValue(), wxT("0"));
    EXPECT_EQ(page->GetRS485Address_textCtrl()->GetValue(), wxT("0"));
    for (wxChoice* rates : {page->GetUartBound_choice(), page->GetSetBound_choice()}) {
        ASSERT_EQ(rates->GetCount(), 14u);
        EXPECT_EQ(rates->GetString(0), wxT("1200"));
        EXPECT_EQ(rates->GetString(13), wxT("460800"));
        EXPECT_EQ(rates->GetSelection(), 9);
        EXPECT_EQ(rates->GetStringSelection(), wxT("115200"));
    }
    EXPECT_EQ(page->GetUartNumber_choice()->GetCount(), 0u);
    EXPECT_EQ(page->GetUartNumber_choice()->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(page->GetreaderConnectMethod(), 0);
    EXPECT_EQ(page->GetReaderType(), 0);
    EXPECT_EQ(page->GetConnectMethod()->GetString(2), wxT("HID"));
    // The page's GetReaderType gives the index; the base's gives the control.
    EXPECT_EQ(static_cast<connect_pannelBase*>(page)->GetReaderType()->GetString(2), u("8天线"));
    EXPECT_EQ(page->GetBeep_radioBox()->GetString(1), u("每读到一张标签后鸣响"));
    EXPECT_EQ(page->GetConnectRs485Addr(), 0);
    EXPECT_EQ(page->GetName(), wxT("connect_pannelBase"));
}

TEST_F(ConnectPage, AddressBoxKeepsDigitsAndDots)
{
    wxTextCtrl* box = page->GetReaderID_textCtrl();
    box->ChangeValue(wxEmptyString);
    gui_test::type_text(box, wxT("192.168.1.5x"));
    EXPECT_EQ(box->GetValue(), wxT("192.168.1.5"));
    expect_caret_at_end(box);

    gui_test::paste_text(box, wxT("10.0a.0.1"));
    EXPECT_EQ(box->GetValue(), wxT("10.0"));
    expect_caret_at_end(box);

    gui_test::paste_text(box, wxT("10.1.2.3"));
    EXPECT_EQ(box->GetValue(), wxT("10.1.2.3"));
}

TEST(ConnectPageFilter, AppliesToTheAddressTheProgramSets)
{
    const std::string saved = ipv4_hostname;
    ipv4_hostname = "10.0.0.7 x";
    Host<connect_pannel> host;
    EXPECT_EQ(host.page->GetReaderID_textCtrl()->GetValue(), wxT("10.0.0.7"));
    ipv4_hostname = saved;
}

TEST_F(ConnectPage, PortBoxKeepsDigits)
{
    wxTextCtrl* box = page->GetPortName_textCtrl();
    gui_test::type_text(box, wxT("9a"));
    EXPECT_EQ(box->GetValue(), wxT("80809"));
    expect_caret_at_end(box);

    gui_test::paste_text(box, wxT("80.80"));
    EXPECT_EQ(box->GetValue(), wxT("80"));
    gui_test::paste_text(box, u("８０"));  // full-width digits are no digits
    EXPECT_EQ(box->GetValue(), wxEmptyString);
}

TEST_F(ConnectPage, Rs485BoxesEmptyOnAFourthDigitAndCutAtALetter)
{
    for (wxTextCtrl* box : {page->GetRS485conect_textCtrl(), page->GetRS485Address_textCtrl()}) {
        box->ChangeValue(wxEmptyString);
        gui_test::type_text(box, wxT("123"));
        EXPECT_EQ(box->GetValue(), wxT("123"));
        gui_test::type_text(box, wxT("4"));
        EXPECT_EQ(box->GetValue(), wxEmptyString);

        gui_test::paste_text(box, wxT("1a2"));
        EXPECT_EQ(box->GetValue(), wxT("1"));
        expect_caret_at_end(box);

        gui_test::paste_text(box, wxT("12345"));
        EXPECT_EQ(box->GetValue(), wxEmptyString);
    }
}

TEST_F(ConnectPage, PortListKeepsTheSelectedPort)
{
    wxChoice* ports = page->GetUartNumber_choice();
    select_port("COM1nCOM4ns", "COM4");

    EXPECT_EQ(page->SetUartPort(wxT("COM3nCOM4ns")), 0);
    EXPECT_EQ(items(ports), (std::vector<wxString>{wxT("COM3"), wxT("COM4")}));
    EXPECT_EQ(ports->GetStringSelection(), wxT("COM4"));

    // The port in use is gone.
    ports->SetStringSelection(wxT("COM3"));
    EXPECT_EQ(page->SetUartPort(wxT("COM4nCOM5ns")), 1);
    EXPECT_EQ(ports->GetSelection(), wxNOT_FOUND);

    // Nothing was selected, so nothing is lost.
    EXPECT_EQ(page->SetUartPort(wxT("COM4nCOM5ns")), 0);
    EXPECT_EQ(ports->GetSelection(), wxNOT_FOUND);
}

TEST_F(ConnectPage, PortListIgnoresAnUnendedNameAndWhatFollowsTheEnd)
{
    wxChoice* ports = page->GetUartNumber_choice();
    EXPECT_EQ(page->SetUartPort(wxT("COM3nCOM5s")), 0);
    EXPECT_EQ(items(ports), (std::vector<wxString>{wxT("COM3")}));

    EXPECT_EQ(page->SetUartPort(wxT("COM3nsCOM4n")), 0);
    EXPECT_EQ(items(ports), (std::vector<wxString>{wxT("COM3")}));

    // No final "s": the ended names are listed all the same.
    EXPECT_EQ(page->SetUartPort(wxT("/dev/ttyUSB0n/dev/ttyACM0n")), 0);
    EXPECT_EQ(items(ports), (std::vector<wxString>{wxT("/dev/ttyUSB0"), wxT("/dev/ttyACM0")}));

    // An empty name is listed but never taken for "nothing selected".
    EXPECT_EQ(page->SetUartPort(wxT("COM3nns")), 0);
    EXPECT_EQ(ports->GetCount(), 2u);
    EXPECT_EQ(ports->GetSelection(), wxNOT_FOUND);

    ports->SetSelection(0);
    EXPECT_EQ(page->SetUartPort(wxEmptyString), 1);
    EXPECT_EQ(ports->GetCount(), 0u);
}

TEST_F(ConnectPage, SerialConnectWithoutAPortPostsNothing)
{
    UartNumber = "COM1";
    BaudRate = 115200;
    page->GetUartBound_choice()->SetSelection(3);
    EXPECT_FALSE(click(page->GetConnectReader_button()));
    EXPECT_EQ(UartNumber, "");
    EXPECT_EQ(BaudRate, 9600);
    EXPECT_TRUE(recorder.take().empty());

    // A list arrived, but the operator has picked nothing yet.
    page->SetUartPort(wxT("COM3ns"));
    EXPECT_FALSE(click(page->GetConnectReader_button()));
    EXPECT_TRUE(recorder.take().empty());
}

TEST_F(ConnectPage, SerialConnectTakesThePortAndRateThenPosts)
{
    select_port("COM3nCOM4ns", "COM4");
    page->GetUartBound_choice()->SetSelection(13);
    EXPECT_TRUE(click(page->GetConnectReader_button()));
    EXPECT_EQ(UartNumber, "COM4");
    EXPECT_EQ(BaudRate, 460800);
    const auto posted = recorder.take();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].type, wxEVT_CONNECT_PORT);
    EXPECT_TRUE(posted[0].connect_carrier);
    EXPECT_EQ(posted[0].id, 0);
}

// Numbers a frame cannot carry are refused with a box that says why; what
// the handler takes before its check is still taken, nothing is posted.
TEST_F(ConnectPage, NumbersAFrameCannotCarryAreRefusedWithAReason)
{
    const char* const address = "地址范围:0~255！";
    const struct {
        wxTextCtrl* box;
        const wxChar* text;
        wxButton* button;
        const char* refusal;
    } rows[] = {
        {page->GetRS485conect_textCtrl(), wxT("300"), page->GetConnectReader_button(), address},
        {page->GetRS485conect_textCtrl(), wxT("256"), page->GetConnecteReader_button(), address},
        {page->GetPortName_textCtrl(), wxT("65536"), page->GetConnecteReader_button(), "端口号范围:0~65535！"},
        // atoi would wrap this to 8080.
        {page->GetPortName_textCtrl(), wxT("4294975376"), page->GetConnecteReader_button(), "端口号范围:0~65535！"},
        {page->GetRS485Address_textCtrl(), wxT("300"), page->GetRS485AddressSet_button(), address},
    };
    select_port("COM3ns", "COM3");
    for (const auto& row : rows) {
        SCOPED_TRACE(utf8(row.text));
        gui_test::paste_text(page->GetRS485conect_textCtrl(), wxT("0"));
        gui_test::paste_text(page->GetPortName_textCtrl(), wxT("8080"));
        gui_test::paste_text(page->GetReaderID_textCtrl(), wxT("10.9.9.9"));
        tcp_port = 7;
        RS485Address = 9;
        UartNumber.clear();
        gui_test::paste_text(row.box, row.text);
        bool skipped = true;
        wxTEST_DIALOG(skipped = click(row.button), ExpectRefusal(row.refusal));
        EXPECT_FALSE(skipped);
        EXPECT_TRUE(recorder.take().empty());
        EXPECT_EQ(RS485Address, 9);
        if (row.button == page->GetConnecteReader_button()) {
            EXPECT_EQ(ipv4_hostname, "10.9.9.9");
            EXPECT_EQ(tcp_port, row.box == page->GetPortName_textCtrl() ? 7 : 8080);
        }
        if (row.button == page->GetConnectReader_button()) {
            EXPECT_EQ(UartNumber, "COM3");
        }
    }

    gui_test::paste_text(page->GetRS485conect_textCtrl(), wxT("255"));
    EXPECT_EQ(page->GetConnectRs485Addr(), 255);
    EXPECT_TRUE(click(page->GetConnectReader_button()));
    EXPECT_TRUE(click(page->GetConnecteReader_button()));
    const auto posted = recorder.take();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].type, wxEVT_CONNECT_PORT);
    EXPECT_EQ(posted[1].type, wxEVT_CONNECT_TCP);
}

TEST_F(ConnectPage, TcpConnectTakesAddressAndPort)
{
    gui_test::paste_text(page->GetReaderID_textCtrl(), wxT("10.1.2.3"));
    gui_test::paste_text(page->GetPortName_textCtrl(), wxT("65535"));
    EXPECT_TRUE(click(page->GetConnecteReader_button()));
    EXPECT_EQ(ipv4_hostname, "10.1.2.3");
    EXPECT_EQ(tcp_port, 65535);

    gui_test::paste_text(page->GetPortName_textCtrl(), wxEmptyString);
    EXPECT_TRUE(click(page->GetConnecteReader_button()));
    EXPECT_EQ(tcp_port, 0);

    const auto posted = recorder.take();
    ASSERT_EQ(posted.size(), 2u);
    for (const Posted& p : posted) {
        EXPECT_EQ(p.type, wxEVT_CONNECT_TCP);
        EXPECT_TRUE(p.connect_carrier);
    }
}

TEST_F(ConnectPage, NewRs485AddressUpTo255)
{
    gui_test::paste_text(page->GetRS485Address_textCtrl(), wxT("255"));
    EXPECT_TRUE(click(page->GetRS485AddressSet_button()));
    EXPECT_EQ(RS485Address, 255);
    gui_test::paste_text(page->GetRS485Address_textCtrl(), wxEmptyString);
    EXPECT_TRUE(click(page->GetRS485AddressSet_button()));
    EXPECT_EQ(RS485Address, 0);

    const auto posted = recorder.take();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].type, wxEVT_SET485ADDR);
    EXPECT_TRUE(posted[0].connect_carrier);
}

TEST_F(ConnectPage, SetBoundStoresTheIndexNotTheRate)
{
    page->GetSetBound_choice()->SetSelection(9);
    EXPECT_TRUE(click(page->GetSetBound_button()));
    EXPECT_EQ(GetUartBound, 9);
    page->GetSetBound_choice()->SetSelection(0);
    EXPECT_TRUE(click(page->GetSetBound_button()));
    EXPECT_EQ(GetUartBound, 0);
    const auto posted = recorder.take();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[1].type, wxEVT_SETBOUND);
    EXPECT_TRUE(posted[1].connect_carrier);
}

TEST_F(ConnectPage, GpioWritesTheLevelOfTheChoice)
{
    struct Case {
        wxRadioBox* radio;
        wxButton* write;
        uint8_t* level;
        wxEventType type;
    };
    for (const Case& c : {Case{page->GetGPIO1_radioBox(), page->GetGPIO1Write_button(), &GetGpio1Value,
                               wxEVT_SETGPIO1},
                          Case{page->GetGPIO2_radioBox(), page->GetGPIO2Write_button(), &GetGpio2Value,
                               wxEVT_SETGPIO2}}) {
        c.radio->SetSelection(0);  // "高"
        EXPECT_TRUE(click(c.write));
        EXPECT_EQ(*c.level, 1);
        c.radio->SetSelection(1);  // "低"
        EXPECT_TRUE(click(c.write));
        EXPECT_EQ(*c.level, 0);
        const auto posted = recorder.take();
        ASSERT_EQ(posted.size(), 2u);
        EXPECT_EQ(posted[0].type, c.type);
        EXPECT_FALSE(posted[0].connect_carrier);
    }
    page->SetGpio1Value(1);
    EXPECT_EQ(page->GetGPIO1_radioBox()->GetStringSelection(), u("低"));
}

TEST_F(ConnectPage, BeepTakesTheRadioIndex)
{
    page->GetBeep_radioBox()->SetSelection(1);
    EXPECT_TRUE(click(page->GetBeepSetting_button()));
    EXPECT_EQ(GetBeepStatus, 1);
    page->GetBeep_radioBox()->SetSelection(0);
    EXPECT_TRUE(click(page->GetBeepSetting_button()));
    EXPECT_EQ(GetBeepStatus, 0);
    const auto posted = recorder.take();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].type, wxEVT_SETBEEP);
    EXPECT_FALSE(posted[0].connect_carrier);
}

TEST_F(ConnectPage, PlainRequestButtonsPostTheirEventAndGoOn)
{
    struct Case {
        wxButton* button;
        wxEventType type;
        bool connect_carrier;
    };
    const Case cases[] = {
        {page->GetDisConnect_button(), wxEVT_DISCONNECT_PORT, true},
        {page->GetDisConnecteReader_button(), wxEVT_DISCONNECT_TCP, true},
        {page->GetConnecthid_button(), wxEVT_CONNECTHID, true},
        {page->GetDisconnecthid_button(), wxEVT_DISCONNECTHID, true},
        {page->GetFrameware_button(), wxEVT_GETVERSION, true},
        {page->GetWorkTemprature_button(), wxEVT_GETWORKTEMP, true},
        {page->GetGPIO1Read_button(), wxEVT_GETGPIO1, false},
        {page->GetGPIO2Read_button(), wxEVT_GETGPIO2, false},
        {page->GetRestartReader_button(), wxEVT_RESTART_READER, true},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(click(c.button)) << utf8(c.button->GetLabel());
        const auto posted = recorder.take();
        ASSERT_EQ(posted.size(), 1u) << utf8(c.button->GetLabel());
        EXPECT_EQ(posted[0].type, c.type);
        EXPECT_EQ(posted[0].connect_carrier, c.connect_carrier);
        EXPECT_EQ(posted[0].id, 0);
    }
}

TEST_F(ConnectPage, SelectionsPostOnlyForTheLinkMethod)
{
    EXPECT_TRUE(choose_skipped(page->GetConnectMethod(), wxEVT_RADIOBOX, 1));
    EXPECT_EQ(page->GetreaderConnectMethod(), 1);
    auto posted = recorder.take();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].type, wxEVT_CONNECTMETHOD);
    EXPECT_TRUE(posted[0].connect_carrier);

    page->SetUartPort(wxT("COM3ns"));
    EXPECT_FALSE(choose_skipped(static_cast<connect_pannelBase*>(page)->GetReaderType(), wxEVT_RADIOBOX, 2));
    EXPECT_FALSE(choose_skipped(page->GetUartNumber_choice(), wxEVT_CHOICE, 0));
    EXPECT_FALSE(choose_skipped(page->GetUartBound_choice(), wxEVT_CHOICE, 4));
    EXPECT_FALSE(choose_skipped(page->GetGPIO2_radioBox(), wxEVT_RADIOBOX, 1));
    EXPECT_TRUE(recorder.take().empty());
    EXPECT_EQ(page->GetReaderType(), 2);
}

TEST_F(ConnectPage, RefreshClearsTheResultsOnly)
{
    page->SetFrameware(wxT("V1.2"));
    page->SetWorkTemp(wxT("36"));
    page->SetGpio1Value(1);
    page->SetGpio2Value(1);
    page->GetBeep_radioBox()->SetSelection(1);
    page->SetUartPort(wxT("COM3ns"));
    page->GetUartNumber_choice()->SetSelection(0);
    page->SetHidInfo(wxT("reader HID"));
    gui_test::paste_text(page->GetReaderID_textCtrl(), wxT("10.0.0.9"));

    EXPECT_TRUE(click(page->GetFlashMenu_button()));
    EXPECT_EQ(page->GetFrameware_textCtrl()->GetValue(), wxEmptyString);
    EXPECT_EQ(page->GetWorkTemprature_textCtrl()->GetValue(), wxEmptyString);
    EXPECT_EQ(page->GetGPIO1_radioBox()->GetSelection(), 0);
    EXPECT_EQ(page->GetGPIO2_radioBox()->GetSelection(), 0);
    EXPECT_EQ(page->GetBeep_radioBox()->GetSelection(), 0);
    EXPECT_EQ(page->GetUartNumber_choice()->GetStringSelection(), wxT("COM3"));
    EXPECT_EQ(page->GetHiddevice_richTextCtrl()->GetValue(), wxT("reader HID"));
    EXPECT_EQ(page->GetReaderID_textCtrl()->GetValue(), wxT("10.0.0.9"));
    EXPECT_TRUE(recorder.take().empty());
}

TEST_F(ConnectPage, HidBoxTakesOnlyANonEmptyText)
{
    wxRichTextCtrl* box = page->GetHiddevice_richTextCtrl();
    EXPECT_EQ(page->SetHidInfo(wxT("first device")), 0);
    EXPECT_EQ(page->SetHidInfo(wxEmptyString), 0);
    EXPECT_EQ(box->GetValue(), wxT("first device"));
    EXPECT_EQ(page->SetHidInfo(wxT("second")), 0);
    EXPECT_EQ(box->GetValue(), wxT("second"));

    EXPECT_TRUE(click(page->GetDisconnecthid_button()));
    EXPECT_EQ(box->GetValue(), wxEmptyString);
    EXPECT_EQ(recorder.take().size(), 1u);

    page->SetHidInfo(wxT("again"));
    page->ClearHidinfo();
    EXPECT_EQ(box->GetValue(), wxEmptyString);
}

TEST_F(ConnectPage, SetBoundRateStateSwitchesLabelAndChoice)
{
    page->SetSetBoundRateState(false);
    EXPECT_FALSE(page->GetSetBound_staticText()->IsEnabled());
    EXPECT_FALSE(page->GetSetBound_choice()->IsEnabled());
    EXPECT_TRUE(page->GetSetBound_button()->IsEnabled());
    page->SetSetBoundRateState(true);
    EXPECT_TRUE(page->GetSetBound_staticText()->IsEnabled());
    EXPECT_TRUE(page->GetSetBound_choice()->IsEnabled());
}

}  // namespace
