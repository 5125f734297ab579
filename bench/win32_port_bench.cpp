// Cost of bringing a Win32ComPort (and a PortLink over it) up and down on a pty, against the
// bare open + tcsetattr + close it stands on, and of one GetChar poll on an empty port.
#include "PortLink.h"
#include "Win32ComPort.h"
#include "mapped_pty.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kIndex = 19; // the pty is COM<kIndex + 1>

void BM_Win32PortOpenClose(benchmark::State& state) {
    test_support::MappedPty pty(kIndex + 1);
    for (auto _ : state) {
        Win32ComPort port(kIndex, 4096, 2048, 0);
        if (port.PeekLastError() != CL_OK) {
            state.SkipWithError("port did not open");
            break;
        }
    }
}
BENCHMARK(BM_Win32PortOpenClose);

void BM_Win32PortAndLinkOpenClose(benchmark::State& state) {
    test_support::MappedPty pty(kIndex + 1);
    for (auto _ : state) {
        Win32ComPort port(kIndex, 4096, 2048, 0);
        if (port.PeekLastError() != CL_OK) {
            state.SkipWithError("port did not open");
            break;
        }
        PortLink link(&port);
        benchmark::DoNotOptimize(link.m_pSettings);
    }
}
BENCHMARK(BM_Win32PortAndLinkOpenClose);

// The floor: what the driver cannot avoid to open a tty, set its line and close it.
void BM_RawOpenTcsetattrClose(benchmark::State& state) {
    test_support::MappedPty pty(kIndex + 1);
    for (auto _ : state) {
        int fd = open(pty.slave_path().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            state.SkipWithError("open failed");
            break;
        }
        termios attributes{};
        tcgetattr(fd, &attributes);
        cfmakeraw(&attributes);
        cfsetspeed(&attributes, B19200);
        tcsetattr(fd, TCSANOW, &attributes);
        close(fd);
    }
}
BENCHMARK(BM_RawOpenTcsetattrClose);

void BM_GetCharOnEmptyPort(benchmark::State& state) {
    test_support::MappedPty pty(kIndex + 1);
    Win32ComPort port(kIndex, 4096, 2048, 0);
    if (port.PeekLastError() != CL_OK) {
        state.SkipWithError("port did not open");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(port.GetChar());
}
BENCHMARK(BM_GetCharOnEmptyPort);

} // namespace

BENCHMARK_MAIN();
