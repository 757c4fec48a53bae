#include "sdk_package/hid/dllimporthid.h"

#include "platform/platform.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <cwchar>

const char* const kHidLibraryName = "libhidapi-hidraw.so.0";
const char* const kDefaultHidManufacturer = "UHF RFID Reader";

// The functions bound by name. Those marked required are the ones the
// driver calls; a library without one of them is not used at all. The
// others are bound for completeness and never called.
#define READER_HID_FUNCTIONS(X)           \
    X(hid_init, true)                     \
    X(hid_enumerate, true)                \
    X(hid_free_enumeration, true)         \
    X(hid_open, false)                    \
    X(hid_open_path, true)                \
    X(hid_get_manufacturer_string, false) \
    X(hid_get_product_string, false)      \
    X(hid_get_serial_number_string, false) \
    X(hid_get_indexed_string, false)      \
    X(hid_set_nonblocking, false)         \
    X(hid_read, false)                    \
    X(hid_send_feature_report, false)     \
    X(hid_get_feature_report, false)      \
    X(hid_error, false)                   \
    X(hid_write, true)                    \
    X(hid_close, true)                    \
    X(hid_exit, false)                    \
    X(hid_read_timeout, true)

struct LibWinHid::Api {
#define READER_HID_POINTER(name, required) decltype(&::name) name = nullptr;
    READER_HID_FUNCTIONS(READER_HID_POINTER)
#undef READER_HID_POINTER
};

namespace {

// Bytes asked of one input read: more than any full-speed report, so no
// report is ever cut short.
constexpr size_t kInputReportMax = 256;

// The generic-desktop keyboard: a reader's keyboard interface answers no
// frames.
constexpr unsigned short kUsagePageDesktop = 0x01;
constexpr unsigned short kUsageKeyboard = 0x06;

// Devices named in the no-reader line at the most.
constexpr size_t kMaxListedDevices = 12;

bool is_keyboard(const hid_device_info& dev, const std::string& path)
{
    return (dev.usage_page == kUsagePageDesktop && dev.usage == kUsageKeyboard) ||
           path.find("kbd") != std::string::npos;
}

// Why no reader was found, for the operator: the manufacturer string looked
// for, how to name another, and the devices present, as listed.
std::string hid_no_reader_text(const std::string& wanted, const std::vector<std::string>& present)
{
    std::string text = "未找到厂商字符串为“" + wanted +
                       "”的USB-HID设备；读写器报告的厂商字符串不同时，请在启动程序前用环境变量 "
                       "READER_HID_MANUFACTURER 指定。";
    if (present.empty())
        return text + "当前没有HID设备";
    text += "现有HID设备的厂商字符串：";
    for (size_t i = 0; i < present.size(); ++i)
        text += (i ? "、" : "") + present[i];
    return text;
}

}  // namespace

std::string hid_open_failure_text(int error_number, const std::string& library_message)
{
    switch (error_number) {
    case EACCES:
    case EPERM:
        return "没有权限打开USB-HID设备：请把用户加入 plugdev 组，并安装 README 中的 udev 规则"
               "（/etc/udev/rules.d/70-reader-hid.rules），然后重新插入读写器";
    case EBUSY:
        return "USB-HID设备正被其他程序占用";
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return "USB-HID设备已拔出";
    default:
        break;
    }
    std::string why = library_message;
    if (why.empty())
        why = error_number != 0 ? std::strerror(error_number) : "未知原因";
    return "USB-HID设备无法打开：" + why;
}

LibWinHid::LibWinHid() : FrameLink(1)
{
    const char* setting = std::getenv("READER_HID_MANUFACTURER");
    manufacturer_ = setting && *setting ? setting : kDefaultHidManufacturer;
}

LibWinHid::~LibWinHid()
{
    close_device();
    FreeExtLibrary(nullptr);
}

