// The two guards on their own: LineSettings and HandshakeState save, apply and restore.
#include "HandshakeState.h"
#include "LineSettings.h"
#include "PortLink.h"
#include "scripted_port_fixture.h"

#include "platform/clock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

namespace comlink_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LineGuardTest : public ScriptedPortTest {};

void ExpectCurrentSet(const LineSettings& settings, const LineFormat& format) {
    EXPECT_EQ((LineFormat{settings.m_nBaud, settings.m_cParity, settings.m_nDataBits,
                          settings.m_nStopBits}),
              format);
}

void ExpectSavedSet(const LineSettings& settings, const LineFormat& format) {
    EXPECT_EQ((LineFormat{settings.m_nSavedBaud, settings.m_cSavedParity, settings.m_nSavedDataBits,
                          settings.m_nSavedStopBits}),
              format);
}

TEST_F(LineGuardTest, UnboundSettingsHoldTheirDefaultsAndFailButKeepNewValues) {
    {
        LineSettings settings;
        EXPECT_EQ(settings.m_pPort, nullptr);
        ExpectCurrentSet(settings, {1200, 'N', 8, 1});
        ExpectSavedSet(settings, {1200, 'N', 8, 1});
        EXPECT_EQ(settings.Set(4800, 'E', 7, 1), CL_ERR_FAILED);
        ExpectCurrentSet(settings, {4800, 'E', 7, 1});
        EXPECT_EQ(settings.Apply(), CL_ERR_FAILED);
        EXPECT_EQ(settings.SavePortSettings(), CL_ERR_FAILED);
        EXPECT_EQ(settings.Bind(nullptr), CL_ERR_FAILED);
        EXPECT_EQ(settings.m_pPort, nullptr);
    }
    EXPECT_THAT(m_port.calls(), IsEmpty());
}

TEST_F(LineGuardTest, BindingAppliesTheDefaultsAtOnceAndDestructionRestores) {
    PortLink link(&m_port);
    m_port.clear_calls();
    {
        LineSettings settings(&link);
        EXPECT_EQ(settings.m_pPort, &m_port);
        EXPECT_THAT(m_port.calls(), ElementsAre("GetLineSettings", "SetLineSettings(1200,N,8,1)"));
        ExpectSavedSet(settings, {9600, 'N', 8, 1});
        EXPECT_EQ(settings.Set(9600, 'N', 8, 1), CL_OK);
        EXPECT_EQ(settings.Set(2400, 'O', 7, 2), CL_OK);
        EXPECT_EQ(m_port.line_format(), (LineFormat{2400, 'O', 7, 2}));
        m_port.clear_calls();
    }
    EXPECT_THAT(m_port.calls(), ElementsAre("SetLineSettings(9600,N,8,1)"));
}

TEST_F(LineGuardTest, BindReturnsWhatApplyGives) {
    PortLink link(&m_port);
    LineSettings settings;
    EXPECT_EQ(settings.Bind(&link), CL_OK);
    m_port.refuse_line_settings(CL_ERR_BAD_DATABITS);
    EXPECT_EQ(settings.Bind(&link), CL_ERR_FAILED);
}

TEST_F(LineGuardTest, RefusedSettingsFailWhileThePortKeepsItsOwnCode) {
    PortLink link(&m_port);
    LineSettings settings(&link);
    m_port.refuse_line_settings(CL_ERR_BAD_PARITY);
    EXPECT_EQ(settings.Set(9600, 'X', 8, 1), CL_ERR_FAILED);
    ExpectCurrentSet(settings, {9600, 'X', 8, 1});
    EXPECT_EQ(m_port.PeekLastError(), CL_ERR_BAD_PARITY);
    EXPECT_EQ(m_port.line_format(), (LineFormat{1200, 'N', 8, 1}));
}

TEST_F(LineGuardTest, GuardsDestroyedInReverseOrderLeaveThePortAsFound) {
    m_port.set_line_format({19200, 'N', 8, 1});
    m_port.set_handshake_modes(LINE_XONXOFF, LINE_XONXOFF);
    auto link = std::make_unique<PortLink>(&m_port);
    auto settings = std::make_unique<LineSettings>(link.get());
    settings->Set(9600, 'N', 8, 1);
    settings.reset();
    EXPECT_EQ(m_port.line_format(), (LineFormat{9600, 'N', 8, 1}));
    link.reset();
    EXPECT_EQ(m_port.line_format(), (LineFormat{19200, 'N', 8, 1}));
    EXPECT_EQ(m_port.rx_mode(), LINE_XONXOFF);
    EXPECT_EQ(m_port.tx_mode(), LINE_XONXOFF);
}

TEST_F(LineGuardTest, HandshakeStateSavesOnceAndRestoresOnDestruction) {
    m_port.set_last_error(CL_ERR_FAILED); // a bare link: this guard is the only one
    PortLink link(&m_port);
    m_port.set_handshake_modes(LINE_RTS, LINE_DSR);
    m_port.raise_line_error(LINE_FRAMING_ERROR);
    {
        HandshakeState handshake(&link);
        EXPECT_THAT(m_port.calls(), ElementsAre("GetLineStatus", "GetHandshake"));
        EXPECT_EQ(handshake.FramingError(), 1);
        EXPECT_EQ(handshake.m_nSavedRxMode, LINE_RTS);
        EXPECT_EQ(handshake.m_nSavedTxMode, LINE_DSR);

        EXPECT_EQ(handshake.Set(HANDSHAKE_NONE, LINE_CTS), CL_OK);
        EXPECT_EQ(handshake.m_nSavedRxMode, LINE_RTS);
        m_port.refuse_handshake(CL_ERR_BAD_PARAMETER);
        EXPECT_EQ(handshake.Set(LINE_DTR, LINE_CD), CL_ERR_BAD_PARAMETER);
        EXPECT_EQ(handshake.Refresh(), CL_OK);
        EXPECT_EQ(handshake.FramingError(), 0);
        m_port.refuse_handshake(CL_OK);
        m_port.clear_calls();
    }
    EXPECT_THAT(m_port.calls(), ElementsAre("SetHandshake(4,13)"));
}

struct DecoderCase {
    const char* name;
    std::uint8_t byte2;
    std::uint8_t byte3;
    int parity, framing, rx_overflow, overrun, break_detected;
};

void PrintTo(const DecoderCase& c, std::ostream* os) {
    *os << c.name;
}

class DecoderTest : public ::testing::TestWithParam<DecoderCase> {};

TEST_P(DecoderTest, EachDecoderReadsItsOwnTwoBits) {
    const DecoderCase& c = GetParam();
    HandshakeState handshake(nullptr);
    handshake.m_lineStatus = LineStatusBlock{{0xFF, 0xFF, c.byte2, c.byte3}};
    EXPECT_EQ(handshake.ParityError(), c.parity);
    EXPECT_EQ(handshake.FramingError(), c.framing);
    EXPECT_EQ(handshake.RxOverflow(), c.rx_overflow);
    EXPECT_EQ(handshake.Overrun(), c.overrun);
    EXPECT_EQ(handshake.BreakDetected(), c.break_detected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DecoderTest,
                         ::testing::Values(DecoderCase{"Clear", 0x00, 0x00, 0, 0, 0, 0, 0},
                                           DecoderCase{"Ascending", 0xC0, 0xE4, 0, 1, 2, 3, 3},
                                           DecoderCase{"Descending", 0x3F, 0x1B, 3, 2, 1, 0, 0},
                                           DecoderCase{"ParityAndBreak", 0x40, 0x01, 1, 0, 0, 0,
                                                       1}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace comlink_test
