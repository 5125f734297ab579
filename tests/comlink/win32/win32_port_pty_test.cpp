// Win32ComPort and PortLink end to end over a pseudo-terminal and the tty driver.
#include "Win32ComPort.h"
#include "PortLink.h"
#include "mapped_pty.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <termios.h>

namespace comlink_test {
namespace {

using namespace std::chrono_literals;

constexpr int kPtyIndex = 11;
constexpr int kPtyCom = kPtyIndex + 1;
constexpr auto kDeadline = 5s;

class Win32PortPtyTest : public ::testing::Test {
protected:
    void SetUp() override { std::memset(g_portOpenCount, 0, sizeof g_portOpenCount); }

    // The slave's termios, read through the master, which shares it.
    termios slave_attributes() const {
        termios attributes{};
        EXPECT_EQ(tcgetattr(m_pty.master(), &attributes), 0);
        return attributes;
    }

    // Polls the port until `count` bytes came or the deadline passed.
    static std::string read_port(ComPort& port, std::size_t count) {
        std::string bytes;
        auto end = std::chrono::steady_clock::now() + kDeadline;
        while (bytes.size() < count && std::chrono::steady_clock::now() < end) {
            char buffer[64];
            int got = port.Read(
                buffer, static_cast<std::uint32_t>(std::min(sizeof buffer, count - bytes.size())));
            EXPECT_GE(got, 0);
            if (got > 0)
                bytes.append(buffer, static_cast<std::size_t>(got));
            else
                port.Idle();
        }
        return bytes;
    }

    test_support::MappedPty m_pty{kPtyCom};
};

TEST_F(Win32PortPtyTest, PortExchangesBytesWithTheOtherEnd) {
    Win32ComPort port(kPtyIndex, 4096, 2048, 0);
    ASSERT_EQ(port.PeekLastError(), CL_OK);
    EXPECT_EQ(g_portOpenCount[kPtyIndex], 1);
    termios attributes = slave_attributes();
    EXPECT_EQ(cfgetospeed(&attributes), B19200);

    EXPECT_EQ(port.Write("\x27hello", 6), 6);
    EXPECT_EQ(m_pty.read_master(6, kDeadline), "\x27hello");

    ASSERT_TRUE(m_pty.write_master("T\xFFxyz"));
    int first = CL_ERR_NO_DATA;
    auto end = std::chrono::steady_clock::now() + kDeadline;
    while (first == CL_ERR_NO_DATA && std::chrono::steady_clock::now() < end)
        first = port.GetChar();
    EXPECT_EQ(first, 'T');
    EXPECT_EQ(read_port(port, 4), "\xFFxyz");
    EXPECT_EQ(port.GetChar(), CL_ERR_NO_DATA);
    EXPECT_EQ(port.PeekLastError(), CL_OK);
}

TEST_F(Win32PortPtyTest, SecondPortOnTheIndexIsRefused) {
    Win32ComPort holder(kPtyIndex, 4096, 2048, 0);
    ASSERT_EQ(holder.PeekLastError(), CL_OK);
    {
        Win32ComPort refused(kPtyIndex, 4096, 2048, 0);
        EXPECT_EQ(refused.PeekLastError(), CL_ERR_IN_USE);
    }
    EXPECT_EQ(g_portOpenCount[kPtyIndex], 1);
    // The holder still owns a working device.
    EXPECT_EQ(holder.Write("ok", 2), 2);
    EXPECT_EQ(m_pty.read_master(2, kDeadline), "ok");
}

TEST_F(Win32PortPtyTest, LinkAppliesItsLineAndPutsBackThePortsOwn) {
    Win32ComPort port(kPtyIndex, 4096, 2048, 0);
    ASSERT_EQ(port.PeekLastError(), CL_OK);
    ASSERT_EQ(port.SetHandshake(LINE_XONXOFF, LINE_XONXOFF), CL_OK);
    termios before = slave_attributes();
    ASSERT_NE(before.c_iflag & IXON, 0u);
    ASSERT_NE(before.c_iflag & IXOFF, 0u);

    {
        PortLink link(&port);
        EXPECT_EQ(port.PeekLastError(), CL_OK);
        termios during = slave_attributes();
        EXPECT_EQ(cfgetospeed(&during), B9600);
        EXPECT_EQ(during.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(during.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
        EXPECT_EQ(during.c_iflag & (IXON | IXOFF), 0u);
    }

    termios after = slave_attributes();
    EXPECT_EQ(cfgetospeed(&after), B19200);
    EXPECT_EQ(after.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_NE(after.c_iflag & IXON, 0u);
    EXPECT_NE(after.c_iflag & IXOFF, 0u);
    int rx = -1, tx = -1;
    port.GetHandshake(&rx, &tx);
    EXPECT_EQ(rx, LINE_XONXOFF);
    EXPECT_EQ(tx, LINE_XONXOFF);
}

TEST_F(Win32PortPtyTest, DestroyedPortReleasesTheDeviceForTheNextOne) {
    for (int round = 0; round < 2; ++round) {
        Win32ComPort port(kPtyIndex, 4096, 2048, 0);
        ASSERT_EQ(port.PeekLastError(), CL_OK) << "round " << round;
    }
    EXPECT_EQ(g_portOpenCount[kPtyIndex], 0);
}

} // namespace
} // namespace comlink_test
