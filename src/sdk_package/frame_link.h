// The reader's frame layer, shared by the three link drivers.
//
// A frame, in both directions: 0xA0, Len, address, command code, data, check
// byte. Len counts the bytes after itself, so a frame is Len + 2 bytes long.
// Integers wider than a byte travel most significant byte first.
//
// FrameLink owns the send state (ProtocolData, the last frame sent) and the
// receive state (the frame being collected and the queue of checked frames).
// A driver derives from it, implements WriteFrame for its link, and exposes
// the builders its link offers. Nothing here depends on wx.
#pragma once

#include <concurrentqueue/concurrentqueue.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>

// One received frame from its first byte, zero after it; copied by value.
struct RXBUF {
    uint8_t RXBuff[255];
};

class FrameLink {
public:
    // The reader's command codes. CMD_GB_DOUBLE_IDENTIFY and CMD_SELECT
    // share 0x98.
    enum PC_COMMAND {
        CMD_GB_SEC_WRITE = 0x42,
        CMD_GB_SEC_READ = 0x43,
        CMD_GB_READ = 0x45,
        CMD_GB_WRITE = 0x46,
        CMD_GB_LOCK = 0x47,
        CMD_GB_ERASE = 0x48,
        CMD_GB_KILL = 0x49,
        CMD_GB_DOUBLE_IDENTIFY = 0x98,
        CMD_SAVEPARAM = 0x4A,
        CMD_READER_PARA_RESET = 0x4B,
        CMD_READER_APP_UPGRADE = 0x4C,
        CMD_BASEBAND_FIRMWARE_UPGRADE = 0x4D,
        CMD_GET_FAST_EPC = 0x50,
        CMD_SET_FAST_EPC = 0x51,
        CMD_READ_MAGNUS_TEMP = 0x52,
        CMD_READ_TID_INVENTORY = 0x53,
        CMD_READ_EPC_INVENTORY = 0x54,
        CMD_READ_USER_IINVENTORY = 0x55,
        CMD_READ_LEN_TID_INVENTORY = 0x56,
        CMD_READ_LEN_EPC_INVENTORY = 0x57,
        CMD_READ_LEN_USER_INVENTORY = 0x58,
        CMD_SET_MULTI_ANT_POWER = 0x5F,
        CMD_SET_EIGHT_ANT_POWER = 0x5E,
        CMD_RESET = 0x70,
        CMD_SET_UART_BAUDRATE = 0x71,
        CMD_GET_FIRMWARE_VERSION = 0x72,
        CMD_SET_READER_ADDRESS = 0x73,
        CMD_SET_WORK_ANTENNA = 0x74,
        CMD_GET_WORK_ANTENNA = 0x75,
        CMD_SET_OUTPUT_POWER = 0x76,
        CMD_GET_OUTPUT_POWER = 0x77,
        CMD_SET_FREQ_REGION = 0x78,
        CMD_GET_FREQ_REGION = 0x79,
        CMD_SET_BEEP_MODE = 0x7A,
        CMD_GET_READER_TEMP = 0x7B,
        CMD_READ_GPIO_VALUE = 0x60,
        CMD_WRITE_GPIO_VALUE = 0x61,
        CMD_SET_ANT_CONECT_DETEC = 0x62,
        CMD_GET_ANT_CONECT_DETEC = 0x63,
        CMD_SET_TEMPORARY_OUT_POWER = 0x66,
        CMD_SET_READER_IDENTIFIER = 0x67,
        CMD_GET_READER_IDENTIFIER = 0x68,
        CMD_SET_RF_LINK_PROFILE = 0x69,
        CMD_GET_RF_LINK_PROFILE = 0x6A,
        CMD_GET_RF_PORT_RETURN_LOSS = 0x7E,
        CMD_INVENTORY = 0x80,
        CMD_READ = 0x81,
        CMD_WRITE = 0x82,
        CMD_LOCK = 0x83,
        CMD_KILL = 0x84,
        CMD_SET_ACCESS_EPC_MATCH = 0x85,
        CMD_GET_ACCESS_EPC_MATCH = 0x86,
        CMD_FAST_SWITCH_ANT_INVENTORY = 0x87,
        CMD_REAL_TIME_INVENTORY = 0x89,
        CMD_CUSTOM_INVENTORY = 0x8A,
        CMD_CUS_SESSION_TARGET_INV = 0x8B,
        CMD_STOP_INVENTORY = 0x8C,
        CMD_SELECT = 0x98,
        CMD_ISO18000_6B_INVENTORY = 0xB0,
        CMD_ISO18000_6B_READ = 0xB1,
        CMD_ISO18000_6B_WRITE = 0xB2,
        CMD_ISO_18000_6B_LOCK = 0xB3,
        CMD_ISO_18000_6B_QUERY_LOCK = 0xB4,
        CMD_GET_INVENTORY_BUFFER = 0x90,
        CMD_GET_AND_RESET_INVENTORY_BUFFER = 0x91,
        CMD_GET_INVENTORY_BUFFER_TAG_COUNT = 0x92,
        CMD_RESET_INVENTORY_BUFFER = 0x93,
        CMD_BLOCK_WRITE = 0x94,
        CONNECTEDREADER = 0x95,
        DISCONNECTEDREADER = 0x96,
    };

