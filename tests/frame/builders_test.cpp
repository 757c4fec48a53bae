// Exact bytes of each builder, worked out by hand from the frame layout:
// check byte = (256 - sum of the bytes before it) mod 256.
#include "sink_link.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

Bytes Last(SinkLink& link)
{
    auto w = link.Written();
    return w.empty() ? Bytes{} : w.back();
}

TEST(Sender, ThreeByteFrameWritesFiveBytesAndClearsProtocolData)
{
    SinkLink link;
    link.Restart_Reader();
    ASSERT_EQ(1u, link.WrittenCount());
    EXPECT_EQ((Bytes{0xA0, 0x03, 0x00, 0x70, 0xED}), Last(link));
    EXPECT_TRUE(link.ProtocolDataIsZero());
}

TEST(Sender, TxDataHoldsTheLastFrameThenZeros)
{
    SinkLink link;
    link.Set_Ant_power(30);
    link.Restart_Reader();
    uint8_t tx[256];
    std::memset(tx, 0xCC, sizeof tx);
    link.GetTxData(tx);
    const Bytes reset = {0xA0, 0x03, 0x00, 0x70, 0xED};
    EXPECT_EQ(reset, Bytes(tx, tx + 5));
    for (int i = 5; i < 256; ++i)
        ASSERT_EQ(0, tx[i]) << "byte " << i << " left over from the longer frame";
}

TEST(Sender, LengthsTheWorkBufferCannotHoldSendNothing)
{
    SinkLink link;
    link.SendFrame(0x70, 2);
    link.SendFrame(0x70, 252);
    EXPECT_EQ(0u, link.WrittenCount());
    link.SendFrame(0x70, 251);
    ASSERT_EQ(1u, link.WrittenCount());
    EXPECT_EQ(253u, Last(link).size());
}

TEST(Sender, AddressByteFollowsSetRs485Addr)
{
    SinkLink link;
    link.set_rs485_addr(5);
    link.Restart_Reader();
    EXPECT_EQ((Bytes{0xA0, 0x03, 0x05, 0x70, 0xE8}), Last(link));
}

struct Case {
    const char* name;
    void (*build)(SinkLink&);
    Bytes frame;
};

