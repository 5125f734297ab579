// Win32ComPort::Report: the six lines, exactly, and a buffer that is never overrun.
#include "win32_port_fixture.h"

#include <gmock/gmock.h>

#include <climits>

namespace comlink_test {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;

// What the sink was handed: the lines and the buffer address of each call.
struct SinkCapture {
    std::vector<std::string> lines;
    std::vector<const char*> buffers;
};
SinkCapture s_capture;

void capture_line(const char* line) {
    s_capture.lines.emplace_back(line);
    s_capture.buffers.push_back(line);
}

std::vector<std::string> report_of(Win32ComPort& port) {
    s_capture = {};
    port.Report(capture_line);
    return s_capture.lines;
}

TEST_F(Win32PortTest, ReportOfTheDefaults) {
    auto port = open_port();
    EXPECT_THAT(report_of(*port),
                ElementsAre("Port type: MS Win32  BaudRate: 19200   ByteSize: 8  Parity: 0",
                            "StopBits: 0  fBinary: 1  fRtsControl: 1",
                            "Parity: 0  OutCtsFlow: 0  OutDsrFlow: 0  DtrControl: 1  OutX: 0  "
                            "InX: 0",
                            "Null: 0  XonChar: 11  XoffChar: 13",
                            "XonLim: 1024  XoffLim: 128   EofChr: 00  EvtChr: 00",
                            "RX sz/ct:  4096/0      TX sz/ct:  2048/0      BLOCK SENT:0  "
                            "BLOCK RECEIVED:0"));
    // One buffer, reused for every line.
    ASSERT_EQ(s_capture.buffers.size(), 6u);
    EXPECT_THAT(s_capture.buffers, Each(s_capture.buffers.front()));
    // Only GetQueueStatus's refresh reaches the device.
    EXPECT_THAT(calls(), ElementsAre("ClearCommError()"));
}

struct BaudCase {
    const char* name;
    std::int32_t baud;
    const char* line;
};

class ReportBaudTest : public Win32PortTest, public ::testing::WithParamInterface<BaudCase> {};

TEST_P(ReportBaudTest, PadsTheBaudRateToSixColumns) {
    auto port = open_port();
    ASSERT_EQ(port->SetLineSettings(GetParam().baud, 'E', 7, 2), CL_OK);
    EXPECT_EQ(report_of(*port).at(0), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Rates, ReportBaudTest,
    ::testing::Values(BaudCase{"FourDigits", 9600,
                               "Port type: MS Win32  BaudRate: 9600    ByteSize: 7  Parity: 2"},
                      BaudCase{"FiveDigits", 19200,
                               "Port type: MS Win32  BaudRate: 19200   ByteSize: 7  Parity: 2"},
                      BaudCase{"SixDigits", 115200,
                               "Port type: MS Win32  BaudRate: 115200  ByteSize: 7  Parity: 2"},
                      BaudCase{"SevenDigits", 1000000,
                               "Port type: MS Win32  BaudRate: 1000000  ByteSize: 7  Parity: 2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Win32PortTest, ReportWidensCharactersWithTheirSign) {
    auto port = open_port();
    ASSERT_NE(port->SetEventChar('\x80'), 0);
    EXPECT_EQ(report_of(*port).at(4), "XonLim: 1024  XoffLim: 128   EofChr: 00  EvtChr: ffffff80");
    ASSERT_NE(port->SetEventChar('\x7f'), 0);
    port->m_pDcb->XonChar = static_cast<char>(0xFE);
    EXPECT_EQ(report_of(*port).at(3), "Null: 0  XonChar: fffffffe  XoffChar: 13");
    EXPECT_EQ(report_of(*port).at(4), "XonLim: 1024  XoffLim: 128   EofChr: 00  EvtChr: 7f");
}

TEST_F(Win32PortTest, ReportShowsFiveDataBitsAsOneAndAHalfStopBits) {
    auto port = open_port();
    ASSERT_EQ(port->SetLineSettings(9600, 'N', 5, 2), CL_OK);
    EXPECT_EQ(report_of(*port).at(1), "StopBits: 1  fBinary: 1  fRtsControl: 1");
}

TEST_F(Win32PortTest, ReportShowsFlowControlAndBlockFlags) {
    auto port = open_port();
    ASSERT_EQ(port->SetHandshake(LINE_RTS, LINE_CTS), CL_OK);
    m_device->queue_receive("abc");
    m_device->set_out_queue(12);
    m_device->set_holds(false, true, false, true);
    auto lines = report_of(*port);
    EXPECT_EQ(lines.at(1), "StopBits: 0  fBinary: 1  fRtsControl: 2");
    EXPECT_EQ(lines.at(2),
              "Parity: 0  OutCtsFlow: 1  OutDsrFlow: 0  DtrControl: 1  OutX: 0  InX: 0");
    EXPECT_EQ(lines.at(5),
              "RX sz/ct:  4096/3      TX sz/ct:  2048/12     BLOCK SENT:1  BLOCK RECEIVED:1");
}

// Reports whatever counts the test gives it, however long they print.
class HugeCountPort : public TestablePort {
public:
    using TestablePort::TestablePort;
    void GetQueueStatus(QueueStatus* status, int) override {
        *status = {1, INT_MIN, INT_MIN, 1, INT_MIN, INT_MIN, 0xFFFF};
    }
};

TEST_F(Win32PortTest, ReportNeverWritesPastItsBuffer) {
    HugeCountPort port(kPortIndex, kRxSize, kTxSize, 0);
    port.m_pDcb->BaudRate = 4294967295u;
    port.m_pDcb->XonLim = 65535;
    port.m_pDcb->XoffLim = 65535;
    port.m_pDcb->XonChar = port.m_pDcb->XoffChar = port.m_pDcb->EofChar = port.m_pDcb->EvtChar =
        static_cast<char>(0xFF);
    auto lines = report_of(port);
    ASSERT_EQ(lines.size(), 6u);
    for (const std::string& line : lines)
        EXPECT_LE(line.size(), 83u) << line;
    EXPECT_EQ(lines[0], "Port type: MS Win32  BaudRate: 4294967295  ByteSize: 8  Parity: 0");
    EXPECT_EQ(lines[4], "XonLim: 65535 XoffLim: 65535 EofChr: ffffffff  EvtChr: ffffffff");
    EXPECT_EQ(lines[5], std::string("RX sz/ct: -2147483648/-2147483648  TX sz/ct: "
                                    "-2147483648/-2147483648  BLOCK SENT:1  BLOCK RECEIVED:1")
                            .substr(0, 83));
}

} // namespace
} // namespace comlink_test
