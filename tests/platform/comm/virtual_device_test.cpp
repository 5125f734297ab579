// The virtual driver through the Win32 calls: queues, capture, failures, pending writes,
// unplugging, the call log and the handle rules.
#include "open_com.h"
#include "platform/comm/virtual_device.h"
#include "platform/windows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

namespace platform::comm {
namespace {

using test_support::open_com;
using ::testing::ElementsAre;

class VirtualDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_device = install_virtual_port(7);
        m_handle = open_com(7);
        ASSERT_NE(m_handle, INVALID_HANDLE_VALUE);
    }
    void TearDown() override {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
        remove_all_virtual_ports();
    }

    std::shared_ptr<VirtualDevice> m_device;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

TEST_F(VirtualDeviceTest, SecondOpenIsDeniedUntilTheFirstCloses) {
    EXPECT_TRUE(m_device->is_open());
    EXPECT_EQ(open_com(7), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    ASSERT_TRUE(CloseHandle(m_handle));
    EXPECT_FALSE(m_device->is_open());
    m_handle =
        CreateFileA("COM7", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(m_handle, INVALID_HANDLE_VALUE);
}

TEST_F(VirtualDeviceTest, DefaultStateIsPlausibleAndSetStateIsStoredAndRecorded) {
    DCB dcb{};
    ASSERT_TRUE(GetCommState(m_handle, &dcb));
    EXPECT_EQ(dcb.DCBlength, sizeof(DCB));
    EXPECT_EQ(dcb.BaudRate, 9600u);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    EXPECT_EQ(dcb.fBinary, 1u);

    dcb.BaudRate = 19200;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    ASSERT_TRUE(SetCommState(m_handle, &dcb));
    EXPECT_EQ(m_device->dcb().BaudRate, 19200u);
    EXPECT_FALSE(m_device->rts());

    DCB bad = dcb;
    bad.ByteSize = 9;
    EXPECT_FALSE(SetCommState(m_handle, &bad));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    ASSERT_EQ(m_device->applied_dcbs().size(), 2u);
    EXPECT_EQ(m_device->applied_dcbs()[1].ByteSize, 9);
    EXPECT_EQ(m_device->dcb().ByteSize, 8) << "a refused DCB is not applied";
}

TEST_F(VirtualDeviceTest, WrittenBytesAreCapturedAndHeldBytesStayQueuedUntilPurged) {
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(m_handle, "ab", 2, &written, nullptr));
    EXPECT_EQ(written, 2u);
    m_device->set_hold_written(true);
    ASSERT_TRUE(WriteFile(m_handle, "cde", 3, &written, nullptr));
    ASSERT_TRUE(TransmitCommChar(m_handle, 'Z'));
    EXPECT_EQ(m_device->sent(), "abcdeZ");

    COMSTAT stat{};
    DWORD errors = 99;
    ASSERT_TRUE(ClearCommError(m_handle, &errors, &stat));
    EXPECT_EQ(stat.cbOutQue, 3u);
    EXPECT_EQ(errors, 0u);

    ASSERT_TRUE(PurgeComm(m_handle, PURGE_TXCLEAR));
    ASSERT_TRUE(ClearCommError(m_handle, &errors, &stat));
    EXPECT_EQ(stat.cbOutQue, 0u);
    EXPECT_EQ(m_device->take_sent(), "abcdeZ");
    EXPECT_EQ(m_device->sent(), "");
}

TEST_F(VirtualDeviceTest, ReadTakesQueuedBytesInOrderAndNeverWaits) {
    m_device->queue_receive(std::string("hi\0\xff", 4));
    char buffer[8] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(m_handle, buffer, 3, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), std::string("hi\0", 3));
    EXPECT_EQ(m_device->received_pending(), 1u);
    ASSERT_TRUE(ReadFile(m_handle, buffer, 8, &read, nullptr));
    EXPECT_EQ(read, 1u);
    EXPECT_EQ(buffer[0], '\xff');
    ASSERT_TRUE(ReadFile(m_handle, buffer, 8, &read, nullptr));
    EXPECT_EQ(read, 0u);

    m_device->queue_receive("xyz");
    ASSERT_TRUE(PurgeComm(m_handle, PURGE_RXCLEAR));
    EXPECT_EQ(m_device->received_pending(), 0u);
}

TEST_F(VirtualDeviceTest, ErrorsAreReportedOnceAndHoldsAndCountsEveryTime) {
    m_device->raise_errors(CE_FRAME);
    m_device->raise_errors(CE_OVERRUN);
    m_device->set_holds(true, false, false, true);
    m_device->queue_receive("12345");
    m_device->set_out_queue(17);

    DWORD errors = 0;
    COMSTAT stat{};
    ASSERT_TRUE(ClearCommError(m_handle, &errors, &stat));
    EXPECT_EQ(errors, CE_FRAME | CE_OVERRUN);
    EXPECT_EQ(stat.fCtsHold, 1u);
    EXPECT_EQ(stat.fDsrHold, 0u);
    EXPECT_EQ(stat.fXoffHold, 0u);
    EXPECT_EQ(stat.fXoffSent, 1u);
    EXPECT_EQ(stat.cbInQue, 5u);
    EXPECT_EQ(stat.cbOutQue, 17u);

    ASSERT_TRUE(ClearCommError(m_handle, &errors, &stat));
    EXPECT_EQ(errors, 0u);
    EXPECT_EQ(stat.fCtsHold, 1u);
    EXPECT_TRUE(ClearCommError(m_handle, nullptr, nullptr));
}

TEST_F(VirtualDeviceTest, FailuresHitTheNamedCallForTheGivenTimes) {
    DCB dcb{};
    m_device->fail("SetCommState", ERROR_GEN_FAILURE, 2);
    ASSERT_TRUE(GetCommState(m_handle, &dcb));
    EXPECT_FALSE(SetCommState(m_handle, &dcb));
    EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);
    EXPECT_FALSE(SetCommState(m_handle, &dcb));
    EXPECT_TRUE(SetCommState(m_handle, &dcb));

