// Line settings through the kernel's termios2 ioctls.
//
// glibc's termios only knows the fixed Bxxx rates; the reader's 14400, 76800,
// 128000 and 256000 need BOTHER with an exact speed. <asm/termbits.h> clashes
// with <termios.h>, so this file includes nothing else, and every rate of a
// port is set here: mixing the two speed interfaces on one port misreports
// the speed.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cstring>
#include <limits>

#include "platform/platform.h"

namespace platform {

static_assert(sizeof(LineAttributes::cc) == sizeof(termios2::c_cc),
              "LineAttributes::cc must hold the kernel's control characters");

namespace {

void ToKernel(const LineAttributes& in, termios2& out) {
    std::memset(&out, 0, sizeof out);
    out.c_iflag = in.iflag;
    out.c_oflag = in.oflag;
    out.c_cflag = in.cflag;
    out.c_lflag = in.lflag;
    out.c_line = in.line;
    std::memcpy(out.c_cc, in.cc, sizeof out.c_cc);
    out.c_ispeed = in.ispeed;
    out.c_ospeed = in.ospeed;
}

void FromKernel(const termios2& in, LineAttributes& out) {
    out.iflag = in.c_iflag;
    out.oflag = in.c_oflag;
    out.cflag = in.c_cflag;
    out.lflag = in.c_lflag;
    out.line = in.c_line;
    std::memcpy(out.cc, in.c_cc, sizeof out.cc);
    out.ispeed = in.c_ispeed;
    out.ospeed = in.c_ospeed;
}

}  // namespace

bool GetLineAttributes(int fd, LineAttributes& out) {
    termios2 t;
    if (ioctl(fd, TCGETS2, &t) != 0) return false;
    FromKernel(t, out);
    return true;
}

bool SetLineAttributes(int fd, const LineAttributes& in) {
    termios2 t;
    ToKernel(in, t);
    return ioctl(fd, TCSETS2, &t) == 0;
}

bool MakeRawLine(LineAttributes& attr, const LineFormat& format) {
    // A rate of 0 would mean "hang up" to the driver, not a speed.
    if (format.baud <= 0 || static_cast<unsigned long>(format.baud) >
                                std::numeric_limits<speed_t>::max())
        return false;
    tcflag_t size;
    switch (format.data_bits) {
        case 5: size = CS5; break;
        case 6: size = CS6; break;
        case 7: size = CS7; break;
        case 8: size = CS8; break;
        default: return false;
    }

    attr.iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR |
                                         IGNCR | ICRNL | IUCLC | IXON | IXANY | IXOFF | IMAXBEL);
    attr.oflag &= ~static_cast<tcflag_t>(OPOST);
    attr.lflag &= ~static_cast<tcflag_t>(ISIG | ICANON | ECHO | ECHOE | ECHOK | ECHONL | ECHOCTL |
                                         ECHOPRT | ECHOKE | IEXTEN | TOSTOP | XCASE);

    tcflag_t c = attr.cflag;
    c &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS | CBAUD |
                                (CBAUD << IBSHIFT));
    c |= size | CLOCAL | CREAD | BOTHER | (BOTHER << IBSHIFT);
    switch (format.parity) {
        case 'E': c |= PARENB; break;
        case 'O': c |= PARENB | PARODD; break;
        case 'M': c |= PARENB | CMSPAR | PARODD; break;
        case 'S': c |= PARENB | CMSPAR; break;
        default: break;
    }
    if (format.stop_bits >= 2) c |= CSTOPB;
    attr.cflag = c;

    // Reads are driven by poll on a non-blocking descriptor; no byte count
    // or inter-byte timer of the driver's should hold data back.
    attr.cc[VMIN] = 0;
    attr.cc[VTIME] = 0;
    attr.ispeed = static_cast<speed_t>(format.baud);
    attr.ospeed = static_cast<speed_t>(format.baud);
    return true;
}

}  // namespace platform
