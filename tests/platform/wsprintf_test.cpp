// wsprintfA and wnsprintfA: printf formatting that stays inside the buffer.
#include "platform/windows.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kGuard = '#';

struct BoundedCase {
    const char* name;
    int size;
    const char* argument;
    const char* expected;
    int stored;
};

void PrintTo(const BoundedCase& c, std::ostream* os) {
    *os << c.name;
}

class BoundedFormatTest : public ::testing::TestWithParam<BoundedCase> {};

TEST_P(BoundedFormatTest, NeverWritesPastTheGivenSize) {
    const BoundedCase& c = GetParam();
    std::vector<char> memory(static_cast<std::size_t>(c.size) + 16, kGuard);
    EXPECT_EQ(wnsprintfA(memory.data(), c.size, "<%s>", c.argument), c.stored);
    EXPECT_STREQ(memory.data(), c.expected);
    for (std::size_t i = static_cast<std::size_t>(c.size); i < memory.size(); ++i)
        ASSERT_EQ(memory[i], kGuard) << "byte " << i;
}

INSTANTIATE_TEST_SUITE_P(Cases, BoundedFormatTest,
                         ::testing::Values(BoundedCase{"Fits", 16, "abc", "<abc>", 5},
                                           BoundedCase{"ExactlyFits", 6, "abc", "<abc>", 5},
                                           BoundedCase{"OneShort", 5, "abc", "<abc", 4},
                                           BoundedCase{"LongIntoSmall", 8,
                                                       "a long text that never fits", "<a long", 7},
                                           BoundedCase{"SizeOne", 1, "abc", "", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WnsprintfTest, NoRoomMeansNothingWritten) {
    char buffer[4] = {kGuard, kGuard, kGuard, kGuard};
    EXPECT_EQ(wnsprintfA(buffer, 0, "%s", "abc"), 0);
    EXPECT_EQ(wnsprintfA(buffer, -3, "%s", "abc"), 0);
    EXPECT_EQ(wnsprintfA(nullptr, 4, "%s", "abc"), 0);
    EXPECT_EQ(std::memcmp(buffer, "####", 4), 0);
}

TEST(WsprintfTest, FormatsTheConversionsTheLibraryUses) {
    char buffer[1024];
    EXPECT_EQ(wsprintfA(buffer, "COM%d:%s %u %x %c", 5, "No Port", 4096u, 0x2Au, 'T'), 22);
    EXPECT_STREQ(buffer, "COM5:No Port 4096 2a T");
    wsprintfA(buffer, "\\\\.\\COM%d", 16);
    EXPECT_STREQ(buffer, "\\\\.\\COM16");
    wsprintfA(buffer, "%d", -838);
    EXPECT_STREQ(buffer, "-838");
}

TEST(WsprintfTest, StopsAtTheWindowsLimitOf1024Bytes) {
    std::string long_text(1500, 'x');
    std::vector<char> memory(2048, kGuard);
    EXPECT_EQ(wsprintfA(memory.data(), "%s", long_text.c_str()), 1023);
    EXPECT_EQ(std::strlen(memory.data()), 1023u);
    for (std::size_t i = 1024; i < memory.size(); ++i)
        ASSERT_EQ(memory[i], kGuard) << "byte " << i;
}

} // namespace
