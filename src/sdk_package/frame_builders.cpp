// The command builders: each puts its parameters into ProtocolData in wire
// order and sends one frame while holding the send lock, so a frame sent
// from another thread can never mix into it.
#include "sdk_package/frame_link.h"

#include <cstring>

namespace {

// Appends fields to a frame's data, wider integers most significant first.
class DataWriter {
public:
    explicit DataWriter(uint8_t* dest) : p_(dest) {}
    DataWriter& u8(uint8_t v)
    {
        p_[n_++] = v;
        return *this;
    }
    DataWriter& be16(uint16_t v) { return u8(static_cast<uint8_t>(v >> 8)).u8(static_cast<uint8_t>(v)); }
    DataWriter& be24(uint32_t v)
    {
        return u8(static_cast<uint8_t>(v >> 16)).u8(static_cast<uint8_t>(v >> 8)).u8(static_cast<uint8_t>(v));
    }
    DataWriter& be32(uint32_t v) { return be16(static_cast<uint16_t>(v >> 16)).be16(static_cast<uint16_t>(v)); }
    DataWriter& bytes(const uint8_t* src, size_t count)
    {
        if (count != 0)
            std::memcpy(p_ + n_, src, count);
        n_ += static_cast<int>(count);
        return *this;
    }
    // The frame's length byte: address, command, data and check byte.
    int len() const { return n_ + 3; }

private:
    uint8_t* p_;
    int n_ = 0;
};

// Whether `words` 16-bit words can be taken from `data` (of `data_size`
// bytes) into a frame that already carries `fixed` other bytes.
bool WordsFit(const uint8_t* data, size_t data_size, uint16_t words, size_t fixed)
{
    const size_t payload = 2u * words;
    return payload <= data_size && (data != nullptr || payload == 0) &&
           payload + fixed <= static_cast<size_t>(FrameLink::kMaxSendLen);
}

}  // namespace

void FrameLink::SendBare(uint8_t cmd)
{
    SendFrame(cmd, 3);
}

void FrameLink::Restart_Reader() { SendBare(CMD_RESET); }
void FrameLink::Read_Frameware_version() { SendBare(CMD_GET_FIRMWARE_VERSION); }
void FrameLink::Get_Work_Ant() { SendBare(CMD_GET_WORK_ANTENNA); }
void FrameLink::Get_Ant_Power() { SendBare(CMD_GET_OUTPUT_POWER); }
void FrameLink::Get_Frequence() { SendBare(CMD_GET_FREQ_REGION); }
void FrameLink::Read_Work_Temp() { SendBare(CMD_GET_READER_TEMP); }
void FrameLink::Get_Fast_Epc() { SendBare(CMD_GET_FAST_EPC); }
void FrameLink::Get_RF_Link() { SendBare(CMD_GET_RF_LINK_PROFILE); }
void FrameLink::Get_Epc_Match() { SendBare(CMD_GET_ACCESS_EPC_MATCH); }
void FrameLink::Stop_Inventory() { SendBare(CMD_STOP_INVENTORY); }
void FrameLink::Get_Tag_Buff() { SendBare(CMD_GET_INVENTORY_BUFFER); }
void FrameLink::Get_and_Clear_Buff() { SendBare(CMD_GET_AND_RESET_INVENTORY_BUFFER); }
void FrameLink::Get_Tag_Num() { SendBare(CMD_GET_INVENTORY_BUFFER_TAG_COUNT); }
void FrameLink::Clear_Tag_Buff() { SendBare(CMD_RESET_INVENTORY_BUFFER); }
void FrameLink::Reset_Para() { SendBare(CMD_READER_PARA_RESET); }
void FrameLink::SendSaveParam() { SendBare(CMD_SAVEPARAM); }

// The port number is not part of the frame: the reader answers with both.
void FrameLink::Read_Gpio_Value(uint8_t) { SendBare(CMD_READ_GPIO_VALUE); }

void FrameLink::SendOne(uint8_t cmd, uint8_t value)
{
    std::lock_guard<std::mutex> lock(send_lock);
    ProtocolData[0] = value;
    SendFrameLocked(cmd, 4);
}

void FrameLink::Set_RS485_Addr(uint8_t addr) { SendOne(CMD_SET_READER_ADDRESS, addr); }
void FrameLink::Set_Work_Ant(uint8_t ant) { SendOne(CMD_SET_WORK_ANTENNA, ant); }
void FrameLink::Set_Ant_power(uint8_t power) { SendOne(CMD_SET_OUTPUT_POWER, power); }
void FrameLink::Set_Beep_status(uint8_t sta) { SendOne(CMD_SET_BEEP_MODE, sta); }
void FrameLink::Set_Fast_Epc(uint8_t val) { SendOne(CMD_SET_FAST_EPC, val); }
void FrameLink::Start_Buff_Inventory(uint8_t ant) { SendOne(CMD_INVENTORY, ant); }
void FrameLink::RealTime_Inventory(uint8_t ant) { SendOne(CMD_REAL_TIME_INVENTORY, ant); }
void FrameLink::Set_Uart_BoundRate(uint8_t boundrate) { SendOne(CMD_SET_UART_BAUDRATE, boundrate); }

