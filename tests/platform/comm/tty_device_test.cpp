// The tty driver on ptys: exclusive opening, refused entries, a peer hanging up, the missing
// modem lines of a pty, and bytes exchanged both ways without loss.
#include "mapped_pty.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::comm {
namespace {

using test_support::MappedPty;
using test_support::TempFolder;
using namespace std::chrono_literals;

constexpr auto k_deadline = 10s;

// Polls ClearCommError until `count` bytes are waiting or the deadline passes.
DWORD wait_for_received(HANDLE handle, DWORD count) {
    auto give_up = std::chrono::steady_clock::now() + k_deadline;
    COMSTAT stat{};
    DWORD errors = 0;
    while (ClearCommError(handle, &errors, &stat) && stat.cbInQue < count &&
           std::chrono::steady_clock::now() < give_up)
        usleep(1000);
    return stat.cbInQue;
}

TEST(TtyOpen, SecondOpenerIsDeniedAndExclusiveModeEndsWithTheHandle) {
    MappedPty pty(31);
    HANDLE first = pty.open();
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    int exclusive = 0;
    ASSERT_EQ(ioctl(pty.slave(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 1);

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(pty.open(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    std::string diagnostic = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(diagnostic.find("COM31 ("), std::string::npos) << diagnostic;
    EXPECT_NE(diagnostic.find("in use by another program"), std::string::npos) << diagnostic;

    ASSERT_TRUE(CloseHandle(first));
    ASSERT_EQ(ioctl(pty.slave(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    HANDLE again = pty.open();
    EXPECT_NE(again, INVALID_HANDLE_VALUE);
    CloseHandle(again);
}

TEST(TtyOpen, EntriesThatAreNotTerminalsAreRefusedAndNeverWritten) {
    TempFolder folder;
    test_support::ScopedEnv ports("COMLINK_PORTS", folder.path().string());
    std::filesystem::path file = folder.path() / "com32";
    std::ofstream(file) << "keep me";
    std::filesystem::create_directory(folder.path() / "com33");
    std::filesystem::create_symlink("/dev/null", folder.path() / "com34");
    std::filesystem::create_symlink(folder.path() / "nowhere", folder.path() / "com35");
    auto stamp = std::filesystem::last_write_time(file);

    struct Row {
        int com;
        DWORD error;
        const char* reason;
    };
    const Row rows[] = {
        {32, ERROR_FILE_NOT_FOUND, "not a terminal device (a regular file)"},
        {33, ERROR_FILE_NOT_FOUND, "not a terminal device (a folder)"},
        {34, ERROR_FILE_NOT_FOUND, "not a terminal device"},
        {35, ERROR_FILE_NOT_FOUND, "No such file or directory"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.com);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(test_support::open_com(row.com), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), row.error);
        std::string line = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(line.rfind("COM" + std::to_string(row.com) + " (", 0), 0u) << line;
        EXPECT_NE(line.find(row.reason), std::string::npos) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << "one line";
    }
    std::string content;
    std::getline(std::ifstream(file), content);
    EXPECT_EQ(content, "keep me");
    EXPECT_EQ(std::filesystem::last_write_time(file), stamp);
}

TEST(TtyDevice, PtyHasNoModemLinesAndNoErrorCounters) {
    MappedPty pty(36);
    HANDLE handle = pty.open();
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD status = 0xFFFF;
    EXPECT_TRUE(GetCommModemStatus(handle, &status));
    EXPECT_EQ(status, 0u);
    for (DWORD function : {SETDTR, CLRDTR, SETRTS, CLRRTS}) {
        EXPECT_TRUE(EscapeCommFunction(handle, function)) << function;
    }
    EXPECT_TRUE(SetCommBreak(handle));
    EXPECT_TRUE(ClearCommBreak(handle));
    DWORD errors = 0xFFFF;
    COMSTAT stat{};
    EXPECT_TRUE(ClearCommError(handle, &errors, &stat));
    EXPECT_EQ(errors, 0u);
    EXPECT_FALSE(EscapeCommFunction(handle, 77));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    CloseHandle(handle);
}

TEST(TtyDevice, ReadWithNothingArrivedReturnsAtOnce) {
    MappedPty pty(37);
    HANDLE handle = pty.open();
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 0, 0};
    ASSERT_TRUE(SetCommTimeouts(handle, &timeouts));
    OVERLAPPED overlapped{};
    char buffer[16];
    DWORD read = 99;
    EXPECT_TRUE(ReadFile(handle, buffer, sizeof buffer, &read, &overlapped));
    EXPECT_EQ(read, 0u);
    DWORD transferred = 99;
    EXPECT_TRUE(GetOverlappedResult(handle, &overlapped, &transferred, TRUE));
    EXPECT_EQ(transferred, 0u);
    CloseHandle(handle);
}

TEST(TtyDevice, PeerHangingUpMakesEveryLaterCallFail) {
    MappedPty pty(38);
    HANDLE handle = pty.open();
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    ASSERT_EQ(write(pty.master(), "ab", 2), 2);
    ASSERT_EQ(wait_for_received(handle, 2), 2u);
    char byte = 0;
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(handle, &byte, 1, &read, nullptr));
    EXPECT_EQ(byte, 'a');

    pty.close_master();
    DWORD errors = 0;
    COMSTAT stat{};
    DCB dcb{};
    DWORD written = 0;
    EXPECT_FALSE(ReadFile(handle, &byte, 1, &read, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_FALSE(ClearCommError(handle, &errors, &stat));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_FALSE(WriteFile(handle, "x", 1, &written, nullptr));
    EXPECT_EQ(written, 0u);
    EXPECT_FALSE(GetCommState(handle, &dcb));
    EXPECT_FALSE(SetCommState(handle, &dcb));
    EXPECT_FALSE(PurgeComm(handle, PURGE_RXCLEAR));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_TRUE(CloseHandle(handle));
}

TEST(TtyDevice, QueueCountsAndPurge) {
    MappedPty pty(39);
    HANDLE handle = pty.open();
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    ASSERT_EQ(write(pty.master(), "12345", 5), 5);
    EXPECT_EQ(wait_for_received(handle, 5), 5u);
    ASSERT_TRUE(PurgeComm(handle, PURGE_RXCLEAR));
    COMSTAT stat{};
    ASSERT_TRUE(ClearCommError(handle, nullptr, &stat));
    EXPECT_EQ(stat.cbInQue, 0u);

    DWORD written = 0;
    ASSERT_TRUE(WriteFile(handle, "out", 3, &written, nullptr));
    EXPECT_EQ(written, 3u);
    ASSERT_TRUE(TransmitCommChar(handle, '!'));
    char buffer[8] = {};
    auto give_up = std::chrono::steady_clock::now() + k_deadline;
    std::string seen;
    while (seen.size() < 4 && std::chrono::steady_clock::now() < give_up) {
        ssize_t got = ::read(pty.master(), buffer, sizeof buffer);
        if (got > 0)
            seen.append(buffer, static_cast<std::size_t>(got));
        else
            usleep(1000);
    }
    EXPECT_EQ(seen, "out!");
    CloseHandle(handle);
}

// Pumps `size` bytes each way through WriteFile/ReadFile and the master side; a write that the
// pty does not take in full reports the smaller count, and the rest goes in the next call.
TEST(TtyDevice, LargeExchangeLosesNothing) {
    MappedPty pty(40);
    HANDLE handle = pty.open();
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    constexpr std::size_t size = 1 << 20;
    std::string outgoing(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        outgoing[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);

    std::string at_master;
    std::size_t sent = 0;
    std::vector<char> chunk(65536);
    bool saw_short_write = false;
    auto give_up = std::chrono::steady_clock::now() + 60s;
    while (at_master.size() < size && std::chrono::steady_clock::now() < give_up) {
        DWORD written = 0;
        DWORD asked = static_cast<DWORD>(size - sent);
        ASSERT_TRUE(WriteFile(handle, outgoing.data() + sent, asked, &written, nullptr));
        saw_short_write = saw_short_write || written < asked;
        sent += written;
        ssize_t got = ::read(pty.master(), chunk.data(), chunk.size());
        if (got > 0)
            at_master.append(chunk.data(), static_cast<std::size_t>(got));
    }
    EXPECT_TRUE(saw_short_write) << "the pty buffer is smaller than the data";
    ASSERT_EQ(at_master.size(), size);
    EXPECT_TRUE(at_master == outgoing);

    std::string at_port;
    std::size_t returned = 0;
    give_up = std::chrono::steady_clock::now() + 60s;
    while (at_port.size() < size && std::chrono::steady_clock::now() < give_up) {
        if (returned < size) {
            ssize_t put = ::write(pty.master(), at_master.data() + returned, size - returned);
            if (put > 0)
                returned += static_cast<std::size_t>(put);
        }
        DWORD read = 0;
        ASSERT_TRUE(
            ReadFile(handle, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr));
        at_port.append(chunk.data(), read);
    }
    ASSERT_EQ(at_port.size(), size);
    EXPECT_TRUE(at_port == outgoing);
    CloseHandle(handle);
}

} // namespace
} // namespace platform::comm