    // Reply status codes. PARAM_DRM_MODE_INVALID and PLL_LOCK_FAIL share 0x51.
    enum ErrorCode {
        RREC_SUCCESS = 0x10,
        RREC_FAIL = 0x11,
        RREC_MCU_REST_ERR = 0x20,
        CW_ON_ERR = 0x21,
        ANT_MISS_ERR = 0x22,
        WRITE_FLASH_ERR = 0x23,
        READ_FLASH_ERR = 0x24,
        SET_OUTPUT_POWER_ERR = 0x25,
        TAG_INVENTORY_ERR = 0x31,
        TAG_READ_ERR = 0x32,
        TAG_WRITE_ERR = 0x33,
        TAG_LOCK_ERR = 0x34,
        TAG_KILL_ERR = 0x35,
        INV_OK_BUT_ACC_FAIL = 0x37,
        BUF_IS_EMPTY_ERR = 0x38,
        ACC_OR_PASSOWRD_ERR = 0x40,
        RREC_UNSUPPORTED = 0x41,
        PARAM_WORDCNT_TOO_LONG = 0x43,
        PARAM_MEMBANK_OUTOF_RANGE = 0x44,
        PARAM_LOCK_REGION_OUTOF_RANGE = 0x45,
        PARAM_READER_ADDRESS_INVALID = 0x46,
        PARAM_ANT_ID_OUTOF_RANGE = 0x47,
        PARAM_OUTPUT_POWER_OUTOF_RANGE = 0x48,
        PARAM_FREQ_REGION_OUT_OF_RANGE = 0x49,
        PARAM_BAUDRATE_OUTOF_RANGE = 0x4A,
        PARAM_BEEPER_MODE_OUTOF_RANGE = 0x4B,
        PARAM_EPC_MATCH_LEN_TOO_LONG = 0x4C,
        PARAM_EPC_MATCH_LEN_ERR = 0x4D,
        PARAM_EPC_MATCH_MODE_INVALID = 0x4E,
        PARAM_FREQ_RANGE_INVALID = 0x4F,
        FAIL_TO_GET_RN16_FROM_TAG = 0x50,
        PARAM_DRM_MODE_INVALID = 0x51,
        PLL_LOCK_FAIL = 0x51,
        RF_CHIP_FAIL_TO_RESPONSE = 0x53,
        FAIL_TO_ACHIEVE_DESIRED_OUTPUT_POWER = 0x54,
        SPECTRUM_REGULATION_ERR = 0x56,
        OUTPUT_POWER_TOO_LOW = 0x57,
        RREC_BUSY = 0x03,
    };

    static constexpr uint8_t kHeader = 0xA0;
    // The work buffer is 255 bytes and the check covers Len + 4 of them.
    static constexpr int kMaxSendLen = 251;
    // The receiver takes frames of at most 100 bytes, so Len at most 98.
    static constexpr int kMaxRecvFrame = 100;

    virtual ~FrameLink();
    FrameLink(const FrameLink&) = delete;
    FrameLink& operator=(const FrameLink&) = delete;

    // Checked frames for the GUI thread; the worker enqueues (through
    // QueueRxFrame), the data timer dequeues.
    moodycamel::ConcurrentQueue<RXBUF> rxbuf_qe;