void FrameLink::Set_Frequece_Standard(uint8_t standard, uint8_t start, uint8_t end)
{
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.u8(standard).u8(start).u8(end);
    SendFrameLocked(CMD_SET_FREQ_REGION, w.len());
}

void FrameLink::Set_Frequece(uint32_t start, uint16_t gap, uint8_t num_channels)
{
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    // Region code 4 announces a custom plan.
    w.u8(4).be16(gap).u8(num_channels).be24(start);
    SendFrameLocked(CMD_SET_FREQ_REGION, w.len());
}

void FrameLink::Set_Gpio_Value(uint8_t port, uint8_t val)
{
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.u8(port).u8(val == 0 ? 1 : 0);
    SendFrameLocked(CMD_WRITE_GPIO_VALUE, w.len());
}

void FrameLink::Set_Multi_Ant_power(uint8_t power1, uint8_t power2, uint8_t power3, uint8_t power4)
{
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.u8(power1).u8(power2).u8(power3).u8(power4);
    SendFrameLocked(CMD_SET_MULTI_ANT_POWER, w.len());
}

void FrameLink::Set_Eight_Ant_power(uint8_t power1, uint8_t power2, uint8_t power3, uint8_t power4,
                                    uint8_t power5, uint8_t power6, uint8_t power7, uint8_t power8)
{
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.u8(power1).u8(power2).u8(power3).u8(power4).u8(power5).u8(power6).u8(power7).u8(power8);
    SendFrameLocked(CMD_SET_EIGHT_ANT_POWER, w.len());
}

void FrameLink::Set_RF_Link(uint8_t mode)
{
    std::lock_guard<std::mutex> lock(send_lock);
    // Profile 1 goes out as 0xD1, profile 13 as 0xDD.
    ProtocolData[0] = static_cast<uint8_t>(mode - 0x30);
    SendFrameLocked(CMD_SET_RF_LINK_PROFILE, 4);
}

void FrameLink::RFID_Read(uint8_t area, uint32_t addr, uint16_t len, uint32_t password)
{
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.u8(area).be32(addr).be16(len).be32(password);
    SendFrameLocked(CMD_READ, w.len());
}

void FrameLink::SendTagWrite(uint8_t cmd, uint8_t area, uint32_t addr, uint16_t len,
                             const uint8_t* data, size_t data_size, uint32_t password)
{
    // 11 bytes before the words, 3 around the data.
    if (!WordsFit(data, data_size, len, 14))
        return;
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.be32(password).u8(area).be32(addr).be16(len).bytes(data, 2u * len);
    SendFrameLocked(cmd, w.len());
}

// Lock and kill frames look the same for 6C and GB tags.
void FrameLink::SendLock(uint8_t cmd, uint8_t area, uint8_t locktype, uint32_t password)
{
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.be32(password).u8(area).u8(locktype);
    SendFrameLocked(cmd, w.len());
}

void FrameLink::SendKill(uint8_t cmd, uint32_t password)
{
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.be32(password);
    SendFrameLocked(cmd, w.len());
}

void FrameLink::SendTagWriteByMethod(uint8_t method, uint8_t area, uint32_t addr, uint16_t len,
                                     const uint8_t* data, size_t data_size, uint32_t password)
{
    if (method == 1)
        SendTagWrite(CMD_WRITE, area, addr, len, data, data_size, password);
    else if (method == 0)
        SendTagWrite(CMD_BLOCK_WRITE, area, addr, len, data, data_size, password);
}

void FrameLink::RFID_Lock(uint8_t area, uint8_t locktype, uint32_t password)
{
    SendLock(CMD_LOCK, area, locktype, password);
}

void FrameLink::RFID_Kill(uint32_t password)
{
    SendKill(CMD_KILL, password);
}

void FrameLink::Set_Epc_Match(uint8_t mode, const uint8_t* epc, size_t epc_size)
{
    if (mode != 0) {
        std::lock_guard<std::mutex> lock(send_lock);
        ProtocolData[0] = 0x01;
        SendFrameLocked(CMD_SET_ACCESS_EPC_MATCH, 4);
        return;
    }
    if (epc == nullptr || epc_size == 0)
        return;
    const size_t match_len = static_cast<size_t>(epc[0]) + 1;
    // The match bytes follow the count byte inside the caller's buffer.
    if (match_len + 1 > epc_size)
        return;
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.u8(0x00).u8(static_cast<uint8_t>(match_len)).bytes(epc + 1, match_len);
    SendFrameLocked(CMD_SET_ACCESS_EPC_MATCH, w.len());
}

