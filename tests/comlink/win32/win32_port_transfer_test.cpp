// Win32ComPort writes, reads, queues, purging and the event operations on the virtual device.
#include "win32_port_fixture.h"

#include <gmock/gmock.h>

namespace comlink_test {
namespace {

using ::testing::ElementsAre;

TEST_F(Win32PortTest, WriteOfNothingCallsWriteFileAndKeepsTheLastError) {
    auto port = open_port();
    EXPECT_EQ(port->Write("", 0), 0);
    EXPECT_EQ(port->PeekLastError(), CL_OK);
    EXPECT_THAT(calls(), ElementsAre("ClearCommError()", "WriteFile(0)"));
}

struct WriteCase {
    const char* name;
    DWORD out_queue;
    int expected;
};

class WriteRoomTest : public Win32PortTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteRoomTest, HandsOverWhatFitsAndReportsAShortWrite) {
    auto port = open_port();
    m_device->set_out_queue(GetParam().out_queue);
    EXPECT_EQ(port->Write("0123456789", 10), GetParam().expected);
    EXPECT_EQ(m_device->sent(), std::string("0123456789").substr(0, GetParam().expected));
    EXPECT_EQ(port->PeekLastError(), GetParam().expected < 10 ? CL_ERR_SHORT_WRITE : CL_OK);
    EXPECT_EQ(calls().back(), "WriteFile(" + std::to_string(GetParam().expected) + ")");
}

INSTANTIATE_TEST_SUITE_P(Queue, WriteRoomTest,
                         ::testing::Values(WriteCase{"Empty", 0, 10},
                                           WriteCase{"RoomForFour", kTxSize - 4, 4},
                                           WriteCase{"Full", kTxSize, 0},
                                           WriteCase{"Overfull", kTxSize + 100, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Win32PortTest, PendingWriteCountsAsQueued) {
    auto port = open_port();
    m_device->set_writes_pending();
    EXPECT_EQ(port->Write("abcdef", 6), 6);
    EXPECT_EQ(port->PeekLastError(), CL_OK);
}

TEST_F(Win32PortTest, FailedWriteRefreshesAgainAndReportsAShortWrite) {
    auto port = open_port();
    m_device->fail("WriteFile", ERROR_GEN_FAILURE, 1);
    EXPECT_EQ(port->Write("abc", 3), 0);
    EXPECT_EQ(port->PeekLastError(), CL_ERR_SHORT_WRITE);
    EXPECT_THAT(calls(), ElementsAre("ClearCommError()", "WriteFile(3)", "ClearCommError()"));
}

TEST_F(Win32PortTest, ReadTakesOnlyWhatHasArrived) {
    auto port = open_port();
    char buffer[10] = {};
    EXPECT_EQ(port->Read(buffer, sizeof buffer), 0);
    EXPECT_THAT(calls(), ElementsAre("ClearCommError()"));

    m_device->queue_receive("abc");
    m_device->clear_calls();
    EXPECT_EQ(port->Read(buffer, sizeof buffer), 3);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    EXPECT_THAT(calls(), ElementsAre("ClearCommError()", "ReadFile(3)"));

    m_device->queue_receive("0123456789ABC");
    EXPECT_EQ(port->Read(buffer, sizeof buffer), 10);
    EXPECT_EQ(m_device->received_pending(), 3u);
    EXPECT_EQ(port->PeekLastError(), CL_OK);
}

TEST_F(Win32PortTest, GetCharReturnsTheByteUnsignedOrNoData) {
    auto port = open_port();
    m_device->queue_receive("\xFF");
    EXPECT_EQ(port->GetChar(), 255);
    EXPECT_EQ(port->GetChar(), CL_ERR_NO_DATA);
    EXPECT_EQ(port->PeekLastError(), CL_OK);
}

TEST_F(Win32PortTest, PutCharAndPutStringGoThroughWrite) {
    auto port = open_port();
    EXPECT_EQ(port->PutChar('x'), CL_OK);
    EXPECT_EQ(port->PutString(""), 0);
    EXPECT_EQ(port->PutString("hello"), 5);
    EXPECT_EQ(m_device->sent(), "xhello");
    EXPECT_EQ(port->PeekLastError(), CL_OK);

    m_device->set_out_queue(kTxSize);
    EXPECT_EQ(port->PutChar('y'), CL_ERR_SHORT_WRITE);
    EXPECT_EQ(port->PeekLastError(), CL_ERR_SHORT_WRITE);
}

TEST_F(Win32PortTest, PriorityCharFailureIsReturnedOnly) {
    auto port = open_port();
    EXPECT_EQ(port->PutPriorityChar(0x13), CL_OK);
    EXPECT_EQ(m_device->sent(), "\x13");
    m_device->fail("TransmitCommChar", ERROR_GEN_FAILURE);
    EXPECT_EQ(port->PutPriorityChar(0x13), CL_ERR_FAILED);
    EXPECT_EQ(port->PeekLastError(), CL_OK);
}

struct DrainCase {
    const char* name;
    int waiting;
    int count;
    int expected;
    DWORD left;
};

class DrainTest : public Win32PortTest, public ::testing::WithParamInterface<DrainCase> {};

TEST_P(DrainTest, DrainsUpToTheCount) {
    auto port = open_port();
    m_device->queue_receive(std::string(GetParam().waiting, 'z'));
    EXPECT_EQ(port->Purge(0, GetParam().count), GetParam().expected);
    EXPECT_EQ(m_device->received_pending(), GetParam().left);
}

INSTANTIATE_TEST_SUITE_P(Receive, DrainTest,
                         ::testing::Values(DrainCase{"FewerThanCount", 3, 5, CL_OK, 0},
                                           DrainCase{"ExactlyCount", 5, 5, CL_ERR_FAILED, 0},
                                           DrainCase{"MoreThanCount", 8, 5, CL_ERR_FAILED, 3},
                                           DrainCase{"NegativeCountDrainsAll", 8, -1, CL_OK, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Win32PortTest, PurgeClearsOneQueue) {
    auto port = open_port();
    for (int count : {0, 5, -1})
        EXPECT_EQ(port->Purge(1, count), CL_OK);
    EXPECT_EQ(port->Purge(0, 0), CL_OK);
    EXPECT_THAT(calls(),
                ElementsAre("PurgeComm(4)", "PurgeComm(4)", "PurgeComm(4)", "PurgeComm(8)"));
}

TEST_F(Win32PortTest, QueueStatusFillsEveryFieldWithTheBlockFlags) {
    auto port = open_port();
    m_device->queue_receive("abc");
    m_device->set_out_queue(7);
    m_device->set_holds(/*cts_hold=*/true, false, false, /*xoff_sent=*/true);
    QueueStatus status;
    std::memset(&status, 0xFF, sizeof status);
    port->GetQueueStatus(&status, 1);
    EXPECT_EQ(status.nRxFilled, 1);
    EXPECT_EQ(status.nRxCount, 3);
    EXPECT_EQ(status.nRxSize, 4096);
    EXPECT_EQ(status.nTxFilled, 1);
    EXPECT_EQ(status.nTxCount, 7);
    EXPECT_EQ(status.nTxSize, 2048);
    EXPECT_EQ(status.wBlockFlags, 3);

    m_device->set_holds(false, false, false, false);
    port->GetQueueStatus(&status, 7);
    EXPECT_EQ(status.wBlockFlags, 0);
    m_device->set_holds(false, false, /*xoff_hold=*/true, false);
    port->GetQueueStatus(&status, 7);
    EXPECT_EQ(status.wBlockFlags, QS_BLOCK_RECEIVED);
}

TEST_F(Win32PortTest, SetQueueSizesOfZeroKeepsSizesAndClearsXonLim) {
    auto port = open_port();
    EXPECT_EQ(port->SetQueueSizes(0, 0, 0), CL_OK);
    EXPECT_EQ(port->m_nRxQueueSize, kRxSize);
    EXPECT_EQ(port->m_nTxQueueSize, kTxSize);
    EXPECT_EQ(m_device->dcb().XonLim, 0);
    EXPECT_EQ(m_device->dcb().XoffLim, 128);
    EXPECT_THAT(calls(), ElementsAre("PurgeComm(8)", "PurgeComm(4)", "SetupComm(4096,2048)",
                                     "PurgeComm(8)", "PurgeComm(4)", "SetCommState()"));
}

TEST_F(Win32PortTest, SetQueueSizesTakesLow16Bits) {
    auto port = open_port();
    EXPECT_EQ(port->SetQueueSizes(0x18000, 0x10100, 1000), CL_OK);
    EXPECT_EQ(port->m_nRxQueueSize, 0x8000u);
    EXPECT_EQ(port->m_nTxQueueSize, 1000u);
    EXPECT_EQ(m_device->dcb().XonLim, 0x6000);
    EXPECT_EQ(m_device->dcb().XoffLim, 0x100);

    m_device->fail("SetCommState", static_cast<DWORD>(IE_DEFAULT), 1);
    EXPECT_EQ(port->SetQueueSizes(0, 0, 0), CL_ERR_BAD_PARAMETER);
    EXPECT_EQ(port->PeekLastError(), CL_ERR_BAD_PARAMETER);
}

TEST_F(Win32PortTest, SetEventCharReadsBackTheStateAndAnswersNonZero) {
    auto port = open_port();
    port->m_pDcb->BaudRate = 1234; // an unsent edit, dropped by the read-back
    EXPECT_NE(port->SetEventChar('~'), 0);
    EXPECT_EQ(m_device->dcb().EvtChar, '~');
    EXPECT_EQ(m_device->dcb().BaudRate, 19200u);
    EXPECT_THAT(calls(), ElementsAre("GetCommState()", "SetCommState()"));

    m_device->fail("SetCommState", ERROR_GEN_FAILURE);
    EXPECT_EQ(port->SetEventChar('!'), 0);
    EXPECT_EQ(port->PeekLastError(), CL_OK);
}

TEST_F(Win32PortTest, EventMaskOperationsReturnMappedCodesWithoutStoring) {
    auto port = open_port();
    EXPECT_EQ(port->SetEventMask(EV_RXCHAR | EV_ERR), CL_OK);
    EXPECT_EQ(m_device->event_mask(), EV_RXCHAR | EV_ERR);
    DWORD mask = 0;
    EXPECT_EQ(port->GetEventMask(&mask), CL_OK);
    EXPECT_EQ(mask, EV_RXCHAR | EV_ERR);

    m_device->fail("SetCommMask", static_cast<DWORD>(IE_HARDWARE));
    m_device->fail("GetCommMask", ERROR_GEN_FAILURE);
    m_device->fail("WaitCommEvent", static_cast<DWORD>(IE_NOPEN));
    EXPECT_EQ(port->SetEventMask(0), CL_ERR_HARDWARE);
    EXPECT_EQ(port->GetEventMask(&mask), CL_ERR_FAILED);
    EXPECT_EQ(port->WaitEvent(&mask), CL_ERR_HARDWARE);
    EXPECT_EQ(port->PeekLastError(), CL_OK);
}

TEST_F(Win32PortTest, IdleAlwaysLetsTheWaitGoOn) {
    auto port = open_port();
    EXPECT_EQ(port->Idle(), 0);
}

TEST_F(Win32PortTest, FailedRefreshYieldsZeroCountsAndNoErrors) {
    auto port = open_port();
    m_device->queue_receive("abc");
    m_device->set_out_queue(kTxSize);
    m_device->set_holds(true, true, true, true);
    m_device->raise_errors(CE_FRAME | CE_OVERRUN);
    m_device->fail("ClearCommError", ERROR_GEN_FAILURE);

    QueueStatus status;
    port->GetQueueStatus(&status, 7);
    EXPECT_EQ(status.nRxCount, 0);
    EXPECT_EQ(status.nTxCount, 0);
    EXPECT_EQ(status.wBlockFlags, 0);
    char buffer[4];
    EXPECT_EQ(port->Read(buffer, sizeof buffer), 0);
    EXPECT_EQ(port->GetChar(), CL_ERR_NO_DATA);
    EXPECT_EQ(port->m_dwCommErrors, 0u);
}

TEST_F(Win32PortTest, UnpluggedDeviceReadsNothingAndWritesNothing) {
    auto port = open_port();
    m_device->queue_receive("abc");
    m_device->unplug();
    char buffer[4];
    EXPECT_EQ(port->Read(buffer, sizeof buffer), 0);
    EXPECT_EQ(port->GetChar(), CL_ERR_NO_DATA);
    EXPECT_EQ(port->Write("xy", 2), 0);
    EXPECT_EQ(port->PeekLastError(), CL_ERR_SHORT_WRITE);
    EXPECT_EQ(port->m_dwCommErrors, 0u);
}

// Records which operations run, so that the table-of-operations paths show.
class RecordingPort : public TestablePort {
public:
    using TestablePort::TestablePort;
    std::vector<std::string> log;
    int Write(const void* data, std::uint32_t count) override {
        log.push_back("Write");
        return TestablePort::Write(data, count);
    }
    int Read(void* buffer, std::uint32_t count) override {
        log.push_back("Read");
        return TestablePort::Read(buffer, count);
    }
    int GetChar() override {
        log.push_back("GetChar");
        return TestablePort::GetChar();
    }
    int Purge(int which, int count) override {
        log.push_back("Purge(" + std::to_string(which) + "," + std::to_string(count) + ")");
        return TestablePort::Purge(which, count);
    }
    int MapLastError() override {
        log.push_back("MapLastError");
        return TestablePort::MapLastError();
    }
    void GetQueueStatus(QueueStatus* status, int selector) override {
        log.push_back("GetQueueStatus(" + std::to_string(selector) + ")");
        TestablePort::GetQueueStatus(status, selector);
    }
};

TEST_F(Win32PortTest, TransferOperationsReachEachOtherThroughTheTable) {
    RecordingPort port(kPortIndex, kRxSize, kTxSize, 0);
    m_device->queue_receive("ab");
    port.PutChar('a');
    port.PutString("bc");
    port.Purge(0, 10);
    m_device->fail("SetCommState", ERROR_GEN_FAILURE, 1);
    port.SetQueueSizes(0, 0, 0);
    port.Report([](const char*) {});
    port.Close();
    EXPECT_THAT(port.log, ElementsAre("Write", "Write", "Purge(0,10)", "GetChar", "Read", "GetChar",
                                      "Read", "GetChar", "Read", "Purge(0,0)", "Purge(1,0)",
                                      "Purge(0,0)", "Purge(1,0)", "MapLastError",
                                      "GetQueueStatus(7)", "Purge(0,0)", "Purge(1,0)"));
}

} // namespace
} // namespace comlink_test
