#include "link_carriage.h"

#include "reader_params.h"
#include "sdk_package/hid/dllimporthid.h"

#include <algorithm>

namespace carriage {

namespace {

// Requests some link never carries, and which ones carry them.
struct Offer {
    Request request;
    const char* what;
    bool serial, tcp, hid;
};

const Offer kOffers[] = {
    {Request::GbSecureRead, "国标加密通讯读", true, false, true},
    {Request::GbSecureWrite, "国标加密通讯写", true, false, true},
    // The reader has no command for these.
    {Request::GbSecureLock, "国标加密通讯上锁", false, false, false},
    {Request::GbSecureKill, "国标加密通讯灭活", false, false, false},
    {Request::GbDoubleIdentify, "国标双向认证", true, true, false},
    {Request::SwitchAntInventory, "天线轮询盘存", true, true, false},
};

// Requests whose frame grows with a count: `fixed` bytes of frame around
// `per` bytes for each of count() units. A USB-HID report holds one frame.
struct Sized {
    Request request;
    const char* what;
    const char* unit;
    int fixed;
    int per;
    int (*count)();
};

int words() { return DataLenght; }
int raw_bytes() { return std::clamp(sendlenght, 0, static_cast<int>(sizeof UartData)); }

const Sized kSized[] = {
    // Password, bank, 4-byte address and word count before the words.
    {Request::TagWrite, "写EPC数据", "字", 16, 2, words},
    // Password, area, 2-byte address and word count before the words.
    {Request::GbWrite, "国标写标签", "字", 14, 2, words},
    {Request::GbSecureWrite, "国标加密通讯写", "字", 14, 2, words},
    // The command code and its data.
    {Request::RawFrame, "串口数据发送", "字节", 4, 1, raw_bytes},
};

std::string link_name(int method)
{
    switch (method) {
    case kTcp:
        return "TCP/IP";
    case kHid:
        return "USB-HID";
    default:
        return "串口";
    }
}

}  // namespace

bool same_powers(const uint8_t (&powers)[8])
{
    return std::all_of(std::begin(powers), std::end(powers), [&](uint8_t p) { return p == powers[0]; });
}

std::string refusal(Request request, int method)
{
    const std::string link = link_name(method) + "连接不支持";
    for (const Offer& o : kOffers) {
        if (o.request != request)
            continue;
        if (!o.serial && !o.tcp && !o.hid)
            return std::string("本程序在任何连接方式下都不支持") + o.what;
        const bool carried = method == kTcp ? o.tcp : method == kHid ? o.hid : o.serial;
        if (!carried)
            return link + o.what;
    }
    if (method == kHid) {
        for (const Sized& s : kSized) {
            const int most = (LibWinHid::kMaxReportFrame - s.fixed) / s.per;
            if (s.request == request && s.count() > most)
                return link + "超过" + std::to_string(most) + s.unit + "的" + s.what;
        }
    }
    if (request == Request::SetPower && method != kSerial && !same_powers(AntPower))
        return link + "各天线设置不同的功率";
    return std::string();
}

}  // namespace carriage