void FrameLink::Switch_Ant_Inventory(uint8_t ant_num, const uint8_t* round_ant,
                                     const uint8_t* round_num, uint8_t interval, uint8_t session,
                                     uint8_t target_flag, uint8_t repeat)
{
    if (ant_num < 1 || ant_num > 8 || round_ant == nullptr || round_num == nullptr)
        return;
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.u8(ant_num);
    for (int i = 0; i < ant_num; ++i)
        w.u8(round_ant[i]).u8(round_num[i]);
    w.u8(interval).u8(session).u8(target_flag).u8(repeat);
    SendFrameLocked(CMD_FAST_SWITCH_ANT_INVENTORY, w.len());
}

void FrameLink::Custom_Inventory(uint8_t ant, uint8_t num_rounds, uint8_t mode, uint8_t len)
{
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.u8(ant).u8(num_rounds).u8(mode).u8(len);
    SendFrameLocked(CMD_CUSTOM_INVENTORY, w.len());
}

void FrameLink::Custom_Session_Inventory(uint8_t session, uint8_t flag, uint8_t ant)
{
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.u8(session).u8(flag).u8(ant);
    SendFrameLocked(CMD_CUS_SESSION_TARGET_INV, w.len());
}

void FrameLink::RFID_GbDoubleIdentify(const uint8_t* password)
{
    if (password == nullptr)
        return;
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.bytes(password, 16);
    SendFrameLocked(CMD_GB_DOUBLE_IDENTIFY, w.len());
}

void FrameLink::SendGbAccess(uint8_t cmd, uint8_t area, uint16_t addr, uint16_t len,
                             uint32_t password)
{
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.u8(area).be16(addr).be16(len).be32(password);
    SendFrameLocked(cmd, w.len());
}

void FrameLink::RFID_GbRead(uint8_t area, uint16_t addr, uint16_t len, uint32_t password)
{
    SendGbAccess(CMD_GB_READ, area, addr, len, password);
}

void FrameLink::RFID_GbSeRead(uint8_t area, uint16_t addr, uint16_t len, uint32_t password)
{
    SendGbAccess(CMD_GB_SEC_READ, area, addr, len, password);
}

void FrameLink::SendGbWrite(uint8_t cmd, uint8_t area, uint16_t addr, uint16_t len,
                            const uint8_t* data, size_t data_size, uint32_t password)
{
    // 9 bytes before the words, 3 around the data.
    if (!WordsFit(data, data_size, len, 12))
        return;
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.be32(password).u8(area).be16(addr).be16(len).bytes(data, 2u * len);
    SendFrameLocked(cmd, w.len());
}

void FrameLink::RFID_GbWrite(uint8_t area, uint16_t addr, uint16_t len, const uint8_t* data,
                             size_t data_size, uint32_t password)
{
    SendGbWrite(CMD_GB_WRITE, area, addr, len, data, data_size, password);
}

void FrameLink::RFID_GbSeWrite(uint8_t area, uint16_t addr, uint16_t len, const uint8_t* data,
                               size_t data_size, uint32_t password)
{
    SendGbWrite(CMD_GB_SEC_WRITE, area, addr, len, data, data_size, password);
}

void FrameLink::RFID_GbLock(uint8_t area, uint8_t locktype, uint32_t password)
{
    SendLock(CMD_GB_LOCK, area, locktype, password);
}

void FrameLink::RFID_GbKill(uint32_t password)
{
    SendKill(CMD_GB_KILL, password);
}

void FrameLink::RFID_GbSeLock(uint8_t, uint8_t, uint32_t) {}
void FrameLink::RFID_GbSeKill(uint32_t) {}

void FrameLink::SendUpgrade(uint8_t cmd, uint32_t packet_num, uint8_t status, const uint8_t* txbuf,
                            uint16_t buflen)
{
    // 6 header bytes + packet + 3 must stay within a sendable frame; then the
    // packet's length byte is exact.
    if (buflen + 9 > kMaxSendLen || (txbuf == nullptr && buflen != 0))
        return;
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.be32(packet_num).u8(status).u8(static_cast<uint8_t>(buflen)).bytes(txbuf, buflen);
    SendFrameLocked(cmd, w.len());
}

void FrameLink::Reader_App_Upgrade(uint32_t packet_num, uint8_t status, const uint8_t* txbuf,
                                   uint16_t buflen)
{
    SendUpgrade(CMD_READER_APP_UPGRADE, packet_num, status, txbuf, buflen);
}

void FrameLink::Baseband_Firmware_Upgrade(uint32_t packet_num, uint8_t status,
                                          const uint8_t* txbuf, uint16_t buflen)
{
    SendUpgrade(CMD_BASEBAND_FIRMWARE_UPGRADE, packet_num, status, txbuf, buflen);
}

void FrameLink::Uart_Moniter_Send(const uint8_t* data, size_t data_size, uint8_t len)
{
    if (data == nullptr || len == 0 || len > data_size || len + 2 > kMaxSendLen)
        return;
    std::lock_guard<std::mutex> lock(send_lock);
    DataWriter w(ProtocolData);
    w.bytes(data + 1, len - 1u);
    SendFrameLocked(data[0], w.len());
}
