#include "between_tests.h"

#include "gui_test_support.h"

#include <wx/app.h>
#include <wx/config.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <array>
#include <string>

#include "reader_params.h"
#include "rfid_event/rfid_notifiler.h"

namespace gui_test {

template <class T>
void SavedReaderParams::keep(T& global)
{
    restore_.push_back([&global, value = global] { global = value; });
}

template <class T, size_t N>
void SavedReaderParams::keep(T (&global)[N])
{
    std::array<T, N> value;
    std::copy(global, global + N, value.begin());
    restore_.push_back([&global, value] { std::copy(value.begin(), value.end(), global); });
}

SavedReaderParams::SavedReaderParams()
{
    keep(UartNumber), keep(BaudRate), keep(ipv4_hostname), keep(tcp_port), keep(GetGpio1Value);
    keep(GetGpio2Value), keep(GetBeepStatus), keep(RS485Address), keep(GetUartBound), keep(LinkMethod);

    keep(WorkAnt), keep(FastEpc), keep(AntPower), keep(FreqStandard), keep(StartFreqStandard);
    keep(EndFreqStandard), keep(StartFreq), keep(FreqSpace), keep(FreqQuantity), keep(RfProfileID);

    keep(Upgrade_Enable), keep(UpObject), keep(Bin_Path), keep(Gaugeupgrade_Postion);
    keep(upgrade_timeout_count), keep(upgraed_flag);

    keep(UartData), keep(sendlenght);

    keep(WorkAntenna), keep(SelectInventoryMode), keep(SessionID), keep(InventoryFlag);
    keep(BuffInventoryWorkAntenna);
    keep(ant_num), keep(Round_Ant), keep(Round_Num), keep(ChangeAntInventory_Round);
    keep(session_select), keep(flag_select);
    keep(inventory_round), keep(inventory_mode), keep(custom_read_len);

    keep(OperateArea), keep(OperateStartAddr), keep(DataLenght), keep(OperatePassWord);
    keep(LockPassWord), keep(DistroyPassWord), keep(WriteData), keep(WriteMethod), keep(LockArea);
    keep(LockSelect), keep(EPC_Select), keep(DoubleIdentify_Key);
}

void SavedReaderParams::restore() const
{
    for (const auto& put_back : restore_)
        put_back();
}

void BetweenTests::OnTestStart(const testing::TestInfo&)
{
    params_ = std::make_unique<SavedReaderParams>();
}

namespace {

// Requests a page posted with no controller to take them: dropped before
// the loop runs again, so that nothing still bound receives them.
void drop_queued_requests()
{
    EventNotifier* hub = EventNotifier::Get();
    hub->DeletePendingEvents();
    // Else the application goes on asking the emptied hub for its events.
    wxTheApp->RemovePendingEventHandler(hub);
    hub->DisableEvents(false);
}

// The windows still open once those already closing are gone.
std::string open_windows()
{
    pump_until([] { return wxTopLevelWindows.IsEmpty(); }, 2000);
    std::string titles;
    for (wxWindow* window : wxTopLevelWindows)
        titles += " \"" + std::string(window->GetLabel().utf8_str().data()) + "\"";
    return titles;
}

}  // namespace

void BetweenTests::OnTestEnd(const testing::TestInfo&)
{
    drop_queued_requests();

    // A window left open keeps its timers and link threads running into
    // the next test.
    const std::string left = open_windows();
    if (!left.empty()) {
        ADD_FAILURE() << "the test left windows open:" << left;
        for (wxWindow* window : wxTopLevelWindows)
            window->Destroy();
        EXPECT_TRUE(pump_until([] { return wxTopLevelWindows.IsEmpty(); }, 10000)) << "they would not close";
        drop_queued_requests();
    }

    // The main window's place, size and tab, kept for its next opening.
    wxConfigBase::Get()->DeleteAll();
    delete wxConfigBase::Set(nullptr);

    if (params_)
        params_->restore();
    params_.reset();
}

}  // namespace gui_test
