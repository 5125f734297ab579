// The abstract port: error accessors, optional operations, the open-count table and the fatal
// bodies of operations a port does not provide.
#include "COMLINK.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace comlink_test {
namespace {

// Reaches the protected open-count helpers.
class CountingPort : public ComPort {
public:
    using ComPort::HoldsOpenCount;
    using ComPort::RaiseOpenCount;
};

// Restores the open-count entries a test touches.
class OpenCountTest : public ::testing::Test {
protected:
    void SetUp() override { std::memcpy(m_saved, g_portOpenCount, sizeof m_saved); }
    void TearDown() override { std::memcpy(g_portOpenCount, m_saved, sizeof m_saved); }

private:
    std::uint16_t m_saved[COMLINK_MAX_PORTS];
};

TEST(ComPortTest, FreshPortHasIndexZeroAndNoError) {
    ComPort port;
    EXPECT_EQ(port.m_nPortIndex, 0);
    EXPECT_EQ(port.PeekLastError(), CL_OK);
}

TEST(ComPortTest, PeekLeavesTheCodeAndTakeResetsIt) {
    ComPort port;
    port.m_nLastError = CL_ERR_SHORT_WRITE;
    EXPECT_EQ(port.PeekLastError(), CL_ERR_SHORT_WRITE);
    EXPECT_EQ(port.PeekLastError(), CL_ERR_SHORT_WRITE);
    EXPECT_EQ(port.TakeLastError(), CL_ERR_SHORT_WRITE);
    EXPECT_EQ(port.TakeLastError(), CL_OK);
    EXPECT_EQ(port.PeekLastError(), CL_OK);
}

TEST(ComPortTest, OptionalOperationsAreUnsupportedAndStoreNothing) {
    ComPort port;
    EXPECT_EQ(port.OptionalB(), CL_ERR_UNSUPPORTED);
    EXPECT_EQ(port.OptionalA(), CL_ERR_UNSUPPORTED);
    EXPECT_EQ(port.PeekLastError(), CL_OK);
    port.m_nLastError = CL_ERR_BREAK;
    EXPECT_EQ(port.OptionalB(), CL_ERR_UNSUPPORTED);
    EXPECT_EQ(port.PeekLastError(), CL_ERR_BREAK);
}

TEST_F(OpenCountTest, PortThatRaisedNothingLeavesTheTableAlone) {
    g_portOpenCount[0] = 0;
    g_portOpenCount[1] = 1;
    { ComPort port; }
    EXPECT_EQ(g_portOpenCount[0], 0);
    {
        ComPort port;
        port.m_nPortIndex = 1; // another object holds index 1
    }
    EXPECT_EQ(g_portOpenCount[1], 1);
}

TEST_F(OpenCountTest, DestructionLowersTheEntryThePortRaised) {
    g_portOpenCount[7] = 0;
    g_portOpenCount[8] = 0;
    {
        CountingPort port;
        port.m_nPortIndex = 7;
        EXPECT_TRUE(port.RaiseOpenCount());
        EXPECT_FALSE(port.RaiseOpenCount()); // one count per object
        EXPECT_EQ(g_portOpenCount[7], 1);
        port.m_nPortIndex = 8;
    }
    EXPECT_EQ(g_portOpenCount[7], 0);
    EXPECT_EQ(g_portOpenCount[8], 0);
}

TEST_F(OpenCountTest, EntryLoweredByOthersIsNotTakenBelowZero) {
    {
        CountingPort port;
        port.m_nPortIndex = 9;
        ASSERT_TRUE(port.RaiseOpenCount());
        g_portOpenCount[9] = 0;
    }
    EXPECT_EQ(g_portOpenCount[9], 0);
}

TEST_F(OpenCountTest, IndexOutsideTheTableIsNeverCounted) {
    for (int index : {-1, COMLINK_MAX_PORTS, 100000}) {
        CountingPort port;
        port.m_nPortIndex = index;
        EXPECT_FALSE(port.RaiseOpenCount());
        EXPECT_FALSE(port.HoldsOpenCount());
    }
}

TEST(AllocZeroedTest, BlocksAreZeroFilled) {
    auto* block = static_cast<unsigned char*>(AllocZeroed(64));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(block[i], 0) << i;
    FreeBlock(block);
    void* empty = AllocZeroed(0);
    EXPECT_NE(empty, nullptr);
    FreeBlock(empty);
    FreeBlock(nullptr);
}

struct UnimplementedCase {
    const char* name;
    std::function<void(ComPort&)> call;
    int line;
};

void PrintTo(const UnimplementedCase& c, std::ostream* os) {
    *os << c.name;
}

class UnimplementedTest : public ::testing::TestWithParam<UnimplementedCase> {};

// The console stands in for the message box: caption and text go to standard error, and with
// standard input not a terminal nothing waits.
TEST_P(UnimplementedTest, ShowsTheLibraryErrorAndExitsWithCodeOne) {
    const UnimplementedCase& c = GetParam();
    std::string expected = "Library Error\nPure Virtual function called @\\.\\.\\\\CPP_ALL\\\\"
                           "COMLINK," +
                           std::to_string(c.line) + "\nUnable to continue execution";
    EXPECT_EXIT(
        {
            if (std::freopen("/dev/null", "r", stdin) == nullptr)
                std::_Exit(3);
            ComPort port;
            c.call(port);
        },
        ::testing::ExitedWithCode(1), expected);
}

QueueStatus g_status;
LineStatusBlock g_block;
int g_int;
std::int32_t g_long;
char g_char;
char g_buffer[4];

INSTANTIATE_TEST_SUITE_P(
    Operations, UnimplementedTest,
    ::testing::Values(
        UnimplementedCase{"Idle", [](ComPort& p) { p.Idle(); }, 241},
        UnimplementedCase{"PollStatus", [](ComPort& p) { p.PollStatus(); }, 243},
        UnimplementedCase{"Open", [](ComPort& p) { p.Open(0); }, 245},
        UnimplementedCase{"OpenDevice", [](ComPort& p) { p.OpenDevice(); }, 247},
        UnimplementedCase{"Close", [](ComPort& p) { p.Close(); }, 249},
        UnimplementedCase{"GetQueueStatus", [](ComPort& p) { p.GetQueueStatus(&g_status, 7); },
                          251},
        UnimplementedCase{"SetQueueSizes", [](ComPort& p) { p.SetQueueSizes(1, 2, 3); }, 255},
        UnimplementedCase{"SetHandshake", [](ComPort& p) { p.SetHandshake(0, 0); }, 257},
        UnimplementedCase{"GetHandshake", [](ComPort& p) { p.GetHandshake(&g_int, &g_int); }, 259},
        UnimplementedCase{"SetBreak", [](ComPort& p) { p.SetBreak(1); }, 261},
        UnimplementedCase{"LineState", [](ComPort& p) { p.LineState(LINE_DTR, -1); }, 263},
        UnimplementedCase{"SetLineSettings", [](ComPort& p) { p.SetLineSettings(9600, 'N', 8, 1); },
                          265},
        UnimplementedCase{"GetLineSettings",
                          [](ComPort& p) { p.GetLineSettings(&g_long, &g_char, &g_int, &g_int); },
                          267},
        UnimplementedCase{"GetLineStatus", [](ComPort& p) { p.GetLineStatus(&g_block); }, 269},
        UnimplementedCase{"PutChar", [](ComPort& p) { p.PutChar('A'); }, 271},
        UnimplementedCase{"PutString", [](ComPort& p) { p.PutString("A"); }, 273},
        UnimplementedCase{"Write", [](ComPort& p) { p.Write("A", 1); }, 275},
        UnimplementedCase{"PutPriorityChar", [](ComPort& p) { p.PutPriorityChar('A'); }, 277},
        UnimplementedCase{"GetChar", [](ComPort& p) { p.GetChar(); }, 279},
        UnimplementedCase{"Read", [](ComPort& p) { p.Read(g_buffer, 1); }, 281},
        UnimplementedCase{"Purge", [](ComPort& p) { p.Purge(0, 0); }, 283},
        UnimplementedCase{"Report", [](ComPort& p) { p.Report([](const char*) {}); }, 285}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace comlink_test