    // The consumer of rxbuf_qe sleeps while the reader is silent; the first
    // frame queued after it went to sleep calls `wake` once, on the thread
    // that queued it. Set before the worker starts; empty: no call.
    void SetRxWake(std::function<void()> wake) { rx_wake = std::move(wake); }
    // The consumer stops looking at the queue: true, and the next frame
    // queued calls the wake hook; false when frames are already waiting
    // (the consumer then goes on). A new link counts as sleeping. Consumer
    // thread only.
    bool SleepRx();
    // Queues one checked frame, waking a sleeping consumer. Every frame
    // for the GUI thread goes through here. Worker thread.
    void QueueRxFrame(const RXBUF& frame);

    // Low byte of minus the sum of `length` bytes taken as signed values.
    static int CheckSun(const uint8_t* buffer, int length);

    // Copies all 256 bytes of the last frame sent (the frame, then zeros).
    // Any thread.
    void GetTxData(uint8_t* dest);

    // One received byte into the reassembly. Worker thread only.
    void FeedRxByte(uint8_t byte);
    // Drops a partly collected frame (on disconnect). Worker thread only.
    void DiscardRxFrame();

    // Builders offered on every link. Each fills ProtocolData in wire order
    // and sends one frame; any thread.
    void Restart_Reader();
    void Read_Frameware_version();
    void Set_RS485_Addr(uint8_t addr);
    void Set_Work_Ant(uint8_t ant);
    void Get_Work_Ant();
    void Set_Ant_power(uint8_t power);
    void Get_Ant_Power();
    void Set_Frequece_Standard(uint8_t standard, uint8_t start, uint8_t end);
    void Set_Frequece(uint32_t start, uint16_t gap, uint8_t num);
    void Get_Frequence();
    void Set_Beep_status(uint8_t sta);
    void Read_Work_Temp();
    void Read_Gpio_Value(uint8_t port);
    void Set_Gpio_Value(uint8_t port, uint8_t val);
    void Get_Fast_Epc();
    void Set_Fast_Epc(uint8_t val);
    void Set_RF_Link(uint8_t mode);
    void Get_RF_Link();
    void Start_Buff_Inventory(uint8_t ant);
    void RFID_Read(uint8_t area, uint32_t addr, uint16_t len, uint32_t password);
    void RFID_Lock(uint8_t area, uint8_t locktype, uint32_t password);
    void RFID_Kill(uint32_t password);
    // mode 0 sets the match from `epc` (byte 0: match length minus one, then
    // the match bytes), any other mode cancels it. Nothing is sent when the
    // announced match does not fit in the `epc_size` bytes of `epc`.
    void Set_Epc_Match(uint8_t mode, const uint8_t* epc, size_t epc_size);
    void Get_Epc_Match();
    void RealTime_Inventory(uint8_t ant);
    void Custom_Inventory(uint8_t ant, uint8_t num, uint8_t mode, uint8_t len);
    void Custom_Session_Inventory(uint8_t session, uint8_t flag, uint8_t ant);
    void Stop_Inventory();
    void Get_Tag_Buff();
    void Get_and_Clear_Buff();
    void Get_Tag_Num();
    void Clear_Tag_Buff();
    // `password` holds the 16 key bytes.
    void RFID_GbDoubleIdentify(const uint8_t* password);
    void RFID_GbRead(uint8_t area, uint16_t addr, uint16_t len, uint32_t password);
    // `data` holds `data_size` bytes; 2 x len of them are sent.
    void RFID_GbWrite(uint8_t area, uint16_t addr, uint16_t len, const uint8_t* data,
                      size_t data_size, uint32_t password);
    void RFID_GbLock(uint8_t area, uint8_t locktype, uint32_t password);
    void RFID_GbKill(uint32_t password);
    // The reader has no secure lock or kill: these send nothing.
    void RFID_GbSeLock(uint8_t area, uint8_t locktype, uint32_t password);
    void RFID_GbSeKill(uint32_t password);
    void Reset_Para();
    // One firmware packet of `buflen` bytes from `txbuf` (at most 242).
    void Reader_App_Upgrade(uint32_t packet_num, uint8_t status, const uint8_t* txbuf,
                            uint16_t buflen);
    void Baseband_Firmware_Upgrade(uint32_t packet_num, uint8_t status, const uint8_t* txbuf,
                                   uint16_t buflen);
    // A raw frame typed by the operator: data[0] is the command code, data[1]
    // to data[len - 1] the frame's data. Nothing is sent for len 0 or when len
    // exceeds `data_size`.
    void Uart_Moniter_Send(const uint8_t* data, size_t data_size, uint8_t len);

protected:
    FrameLink(uint8_t reader_addr, int max_send_len = kMaxSendLen);

