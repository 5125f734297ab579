// Cost of bringing a Win32ComPort (and a PortLink over it) up and down on a pty, against the
// bare open + tcsetattr + close it stands on, and of one GetChar poll on an empty port.
#include "PortLink.h"
#include "Win32ComPort.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kIndex = 19;

// A pty whose slave is COM<kIndex + 1> through a private COMLINK_PORTS folder.
class BenchPty {
public:
    BenchPty() {
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            throw std::runtime_error("no pseudo-terminal available");
        m_slave_path = ptsname(m_master);
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/comlink-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        m_folder = pattern;
        std::filesystem::create_symlink(m_slave_path,
                                        m_folder / ("com" + std::to_string(kIndex + 1)));
        setenv("COMLINK_PORTS", m_folder.c_str(), 1);
    }
    ~BenchPty() {
        unsetenv("COMLINK_PORTS");
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
        close(m_master);
    }
    const std::string& slave_path() const { return m_slave_path; }

private:
    int m_master = -1;
    std::string m_slave_path;
    std::filesystem::path m_folder;
};

void BM_Win32PortOpenClose(benchmark::State& state) {
    BenchPty pty;
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
    BenchPty pty;
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
    BenchPty pty;
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
    BenchPty pty;
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
