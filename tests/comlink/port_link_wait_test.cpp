// The link's timed operations on a manual clock: ReadChar, Read and the pause of WriteChar.
#include "PortLink.h"
#include "scripted_port_fixture.h"

#include "platform/clock.h"
#include "platform/windows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

#include <cstring>
#include <memory>
#include <string>

namespace comlink_test {
namespace {

using ::testing::ElementsAre;

// A wait that never ends is a failure, not a hang.
constexpr unsigned kRunawayIdle = 100000;
constexpr int kRunawayResult = -999;

class LinkWaitTest : public ScriptedPortTest {
protected:
    void SetUp() override {
        m_clock.set_yield_step(1); // each Idle is one millisecond
        m_port.fail_idle_from(kRunawayIdle, kRunawayResult);
        m_link = std::make_unique<PortLink>(&m_port);
        m_port.clear_calls();
    }

    std::unique_ptr<PortLink> m_link;
};

TEST_F(LinkWaitTest, ReadCharWithNoTimeoutMakesOneGetCharAndNoIdle) {
    for (int timeout : {0, -1, -100}) {
        SCOPED_TRACE(timeout);
        m_port.clear_calls();
        EXPECT_EQ(m_link->ReadChar(timeout), CL_ERR_NO_DATA);
        EXPECT_THAT(m_port.calls(), ElementsAre("GetChar"));
    }
}

TEST_F(LinkWaitTest, ReadCharReturnsAWaitingByteAtOnce) {
    m_port.queue_rx("\xF0z");
    EXPECT_EQ(m_link->ReadChar(0), 0xF0);
    EXPECT_EQ(m_link->ReadChar(1000), 'z');
    EXPECT_THAT(m_port.calls(), ElementsAre("GetChar", "GetChar"));
    EXPECT_EQ(m_clock.tick_count(), 0u);
}

struct ArrivalCase {
    const char* name;
    std::uint32_t start;   // tick count when the wait starts
    std::uint32_t arrival; // ms after the start; 0 for no byte
    int expected;
    int idle_calls;
};

void PrintTo(const ArrivalCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadCharArrivalTest : public ::testing::TestWithParam<ArrivalCase> {};

TEST_P(ReadCharArrivalTest, WaitsUpToTheTimeOutEvenAcrossTheTickWrap) {
    const ArrivalCase& c = GetParam();
    platform::ManualClock clock(c.start);
    platform::ScopedClock scoped(clock);
    clock.set_yield_step(1);
    ScriptedPort port;
    port.set_last_error(CL_ERR_FAILED); // a bare link: no set-up calls
    PortLink link(&port);
    port.fail_idle_from(kRunawayIdle, kRunawayResult);
    if (c.arrival != 0)
        port.queue_rx_at(c.start + c.arrival, "q");

    EXPECT_EQ(link.ReadChar(100), c.expected);
    EXPECT_EQ(port.count_calls("Idle"), c.idle_calls);
    EXPECT_EQ(port.count_calls("GetChar"), c.idle_calls + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadCharArrivalTest,
    ::testing::Values(ArrivalCase{"ByteAt40", 0, 40, 'q', 40},
                      ArrivalCase{"ByteAt99", 0, 99, 'q', 99},
                      ArrivalCase{"ByteAtTheLimit", 0, 100, 'q', 100},
                      ArrivalCase{"ByteAfterTheLimit", 0, 101, CL_ERR_NO_DATA, 100},
                      ArrivalCase{"NoByte", 0, 0, CL_ERR_NO_DATA, 100},
                      ArrivalCase{"NoByteDeadlinePastWrap", 0xFFFFFFC0u, 0, CL_ERR_NO_DATA, 100},
                      ArrivalCase{"ByteAfterWrap", 0xFFFFFFC0u, 80, 'q', 80},
                      ArrivalCase{"NoByteStartAtTop", 0xFFFFFFFFu, 0, CL_ERR_NO_DATA, 100},
                      ArrivalCase{"NoByteDeadlineAtTop", 0xFFFFFF9Bu, 0, CL_ERR_NO_DATA, 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkWaitTest, NegativeIdleEndsReadCharWithItsValue) {
    m_port.fail_idle_from(3, -77);
    EXPECT_EQ(m_link->ReadChar(100), -77);
    EXPECT_THAT(m_port.calls(),
                ElementsAre("GetChar", "Idle", "GetChar", "Idle", "GetChar", "Idle"));
}

TEST_F(LinkWaitTest, ReadOfZeroBytesMakesOnePortReadAndTerminates) {
    char buffer[2] = {'x', 'x'};
    EXPECT_EQ(m_link->Read(buffer, 0, 100), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], 'x');
    EXPECT_THAT(m_port.calls(), ElementsAre("Read(0)"));
}

struct ReadCase {
    const char* name;
    std::uint32_t count;
    int timeout;
    int expected;
    std::vector<std::string> calls;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadWaitingTest : public LinkWaitTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadWaitingTest, TakesWhatIsWaitingAndTerminatesRightAfterIt) {
    const ReadCase& c = GetParam();
    m_port.queue_rx("abc");
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(m_link->Read(buffer, c.count, c.timeout), c.expected);
    EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(c.expected)),
              std::string("abc").substr(0, static_cast<std::size_t>(c.expected)));
    EXPECT_EQ(buffer[c.expected], '\0');
    EXPECT_EQ(buffer[c.expected + 1], 'x');
    EXPECT_EQ(m_port.calls(), c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadWaitingTest,
    ::testing::Values(ReadCase{"AllWaiting", 2, 100, 2, {"Read(2)"}},
                      ReadCase{"ShortWithNoTimeout", 5, 0, 3, {"Read(5)"}},
                      ReadCase{"ShortWithNegativeTimeout", 5, -1, 3, {"Read(5)"}},
                      ReadCase{"ShortAfterTwoMilliseconds",
                               5,
                               2,
                               3,
                               {"Read(5)", "Idle", "Read(2)", "Idle", "Read(2)"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkWaitTest, ReadGathersPiecesUntilTheTimeOut) {
    m_port.queue_rx("ab");
    m_port.queue_rx_at(30, "cd");
    m_port.queue_rx_at(150, "e");
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(m_link->Read(buffer, 5, 100), 4);
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_EQ(buffer[5], 'x');
    EXPECT_EQ(m_port.count_calls("Idle"), 100);
    EXPECT_EQ(m_port.count_calls("Read(1)"), 70); // polls after "cd" arrived at 30
    EXPECT_EQ(m_clock.tick_count(), 100u);
}

TEST_F(LinkWaitTest, ReadEndsOnceAllBytesArrive) {
    m_port.queue_rx_at(10, "abc");
    char buffer[4];
    EXPECT_EQ(m_link->Read(buffer, 3, 100), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(m_port.count_calls("Idle"), 10);
}

TEST_F(LinkWaitTest, NegativeIdleEndsReadUnterminated) {
    m_port.queue_rx("ab");
    m_port.fail_idle_from(2, -9);
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(m_link->Read(buffer, 5, 100), -9);
    EXPECT_EQ(std::string(buffer, 3), "abx");
    EXPECT_EQ(m_port.count_calls("Idle"), 2);
}

// A port that breaks the promise of Read: it reports more bytes than asked, or a negative count.
class MiscountingPort : public ScriptedPort {
public:
    explicit MiscountingPort(int excess) : m_excess(excess) {}
    int Read(void* pBuffer, std::uint32_t nCount) override {
        int n = ScriptedPort::Read(pBuffer, nCount);
        return m_excess < 0 ? m_excess : n + m_excess;
    }

private:
    int m_excess;
};

TEST(LinkReadClamp, MiscountedReadsNeverMoveOutOfTheBuffer) {
    platform::ManualClock clock;
    platform::ScopedClock scoped(clock);
    clock.set_yield_step(1);
    struct Row {
        int excess;
        int expected;
    };
    for (Row row : {Row{10, 3}, Row{-5, 0}}) {
        SCOPED_TRACE(row.excess);
        MiscountingPort port(row.excess);
        port.queue_rx("abc");
        PortLink link(&port);
        char buffer[6];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(link.Read(buffer, 3, 5), row.expected);
        EXPECT_EQ(buffer[row.expected], '\0');
        EXPECT_EQ(buffer[4], 'x');
    }
}

struct WriteCharCase {
    const char* name;
    int delay;
    std::uint32_t write_limit; // 0: PutChar fails
    unsigned idle_fail_from;
    int expected;
    int idle_calls;
};

void PrintTo(const WriteCharCase& c, std::ostream* os) {
    *os << c.name;
}

class WriteCharTest : public LinkWaitTest, public ::testing::WithParamInterface<WriteCharCase> {};

TEST_P(WriteCharTest, PausesAfterTheByteAndReturnsTheLastPortResult) {
    const WriteCharCase& c = GetParam();
    m_link->m_nCharDelay = c.delay;
    m_port.limit_write(c.write_limit);
    if (c.idle_fail_from != 0)
        m_port.fail_idle_from(c.idle_fail_from, -44);
    std::uint32_t start = m_clock.tick_count();

    EXPECT_EQ(m_link->WriteChar('A'), c.expected);
    EXPECT_EQ(m_port.calls().front(), "PutChar(0x41)");
    EXPECT_EQ(m_port.count_calls("Idle"), c.idle_calls);
    if (c.delay > 0 && c.idle_fail_from == 0) {
        EXPECT_GE(m_clock.tick_count() - start, static_cast<std::uint32_t>(c.delay));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteCharTest,
    ::testing::Values(WriteCharCase{"NoDelay", 0, UINT32_MAX, 0, CL_OK, 0},
                      WriteCharCase{"NoDelayPutCharFails", 0, 0, 0, CL_ERR_SHORT_WRITE, 0},
                      WriteCharCase{"Delay10", 10, UINT32_MAX, 0, 0, 10},
                      WriteCharCase{"Delay10PutCharFails", 10, 0, 0, 0, 10},
                      WriteCharCase{"NegativeDelay", -5, 0, 0, CL_ERR_SHORT_WRITE, 0},
                      WriteCharCase{"IdleAbortsThePause", 10, UINT32_MAX, 2, -44, 2}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace comlink_test
