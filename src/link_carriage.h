// What each link method carries of the requests that not every link does.
// The controller asks here before it logs, raises or arms anything for a
// request, and the pages before they clear what an answer would replace,
// so a request a link cannot carry is refused instead of faked. No wx here;
// texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>

namespace carriage {

// The connection page's link methods.
enum Method : int { kSerial = 0, kTcp = 1, kHid = 2 };

// The requests some link does not carry, or not with every parameter.
enum class Request {
    Any,  // every link carries it
    GbSecureRead,
    GbSecureWrite,  // on USB-HID, as long as one report holds the frame
    GbSecureLock,
    GbSecureKill,
    GbDoubleIdentify,
    SwitchAntInventory,
    TagWrite,  // on USB-HID, as long as one report holds the frame
    GbWrite,   // on USB-HID, as long as one report holds the frame
    SetPower,  // different powers per antenna: RS-232 only
    RawFrame,  // the serial monitor's frame; on USB-HID as long as it fits
};

// Empty when link `method` carries `request` with the parameters the pages
// left in reader_params.h (the word count of a write, the antenna powers,
// the raw frame's length); else the operator's line saying what this link
// does not offer.
std::string refusal(Request request, int method);

inline bool carries(Request request, int method)
{
    return refusal(request, method).empty();
}

// All eight powers alike, so the one-power command sets them.
bool same_powers(const uint8_t (&powers)[8]);

}  // namespace carriage
