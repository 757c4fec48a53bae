// Runs the simulated reader by hand:
//   reader_sim --tcp PORT     listen on 127.0.0.1:PORT (0 for any free port)
//   reader_sim --pty          serve a pseudo-terminal
// Options: --tags N (distinct EPCs in an inventory), --rate R (reports a second).
// Serves until interrupted.
#include "sim_transport.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int)
{
    g_stop = 1;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: reader_sim --tcp PORT | --pty [--tags N] [--rate REPORTS_PER_SECOND]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    bool tcp = false, pty = false;
    long port = 0;
    readersim::StreamConfig stream;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool has_value = i + 1 < argc;
        if (a == "--tcp" && has_value) {
            tcp = true;
            char* end = nullptr;
            port = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || port < 0 || port > 65535)
                return Usage();
        } else if (a == "--pty") {
            pty = true;
        } else if (a == "--tags" && has_value) {
            stream.population = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (a == "--rate" && has_value) {
            stream.rate = std::strtod(argv[++i], nullptr);
        } else {
            return Usage();
        }
    }
    if (tcp == pty || stream.population == 0 || stream.rate < 0)
        return Usage();

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);

    readersim::SimReader reader;
    reader.SetStream(stream);
    std::string error;
    if (tcp) {
        readersim::SimTcpServer server(reader);
        if (!server.Start(static_cast<uint16_t>(port), &error)) {
            std::fprintf(stderr, "reader_sim: %s\n", error.c_str());
            return 1;
        }
        std::printf("reader_sim: listening on 127.0.0.1:%u\n", server.Port());
        std::fflush(stdout);
        while (!g_stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        server.Stop();
    } else {
        readersim::SimPty device(reader);
        if (!device.Start(&error)) {
            std::fprintf(stderr, "reader_sim: %s\n", error.c_str());
            return 1;
        }
        std::printf("reader_sim: device %s\n", device.DevicePath().c_str());
        std::printf("reader_sim: link %s\n", device.LinkPath().c_str());
        std::printf("reader_sim: start the program with READER_EXTRA_PORTS=%s\n",
                    device.LinkPath().c_str());
        std::fflush(stdout);
        while (!g_stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        device.Stop();
    }
    return 0;
}
