// Our small POSIX layer: the few system services the serial-port library and
// the link drivers need, one concern a source file:
//   port_io.cpp      open/lock, purge, read and write with a deadline, modem lines
//   wakeup.cpp       a descriptor that ends another thread's wait, and the wait
//   line_termios2.cpp line settings through TCGETS2/TCSETS2 (any baud rate)
//   port_list.cpp    the serial devices the system has
//   tcp.cpp          a client connection: lookup and connect within a wait
//                    that a wake-up ends, keep-alive, whole writes
//   dynamic_lib.cpp  the program's own folder, loading libraries from it
//   open_failure.cpp why a device did not open, in the operator's words
//                    (its own header, open_failure.h)
//
// Nothing here throws; failures come back as results. errno is left as the
// failing call set it, for callers that want to log it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// ---------------------------------------------------------------- port I/O

// Opens `path` for reading and writing (non-blocking, not the controlling
// terminal, closed on exec) and takes it exclusively: an advisory lock that
// every opener of this layer takes (it also holds against root, unlike
// TIOCEXCL alone) plus TIOCEXCL for other programs. Returns the descriptor,
// or -1 when the path cannot be opened or someone else holds it; errno then
// says why, EBUSY for a device held elsewhere (describe_open_failure in
// open_failure.h words it for the operator).
// A file that is not a terminal opens; the first terminal call then fails.
int OpenPortExclusive(const std::string& path);

// Gives up exclusivity and closes. Accepts -1 (does nothing).
void ClosePort(int fd);

// Discards bytes waiting in the input and/or output queue. False on error
// (for example when `fd` is not a terminal).
bool PurgePort(int fd, bool input, bool output);

enum class ReadResult {
    Data,     // `got` > 0 bytes were read
    Timeout,  // nothing came within the wait
    HungUp,   // the other side is gone or the device failed
    Woken,    // the wake-up descriptor turned readable first (ReadUntil only)
};

// Discards output that the driver still holds unsent (after a write that
// timed out). Bytes already gone are left alone: on a pseudo-terminal a
// plain output flush would also drop what the other side has not read yet.
// False on error.
bool DiscardUnsentOutput(int fd);

// Waits at most `timeout_ms` for input, then reads what is waiting, up to
// `capacity` bytes, into `buffer`. On HungUp the call has still waited the
// whole `timeout_ms`, so a caller's retry loop never spins. EINTR is retried
// within the same deadline.
ReadResult ReadWithin(int fd, char* buffer, std::size_t capacity, int timeout_ms,
                      std::size_t& got);

// Waits at most `timeout_ms` (negative: without limit) for input on `fd` or
// for `wake_fd` (-1: none) to turn readable, then reads what is waiting, up
// to `capacity` bytes. Input wins over a wake-up that came with it. Unlike
// ReadWithin, HungUp returns at once: the caller decides how to wait then.
// `wake_fd` is only watched, never read. EINTR is retried within the wait.
ReadResult ReadUntil(int fd, int wake_fd, char* buffer, std::size_t capacity, int timeout_ms,
                     std::size_t& got);

// Writes all `count` bytes, waiting for room until `timeout_ms` has passed,
// then waits until they have left the driver (within the same deadline).
// Returns true only when every byte was written and drained.
bool WriteAll(int fd, const char* buffer, std::size_t count, int timeout_ms);

// Bytes the driver holds in its input queue; -1 on error.
int InputQueued(int fd);

enum ModemLine : unsigned {
    kLineCTS = 1u << 0,
    kLineDSR = 1u << 1,
    kLineRI = 1u << 2,
    kLineCD = 1u << 3,
};

// Raises (`on`) or drops RTS / DTR. False when the device refuses.
bool SetRTS(int fd, bool on);
bool SetDTR(int fd, bool on);

// Reads the modem input lines into `lines` (ModemLine bits). False when the
// device has no modem lines (a pseudo-terminal may refuse).
bool GetModemLines(int fd, unsigned& lines);

// Sleeps at least `ms` milliseconds.
void SleepMs(int ms);

// ----------------------------------------------------------------- wake-ups

// A descriptor that one thread makes readable to end another thread's wait
// (an eventfd); -1 when none could be made.
int OpenWakeup();
// Makes `fd` readable until ClearWakeup; raising it twice is raising it
// once. Any thread. Accepts -1 (does nothing).
void RaiseWakeup(int fd);
// Makes `fd` unreadable again. Accepts -1.
void ClearWakeup(int fd);
// Accepts -1.
void CloseWakeup(int fd);

enum class WaitResult {
    Ready,    // `fd` has input (whether or not a wake-up came too)
    Woken,    // `wake_fd` is readable
    Timeout,  // neither within the wait
    HungUp,   // `fd` reports hang-up or an error and has no input
};

// Waits at most `timeout_ms` (negative: without limit) until `fd` has input
// or `wake_fd` is readable; either may be -1 (not watched). HungUp returns
// at once. EINTR is retried within the wait. Neither descriptor is read.
WaitResult WaitReadable(int fd, int wake_fd, int timeout_ms);

