// The link's set-up and tear-down, its codes, transfers and the receive-error summary.
#include "HandshakeState.h"
#include "LineSettings.h"
#include "PortLink.h"
#include "scripted_port_fixture.h"

#include "platform/clock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

#include <cstring>

namespace comlink_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PortLinkTest : public ScriptedPortTest {};

TEST_F(PortLinkTest, ConstructionSavesAppliesAndDestructionRestoresHandshakeFirst) {
    m_port.set_line_format({19200, 'E', 7, 2});
    m_port.set_handshake_modes(LINE_DTR, LINE_CTS);
    {
        PortLink link(&m_port);
        EXPECT_THAT(m_port.calls(), ElementsAre("GetLineSettings", "SetLineSettings(1200,N,8,1)",
                                                "SetLineSettings(9600,N,8,1)", "GetLineStatus",
                                                "GetHandshake", "SetHandshake(0,0)"));
        EXPECT_EQ(m_port.line_format(), (LineFormat{9600, 'N', 8, 1}));
        EXPECT_EQ(m_port.rx_mode(), HANDSHAKE_NONE);
        EXPECT_EQ(m_port.tx_mode(), HANDSHAKE_NONE);
        ASSERT_NE(link.m_pSettings, nullptr);
        ASSERT_NE(link.m_pHandshake, nullptr);
        EXPECT_EQ(link.m_nCharDelay, 0);
        m_port.clear_calls();
    }
    EXPECT_THAT(m_port.calls(), ElementsAre("SetHandshake(3,12)", "SetLineSettings(19200,E,7,2)"));
    EXPECT_EQ(m_port.line_format(), (LineFormat{19200, 'E', 7, 2}));
    EXPECT_EQ(m_port.rx_mode(), LINE_DTR);
    EXPECT_EQ(m_port.tx_mode(), LINE_CTS);
}

TEST_F(PortLinkTest, PortWithPendingCodeGivesBareLinkThatReportsTheCodeOnce) {
    m_port.set_last_error(CL_ERR_IN_USE);
    {
        PortLink link(&m_port);
        EXPECT_EQ(link.m_pSettings, nullptr);
        EXPECT_EQ(link.m_pHandshake, nullptr);
        EXPECT_THAT(m_port.calls(), IsEmpty());

        LineErrorFlags flags = 0xFFFF;
        EXPECT_EQ(link.GetErrorFlags(&flags), CL_ERR_IN_USE);
        EXPECT_EQ(flags, 0);
        EXPECT_EQ(m_port.PeekLastError(), CL_OK);

        // No guard, so no line status: a failure, not a claim of "no errors".
        flags = 0xFFFF;
        EXPECT_EQ(link.GetErrorFlags(&flags), CL_ERR_FAILED);
        EXPECT_EQ(flags, 0);

        // A bare link still moves data through its port.
        m_port.queue_rx("x");
        EXPECT_EQ(link.ReadChar(0), 'x');
        EXPECT_EQ(link.Write("ab", 2), 2);
        m_port.clear_calls();
    }
    EXPECT_THAT(m_port.calls(), IsEmpty());
}

TEST_F(PortLinkTest, SetUpFailuresAreStoredInThePortAndReturnedByGetErrorFlags) {
    m_port.refuse_line_settings(CL_ERR_BAD_PARITY);
    PortLink link(&m_port);
    EXPECT_NE(link.m_pSettings, nullptr);
    EXPECT_NE(link.m_pHandshake, nullptr);
    LineErrorFlags flags = 0xFFFF;
    EXPECT_EQ(link.GetErrorFlags(&flags), CL_ERR_BAD_PARITY);
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(link.GetErrorFlags(&flags), CL_OK);
}

TEST_F(PortLinkTest, ErrorFlagsReportErrorsSinceThePreviousLineStatus) {
    PortLink link(&m_port);
    m_port.raise_line_error(LINE_PARITY_ERROR);
    m_port.raise_line_error(LINE_BREAK_DETECT);
    m_port.clear_calls();

    LineErrorFlags flags = 0;
    EXPECT_EQ(link.GetErrorFlags(&flags), CL_OK);
    EXPECT_EQ(flags, LEF_PARITY_ERROR | LEF_BREAK_DETECT);
    EXPECT_EQ(flags, 0x11);
    EXPECT_THAT(m_port.calls(), ElementsAre("GetLineStatus"));

    EXPECT_EQ(link.GetErrorFlags(&flags), CL_OK);
    EXPECT_EQ(flags, 0);
}

TEST_F(PortLinkTest, ErrorsSeenBeforeTheLinkAreClearedByItsSetUp) {
    m_port.raise_line_error(LINE_OVERRUN);
    PortLink link(&m_port);
    LineErrorFlags flags = 0xFFFF;
    EXPECT_EQ(link.GetErrorFlags(&flags), CL_OK);
    EXPECT_EQ(flags, 0);
}

