// Win32ComPort handshake, break, line queries, line settings, line status and error mapping.
#include "win32_port_fixture.h"

#include <gmock/gmock.h>

#include <functional>

namespace comlink_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct FlowBits {
    unsigned in_x, out_x, dtr_control, rts_control, cts_flow, dsr_flow;
    bool operator==(const FlowBits&) const = default;
};

FlowBits flow_bits(const DCB& dcb) {
    return {dcb.fInX,        dcb.fOutX,        dcb.fDtrControl,
            dcb.fRtsControl, dcb.fOutxCtsFlow, dcb.fOutxDsrFlow};
}

void PrintTo(const FlowBits& bits, std::ostream* os) {
    *os << "{InX " << bits.in_x << " OutX " << bits.out_x << " Dtr " << bits.dtr_control << " Rts "
        << bits.rts_control << " Cts " << bits.cts_flow << " Dsr " << bits.dsr_flow << "}";
}

struct HandshakeCase {
    const char* name;
    int rx, tx;
    FlowBits applied;
};

class HandshakeTest : public Win32PortTest, public ::testing::WithParamInterface<HandshakeCase> {};

TEST_P(HandshakeTest, AppliesBothModesAndRemembersThem) {
    auto port = open_port();
    // Start from every kind of flow control at once, so the clearing shows.
    port->m_pDcb->fInX = 1;
    port->m_pDcb->fOutX = 1;
    port->m_pDcb->fDtrControl = DTR_CONTROL_HANDSHAKE;
    port->m_pDcb->fRtsControl = RTS_CONTROL_HANDSHAKE;
    port->m_pDcb->fOutxCtsFlow = 1;
    port->m_pDcb->fOutxDsrFlow = 1;

    EXPECT_EQ(port->SetHandshake(GetParam().rx, GetParam().tx), CL_OK);
    EXPECT_EQ(flow_bits(m_device->dcb()), GetParam().applied);
    int rx = -1, tx = -1;
    EXPECT_EQ(port->GetHandshake(&rx, &tx), CL_OK);
    EXPECT_EQ(rx, GetParam().rx);
    EXPECT_EQ(tx, GetParam().tx);
    EXPECT_THAT(calls(), ElementsAre("SetCommState()"));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, HandshakeTest,
    ::testing::Values(
        HandshakeCase{"XonXoffBoth", LINE_XONXOFF, LINE_XONXOFF, {1, 1, 1, 1, 0, 0}},
        HandshakeCase{"NoneClearsAndEnables", HANDSHAKE_NONE, HANDSHAKE_NONE, {0, 0, 1, 1, 0, 0}},
        HandshakeCase{"DtrAndCts", LINE_DTR, LINE_CTS, {0, 0, 2, 1, 1, 0}},
        HandshakeCase{"RtsAndDsr", LINE_RTS, LINE_DSR, {0, 0, 1, 2, 0, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

struct HandshakeFailureCase {
    const char* name;
    int rx, tx;
    int returned, stored;
    unsigned working_rts_control;
};

class HandshakeFailureTest : public Win32PortTest,
                             public ::testing::WithParamInterface<HandshakeFailureCase> {};

TEST_P(HandshakeFailureTest, RefusesWithoutTouchingDeviceOrModes) {
    auto port = open_port();
    ASSERT_EQ(port->SetHandshake(LINE_XONXOFF, LINE_XONXOFF), CL_OK);
    m_device->clear_calls();

    EXPECT_EQ(port->SetHandshake(GetParam().rx, GetParam().tx), GetParam().returned);
    EXPECT_EQ(port->PeekLastError(), GetParam().stored);
    int rx = -1, tx = -1;
    port->GetHandshake(&rx, &tx);
    EXPECT_EQ(rx, LINE_XONXOFF);
    EXPECT_EQ(tx, LINE_XONXOFF);
    EXPECT_THAT(calls(), IsEmpty());
    // The working record has lost its flow control; the device still has it.
    EXPECT_EQ(port->m_pDcb->fInX, 0u);
    EXPECT_EQ(port->m_pDcb->fOutX, 0u);
    EXPECT_EQ(port->m_pDcb->fRtsControl, GetParam().working_rts_control);
    EXPECT_EQ(m_device->dcb().fInX, 1u);
    EXPECT_EQ(m_device->dcb().fRtsControl, RTS_CONTROL_ENABLE);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, HandshakeFailureTest,
    ::testing::Values(HandshakeFailureCase{"ReceiveTwo", 2, HANDSHAKE_NONE, CL_ERR_FAILED,
                                           CL_ERR_BAD_HANDSHAKE, RTS_CONTROL_ENABLE},
                      HandshakeFailureCase{"ReceiveDsr", LINE_DSR, HANDSHAKE_NONE,
                                           CL_ERR_UNSUPPORTED, CL_ERR_UNSUPPORTED,
                                           RTS_CONTROL_ENABLE},
                      HandshakeFailureCase{"RtsThenCd", LINE_RTS, LINE_CD, CL_ERR_UNSUPPORTED,
                                           CL_ERR_UNSUPPORTED, RTS_CONTROL_HANDSHAKE},
                      HandshakeFailureCase{"TransmitRts", HANDSHAKE_NONE, LINE_RTS,
                                           CL_ERR_BAD_PARAMETER, CL_ERR_BAD_PARAMETER,
                                           RTS_CONTROL_ENABLE}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Win32PortTest, HandshakeSetCommStateFailureStoresTheMappedCode) {
    auto port = open_port();
    m_device->fail("SetCommState", static_cast<DWORD>(IE_BAUDRATE), 1);
    EXPECT_EQ(port->SetHandshake(LINE_XONXOFF, LINE_CTS), CL_ERR_BAD_BAUD);
    EXPECT_EQ(port->PeekLastError(), CL_ERR_BAD_BAUD);
    int rx = -1, tx = -1;
    port->GetHandshake(&rx, &tx);
    EXPECT_EQ(rx, HANDSHAKE_NONE);
    EXPECT_EQ(tx, HANDSHAKE_NONE);
}

struct SettingsCase {
    const char* name;
    std::int32_t baud;
    char parity;
    int data_bits, stop_bits;
    int expected;
    // What GetLineSettings reads back from the working record afterwards.
    std::int32_t read_baud;
    char read_parity;
    int read_data_bits, read_stop_bits;
    BYTE stop_code;
};

class LineSettingsTest : public Win32PortTest,
                         public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(LineSettingsTest, ChecksInOrderAndKeepsEarlierEdits) {
    const SettingsCase& c = GetParam();
    auto port = open_port();
    EXPECT_EQ(port->SetLineSettings(c.baud, c.parity, c.data_bits, c.stop_bits), c.expected);
    EXPECT_EQ(port->PeekLastError(), c.expected);
    std::int32_t baud = 0;
    char parity = 0;
    int data_bits = 0, stop_bits = 0;
    port->GetLineSettings(&baud, &parity, &data_bits, &stop_bits);
    EXPECT_EQ(baud, c.read_baud);
    EXPECT_EQ(parity, c.read_parity);
    EXPECT_EQ(data_bits, c.read_data_bits);
    EXPECT_EQ(stop_bits, c.read_stop_bits);
    EXPECT_EQ(port->m_pDcb->StopBits, c.stop_code);
    if (c.expected == CL_OK) {
        EXPECT_THAT(calls(), ElementsAre("SetCommState()"));
        EXPECT_EQ(m_device->dcb().StopBits, c.stop_code);
    } else {
        EXPECT_THAT(calls(), IsEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LineSettingsTest,
    ::testing::Values(
        SettingsCase{"Even7Two", 9600, 'E', 7, 2, CL_OK, 9600, 'E', 7, 2, TWOSTOPBITS},
        SettingsCase{"Mark", 1200, 'M', 8, 1, CL_OK, 1200, 'M', 8, 1, ONESTOPBIT},
        SettingsCase{"Space", 2400, 'S', 6, 1, CL_OK, 2400, 'S', 6, 1, ONESTOPBIT},
        SettingsCase{"FiveBitsOneStop", 300, 'O', 5, 1, CL_OK, 300, 'O', 5, 1, ONE5STOPBITS},
        SettingsCase{"FiveBitsTwoStop", 300, 'N', 5, 2, CL_OK, 300, 'N', 5, 1, ONE5STOPBITS},
        SettingsCase{"LowerCaseParity", 9600, 'e', 7, 1, CL_ERR_BAD_PARITY, 19200, 'N', 8, 1,
                     ONESTOPBIT},
        SettingsCase{"NineDataBits", 9600, 'E', 9, 1, CL_ERR_BAD_DATABITS, 9600, 'E', 8, 1,
                     ONESTOPBIT},
        SettingsCase{"ThreeDataBits", 4800, 'O', 3, 1, CL_ERR_BAD_DATABITS, 4800, 'O', 8, 1,
                     ONESTOPBIT},
        SettingsCase{"ThreeStopBits", 9600, 'O', 7, 3, CL_ERR_BAD_STOPBITS, 9600, 'O', 7, 1,
                     ONESTOPBIT},
        SettingsCase{"ZeroStopBits", 9600, 'E', 6, 0, CL_ERR_BAD_STOPBITS, 9600, 'E', 6, 1,
                     ONESTOPBIT}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Win32PortTest, LineSettingsPassTheBaudRateThrough) {
    auto port = open_port();
    int result = port->SetLineSettings(0, 'N', 8, 1);
    ASSERT_FALSE(m_device->applied_dcbs().empty());
    EXPECT_EQ(m_device->applied_dcbs().back().BaudRate, 0u);
    EXPECT_EQ(port->PeekLastError(), result);

    m_device->fail("SetCommState", static_cast<DWORD>(IE_BYTESIZE), 1);
    EXPECT_EQ(port->SetLineSettings(9600, 'N', 8, 1), CL_ERR_BAD_DATABITS);
    EXPECT_EQ(port->PeekLastError(), CL_ERR_BAD_DATABITS);
}

TEST_F(Win32PortTest, LineSettingsCarryEarlierUnsentEdits) {
    auto port = open_port();
    port->LineState(LINE_RTS, 0);
    EXPECT_EQ(m_device->dcb().fRtsControl, RTS_CONTROL_DISABLE);
    port->LineState(LINE_DTR, 0);
    EXPECT_EQ(m_device->dcb().fDtrControl, DTR_CONTROL_ENABLE);
    EXPECT_EQ(port->SetLineSettings(9600, 'N', 8, 1), CL_OK);
    EXPECT_EQ(m_device->dcb().fDtrControl, DTR_CONTROL_DISABLE);
}

TEST_F(Win32PortTest, BreakIsSetClearedAndQueried) {
    auto port = open_port();
    EXPECT_EQ(port->SetBreak(-7), 0);
    EXPECT_THAT(calls(), IsEmpty());

    EXPECT_EQ(port->SetBreak(1), 1);
    EXPECT_TRUE(m_device->break_on());
    EXPECT_EQ(port->SetBreak(2), 2);
    EXPECT_FALSE(m_device->break_on());
    EXPECT_EQ(port->LineState(LINE_BREAK, -1), 2);
    EXPECT_THAT(calls(), ElementsAre("SetCommBreak()", "ClearCommBreak()"));

    m_device->fail("SetCommBreak", ERROR_GEN_FAILURE);
    EXPECT_EQ(port->LineState(LINE_BREAK, 1), CL_ERR_BREAK);
    EXPECT_EQ(port->PeekLastError(), CL_ERR_BREAK);
    EXPECT_EQ(port->SetBreak(-1), 2);
}

struct LineStateCase {
    const char* name;
    int line, value;
    int expected;
    std::vector<std::string> calls;
};

class LineStateTest : public Win32PortTest, public ::testing::WithParamInterface<LineStateCase> {};

TEST_P(LineStateTest, AnswersAndDrives) {
    auto port = open_port();
    m_device->set_modem_status(MS_CTS_ON | MS_RING_ON);
    EXPECT_EQ(port->LineState(GetParam().line, GetParam().value), GetParam().expected);
    EXPECT_EQ(calls(), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineStateTest,
    ::testing::Values(LineStateCase{"DtrRaised", LINE_DTR, 5, 1, {"EscapeCommFunction(5)"}},
                      LineStateCase{"DtrDropped", LINE_DTR, 0, 0, {"EscapeCommFunction(6)"}},
                      LineStateCase{"RtsDropped", LINE_RTS, 0, 0, {"EscapeCommFunction(4)"}},
                      LineStateCase{"RtsQueried", LINE_RTS, -1, 1, {}},
                      LineStateCase{"CtsValueIgnored", LINE_CTS, 0, 1, {"GetCommModemStatus()"}},
                      LineStateCase{"DsrOff", LINE_DSR, -1, 0, {"GetCommModemStatus()"}},
                      LineStateCase{"RingOn", LINE_RI, -1, 1, {"GetCommModemStatus()"}},
                      LineStateCase{"CarrierOff", LINE_CD, -1, 0, {"GetCommModemStatus()"}},
                      LineStateCase{"XonXoffIsNoLine", LINE_XONXOFF, -1, 2, {}},
                      LineStateCase{"Item18", LINE_ITEM18, -1, 0, {}},
                      LineStateCase{"Two", 2, -1, 2, {}}, LineStateCase{"Negative", -3, 1, 2, {}},
                      LineStateCase{"AboveThirtyOne", 32, -1, 2, {}},
                      LineStateCase{"OverrunClear", LINE_OVERRUN, -1, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Win32PortTest, DrivingDtrAndRtsEditsTheWorkingRecordOnly) {
    auto port = open_port();
    port->LineState(LINE_DTR, 0);
    port->LineState(LINE_RTS, 0);
    EXPECT_EQ(port->m_nDtr, 0);
    EXPECT_EQ(port->m_nRts, 0);
    EXPECT_EQ(port->m_pDcb->fDtrControl, DTR_CONTROL_DISABLE);
    EXPECT_EQ(port->m_pDcb->fRtsControl, RTS_CONTROL_DISABLE);
    EXPECT_FALSE(m_device->dtr());
    EXPECT_FALSE(m_device->rts());
    EXPECT_EQ(port->LineState(LINE_DTR, 7), 1);
    EXPECT_EQ(port->m_pDcb->fDtrControl, DTR_CONTROL_ENABLE);
    EXPECT_THAT(calls(), ElementsAre("EscapeCommFunction(6)", "EscapeCommFunction(4)",
                                     "EscapeCommFunction(5)"));
}

TEST_F(Win32PortTest, ModemLineIsZeroWhenTheStatusCannotBeRead) {
    auto port = open_port();
    m_device->set_modem_status(MS_CTS_ON | MS_DSR_ON | MS_RING_ON | MS_RLSD_ON);
    EXPECT_EQ(port->ModemLine(MS_DSR_ON), 1);
    m_device->fail("GetCommModemStatus", ERROR_GEN_FAILURE);
    for (int mask : {0x10, 0x20, 0x40, 0x80, 0xF0})
        EXPECT_EQ(port->ModemLine(mask), 0) << "mask " << mask;
    EXPECT_EQ(port->ModemLine(1), 1);
    EXPECT_EQ(port->ModemLine(2), 1);
}

struct StatusCase {
    const char* name;
    DWORD errors;
    std::uint8_t byte2, byte3;
};

class LineStatusTest : public Win32PortTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(LineStatusTest, PacksItemsAndReportsErrorsOnce) {
    auto port = open_port();
    m_device->set_modem_status(MS_CTS_ON | MS_DSR_ON);
    m_device->raise_errors(GetParam().errors);
    LineStatusBlock block;
    std::memset(&block, 0xFF, sizeof block);
    EXPECT_EQ(port->GetLineStatus(&block), CL_OK);
    EXPECT_THAT(block.bytes, ElementsAre(0x45, 0x01, GetParam().byte2, GetParam().byte3));
    EXPECT_EQ(port->m_dwCommErrors, 0u);

    EXPECT_EQ(port->GetLineStatus(&block), CL_OK);
    EXPECT_THAT(block.bytes, ElementsAre(0x45, 0x01, 0x00, 0x00));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, LineStatusTest,
    ::testing::Values(
        StatusCase{"None", 0, 0x00, 0x00}, StatusCase{"Parity", CE_RXPARITY, 0x00, 0x01},
        StatusCase{"Framing", CE_FRAME, 0x00, 0x04},
        StatusCase{"RxOverflow", CE_RXOVER, 0x00, 0x10},
        StatusCase{"Overrun", CE_OVERRUN, 0x00, 0x40}, StatusCase{"Break", CE_BREAK, 0x40, 0x00},
        StatusCase{"All", CE_RXPARITY | CE_FRAME | CE_RXOVER | CE_OVERRUN | CE_BREAK, 0x40, 0x55}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Win32PortTest, ErrorsGatherUntilTheNextLineStatus) {
    auto port = open_port();
    m_device->raise_errors(CE_FRAME);
    char buffer[1];
    port->Read(buffer, 1);
    m_device->raise_errors(CE_BREAK);
    port->PollStatus();
    EXPECT_EQ(port->LineState(LINE_FRAMING_ERROR, -1), 1);
    EXPECT_EQ(port->LineState(LINE_FRAMING_ERROR, -1), 1);
    EXPECT_EQ(port->LineState(LINE_BREAK_DETECT, -1), 1);
    EXPECT_EQ(port->LineState(LINE_PARITY_ERROR, -1), 0);
    EXPECT_EQ(port->LineState(LINE_RX_OVERFLOW, -1), 0);

    LineStatusBlock block;
    port->GetLineStatus(&block);
    EXPECT_EQ(block.bytes[2], 0x40);
    EXPECT_EQ(block.bytes[3], 0x04);
    EXPECT_EQ(port->LineState(LINE_FRAMING_ERROR, -1), 0);
}

TEST_F(Win32PortTest, LineStatusHoldsTheLowBitsOfTheBreakState) {
    auto port = open_port();
    port->SetBreak(6);
    port->LineState(LINE_RTS, 0);
    LineStatusBlock block;
    port->GetLineStatus(&block);
    EXPECT_EQ(block.bytes[0], 0x01 | (0x2 << 4));
}

struct MapCase {
    int last_error;
    int expected;
};

class MapLastErrorTest : public Win32PortTest, public ::testing::WithParamInterface<MapCase> {};

TEST_P(MapLastErrorTest, MapsAndStoresNothing) {
    auto port = open_port();
    SetLastError(static_cast<DWORD>(GetParam().last_error));
    EXPECT_EQ(port->MapLastError(), GetParam().expected);
    EXPECT_EQ(port->PeekLastError(), CL_OK);
}

INSTANTIATE_TEST_SUITE_P(
    Values, MapLastErrorTest,
    ::testing::Values(MapCase{0, CL_ERR_FAILED}, MapCase{5, CL_ERR_FAILED},
                      MapCase{997, CL_ERR_FAILED}, MapCase{-1, CL_ERR_HARDWARE},
                      MapCase{-2, CL_ERR_IN_USE}, MapCase{-3, CL_ERR_HARDWARE},
                      MapCase{-4, CL_ERR_NO_MEMORY}, MapCase{-5, CL_ERR_BAD_PARAMETER},
                      MapCase{-6, CL_ERR_FAILED}, MapCase{-7, CL_ERR_FAILED},
                      MapCase{-9, CL_ERR_FAILED}, MapCase{-10, CL_ERR_HARDWARE},
                      MapCase{-11, CL_ERR_BAD_DATABITS}, MapCase{-12, CL_ERR_BAD_BAUD},
                      MapCase{-13, CL_ERR_FAILED}),
    [](const auto& info) {
        int value = info.param.last_error;
        return (value < 0 ? "Minus" : "") + std::to_string(value < 0 ? -value : value);
    });

} // namespace
} // namespace comlink_test
