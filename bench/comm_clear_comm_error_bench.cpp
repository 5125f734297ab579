// ClearCommError on a pty against the bare ioctl(FIONREAD) it stands on.
#include "mapped_pty.h"
#include "platform/windows.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr int k_com_number = 61;

void BM_ClearCommErrorOnPty(benchmark::State& state) {
    test_support::MappedPty pty(k_com_number);
    HANDLE handle = pty.open();
    if (handle == INVALID_HANDLE_VALUE) {
        state.SkipWithError("cannot open the pty as a COM port");
        return;
    }
    DWORD errors = 0;
    COMSTAT stat{};
    for (auto _ : state) {
        BOOL done = ClearCommError(handle, &errors, &stat);
        benchmark::DoNotOptimize(done);
        benchmark::DoNotOptimize(stat);
    }
    CloseHandle(handle);
}
BENCHMARK(BM_ClearCommErrorOnPty);

void BM_RawFionreadOnPty(benchmark::State& state) {
    test_support::MappedPty pty(k_com_number);
    int fd = ::open(pty.slave_path().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        state.SkipWithError("cannot open the pty");
        return;
    }
    int count = 0;
    for (auto _ : state) {
        int result = ::ioctl(fd, FIONREAD, &count);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(count);
    }
    ::close(fd);
}
BENCHMARK(BM_RawFionreadOnPty);

} // namespace

BENCHMARK_MAIN();