    // Puts `count` bytes of one whole frame on the link. Called with the send
    // lock held, so frames never interleave on the wire.
    virtual void WriteFrame(const uint8_t* frame, int count) = 0;

    // Frames ProtocolData as command `cmd` with length byte `len`, records the
    // frame in TxData, writes it and zeroes ProtocolData. A length the link
    // cannot carry sends nothing. Caller holds send_lock.
    void SendFrameLocked(uint8_t cmd, int len);
    // Locks and sends whatever ProtocolData holds.
    void SendFrame(uint8_t cmd, int len);

    // Builders that only some links offer; a driver makes its own public.
    void set_rs485_addr(uint8_t addr);
    void Set_Uart_BoundRate(uint8_t boundrate);
    void Set_Multi_Ant_power(uint8_t power1, uint8_t power2, uint8_t power3, uint8_t power4);
    void Set_Eight_Ant_power(uint8_t power1, uint8_t power2, uint8_t power3, uint8_t power4,
                             uint8_t power5, uint8_t power6, uint8_t power7, uint8_t power8);
    // Uses the first ant_num entries of each array; sends nothing unless
    // 1 <= ant_num <= 8.
    void Switch_Ant_Inventory(uint8_t ant_num, const uint8_t* round_ant, const uint8_t* round_num,
                              uint8_t interval, uint8_t session, uint8_t target_flag,
                              uint8_t repeat);
    void RFID_GbSeRead(uint8_t area, uint16_t addr, uint16_t len, uint32_t password);
    void RFID_GbSeWrite(uint8_t area, uint16_t addr, uint16_t len, const uint8_t* data,
                        size_t data_size, uint32_t password);
    void SendSaveParam();
    // The 6C write frame, sent under command `cmd` (0x82 or 0x94).
    void SendTagWrite(uint8_t cmd, uint8_t area, uint32_t addr, uint16_t len, const uint8_t* data,
                      size_t data_size, uint32_t password);
    // The same frame by write method: 1 as 0x82, 0 as block write 0x94,
    // any other method sends nothing.
    void SendTagWriteByMethod(uint8_t method, uint8_t area, uint32_t addr, uint16_t len,
                              const uint8_t* data, size_t data_size, uint32_t password);

    // Resynchronisation steps of the reassembly, on rxbuf.
    uint8_t get_head_num(uint8_t count) const;
    uint8_t get_head_position(uint8_t count, uint8_t first) const;
    void remove_err_data(uint8_t p, uint8_t count);

    // Guards ProtocolData, TxData, ReaderAddr and the write.
    std::mutex send_lock;
    uint8_t ProtocolData[256];
    uint8_t ReaderAddr;
    uint8_t TxData[256];
    const int max_send_len;

    // Receive state, worker thread only. Every byte of rxbuf at or beyond
    // num is 0: the reassembly reads the length byte before it has come.
    RXBUF rxbuf;
    uint8_t num;

    std::function<void()> rx_wake;
    // True from SleepRx until a queued frame takes it to call rx_wake.
    std::atomic<bool> rx_sleeping{true};

private:
    void SendBare(uint8_t cmd);
    void SendOne(uint8_t cmd, uint8_t value);
    void SendLock(uint8_t cmd, uint8_t area, uint8_t locktype, uint32_t password);
    void SendKill(uint8_t cmd, uint32_t password);
    void SendGbWrite(uint8_t cmd, uint8_t area, uint16_t addr, uint16_t len, const uint8_t* data,
                     size_t data_size, uint32_t password);
    void SendGbAccess(uint8_t cmd, uint8_t area, uint16_t addr, uint16_t len, uint32_t password);
    void SendUpgrade(uint8_t cmd, uint32_t packet_num, uint8_t status, const uint8_t* txbuf,
                     uint16_t buflen);
};