// --------------------------------------------------------------------- TCP

enum class ConnectResult {
    Connected,  // `fd` is the connected socket (non-blocking, closed on exec)
    Failed,     // no such host, refused, or no answer within the wait
    Woken,      // `wake_fd` turned readable first: given up, nothing left open
};

// Looks `host` up (an IPv4 address or a host name) and connects to it at
// `port`, the lookup and the connect together within `timeout_ms`. A name
// lookup runs on a thread of its own, which is left to end alone when the
// wait ends first, so that a lookup that hangs never holds the caller
// beyond the wait or the wake-up. `wake_fd` (-1: none) is only watched,
// never read. `fd` is -1 unless Connected.
ConnectResult ConnectTcp(const std::string& host, std::uint16_t port, int wake_fd, int timeout_ms,
                         int& fd);

// Makes a peer that falls silent without closing (powered off, cable cut)
// fail the connection: keep-alive probes after `idle_s` seconds of silence,
// then every `interval_s`, `count` of them; and the connection fails once
// the peer has been silent for `limit_ms` with a probe or data of ours
// unacknowledged. The failure then shows as a hang-up of `fd`. False when
// the system refuses one of the settings.
bool KeepConnectionAlive(int fd, int idle_s, int interval_s, int count, int limit_ms);

// Sends all `count` bytes on the socket `fd`, waiting for room until
// `timeout_ms` has passed. False when the connection failed or the time ran
// out first (then part of the bytes may have gone). Never raises SIGPIPE.
bool SendAll(int fd, const void* bytes, std::size_t count, int timeout_ms);

// Closes a socket from ConnectTcp. Accepts -1.
void CloseSocket(int fd);

// ----------------------------------------------------------- line settings

// The kernel's terminal attributes, arbitrary speeds included, in a form that
// needs neither <termios.h> nor <asm/termbits.h> (the two cannot meet in one
// file). Flag values are the kernel's, which glibc's constants equal.
struct LineAttributes {
    std::uint32_t iflag = 0;
    std::uint32_t oflag = 0;
    std::uint32_t cflag = 0;
    std::uint32_t lflag = 0;
    std::uint8_t line = 0;
    std::uint8_t cc[19] = {};
    std::uint32_t ispeed = 0;
    std::uint32_t ospeed = 0;
};

// What the caller asks of the line.
struct LineFormat {
    long baud = 9600;
    long data_bits = 8;  // 5..8
    char parity = 'N';   // 'N', 'E', 'O', 'M' (mark) or 'S' (space)
    int stop_bits = 1;   // 1 or 2
};

// TCGETS2 / TCSETS2. False on error (not a terminal, rate refused...).
bool GetLineAttributes(int fd, LineAttributes& out);
bool SetLineAttributes(int fd, const LineAttributes& in);

// Turns `attr` into a raw binary line with `format`: no echo, no canonical
// mode, no signals, no CR/LF mapping, no output processing, no software or
// hardware flow control, CLOCAL|CREAD, the exact rate in both directions.
// Returns false, leaving `attr` unchanged, when `format` has no terminal
// form (a rate of 0 or less, or beyond 32 bits; data bits outside 5..8).
bool MakeRawLine(LineAttributes& attr, const LineFormat& format);

// ---------------------------------------------------------------- port list

// Bare names (such as "ttyUSB0") of the serial devices under `sys_class_tty`
// that have a device behind them and a character device of that name under
// `dev_dir`, in natural order (ttyUSB2 before ttyUSB10). Placeholder ttyS*
// ports without a UART (port type 0) are skipped.
std::vector<std::string> ListSystemPorts(const std::string& sys_class_tty = "/sys/class/tty",
                                         const std::string& dev_dir = "/dev");

// The absolute paths named in READER_EXTRA_PORTS (colon-separated) that
// exist as character devices now, in the order given.
std::vector<std::string> ListExtraPorts();

// ListSystemPorts() followed by ListExtraPorts().
std::vector<std::string> ListPorts();

// ----------------------------------------------------------- dynamic loading

using LibraryHandle = void*;

// Full path of the running program (from /proc/self/exe); empty on failure.
std::string ExecutablePath();

// The program's folder with a trailing '/'; empty on failure.
std::string ExecutableDir();

// Loads the shared library `file_name` (a bare name, no '/') from the
// program's own folder. Returns null on failure; LastLoadError() says why.
LibraryHandle LoadLibraryFromExeDir(const std::string& file_name);

// Looks up `name` in `library`; null when absent (LastLoadError() says why).
void* FindSymbol(LibraryHandle library, const char* name);

// Releases a library from LoadLibraryFromExeDir. False for null or on error.
bool UnloadLibrary(LibraryHandle library);

// Text of this thread's last failure of the loading calls above.
std::string LastLoadError();

}  // namespace platform
