// 8 MiB through a pty: WriteFile on the port with the master draining it, then the master
// writing and ReadFile taking it, against bare write/read on the same pty.
#include "mapped_pty.h"
#include "platform/windows.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int k_com_number = 62;
constexpr std::size_t k_total = 8u << 20;
constexpr std::size_t k_chunk = 64u << 10;

// Moves k_total bytes each way; `put` and `take` are the port side's write and read.
template <typename Put, typename Take> bool exchange(int master, Put put, Take take) {
    std::vector<char> out(k_chunk, 'x');
    std::vector<char> in(k_chunk);
    std::size_t sent = 0;
    std::size_t drained = 0;
    while (drained < k_total) {
        if (sent < k_total)
            sent += put(out.data(), std::min(k_chunk, k_total - sent));
        ssize_t got = ::read(master, in.data(), in.size());
        if (got > 0)
            drained += static_cast<std::size_t>(got);
    }
    std::size_t returned = 0;
    std::size_t received = 0;
    while (received < k_total) {
        if (returned < k_total) {
            ssize_t put_back = ::write(master, out.data(), std::min(k_chunk, k_total - returned));
            if (put_back > 0)
                returned += static_cast<std::size_t>(put_back);
        }
        received += take(in.data(), in.size());
    }
    return true;
}

void BM_WinFileBulkOnPty(benchmark::State& state) {
    test_support::MappedPty pty(k_com_number);
    HANDLE handle = pty.open();
    if (handle == INVALID_HANDLE_VALUE) {
        state.SkipWithError("cannot open the pty as a COM port");
        return;
    }
    OVERLAPPED write_overlapped{};
    OVERLAPPED read_overlapped{};
    auto put = [&](const char* data, std::size_t count) -> std::size_t {
        DWORD written = 0;
        WriteFile(handle, data, static_cast<DWORD>(count), &written, &write_overlapped);
        return written;
    };
    auto take = [&](char* data, std::size_t count) -> std::size_t {
        DWORD read = 0;
        ReadFile(handle, data, static_cast<DWORD>(count), &read, &read_overlapped);
        return read;
    };
    for (auto _ : state)
        benchmark::DoNotOptimize(exchange(pty.master(), put, take));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 2 * k_total));
    CloseHandle(handle);
}
BENCHMARK(BM_WinFileBulkOnPty)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RawBulkOnPty(benchmark::State& state) {
    test_support::MappedPty pty(k_com_number);
    int fd = ::open(pty.slave_path().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    termios raw{};
    if (fd < 0 || ::tcgetattr(fd, &raw) != 0) {
        state.SkipWithError("cannot open the pty");
        return;
    }
    ::cfmakeraw(&raw);
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    ::tcsetattr(fd, TCSANOW, &raw);
    auto put = [&](const char* data, std::size_t count) -> std::size_t {
        ssize_t written = ::write(fd, data, count);
        return written > 0 ? static_cast<std::size_t>(written) : 0;
    };
    auto take = [&](char* data, std::size_t count) -> std::size_t {
        ssize_t read = ::read(fd, data, count);
        return read > 0 ? static_cast<std::size_t>(read) : 0;
    };
    for (auto _ : state)
        benchmark::DoNotOptimize(exchange(pty.master(), put, take));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 2 * k_total));
    ::close(fd);
}
BENCHMARK(BM_RawBulkOnPty)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
