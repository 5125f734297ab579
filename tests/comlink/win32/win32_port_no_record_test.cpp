// Ports without their records (a shell, or an empty port after a failed allocation): every
// operation answers without reading or writing through a missing record.
#include "win32_port_fixture.h"

#include "allocation_failure.h"

#include <gmock/gmock.h>

#include <functional>

namespace comlink_test {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> s_lines;
void keep_line(const char* line) {
    s_lines.emplace_back(line);
}

enum class Kind { shell, empty };

class NoRecordTest : public Win32PortTest, public ::testing::WithParamInterface<Kind> {
protected:
    std::unique_ptr<TestablePort> make_port() {
        if (GetParam() == Kind::shell)
            return std::make_unique<TestablePort>(kPortIndex, kRxSize, kTxSize, 1);
        fail_nothrow_allocation(1);
        auto port = std::make_unique<TestablePort>(kPortIndex, kRxSize, kTxSize, 0);
        fail_nothrow_allocation(0);
        return port;
    }
};

TEST_P(NoRecordTest, SettersFailWithAGeneralFailure) {
    auto port = make_port();
    ASSERT_EQ(port->m_pDcb, nullptr);
    const std::vector<std::pair<const char*, std::function<int()>>> setters = {
        {"SetHandshake", [&] { return port->SetHandshake(LINE_XONXOFF, LINE_XONXOFF); }},
        {"SetLineSettings", [&] { return port->SetLineSettings(9600, 'N', 8, 1); }},
        {"SetQueueSizes", [&] { return port->SetQueueSizes(100, 10, 100); }},
    };
    for (const auto& [name, call] : setters) {
        port->TakeLastError();
        EXPECT_EQ(call(), CL_ERR_FAILED) << name;
        EXPECT_EQ(port->PeekLastError(), CL_ERR_FAILED) << name;
    }
    EXPECT_EQ(port->SetEventChar('x'), 0);
    EXPECT_EQ(port->LineState(LINE_DTR, 0), 0);
    EXPECT_EQ(port->LineState(LINE_RTS, 1), 1);
}

TEST_P(NoRecordTest, ReadersAnswerWithoutARecord) {
    auto port = make_port();
    std::int32_t baud = 0;
    char parity = 0;
    int data_bits = 0, stop_bits = 0;
    port->GetLineSettings(&baud, &parity, &data_bits, &stop_bits);
    EXPECT_EQ(baud, 19200);
    EXPECT_EQ(parity, 'N');
    EXPECT_EQ(data_bits, 8);
    EXPECT_EQ(stop_bits, 1);

    LineStatusBlock block;
    EXPECT_EQ(port->GetLineStatus(&block), CL_OK);
    EXPECT_THAT(block.bytes, ElementsAre(0x00, 0x00, 0x00, 0x00));

    s_lines.clear();
    port->Report(keep_line);
    EXPECT_THAT(s_lines, ElementsAre("RX sz/ct:     0/0      TX sz/ct:     0/0      "
                                     "BLOCK SENT:0  BLOCK RECEIVED:0"));
}

TEST_P(NoRecordTest, TransfersMoveNothing) {
    auto port = make_port();
    port->TakeLastError();
    char buffer[4];
    EXPECT_EQ(port->Read(buffer, sizeof buffer), 0);
    EXPECT_EQ(port->GetChar(), CL_ERR_NO_DATA);
    EXPECT_EQ(port->Purge(0, 3), CL_OK);
    EXPECT_EQ(port->Write("ab", 2), 0);
    EXPECT_EQ(port->PeekLastError(), CL_ERR_SHORT_WRITE);
    EXPECT_EQ(port->Close(), CL_ERR_CLOSE);
    EXPECT_TRUE(m_device->calls().empty());
}

INSTANTIATE_TEST_SUITE_P(Ports, NoRecordTest, ::testing::Values(Kind::shell, Kind::empty),
                         [](const auto& info) {
                             return std::string(info.param == Kind::shell ? "Shell" : "Empty");
                         });

} // namespace
} // namespace comlink_test
