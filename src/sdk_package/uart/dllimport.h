// The RS-232 link's driver: the reader frame over a serial port object from
// liblodeport.
#pragma once

#include "sdk_package/frame_link.h"
#include "serial_port_library/lodeportBase.h"

#include <cstddef>
#include <cstdint>

class LibWinUart : public FrameLink {
public:
    // Address 0 until set_rs485_addr; no port until the library is loaded.
    LibWinUart();
    ~LibWinUart() override;

    // The port object from the library's Export; never destroyed here. While
    // it is null nothing is written and nothing is read.
    LodePortBase* Serial = nullptr;

    // Frames and writes ProtocolData as command `cmd` with length byte `len`.
    // Always 101, whether or not the write succeeded.
    int SendUartCmd(char cmd, int len);
    // Reads at most one byte from the port (waiting at most about 10 ms) and
    // feeds it to the reassembly. Always 0. Worker thread.
    int GetUartData();

    using FrameLink::set_rs485_addr;
    using FrameLink::Set_Uart_BoundRate;
    using FrameLink::Set_Multi_Ant_power;
    using FrameLink::Set_Eight_Ant_power;
    using FrameLink::Switch_Ant_Inventory;
    using FrameLink::RFID_GbSeRead;
    using FrameLink::RFID_GbSeWrite;

    void SaveParam();
    // The 6C write, always as command 0x82. `data` holds `data_size` bytes;
    // 2 x len of them are sent.
    void RFID_Write(uint8_t area, uint32_t addr, uint16_t len, const uint8_t* data,
                    size_t data_size, uint32_t password);

protected:
    void WriteFrame(const uint8_t* frame, int count) override;
};
