// ClearCommError on a pty against the bare ioctl(FIONREAD) it stands on.
#include "platform/windows.h"
#include "support/pty_pair.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr int k_com_number = 61;

HANDLE open_port(const bench::PtyPair& pty) {
    return CreateFileA(pty.com_name().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                       OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
}

void BM_ClearCommErrorOnPty(benchmark::State& state) {
    bench::PtyPair pty(k_com_number);
    HANDLE handle = open_port(pty);
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
    bench::PtyPair pty(k_com_number);
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