unsigned LibWinHid::LoadExtLibrary(void*)
{
    FreeExtLibrary(nullptr);
    load_error_.clear();
    m_hDLL = platform::LoadLibraryFromExeDir(kHidLibraryName);
    if (!m_hDLL) {
        load_error_ = platform::LastLoadError();
        return 1;
    }
    auto api = std::make_unique<Api>();
    std::string missing;
#define READER_HID_BIND(name, required)                                                   \
    api->name = reinterpret_cast<decltype(api->name)>(platform::FindSymbol(m_hDLL, #name)); \
    if (required && !api->name)                                                           \
        missing += (missing.empty() ? "" : ", ") + std::string(#name);
    READER_HID_FUNCTIONS(READER_HID_BIND)
#undef READER_HID_BIND
    if (!missing.empty()) {
        load_error_ = std::string(kHidLibraryName) + " lacks " + missing;
        FreeExtLibrary(nullptr);
        return 1;
    }
    if (api->hid_init() != 0) {
        load_error_ = "hid_init failed";
        FreeExtLibrary(nullptr);
        return static_cast<unsigned>(-1);
    }
    api_ = std::move(api);
    return 0;
}

int LibWinHid::FreeExtLibrary(void*)
{
    // hid_exit is never called: another driver in this process may still
    // use the same loaded library.
    api_.reset();
    if (m_hDLL) {
        platform::UnloadLibrary(m_hDLL);
        m_hDLL = nullptr;
    }
    return 0;
}

std::string LibWinHid::wideCharToMultiByte(const wchar_t* text)
{
    std::string out;
    if (!text)
        return out;
    // wchar_t holds one code point here; encode each as UTF-8.
    for (; *text; ++text) {
        uint32_t c = static_cast<uint32_t>(*text);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

int LibWinHid::Check_HID_Path()
{
    search_failure_.clear();
    if (!api_)
        return 0;
    hid_device_info* devs = api_->hid_enumerate(0, 0);
    int found = 0;
    std::vector<std::string> present;
    bool more = false;
    for (hid_device_info* cur_dev = devs; cur_dev; cur_dev = cur_dev->next) {
        const std::string path = cur_dev->path ? cur_dev->path : "";
        const std::string maker = wideCharToMultiByte(cur_dev->manufacturer_string);
        const bool keyboard = is_keyboard(*cur_dev, path);
        if (maker != manufacturer_ || keyboard) {
            const std::string seen = "“" + maker + "”" + (keyboard ? "（键盘接口）" : "");
            if (std::find(present.begin(), present.end(), seen) != present.end())
                continue;
            if (present.size() < kMaxListedDevices)
                present.push_back(seen);
            else
                more = true;
            continue;
        }
        PortBuff = path;
        hid_str = "pid : " + std::to_string(cur_dev->product_id) +
                  " vid :" + std::to_string(cur_dev->vendor_id) + "\n" + "manufacture : " + maker +
                  "\n" + "product : " + wideCharToMultiByte(cur_dev->product_string);
        found = 1;
        break;
    }
    api_->hid_free_enumeration(devs);
    if (!found) {
        if (more)
            present.push_back("……");
        search_failure_ = hid_no_reader_text(manufacturer_, present);
    }
    return found;
}

int LibWinHid::ConnectHID(std::string path)
{
    open_failure_.clear();
    close_device();
    DiscardRxFrame();
    if (!api_) {
        open_failure_ = hid_open_failure_text(0, "hidapi 未加载");
        return -1;
    }
    errno = 0;
    handle = api_->hid_open_path(path.c_str());
    if (!handle) {
        const int error_number = errno;
        std::string message;
        if (api_->hid_error)
            message = wideCharToMultiByte(api_->hid_error(nullptr));
        open_failure_ = hid_open_failure_text(error_number, message);
        return -1;
    }
    outbox_.open();
    return 0;
}

void LibWinHid::close_device()
{
    outbox_.close();
    if (handle && api_)
        api_->hid_close(handle);
    handle = nullptr;
}

int LibWinHid::DisConnected()
{
    close_device();
    DiscardRxFrame();
    return 1;
}

int LibWinHid::GetHIDData()
{
    if (!handle || !api_)
        return -1;
    if (!outbox_.flush([this](const uint8_t* report, size_t count) {
            return api_->hid_write(handle, report, count) >= 0;
        }))
        return -1;
    uint8_t input[kInputReportMax];
    const int got = api_->hid_read_timeout(handle, input, sizeof input, kReadSliceMs);
    if (got < 0)
        return -1;
    // Byte 0 is the report id; the reply bytes follow. Frames may span
    // reports: the reassembly keeps its place between them.
    for (int i = 1; i < got; ++i)
        FeedRxByte(input[i]);
    return 0;
}

int LibWinHid::SendHIDCmd(char cmd, int len)
{
    SendFrame(static_cast<uint8_t>(cmd), len);
    return 103;
}

void LibWinHid::WriteFrame(const uint8_t* frame, int count)
{
    if (count <= 0)
        return;
    if (count > kMaxReportFrame) {
        // Never a cut frame on the wire: refused whole, and the frame
        // recorded as sent stays the last one that went.
        std::memcpy(TxData, last_sent_, sizeof TxData);
        ++refused_frames_;
        return;
    }
    std::memcpy(last_sent_, TxData, sizeof TxData);
    uint8_t report[kReportSize] = {};
    report[0] = kReportId;
    report[1] = static_cast<uint8_t>(count);
    std::memcpy(report + 2, frame, static_cast<size_t>(count));
    // Whole: a device made for full reports may ignore a shorter one.
    WriteReport(report, kReportSize);
}

void LibWinHid::WriteReport(const uint8_t* report, int count)
{
    outbox_.push(report, static_cast<size_t>(count));
}

void LibWinHid::Save_Param()
{
    SendSaveParam();
}

void LibWinHid::RFID_Write(uint8_t method, uint8_t area, uint32_t addr, uint16_t len,
                           const uint8_t* data, size_t data_size, uint32_t password)
{
    SendTagWriteByMethod(method, area, addr, len, data, data_size, password);
}
