// Open Port over a virtual COM5: the status texts, the serial objects it makes and replaces,
// and the line settings the probe sees.
#include "conversation_fixture.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace conversation_test {
namespace {

using testing::ElementsAre;

// Baud rates the device was set to, with repeats of the same rate folded.
std::vector<DWORD> baud_changes(const platform::comm::VirtualDevice& device) {
    std::vector<DWORD> rates;
    for (const DCB& dcb : device.applied_dcbs())
        if (rates.empty() || rates.back() != dcb.BaudRate)
            rates.push_back(dcb.BaudRate);
    return rates;
}

bool read_file_called(const platform::comm::VirtualDevice& device) {
    const auto& calls = device.calls();
    return std::any_of(calls.begin(), calls.end(),
                       [](const auto& call) { return call.name == "ReadFile"; });
}

TEST_F(ConversationTest, ShowsTestingFirstThenReadyAndTakesTheWholeReply) {
    front_end().clear_records();
    driver().click(IDC_OPEN_PORT);
    EXPECT_EQ(text(IDC_STATUS), "Korvex-Zelt Ready");
    std::vector<std::string> statuses = painted(IDC_STATUS);
    ASSERT_GE(statuses.size(), 2u);
    EXPECT_EQ(statuses.front(), "Testing...");
    EXPECT_EQ(statuses.back(), "Korvex-Zelt Ready");
    EXPECT_EQ(m_device->sent(), "\x27");
    EXPECT_EQ(m_device->received_pending(), 0u);
    EXPECT_NE(g_pPort, nullptr);
    EXPECT_NE(g_pLink, nullptr);
    EXPECT_NE(g_pSettings, nullptr);
}

struct IdentifyCase {
    const char* name;
    std::string reply;
    const char* status;
};

TEST_F(ConversationTest, IdentifyRepliesDecideTheStatus) {
    const IdentifyCase cases[] = {
        {"T alone", "T", "Korvex-Zelt Ready"},
        {"lower-case t", "tZELT\r", "no Korvex-Zelt"},
        {"other first byte", "xT", "no Korvex-Zelt"},
        {"T and more than the buffer holds", "T" + std::string(60, 'z'), "Korvex-Zelt Ready"},
        {"zero byte first", std::string("\0T", 2), "no Korvex-Zelt"},
    };
    for (const IdentifyCase& row : cases) {
        SCOPED_TRACE(row.name);
        m_clock.set_responder([&](unsigned char) { return row.reply; });
        open_port();
        EXPECT_EQ(text(IDC_STATUS), row.status);
        // Every byte that had arrived is taken, however many.
        EXPECT_EQ(m_device->received_pending(), 0u);
    }
}

TEST_F(ConversationTest, SilenceGivesNoProbeWithoutAnyRead) {
    m_clock.set_responder(nullptr);
    open_port();
    EXPECT_EQ(text(IDC_STATUS), "no Korvex-Zelt");
    EXPECT_FALSE(read_file_called(*m_device));
}

TEST_F(ConversationTest, ReplyLaterThanTheIdentifyPauseIsNotWaitedFor) {
    const struct {
        std::uint32_t delay;
        const char* status;
    } cases[] = {{150, "Korvex-Zelt Ready"}, {151, "no Korvex-Zelt"}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.delay);
        m_clock.set_delay(row.delay);
        open_port();
        EXPECT_EQ(text(IDC_STATUS), row.status);
    }
}

TEST_F(ConversationTest, SecondOpenRestoresThenReopensAtNineThousandSixHundred) {
    open_port();
    open_port();
    EXPECT_EQ(text(IDC_STATUS), "Korvex-Zelt Ready");
    // Open applies 19200; the link's guard passes through its 1200 default to 9600, and so
    // does the conversation's own. Tearing down puts back 9600, then 19200, before the close.
    EXPECT_THAT(baud_changes(*m_device), ElementsAre(19200u, 1200u, 9600u, 1200u, 9600u, 19200u,
                                                     1200u, 9600u, 1200u, 9600u));
    EXPECT_EQ(m_device->sent(), "\x27\x27");
    EXPECT_TRUE(m_device->is_open());
}

TEST_F(ConversationTest, PortNumbersOutsideTheRangeMakeNoPortAndNoLink) {
    for (const char* port : {"0", "-1", "17", "2147483647"}) {
        SCOPED_TRACE(port);
        open_port();
        open_port(port);
        EXPECT_EQ(text(IDC_STATUS), std::string("COM") + port + ":No Port");
        EXPECT_EQ(g_pPort, nullptr);
        EXPECT_EQ(g_pLink, nullptr);
        EXPECT_EQ(g_pSettings, nullptr);
        // The earlier port was released on the way.
        EXPECT_FALSE(m_device->is_open());
    }
}

TEST_F(ConversationTest, PortThatDoesNotOpenShowsNoPortAndKeepsPortAndLink) {
    m_device->fail("CreateFileA", ERROR_FILE_NOT_FOUND);
    open_port();
    EXPECT_EQ(text(IDC_STATUS), "COM5:No Port");
    EXPECT_NE(g_pPort, nullptr);
    EXPECT_NE(g_pLink, nullptr);
    EXPECT_EQ(g_pSettings, nullptr);
    EXPECT_EQ(g_pPort->PeekLastError(), CL_OK); // taken by GetErrorFlags

    m_device->clear_failures();
    open_port();
    EXPECT_EQ(text(IDC_STATUS), "Korvex-Zelt Ready");
}

TEST_F(ConversationTest, RefusedLineSettingsShowTheBaudRateErrorAndSendNothing) {
    // Open, the link's two settings and its handshake, then the conversation's own binding go
    // through; the conversation's 9600-N-8-1 is refused.
    m_device->fail("SetCommState", ERROR_INVALID_PARAMETER, 1, 5);
    open_port();
    EXPECT_EQ(text(IDC_STATUS), "Error setting Baud Rate.");
    EXPECT_NE(g_pPort, nullptr);
    EXPECT_NE(g_pLink, nullptr);
    EXPECT_NE(g_pSettings, nullptr);
    EXPECT_EQ(m_device->sent(), "");
}

TEST_F(ConversationTest, LettersInThePortFieldPromptAndUseThePreviousNumber) {
    open_port("abc");
    ASSERT_EQ(front_end().message_boxes().size(), 1u);
    EXPECT_EQ(front_end().message_boxes()[0].text, "Please enter an integer.");
    EXPECT_EQ(text(IDC_STATUS), "Korvex-Zelt Ready");
    EXPECT_EQ(text(IDC_PORT), "5");
}

} // namespace
} // namespace conversation_test
