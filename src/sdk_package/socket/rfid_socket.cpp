#include "sdk_package/socket/rfid_socket.h"

tcp_client::tcp_client() : FrameLink(1) {}

tcp_client::~tcp_client() = default;

int tcp_client::SendClientCmd(char cmd, int len)
{
    SendFrame(static_cast<uint8_t>(cmd), len);
    return 105;
}

void tcp_client::Save_Param()
{
    SendSaveParam();
}

void tcp_client::RFID_Write(uint8_t method, uint8_t area, uint32_t addr, uint16_t len,
                            const uint8_t* data, size_t data_size, uint32_t password)
{
    SendTagWriteByMethod(method, area, addr, len, data, data_size, password);
}

void tcp_client::RFID_GbSeRead(uint8_t, uint16_t, uint16_t, uint32_t) {}

void tcp_client::RFID_GbSeWrite(uint8_t, uint16_t, uint16_t, const uint8_t*, size_t, uint32_t) {}

void tcp_client::WriteFrame(const uint8_t*, int) {}
