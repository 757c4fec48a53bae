// The order in which a link serves its requests: the first raised flag
// holding the tested value wins, so the order is what decides between two
// requests raised at once. Each link's table against the one they share.
#include "sdk_package/hid/HIDThread.h"
#include "sdk_package/socket/TCPThread.h"
#include "sdk_package/uart/UartThread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using L = LinkThread;

struct Expected {
    const char* name;
    std::atomic<uint8_t> LinkThread::*flag;
    uint8_t take;
    uint8_t leave;
};

// Tested first to last.
const std::vector<Expected> kShared = {
    {"SetBound", &L::SetBoundFlag, 1, 0},
    {"RestartReader", &L::RestartReaderFlag, 1, 0},
    {"SetReaderAddr", &L::SetReaderAddrFlag, 1, 0},
    {"ReadFrameWare", &L::ReadFrameWareFlag, 1, 0},
    {"ReadWorkTemp", &L::ReadWorkTempFlag, 1, 0},
    {"ReadGPIO1", &L::ReadGPIO1Flag, 1, 0},
    {"WriteGPIO1", &L::WriteGPIO1Flag, 1, 0},
    {"ReadGPIO2", &L::ReadGPIO2Flag, 1, 0},
    {"WriteGPIO2", &L::WriteGPIO2Flag, 1, 0},
    {"SetBeep", &L::SetBeepFlag, 1, 0},
    {"ReadWorkAnt", &L::ReadWorkAntFlag, 1, 0},
    {"SetWorkAnt", &L::SetWorkAntFlag, 1, 0},
    {"ReadFastEpc", &L::ReadFastEpcReadFlag, 1, 0},
    {"SetFastEpc", &L::SetFastEpcReadFlag, 1, 0},
    {"ReadAntPower", &L::ReadAntPowerFlag, 1, 0},
    {"SetAntPower", &L::SetAntPowerFlag, 1, 0},
    {"ReadFreq", &L::ReadFreqFlag, 1, 0},
    {"SetFreq", &L::SetFreqFlag, 1, 0},
    {"ReadProfilID", &L::ReadProfilIDFlag, 1, 0},
    {"SetProfilID", &L::SetProfilIDFlag, 1, 0},
    {"StartInventory", &L::StartInventoryFlag, 1, 2},
    {"StopInventory", &L::StartInventoryFlag, 3, 0},
    {"StartCustomInventory", &L::StartcustominventoryFlag, 1, 2},
    {"StopCustomInventory", &L::StartcustominventoryFlag, 3, 0},
    // Not carried unless a link's own row frames it.
    {"StartSwitchAntInventory", &L::StartSwitchAntInventoryFlag, 1, 0},
    {"StopSwitchAntInventory", &L::StartSwitchAntInventoryFlag, 3, 0},
    {"StartBuffInventory", &L::StartBuffInventoryFlag, 1, 2},
    {"StopBuffInventory", &L::StartBuffInventoryFlag, 3, 0},
    {"ClearBuff", &L::ClearBuffFlag, 1, 0},
    {"ReadBuff", &L::ReadBuffFlag, 1, 0},
    {"ReadBuffAndClear", &L::ReadBuffAndClearFlag, 1, 0},
    {"ReadTagNumber", &L::ReadTagNumberFlag, 1, 0},
    {"SetEpcMatch", &L::SelectTagFlag, 1, 0},
    {"GetEpcMatch", &L::SelectTagFlag, 3, 0},
    {"CancelEpcMatch", &L::SelectTagFlag, 2, 0},
    {"ReadTag", &L::ReadTagFlag, 1, 0},
    {"WriteTag", &L::WriteTagFlag, 1, 0},
    {"LockTag", &L::LockTagFlag, 1, 0},
    {"KillTag", &L::DistroyTagFlag, 1, 0},
    {"GbReadTag", &L::GbReadTagFlag, 1, 0},
    {"GbWriteTag", &L::GbWriteTagFlag, 1, 0},
    {"GbLockTag", &L::GbLockTagFlag, 1, 0},
    {"GbKillTag", &L::GbDistroyTagFlag, 1, 0},
    {"GbSecureReadTag", &L::GbSeReadTagFlag, 1, 0},
    {"GbSecureWriteTag", &L::GbSeWriteTagFlag, 1, 0},
    {"GbSecureLockTag", &L::GbSeLockTagFlag, 1, 0},
    {"GbSecureKillTag", &L::GbSeDistroyTagFlag, 1, 0},
    {"GbDoubleIdentify", &L::GbDoubleIdTagFlag, 1, 0},
    {"SendData", &L::SendDataFlag, 1, 0},
    {"ResetPara", &L::ReaderParaResetFlag, 1, 0},
    {"SavePara", &L::SaveParaFlag, 1, 0},
    // An unacknowledged firmware packet goes again before the next one.
    {"ResendUpgradePacket", nullptr, 0, 0},
    {"ReaderAppUpgrade", &L::ReaderAppUpgradeFlag, 1, 1},
    {"BasebandFirmwareUpgrade", &L::BasebandFirmwareUpgradeFlag, 1, 1},
};

// The shared rows with the antenna-switch inventory running once started.
std::vector<Expected> with_switch_ant(std::vector<Expected> rows)
{
    for (Expected& row : rows)
        if (std::string(row.name) == "StartSwitchAntInventory")
            row.leave = 2;
    return rows;
}

void expect_table(const RequestTable& table, const std::vector<Expected>& expected)
{
    ASSERT_EQ(table.size(), expected.size());
    for (size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_STREQ(table[i].name, expected[i].name) << "row " << i + 1;
        EXPECT_TRUE(table[i].flag == expected[i].flag);
        EXPECT_EQ(table[i].take, expected[i].take);
        EXPECT_EQ(table[i].leave, expected[i].leave);
        EXPECT_NE(table[i].send, nullptr);
    }
}

TEST(RequestTable, EachLinkTestsItsRequestsInTheSharedOrder)
{
    expect_table(LinkThread::shared_requests(), kShared);
    expect_table(UartThread::request_table(), with_switch_ant(kShared));
    expect_table(TCPThread::request_table(), with_switch_ant(kShared));
    // The USB-HID link offers neither the antenna-switch inventory nor the
    // two-way authentication: those requests are taken down there.
    expect_table(HIDThread::request_table(), kShared);
}

}  // namespace