    // The first two calls still succeed, then one fails.
    m_device->fail("SetCommState", ERROR_GEN_FAILURE, 1, 2);
    EXPECT_TRUE(SetCommState(m_handle, &dcb));
    EXPECT_TRUE(SetCommState(m_handle, &dcb));
    EXPECT_FALSE(SetCommState(m_handle, &dcb));
    EXPECT_TRUE(SetCommState(m_handle, &dcb));

    m_device->fail("GetCommModemStatus", ERROR_BAD_COMMAND);
    DWORD status = 0;
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(GetCommModemStatus(m_handle, &status));
    m_device->clear_failures();
    m_device->set_modem_status(MS_CTS_ON | MS_RLSD_ON);
    ASSERT_TRUE(GetCommModemStatus(m_handle, &status));
    EXPECT_EQ(status, MS_CTS_ON | MS_RLSD_ON);
}

TEST_F(VirtualDeviceTest, FailedOpenAndFailedReadReportTheChosenError) {
    m_device->fail("ReadFile", ERROR_READ_FAULT, 1);
    m_device->queue_receive("q");
    OVERLAPPED overlapped{};
    char byte = 0;
    DWORD read = 7;
    EXPECT_FALSE(ReadFile(m_handle, &byte, 1, &read, &overlapped));
    EXPECT_EQ(GetLastError(), ERROR_READ_FAULT);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(m_device->received_pending(), 1u);

    ASSERT_TRUE(CloseHandle(m_handle));
    m_device->fail("CreateFileA", ERROR_SHARING_VIOLATION, 1);
    m_handle = open_com(7);
    EXPECT_EQ(m_handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_FALSE(m_device->is_open());
}

TEST_F(VirtualDeviceTest, PendingWriteHandsOverItsBytesAndCompletesOnAsking) {
    m_device->set_writes_pending(false);
    OVERLAPPED overlapped{};
    DWORD written = 0;
    EXPECT_FALSE(WriteFile(m_handle, "abcd", 4, &written, &overlapped));
    EXPECT_EQ(GetLastError(), ERROR_IO_PENDING);
    EXPECT_EQ(m_device->sent(), "abcd");

    DWORD transferred = 0;
    ASSERT_TRUE(GetOverlappedResult(m_handle, &overlapped, &transferred, TRUE));
    EXPECT_EQ(transferred, 4u);

    EXPECT_TRUE(WriteFile(m_handle, "e", 1, &written, &overlapped)) << "only the next one";
    m_device->set_writes_pending();
    EXPECT_FALSE(WriteFile(m_handle, "f", 1, &written, &overlapped));
    EXPECT_FALSE(WriteFile(m_handle, "g", 1, &written, &overlapped));
    m_device->stop_writes_pending();
    EXPECT_TRUE(WriteFile(m_handle, "h", 1, &written, &overlapped));
}

TEST_F(VirtualDeviceTest, UnpluggedDeviceRefusesEverythingButClose) {
    m_device->unplug();
    DWORD value = 0;
    COMSTAT stat{};
    char byte = 0;
    EXPECT_FALSE(ClearCommError(m_handle, &value, &stat));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_FALSE(ReadFile(m_handle, &byte, 1, &value, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_FALSE(WriteFile(m_handle, "x", 1, &value, nullptr));
    EXPECT_EQ(m_device->sent(), "");
    EXPECT_TRUE(CloseHandle(m_handle));
    m_handle = INVALID_HANDLE_VALUE;
    EXPECT_FALSE(m_device->is_open());
}

TEST_F(VirtualDeviceTest, LogRecordsEveryCallWithItsArguments) {
    m_device->clear_calls();
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 0, 0};
    DWORD mask = 0;
    SetupComm(m_handle, 4096, 2048);
    SetCommMask(m_handle, 0);
    GetCommMask(m_handle, &mask);
    SetCommTimeouts(m_handle, &timeouts);
    EscapeCommFunction(m_handle, SETDTR);
    EscapeCommFunction(m_handle, CLRRTS);
    SetCommBreak(m_handle);
    ClearCommBreak(m_handle);
    PurgeComm(m_handle, PURGE_RXCLEAR);
    TransmitCommChar(m_handle, '\x80');
    CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;

    EXPECT_THAT(m_device->call_texts(),
                ElementsAre("SetupComm(4096,2048)", "SetCommMask(0)", "GetCommMask()",
                            "SetCommTimeouts(4294967295,0,0,0,0)", "EscapeCommFunction(5)",
                            "EscapeCommFunction(4)", "SetCommBreak()", "ClearCommBreak()",
                            "PurgeComm(8)", "TransmitCommChar(128)", "CloseHandle()"));
    EXPECT_EQ(m_device->in_queue_size(), 4096u);
    EXPECT_EQ(m_device->out_queue_size(), 2048u);
    EXPECT_EQ(m_device->timeouts().ReadIntervalTimeout, MAXDWORD);
    EXPECT_TRUE(m_device->dtr());
    EXPECT_FALSE(m_device->break_on());
}

TEST(HandleTable, ClosedStaleAndMadeUpHandlesAreInvalid) {
    auto device = install_virtual_port(8);
    HANDLE first = open_com(8);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(CloseHandle(first));
    EXPECT_FALSE(CloseHandle(first));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

    // The slot is reused by the next open; the old value must not reach the new device.
    HANDLE second = open_com(8);
    ASSERT_NE(second, INVALID_HANDLE_VALUE);
    EXPECT_NE(second, first);
    device->clear_calls();
    DWORD mask = 0;
    EXPECT_FALSE(GetCommMask(first, &mask));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(device->calls().empty());

    for (HANDLE bogus : {HANDLE{nullptr}, INVALID_HANDLE_VALUE, reinterpret_cast<HANDLE>(0x1234)}) {
        EXPECT_FALSE(SetCommMask(bogus, 0));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    }
    EXPECT_TRUE(CloseHandle(second));
    remove_all_virtual_ports();
}

TEST(LastError, IsKeptPerThread) {
    SetLastError(ERROR_BUSY);
    DWORD seen_there = 1;
    std::thread other([&] {
        seen_there = GetLastError();
        SetLastError(ERROR_TIMEOUT);
    });
    other.join();
    EXPECT_EQ(seen_there, ERROR_SUCCESS);
    EXPECT_EQ(GetLastError(), ERROR_BUSY);
}

} // namespace
} // namespace platform::comm
