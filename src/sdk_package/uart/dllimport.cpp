#include "sdk_package/uart/dllimport.h"

#include "platform/open_failure.h"
#include "platform/platform.h"

LibWinUart::LibWinUart() : FrameLink(0) {}

LibWinUart::~LibWinUart() = default;

int LibWinUart::LoadExtLibrary(void*)
{
    load_error_.clear();
    m_hDll = platform::LoadLibraryFromExeDir("liblodeport.so");
    if (!m_hDll) {
        load_error_ = platform::LastLoadError();
        return 1;
    }
    auto export_fn = reinterpret_cast<LodePortExportFn>(platform::FindSymbol(m_hDll, "Export"));
    if (!export_fn) {
        load_error_ = platform::LastLoadError();
        platform::UnloadLibrary(m_hDll);
        m_hDll = nullptr;
        return 1;
    }
    Serial = export_fn();
    return 0;
}

int LibWinUart::FreeExtLibrary(void*)
{
    if (Serial) {
        Serial->Close();
        delete Serial;
        Serial = nullptr;
    }
    if (m_hDll) {
        platform::UnloadLibrary(m_hDll);
        m_hDll = nullptr;
    }
    return 0;
}

int LibWinUart::ConnectUart(std::string com, long baudrate)
{
    open_failure_.clear();
    if (!Serial)
        return -1;
    if (Serial->IsOpened())
        return 1;
    const std::string path = com.empty() || com[0] == '/' ? com : "/dev/" + com;
    Serial->SetPortA(path);
    Serial->SetBaudRate(baudrate);
    Serial->SetDataSize(8);
    Serial->SetParity('N');
    Serial->SetStopBits(1.0f);
    const long step = Serial->Open();
    if (step == 10) {
        outbox_.open();
        return 0;
    }
    // Step 1 is the open itself; the later ones work on the opened device.
    open_failure_ = platform::describe_open_failure(
        Serial->GetOpenError(), path, step <= 1 ? platform::OpenStep::Open : platform::OpenStep::Setup);
    return -1;
}

int LibWinUart::DisConnected()
{
    outbox_.close();
    DiscardRxFrame();
    if (Serial)
        Serial->Close();
    return 1;
}

int LibWinUart::Check_Serial_Com()
{
    if (!Serial)
        return 0;
    const std::string list = Serial->getComPort();
    if (list == PortBuff)
        return 0;
    PortBuff = list;
    return 1;
}

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

int LibWinUart::WaitUartData(int wake_fd, int timeout_ms)
{
    if (Serial == nullptr)
        return -1;
    char chunk[512];
    const int n = Serial->ReadAvailable(chunk, sizeof chunk, wake_fd, timeout_ms);
    if (n == LodePortBase::kReadCannotWait)
        return GetUartData();
    for (int i = 0; i < n; ++i)
        FeedRxByte(static_cast<uint8_t>(chunk[i]));
    return n;
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

void LibWinUart::set_wake_fd(int fd)
{
    outbox_.set_wake([fd] { platform::RaiseWakeup(fd); });
}

void LibWinUart::WriteFrame(const uint8_t* frame, int count)
{
    // Refused while closed or when the worker is hopelessly behind: the
    // frame counts as sent, and the missing reply shows as a time-out.
    if (count > 0)
        outbox_.push(frame, static_cast<size_t>(count));
}

void LibWinUart::flush_writes()
{
    // A failed write is not reported either: the reply it asked for does not
    // come, which shows as a time-out.
    outbox_.flush([this](const uint8_t* frame, size_t count) {
        Serial->Write(reinterpret_cast<char*>(const_cast<uint8_t*>(frame)), static_cast<long>(count));
        return true;
    });
}