const uint8_t kData4[] = {0xDE, 0xAD, 0xBE, 0xEF};
const uint8_t kRoundAnt[8] = {1, 2, 9, 9, 9, 9, 9, 9};
const uint8_t kRoundNum[8] = {5, 6, 9, 9, 9, 9, 9, 9};
const uint8_t kKey[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
const uint8_t kPacket[3] = {9, 8, 7};

const Case kCases[] = {
    {"reset", [](SinkLink& l) { l.Restart_Reader(); }, {0xA0, 0x03, 0x00, 0x70, 0xED}},
    {"power 30 on all antennas", [](SinkLink& l) { l.Set_Ant_power(30); },
     {0xA0, 0x04, 0x00, 0x76, 0x1E, 0xC8}},
    {"firmware version", [](SinkLink& l) { l.Read_Frameware_version(); },
     {0xA0, 0x03, 0x00, 0x72, 0xEB}},
    {"temperature", [](SinkLink& l) { l.Read_Work_Temp(); }, {0xA0, 0x03, 0x00, 0x7B, 0xE2}},
    {"set address", [](SinkLink& l) { l.Set_RS485_Addr(7); }, {0xA0, 0x04, 0x00, 0x73, 0x07, 0xE2}},
    {"baud rate index", [](SinkLink& l) { l.Set_Uart_BoundRate(4); },
     {0xA0, 0x04, 0x00, 0x71, 0x04, 0xE7}},
    {"custom frequency plan", [](SinkLink& l) { l.Set_Frequece(900000, 25, 1); },
     {0xA0, 0x0A, 0x00, 0x78, 0x04, 0x00, 0x19, 0x01, 0x0D, 0xBB, 0xA0, 0x58}},
    {"standard region", [](SinkLink& l) { l.Set_Frequece_Standard(1, 7, 59); },
     {0xA0, 0x06, 0x00, 0x78, 0x01, 0x07, 0x3B, 0x9F}},
    {"gpio 3 high", [](SinkLink& l) { l.Set_Gpio_Value(3, 1); },
     {0xA0, 0x05, 0x00, 0x61, 0x03, 0x00, 0xF7}},
    {"gpio 4 low", [](SinkLink& l) { l.Set_Gpio_Value(4, 0); },
     {0xA0, 0x05, 0x00, 0x61, 0x04, 0x01, 0xF5}},
    {"gpio read sends no port", [](SinkLink& l) { l.Read_Gpio_Value(1); },
     {0xA0, 0x03, 0x00, 0x60, 0xFD}},
    {"rf link profile 6", [](SinkLink& l) { l.Set_RF_Link(6); },
     {0xA0, 0x04, 0x00, 0x69, 0xD6, 0x1D}},
    {"four powers", [](SinkLink& l) { l.Set_Multi_Ant_power(30, 25, 30, 30); },
     {0xA0, 0x07, 0x00, 0x5F, 0x1E, 0x19, 0x1E, 0x1E, 0x87}},
    {"eight powers", [](SinkLink& l) { l.Set_Eight_Ant_power(30, 30, 30, 30, 20, 20, 20, 20); },
     {0xA0, 0x0B, 0x00, 0x5E, 0x1E, 0x1E, 0x1E, 0x1E, 0x14, 0x14, 0x14, 0x14, 0x2F}},
    {"6C read", [](SinkLink& l) { l.RFID_Read(1, 2, 6, 0x11223344); },
     {0xA0, 0x0E, 0x00, 0x81, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x06, 0x11, 0x22, 0x33, 0x44,
      0x1E}},
    {"6C write of two words",
     [](SinkLink& l) { l.SendTagWrite(0x82, 3, 2, 2, kData4, sizeof kData4, 0x11223344); },
     {0xA0, 0x12, 0x00, 0x82, 0x11, 0x22, 0x33, 0x44, 0x03, 0x00, 0x00, 0x00, 0x02, 0x00, 0x02,
      0xDE, 0xAD, 0xBE, 0xEF, 0xE3}},
    {"6C lock", [](SinkLink& l) { l.RFID_Lock(4, 1, 0); },
     {0xA0, 0x09, 0x00, 0x83, 0x00, 0x00, 0x00, 0x00, 0x04, 0x01, 0xCF}},
    {"6C kill", [](SinkLink& l) { l.RFID_Kill(0x12345678); },
     {0xA0, 0x07, 0x00, 0x84, 0x12, 0x34, 0x56, 0x78, 0xC1}},
    {"set EPC match",
     [](SinkLink& l) {
         const uint8_t epc[32] = {0x02, 0xE2, 0x00, 0x34};
         l.Set_Epc_Match(0, epc, sizeof epc);
     },
     {0xA0, 0x08, 0x00, 0x85, 0x00, 0x03, 0xE2, 0x00, 0x34, 0xBA}},
    {"cancel EPC match", [](SinkLink& l) { l.Set_Epc_Match(1, nullptr, 0); },
     {0xA0, 0x04, 0x00, 0x85, 0x01, 0xD6}},
    {"antenna switch over two antennas",
     [](SinkLink& l) { l.Switch_Ant_Inventory(2, kRoundAnt, kRoundNum, 0, 1, 0, 3); },
     {0xA0, 0x0C, 0x00, 0x87, 0x02, 0x01, 0x05, 0x02, 0x06, 0x00, 0x01, 0x00, 0x03, 0xB9}},
    {"custom inventory", [](SinkLink& l) { l.Custom_Inventory(1, 2, 3, 4); },
     {0xA0, 0x07, 0x00, 0x8A, 0x01, 0x02, 0x03, 0x04, 0xC5}},
    {"session inventory", [](SinkLink& l) { l.Custom_Session_Inventory(1, 0, 2); },
     {0xA0, 0x06, 0x00, 0x8B, 0x01, 0x00, 0x02, 0xCC}},
    {"GB read", [](SinkLink& l) { l.RFID_GbRead(2, 0x0102, 4, 0xAABBCCDD); },
     {0xA0, 0x0C, 0x00, 0x45, 0x02, 0x01, 0x02, 0x00, 0x04, 0xAA, 0xBB, 0xCC, 0xDD, 0xF8}},
    {"GB secure read", [](SinkLink& l) { l.RFID_GbSeRead(2, 0x0102, 4, 0xAABBCCDD); },
     {0xA0, 0x0C, 0x00, 0x43, 0x02, 0x01, 0x02, 0x00, 0x04, 0xAA, 0xBB, 0xCC, 0xDD, 0xFA}},
    {"GB write of one word",
     [](SinkLink& l) {
         const uint8_t word[50] = {0x12, 0x34};
         l.RFID_GbWrite(3, 0x0010, 1, word, sizeof word, 1);
     },
     {0xA0, 0x0E, 0x00, 0x46, 0x00, 0x00, 0x00, 0x01, 0x03, 0x00, 0x10, 0x00, 0x01, 0x12, 0x34,
      0xB1}},
    {"GB lock", [](SinkLink& l) { l.RFID_GbLock(1, 2, 9); },
     {0xA0, 0x09, 0x00, 0x47, 0x00, 0x00, 0x00, 0x09, 0x01, 0x02, 0x04}},
    {"GB kill", [](SinkLink& l) { l.RFID_GbKill(0xFFFFFFFF); },
     {0xA0, 0x07, 0x00, 0x49, 0xFF, 0xFF, 0xFF, 0xFF, 0x14}},
    {"GB two-way authentication", [](SinkLink& l) { l.RFID_GbDoubleIdentify(kKey); },
     {0xA0, 0x13, 0x00, 0x98, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A,
      0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x3D}},
    {"upgrade packet", [](SinkLink& l) { l.Reader_App_Upgrade(2, 1, kPacket, 3); },
     {0xA0, 0x0C, 0x00, 0x4C, 0x00, 0x00, 0x00, 0x02, 0x01, 0x03, 0x09, 0x08, 0x07, 0xEA}},
    {"save parameters", [](SinkLink& l) { l.SendSaveParam(); }, {0xA0, 0x03, 0x00, 0x4A, 0x13}},
    {"raw monitor frame",
     [](SinkLink& l) {
         const uint8_t raw[50] = {0x76, 0x1E};
         l.Uart_Moniter_Send(raw, sizeof raw, 2);
     },
     {0xA0, 0x04, 0x00, 0x76, 0x1E, 0xC8}},
};

TEST(Builders, ExactBytes)
{
    for (const Case& c : kCases) {
        SinkLink link;
        c.build(link);
        ASSERT_EQ(1u, link.WrittenCount()) << c.name;
        EXPECT_EQ(c.frame, Last(link)) << c.name;
        EXPECT_TRUE(link.ProtocolDataIsZero()) << c.name;
    }
}

TEST(Builders, CodesAndLengthsOfParameterlessCommands)
{
    struct Bare {
        void (*build)(SinkLink&);
        uint8_t code;
    };
    const Bare bare[] = {
        {[](SinkLink& l) { l.Get_Work_Ant(); }, 0x75},
        {[](SinkLink& l) { l.Get_Ant_Power(); }, 0x77},
        {[](SinkLink& l) { l.Get_Frequence(); }, 0x79},
        {[](SinkLink& l) { l.Get_Fast_Epc(); }, 0x50},
        {[](SinkLink& l) { l.Get_RF_Link(); }, 0x6A},
        {[](SinkLink& l) { l.Get_Epc_Match(); }, 0x86},
        {[](SinkLink& l) { l.Stop_Inventory(); }, 0x8C},
        {[](SinkLink& l) { l.Get_Tag_Buff(); }, 0x90},
        {[](SinkLink& l) { l.Get_and_Clear_Buff(); }, 0x91},
        {[](SinkLink& l) { l.Get_Tag_Num(); }, 0x92},
        {[](SinkLink& l) { l.Clear_Tag_Buff(); }, 0x93},
        {[](SinkLink& l) { l.Reset_Para(); }, 0x4B},
    };
    for (const Bare& b : bare) {
        SinkLink link;
        b.build(link);
        const Bytes f = Last(link);
        ASSERT_EQ(5u, f.size());
        EXPECT_EQ(b.code, f[3]);
        EXPECT_EQ(0x100 - (0xA0 + 0x03 + b.code) % 0x100, f[4]) << std::hex << int(b.code);
    }
    struct One {
        void (*build)(SinkLink&);
        uint8_t code;
    };
    const One one[] = {
        {[](SinkLink& l) { l.Set_Work_Ant(3); }, 0x74},
        {[](SinkLink& l) { l.Set_Beep_status(3); }, 0x7A},
        {[](SinkLink& l) { l.Set_Fast_Epc(3); }, 0x51},
        {[](SinkLink& l) { l.Start_Buff_Inventory(3); }, 0x80},
        {[](SinkLink& l) { l.RealTime_Inventory(3); }, 0x89},
    };
    for (const One& o : one) {
        SinkLink link;
        o.build(link);
        const Bytes f = Last(link);
        ASSERT_EQ(6u, f.size());
        EXPECT_EQ(o.code, f[3]);
        EXPECT_EQ(3, f[4]);
    }
}

TEST(Builders, RfLinkProfileWrapsBelow0x30)
{
    SinkLink link;
    link.Set_RF_Link(1);
    EXPECT_EQ(0xD1, Last(link)[4]);
    link.Set_RF_Link(13);
    EXPECT_EQ(0xDD, Last(link)[4]);
}

TEST(Builders, AntennaSwitchNeedsOneToEightAntennas)
{
    SinkLink link;
    link.Switch_Ant_Inventory(0, kRoundAnt, kRoundNum, 0, 0, 0, 1);
    link.Switch_Ant_Inventory(9, kRoundAnt, kRoundNum, 0, 0, 0, 1);
    EXPECT_EQ(0u, link.WrittenCount());
    link.Switch_Ant_Inventory(8, kRoundAnt, kRoundNum, 0, 0, 0, 1);
    ASSERT_EQ(1u, link.WrittenCount());
    EXPECT_EQ(24, Last(link)[1]);
}

TEST(Builders, SecureGbLockAndKillSendNothing)
{
    SinkLink link;
    link.Restart_Reader();
    link.RFID_GbSeLock(1, 1, 1);
    link.RFID_GbSeKill(1);
    EXPECT_EQ(1u, link.WrittenCount());
    uint8_t tx[256];
    link.GetTxData(tx);
    EXPECT_EQ(0x70, tx[3]) << "the previous frame stays the last sent";
}

TEST(Builders, WriteLengthGrowsWithTheWordCount)
{
    uint8_t data[50] = {};
    SinkLink link;
    link.SendTagWrite(0x82, 3, 0, 2, data, sizeof data, 0);
    EXPECT_EQ(18, Last(link)[1]);
    EXPECT_EQ(20u, Last(link).size());
    link.RFID_GbSeWrite(3, 0, 25, data, sizeof data, 0);
    EXPECT_EQ((25 + 6) * 2, Last(link)[1]);
    EXPECT_EQ(0x42, Last(link)[3]);
}

TEST(Builders, UpgradePacketOf200BytesHasLength209)
{
    uint8_t packet[200];
    for (int i = 0; i < 200; ++i)
        packet[i] = static_cast<uint8_t>(i);
    SinkLink link;
    link.Baseband_Firmware_Upgrade(7, 0, packet, 200);
    const Bytes f = Last(link);
    ASSERT_EQ(211u, f.size());
    EXPECT_EQ(209, f[1]);
    EXPECT_EQ(0x4D, f[3]);
    EXPECT_EQ((Bytes{0, 0, 0, 7, 0, 200}), Bytes(f.begin() + 4, f.begin() + 10));
    EXPECT_EQ(Bytes(packet, packet + 200), Bytes(f.begin() + 10, f.end() - 1));
}

// Sizes that come from globals are checked against the buffer they read.
TEST(Builders, RefuseSizesTheSourceBufferCannotBackOrTheFrameCannotHold)
{
    SinkLink link;
    uint8_t epc[32] = {};
    epc[0] = 30;  // 31 match bytes after the count byte: fits exactly
    link.Set_Epc_Match(0, epc, sizeof epc);
    EXPECT_EQ(1u, link.WrittenCount());
    epc[0] = 31;  // would read one byte past the buffer
    link.Set_Epc_Match(0, epc, sizeof epc);
    epc[0] = 0xFF;
    link.Set_Epc_Match(0, epc, sizeof epc);
    link.Set_Epc_Match(0, epc, 0);
    EXPECT_EQ(1u, link.WrittenCount());

    uint8_t write_data[50] = {};
    link.SendTagWrite(0x82, 3, 0, 25, write_data, sizeof write_data, 0);
    EXPECT_EQ(2u, link.WrittenCount());
    link.SendTagWrite(0x82, 3, 0, 26, write_data, sizeof write_data, 0);
    link.RFID_GbWrite(3, 0, 26, write_data, sizeof write_data, 0);
    link.RFID_GbSeWrite(3, 0, 0xFFFF, write_data, sizeof write_data, 0);
    EXPECT_EQ(2u, link.WrittenCount());

    // A big enough buffer still may not make a frame longer than 251.
    std::vector<uint8_t> big(1024);
    link.SendTagWrite(0x82, 3, 0, 118, big.data(), big.size(), 0);
    EXPECT_EQ(250, Last(link)[1]);
    link.SendTagWrite(0x82, 3, 0, 119, big.data(), big.size(), 0);
    link.RFID_GbWrite(3, 0, 120, big.data(), big.size(), 0);
    link.Reader_App_Upgrade(0, 0, big.data(), 243);
    EXPECT_EQ(3u, link.WrittenCount());
    link.Reader_App_Upgrade(0, 0, big.data(), 242);
    EXPECT_EQ(251, Last(link)[1]);
    EXPECT_TRUE(link.ProtocolDataIsZero());
}

TEST(Builders, RawMonitorFrameOfZeroBytesOrBeyondItsBufferSendsNothing)
{
    SinkLink link;
    uint8_t raw[50] = {0x70};
    link.Uart_Moniter_Send(raw, sizeof raw, 0);
    link.Uart_Moniter_Send(raw, sizeof raw, 51);
    EXPECT_EQ(0u, link.WrittenCount());
    link.Uart_Moniter_Send(raw, sizeof raw, 1);
    EXPECT_EQ((Bytes{0xA0, 0x03, 0x00, 0x70, 0xED}), Last(link));
    link.Uart_Moniter_Send(raw, sizeof raw, 50);
    EXPECT_EQ(52, Last(link)[1]);
}

// The worker sends the reset frame while the GUI thread builds and sends
// others: every frame on the wire must be exactly one builder's frame.
TEST(SendLock, FramesFromTwoThreadsNeverMix)
{
    SinkLink link;
    const Bytes reset = {0xA0, 0x03, 0x00, 0x70, 0xED};
    const Bytes power = {0xA0, 0x04, 0x00, 0x76, 0x1E, 0xC8};
    const Bytes read = {0xA0, 0x0E, 0x00, 0x81, 0x01, 0x00, 0x00, 0x00, 0x02,
                        0x00, 0x06, 0x11, 0x22, 0x33, 0x44, 0x1E};
    constexpr int kRounds = 20000;
    bool tx_ok = true;
    std::thread worker([&] {
        for (int i = 0; i < kRounds; ++i)
            link.Restart_Reader();
    });
    std::thread gui([&] {
        uint8_t tx[256];
        for (int i = 0; i < kRounds; ++i) {
            if (i % 2)
                link.Set_Ant_power(30);
            else
                link.RFID_Read(1, 2, 6, 0x11223344);
            link.GetTxData(tx);
            const Bytes head(tx, tx + tx[1] + 2);
            if (head != reset && head != power && head != read)
                tx_ok = false;
        }
    });
    worker.join();
    gui.join();
    EXPECT_TRUE(tx_ok) << "TxData held a mixed frame";
    int resets = 0, powers = 0, reads = 0, other = 0;
    for (const Bytes& f : link.Written()) {
        if (f == reset)
            ++resets;
        else if (f == power)
            ++powers;
        else if (f == read)
            ++reads;
        else
            ++other;
    }
    EXPECT_EQ(0, other);
    EXPECT_EQ(kRounds, resets);
    EXPECT_EQ(kRounds / 2, powers);
    EXPECT_EQ(kRounds / 2, reads);
}

}  // namespace
