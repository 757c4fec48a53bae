#include "sdk_package/uart/dllimport.h"

LibWinUart::LibWinUart() : FrameLink(0) {}

LibWinUart::~LibWinUart() = default;

int LibWinUart::SendUartCmd(char cmd, int len)
{
    SendFrame(static_cast<uint8_t>(cmd), len);
    return 101;
}

int LibWinUart::GetUartData()
{
    if (Serial == nullptr)
        return 0;
    bool got = false;
    char ch = Serial->ReadChar(got);
    if (got)
        FeedRxByte(static_cast<uint8_t>(ch));
    return 0;
}

void LibWinUart::SaveParam()
{
    SendSaveParam();
}

void LibWinUart::RFID_Write(uint8_t area, uint32_t addr, uint16_t len, const uint8_t* data,
                            size_t data_size, uint32_t password)
{
    SendTagWrite(CMD_WRITE, area, addr, len, data, data_size, password);
}

void LibWinUart::WriteFrame(const uint8_t* frame, int count)
{
    // A failed write is not reported: the frame counts as sent, and the
    // missing reply shows as a response time-out.
    if (Serial != nullptr)
        Serial->Write(reinterpret_cast<char*>(const_cast<uint8_t*>(frame)), count);
}
