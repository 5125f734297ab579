// Shared set-up for the Win32ComPort tests: a virtual device as COM5 (index 4), a port class
// that shows its fields, and helpers to read the device's call log.
#pragma once

#include "Win32ComPort.h"
#include "platform/comm/virtual_device.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace comlink_test {

inline constexpr int kPortIndex = 4;
inline constexpr int kComNumber = kPortIndex + 1;
inline constexpr unsigned kRxSize = 4096;
inline constexpr unsigned kTxSize = 2048;

// Win32ComPort with its fields readable and writable by the tests.
class TestablePort : public Win32ComPort {
public:
    using Win32ComPort::m_dwCommErrors;
    using Win32ComPort::m_hDevice;
    using Win32ComPort::m_nDtr;
    using Win32ComPort::m_nRts;
    using Win32ComPort::m_nRxHandshake;
    using Win32ComPort::m_nRxQueueSize;
    using Win32ComPort::m_nTxHandshake;
    using Win32ComPort::m_nTxQueueSize;
    using Win32ComPort::m_pDcb;
    using Win32ComPort::m_pReadOverlapped;
    using Win32ComPort::m_pWriteOverlapped;
    using Win32ComPort::m_wBreak;
    using Win32ComPort::Win32ComPort;
    bool holds_open_count() const { return HoldsOpenCount(); }
};

class Win32PortTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Each test starts from an empty open-count table.
        std::memset(g_portOpenCount, 0, sizeof g_portOpenCount);
        m_device = platform::comm::install_virtual_port(kComNumber);
    }
    void TearDown() override { platform::comm::remove_all_virtual_ports(); }

    // A port on the virtual device with the application's queue sizes; the call log starts
    // empty after it.
    std::unique_ptr<TestablePort> open_port() {
        auto port = std::make_unique<TestablePort>(kPortIndex, kRxSize, kTxSize, 0);
        EXPECT_EQ(port->PeekLastError(), CL_OK);
        m_device->clear_calls();
        return port;
    }

    std::vector<std::string> calls() const { return m_device->call_texts(); }

    std::shared_ptr<platform::comm::VirtualDevice> m_device;
};

} // namespace comlink_test