struct ErrorItemCase {
    const char* name;
    int line_id;
    int item_value;
    LineErrorFlags expected;
};

void PrintTo(const ErrorItemCase& c, std::ostream* os) {
    *os << c.name;
}

class ErrorItemTest : public PortLinkTest, public ::testing::WithParamInterface<ErrorItemCase> {};

TEST_P(ErrorItemTest, EachNonZeroItemSetsItsBit) {
    PortLink link(&m_port);
    m_port.set_line_item(GetParam().line_id, GetParam().item_value);
    LineErrorFlags flags = 0;
    EXPECT_EQ(link.GetErrorFlags(&flags), CL_OK);
    EXPECT_EQ(flags, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ErrorItemTest,
    ::testing::Values(ErrorItemCase{"Parity", LINE_PARITY_ERROR, 1, 0x01},
                      ErrorItemCase{"Framing", LINE_FRAMING_ERROR, 1, 0x02},
                      ErrorItemCase{"RxOverflow", LINE_RX_OVERFLOW, 1, 0x04},
                      ErrorItemCase{"Overrun", LINE_OVERRUN, 1, 0x08},
                      ErrorItemCase{"BreakDetect", LINE_BREAK_DETECT, 1, 0x10},
                      ErrorItemCase{"ItemTwoCountsAsSet", LINE_OVERRUN, 2, 0x08},
                      ErrorItemCase{"ItemThreeCountsAsSet", LINE_FRAMING_ERROR, 3, 0x02},
                      ErrorItemCase{"OtherItemsDoNotCount", LINE_CTS, 1, 0x00}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PortLinkTest, WriteAndReadWithNullPointersDoNotCallThePort) {
    PortLink link(&m_port);
    m_port.clear_calls();
    EXPECT_EQ(link.Write(nullptr, 5), 0);
    EXPECT_EQ(link.Read(nullptr, 5, 100), 0);
    EXPECT_THAT(m_port.calls(), IsEmpty());
}

TEST_F(PortLinkTest, WritePassesThePortsCountThrough) {
    PortLink link(&m_port);
    m_port.clear_calls();
    m_port.limit_write(2);
    EXPECT_EQ(link.Write("abc", 3), 2);
    EXPECT_THAT(m_port.calls(), ElementsAre("Write(3)"));
    EXPECT_EQ(m_port.sent(), "ab");
}

TEST_F(PortLinkTest, RxCountAsksForTheReceiveFieldsAndTakesNothing) {
    PortLink link(&m_port);
    m_port.queue_rx("abc");
    m_port.queue_rx_at(50, "de");
    m_port.clear_calls();
    EXPECT_EQ(link.RxCount(), 3);
    EXPECT_THAT(m_port.calls(), ElementsAre("GetQueueStatus(1)"));
    EXPECT_EQ(m_port.rx_available(), 3u);
}

TEST_F(PortLinkTest, OptionalIsUnsupportedAndCallsNothing) {
    PortLink link(&m_port);
    m_port.clear_calls();
    EXPECT_EQ(link.Optional(), CL_ERR_UNSUPPORTED);
    EXPECT_THAT(m_port.calls(), IsEmpty());
    EXPECT_EQ(m_port.PeekLastError(), CL_OK);
}

TEST(PortLinkNullPort, EveryOperationFailsWithoutTouchingMemory) {
    PortLink link(nullptr);
    EXPECT_EQ(link.m_pSettings, nullptr);
    EXPECT_EQ(link.m_pHandshake, nullptr);
    EXPECT_EQ(link.ReadChar(10), CL_ERR_FAILED);
    EXPECT_EQ(link.WriteChar('a'), CL_ERR_FAILED);
    EXPECT_EQ(link.Write("a", 1), 0);
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(link.Read(buffer, 3, 10), 0);
    EXPECT_EQ(std::memcmp(buffer, "xxxx", 4), 0);
    EXPECT_EQ(link.RxCount(), 0);
    LineErrorFlags flags = 0xFFFF;
    EXPECT_EQ(link.GetErrorFlags(&flags), CL_ERR_FAILED);
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(link.GetErrorFlags(nullptr), CL_ERR_FAILED);
    EXPECT_EQ(link.Optional(), CL_ERR_UNSUPPORTED);

    LineSettings settings(&link);
    EXPECT_EQ(settings.m_pPort, nullptr);
    EXPECT_EQ(settings.Set(9600, 'N', 8, 1), CL_ERR_FAILED);
    HandshakeState handshake(&link);
    EXPECT_EQ(handshake.m_pPort, nullptr);
    EXPECT_EQ(handshake.Set(HANDSHAKE_NONE, HANDSHAKE_NONE), CL_ERR_FAILED);
    EXPECT_EQ(handshake.Refresh(), CL_ERR_FAILED);
    EXPECT_EQ(handshake.ParityError(), 0);
}

} // namespace
} // namespace comlink_test
