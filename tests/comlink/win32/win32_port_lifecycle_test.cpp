// Win32ComPort construction, opening, closing and destruction on the virtual device.
#include "win32_port_fixture.h"

#include "allocation_failure.h"

#include <gmock/gmock.h>

namespace comlink_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(Win32PortTest, ConstructionClaimsOpensAndConfiguresInOrder) {
    TestablePort port(kPortIndex, kRxSize, kTxSize, 0);

    EXPECT_EQ(port.PeekLastError(), CL_OK);
    EXPECT_EQ(g_portOpenCount[kPortIndex], 1);
    EXPECT_TRUE(m_device->is_open());
    EXPECT_THAT(calls(),
                ElementsAre("CreateFileA()", "SetupComm(4096,2048)", "SetCommMask(0)",
                            "GetCommState()", "SetCommTimeouts(4294967295,0,0,0,0)",
                            "SetCommState()", "EscapeCommFunction(5)", "EscapeCommFunction(3)"));
    EXPECT_TRUE(m_device->dtr());
    EXPECT_TRUE(m_device->rts());
}

TEST_F(Win32PortTest, OpenAppliesTheDefaultLineStateAndKeepsTheDeviceFields) {
    // Fields outside the default table keep what the device reported.
    {
        HANDLE raw = CreateFileA("\\\\.\\COM5", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
        ASSERT_NE(raw, INVALID_HANDLE_VALUE);
        DCB dcb{};
        ASSERT_TRUE(GetCommState(raw, &dcb));
        dcb.fParity = 1;
        dcb.fTXContinueOnXoff = 1;
        dcb.fOutX = 1;
        dcb.ErrorChar = 0x7E;
        dcb.BaudRate = 300;
        dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
        ASSERT_TRUE(SetCommState(raw, &dcb));
        ASSERT_TRUE(CloseHandle(raw));
    }
    TestablePort port(kPortIndex, kRxSize, kTxSize, 0);
    ASSERT_EQ(port.PeekLastError(), CL_OK);

    const DCB& applied = m_device->dcb();
    EXPECT_EQ(applied.BaudRate, 19200u);
    EXPECT_EQ(applied.ByteSize, 8);
    EXPECT_EQ(applied.Parity, NOPARITY);
    EXPECT_EQ(applied.StopBits, ONESTOPBIT);
    EXPECT_EQ(applied.fBinary, 1u);
    EXPECT_EQ(applied.fOutxCtsFlow, 0u);
    EXPECT_EQ(applied.fOutxDsrFlow, 0u);
    EXPECT_EQ(applied.fDtrControl, DTR_CONTROL_ENABLE);
    EXPECT_EQ(applied.fRtsControl, RTS_CONTROL_DISABLE);
    EXPECT_EQ(applied.fNull, 0u);
    EXPECT_EQ(applied.XonChar, 0x11);
    EXPECT_EQ(applied.XoffChar, 0x13);
    EXPECT_EQ(applied.EofChar, 0);
    EXPECT_EQ(applied.EvtChar, 0);
    EXPECT_EQ(applied.XonLim, 1024);
    EXPECT_EQ(applied.XoffLim, 128);
    EXPECT_EQ(applied.fParity, 1u);
    EXPECT_EQ(applied.fTXContinueOnXoff, 1u);
    EXPECT_EQ(applied.fOutX, 1u);
    EXPECT_EQ(applied.ErrorChar, 0x7E);
    // Raising RTS afterwards marks it enabled in the working record only.
    EXPECT_EQ(port.m_pDcb->fRtsControl, RTS_CONTROL_ENABLE);
    EXPECT_EQ(port.m_nDtr, 1);
    EXPECT_EQ(port.m_nRts, 1);
}

TEST_F(Win32PortTest, DestructionClosesInOrderAndReleasesTheCount) {
    auto port = open_port();
    port.reset();

    EXPECT_THAT(calls(), ElementsAre("PurgeComm(8)", "PurgeComm(4)", "EscapeCommFunction(6)",
                                     "EscapeCommFunction(4)", "CloseHandle()"));
    EXPECT_EQ(g_portOpenCount[kPortIndex], 0);
    EXPECT_FALSE(m_device->is_open());
    EXPECT_FALSE(m_device->dtr());
    EXPECT_FALSE(m_device->rts());
}

TEST_F(Win32PortTest, SecondPortOnACountedIndexIsRefusedAndLeavesTheHolderAlone) {
    auto holder = open_port();

    auto refused = std::make_unique<TestablePort>(kPortIndex, kRxSize, kTxSize, 0);
    EXPECT_EQ(refused->PeekLastError(), CL_ERR_IN_USE);
    EXPECT_FALSE(refused->holds_open_count());
    EXPECT_EQ(g_portOpenCount[kPortIndex], 1);
    refused.reset();
    EXPECT_EQ(g_portOpenCount[kPortIndex], 1);
    // Neither the refused port's construction nor its destruction reached the device.
    EXPECT_THAT(calls(), IsEmpty());
    EXPECT_TRUE(m_device->is_open());

    holder.reset();
    EXPECT_FALSE(m_device->is_open());
    EXPECT_EQ(g_portOpenCount[kPortIndex], 0);
}

struct OpenFailureCase {
    const char* name;
    DWORD last_error;
    int expected;
};

class OpenFailureTest : public Win32PortTest,
                        public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(OpenFailureTest, MissingDeviceStoresTheMappedCodeAndCountsNothing) {
    m_device->fail("CreateFileA", GetParam().last_error);
    {
        TestablePort port(kPortIndex, kRxSize, kTxSize, 0);
        EXPECT_EQ(port.PeekLastError(), GetParam().expected);
        EXPECT_EQ(port.m_hDevice, INVALID_HANDLE_VALUE);
        EXPECT_EQ(g_portOpenCount[kPortIndex], 0);
    }
    EXPECT_EQ(g_portOpenCount[kPortIndex], 0);
    EXPECT_THAT(calls(), ElementsAre("CreateFileA()"));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, OpenFailureTest,
    ::testing::Values(OpenFailureCase{"NotFound", ERROR_FILE_NOT_FOUND, CL_ERR_FAILED},
                      OpenFailureCase{"AccessDenied", ERROR_ACCESS_DENIED, CL_ERR_FAILED},
                      OpenFailureCase{"CommOpen", static_cast<DWORD>(IE_OPEN), CL_ERR_IN_USE},
                      OpenFailureCase{"CommBadId", static_cast<DWORD>(IE_BADID), CL_ERR_HARDWARE}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Win32PortTest, FailedSetCommStateInOpenLeavesTheDeviceOpenAndCounted) {
    m_device->fail("SetCommState", ERROR_INVALID_PARAMETER, 1);
    auto port = std::make_unique<TestablePort>(kPortIndex, kRxSize, kTxSize, 0);
    EXPECT_EQ(port->PeekLastError(), CL_ERR_FAILED);
    EXPECT_EQ(g_portOpenCount[kPortIndex], 1);
    EXPECT_TRUE(m_device->is_open());
    port.reset();
    EXPECT_FALSE(m_device->is_open());
    EXPECT_EQ(g_portOpenCount[kPortIndex], 0);
}

TEST_F(Win32PortTest, ReceiveSizeKeepsItsLow16Bits) {
    TestablePort port(kPortIndex, 65536, 0x12345, 0);
    EXPECT_EQ(port.m_nRxQueueSize, 0u);
    EXPECT_EQ(port.m_nTxQueueSize, 0x2345u);
    EXPECT_EQ(m_device->dcb().XonLim, 0);
    EXPECT_EQ(m_device->calls().at(1).text(), "SetupComm(0,9029)");
}

TEST_F(Win32PortTest, DeviceNameCountsFromOne) {
    for (int index : {0, 15}) {
        auto device = platform::comm::install_virtual_port(index + 1);
        TestablePort port(index, kRxSize, kTxSize, 0);
        EXPECT_EQ(port.PeekLastError(), CL_OK) << "index " << index;
        EXPECT_TRUE(device->is_open()) << "index " << index;
    }
}

TEST_F(Win32PortTest, FailingCloseReturnsAndStoresTheCode) {
    auto port = open_port();
    // The handle is released behind the port's back, so the port's own CloseHandle fails.
    ASSERT_TRUE(CloseHandle(port->m_hDevice));
    EXPECT_EQ(port->Close(), CL_ERR_CLOSE);
    EXPECT_EQ(port->PeekLastError(), CL_ERR_CLOSE);
    EXPECT_EQ(port->m_hDevice, INVALID_HANDLE_VALUE);
}

TEST_F(Win32PortTest, SecondCloseReachesNoDevice) {
    auto port = open_port();
    EXPECT_EQ(port->Close(), CL_OK);
    EXPECT_EQ(port->PeekLastError(), CL_OK);
    EXPECT_FALSE(m_device->is_open());
    // Close leaves the count alone; only destruction gives it back.
    EXPECT_EQ(g_portOpenCount[kPortIndex], 1);
    m_device->clear_calls();

    // Another user now has the device; the closed port's handle names nothing.
    HANDLE other = CreateFileA("\\\\.\\COM5", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    m_device->clear_calls();
    EXPECT_EQ(port->Close(), CL_ERR_CLOSE);
    port.reset();
    EXPECT_THAT(calls(), IsEmpty());
    EXPECT_TRUE(m_device->is_open());
    EXPECT_EQ(g_portOpenCount[kPortIndex], 0);
    EXPECT_TRUE(CloseHandle(other));
}

TEST_F(Win32PortTest, IndexOutsideTheCountTableOpensNothing) {
    for (int index : {-1, COMLINK_MAX_PORTS, 1 << 30}) {
        {
            TestablePort port(index, kRxSize, kTxSize, 0);
            EXPECT_EQ(port.PeekLastError(), CL_ERR_HARDWARE) << "index " << index;
            EXPECT_EQ(port.m_hDevice, INVALID_HANDLE_VALUE);
            EXPECT_FALSE(port.holds_open_count());
        }
        for (std::uint16_t count : g_portOpenCount)
            ASSERT_EQ(count, 0);
    }
    EXPECT_THAT(calls(), IsEmpty());
}

TEST_F(Win32PortTest, ShellHoldsNothingAndTouchesNoCount) {
    g_portOpenCount[0] = 1;
    {
        TestablePort shell(kPortIndex, kRxSize, kTxSize, 1);
        EXPECT_EQ(shell.PeekLastError(), CL_OK);
        EXPECT_EQ(shell.m_nPortIndex, 0);
        EXPECT_EQ(shell.m_pDcb, nullptr);
        EXPECT_EQ(shell.m_pReadOverlapped, nullptr);
        EXPECT_EQ(shell.m_pWriteOverlapped, nullptr);
        EXPECT_EQ(shell.m_hDevice, INVALID_HANDLE_VALUE);
    }
    EXPECT_EQ(g_portOpenCount[0], 1);
    EXPECT_THAT(calls(), IsEmpty());
}

struct AllocationCase {
    const char* name;
    int failing_allocation;
    bool holds_records;
};

class AllocationFailureTest : public Win32PortTest,
                              public ::testing::WithParamInterface<AllocationCase> {};

TEST_P(AllocationFailureTest, ReportsNoMemoryAndOpensNothing) {
    g_portOpenCount[0] = 1;
    fail_nothrow_allocation(GetParam().failing_allocation);
    {
        TestablePort port(kPortIndex, kRxSize, kTxSize, 0);
        fail_nothrow_allocation(0);
        EXPECT_EQ(port.PeekLastError(), CL_ERR_NO_MEMORY);
        EXPECT_EQ(port.m_nPortIndex, GetParam().holds_records ? kPortIndex : 0);
        EXPECT_EQ(port.m_pDcb != nullptr, GetParam().holds_records);
        EXPECT_EQ(port.m_pReadOverlapped != nullptr, GetParam().holds_records);
        EXPECT_EQ(port.m_pWriteOverlapped != nullptr, GetParam().holds_records);
        EXPECT_FALSE(port.holds_open_count());
    }
    fail_nothrow_allocation(0);
    EXPECT_EQ(g_portOpenCount[0], 1);
    EXPECT_EQ(g_portOpenCount[kPortIndex], 0);
    EXPECT_FALSE(m_device->is_open());
}

INSTANTIATE_TEST_SUITE_P(Records, AllocationFailureTest,
                         ::testing::Values(AllocationCase{"Dcb", 1, false},
                                           AllocationCase{"ReadOverlapped", 2, false},
                                           AllocationCase{"WriteOverlapped", 3, false},
                                           AllocationCase{"DeviceName", 4, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace comlink_test
