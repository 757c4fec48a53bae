// The TCP link's driver: the reader frame over a TCP stream to the reader.
#pragma once

#include "sdk_package/frame_link.h"

#include <cstddef>
#include <cstdint>

class tcp_client : public FrameLink {
public:
    // Address 1 until set_rs485_addr.
    tcp_client();
    ~tcp_client() override;

    // Frames and writes ProtocolData as command `cmd` with length byte `len`.
    // Always 105.
    int SendClientCmd(char cmd, int len);

    using FrameLink::set_rs485_addr;
    using FrameLink::Switch_Ant_Inventory;

    void Save_Param();
    // The 6C write: method 1 sends it as 0x82, method 0 as block write 0x94,
    // any other method sends nothing.
    void RFID_Write(uint8_t method, uint8_t area, uint32_t addr, uint16_t len,
                    const uint8_t* data, size_t data_size, uint32_t password);
    // The secure GB read and write are not carried on this link.
    void RFID_GbSeRead(uint8_t area, uint16_t addr, uint16_t len, uint32_t password);
    void RFID_GbSeWrite(uint8_t area, uint16_t addr, uint16_t len, const uint8_t* data,
                        size_t data_size, uint32_t password);

protected:
    // Hook for the socket: until the link exists, frames go nowhere.
    void WriteFrame(const uint8_t* frame, int count) override;
};
