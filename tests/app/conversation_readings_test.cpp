// Read Binary and Read ASCII over a virtual COM5: blanking, waiting, the reply bounds and the
// guards for a missing port.
#include "conversation_fixture.h"

namespace conversation_test {
namespace {

TEST_F(ConversationTest, ReadingsBeforeAnyOpenPortSayNoPortOpen) {
    driver().click(IDC_READ_BINARY);
    EXPECT_EQ(text(IDC_BINARY), "No port open");
    EXPECT_EQ(text(IDC_ASCII), " ");
    driver().click(IDC_READ_ASCII);
    EXPECT_EQ(text(IDC_ASCII), "No port open");
    EXPECT_EQ(text(IDC_BINARY), " ");
    EXPECT_EQ(m_device->sent(), "");
}

TEST_F(ConversationTest, ReadingsAfterNoPortSayNoPortOpen) {
    m_device->fail("CreateFileA", ERROR_ACCESS_DENIED);
    open_port();
    ASSERT_EQ(text(IDC_STATUS), "COM5:No Port");
    driver().click(IDC_READ_BINARY);
    EXPECT_EQ(text(IDC_BINARY), "No port open");
    driver().click(IDC_READ_ASCII);
    EXPECT_EQ(text(IDC_ASCII), "No port open");
}

TEST_F(ConversationTest, ReadBinaryBlanksBothFieldsThenShowsFahrenheit) {
    open_port();
    driver().click(IDC_READ_ASCII);
    front_end().clear_records();
    driver().click(IDC_READ_BINARY);
    EXPECT_EQ(text(IDC_BINARY), "77.0");
    EXPECT_EQ(text(IDC_ASCII), " ");
    ASSERT_FALSE(painted(IDC_BINARY).empty());
    EXPECT_EQ(painted(IDC_BINARY).front(), " ");
    EXPECT_EQ(painted(IDC_ASCII).front(), " ");
}

TEST_F(ConversationTest, ReadAsciiShowsTheTextAsItCame) {
    open_port();
    driver().click(IDC_READ_BINARY);
    driver().click(IDC_READ_ASCII);
    EXPECT_EQ(text(IDC_ASCII), "+25.0C\r");
    EXPECT_EQ(text(IDC_BINARY), " ");
}

TEST_F(ConversationTest, ReplyAlreadyWaitingCostsNoPause) {
    open_port();
    m_clock.set_responder(nullptr);
    m_device->queue_receive(std::string("\x04\x00", 2));
    const std::uint32_t sleeps = m_clock.sleeps();
    driver().click(IDC_READ_BINARY);
    EXPECT_EQ(text(IDC_BINARY), "32.4");
    EXPECT_EQ(m_clock.sleeps(), sleeps);
}

TEST_F(ConversationTest, ReadingWaitsTwoSecondsAtMostThenSaysNoReply) {
    open_port();
    const struct {
        int button;
        int field;
        std::uint32_t delay;
        const char* shown;
    } cases[] = {
        {IDC_READ_BINARY, IDC_BINARY, 2000, "77.0"},
        {IDC_READ_BINARY, IDC_BINARY, 2001, "No reply"},
        {IDC_READ_ASCII, IDC_ASCII, 2000, "+25.0C\r"},
        {IDC_READ_ASCII, IDC_ASCII, 2001, "No reply"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(testing::Message() << row.shown << " after " << row.delay << " ms");
        m_clock.set_delay(row.delay);
        const std::uint32_t start = m_clock.now();
        driver().click(row.button);
        EXPECT_EQ(text(row.field), row.shown);
        EXPECT_LE(m_clock.now() - start, 2000u + 30u + 100u);
        m_clock.set_delay(0);
    }
}

TEST_F(ConversationTest, AReadingGivenUpOnLeavesNothingForTheNextOne) {
    open_port();
    const struct {
        const char* name;
        std::string first_reply;
        std::uint32_t delay;
    } cases[] = {
        {"one byte, then silence", std::string("\x08", 1), 0},
        {"the whole reply just after the limit", std::string("\x08\x00", 2), 2050},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        m_clock.set_delay(row.delay);
        m_clock.set_responder([&](unsigned char) { return row.first_reply; });
        driver().click(IDC_READ_BINARY);
        EXPECT_EQ(text(IDC_BINARY), "No reply");

        m_clock.set_delay(0);
        m_clock.set_responder(healthy_probe);
        driver().click(IDC_READ_BINARY);
        EXPECT_EQ(text(IDC_BINARY), "77.0");
    }
}

TEST_F(ConversationTest, BinaryReadingThatTakesNoBytesShowsNoReply) {
    open_port();
    m_device->fail("ReadFile", ERROR_READ_FAULT);
    driver().click(IDC_READ_BINARY);
    EXPECT_EQ(text(IDC_BINARY), "No reply");
}

TEST_F(ConversationTest, LongBinaryReplyLeavesItsRestForTheNextReading) {
    open_port();
    m_clock.set_responder([](unsigned char) { return std::string("\x90\x01\x08", 3); });
    driver().click(IDC_READ_BINARY);
    EXPECT_EQ(text(IDC_BINARY), "77.0");
    m_clock.set_responder([](unsigned char) { return std::string("\x00", 1); });
    driver().click(IDC_READ_BINARY);
    EXPECT_EQ(text(IDC_BINARY), "32.9");
}

TEST_F(ConversationTest, LongAsciiReplyShowsThirtyOneBytesAndTakesTheRest) {
    open_port();
    std::string reply;
    for (int i = 0; i < 70; ++i)
        reply.push_back(static_cast<char>('A' + i % 26));
    m_clock.set_responder([&](unsigned char) { return reply; });
    driver().click(IDC_READ_ASCII);
    EXPECT_EQ(text(IDC_ASCII), reply.substr(0, 31));
    EXPECT_EQ(m_device->received_pending(), 0u);
}

} // namespace
} // namespace conversation_test
