// What the link and AllocZeroed do when the heap refuses: nothrow allocations fail on request.
#include "COMLINK.h"
#include "PortLink.h"
#include "scripted_port_fixture.h"

#include "platform/clock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <new>

namespace {

// 0: allocate normally; n: the n-th nothrow allocation from now on fails (once).
int s_fail_countdown = 0;

} // namespace

// The nothrow form is replaced for this program only; it hands out the ordinary allocation, so
// every release still matches.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (s_fail_countdown > 0 && --s_fail_countdown == 0)
        return nullptr;
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

namespace comlink_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FailingAllocation {
public:
    explicit FailingAllocation(int nth) { s_fail_countdown = nth; }
    ~FailingAllocation() { s_fail_countdown = 0; }
};

class LinkAllocationTest : public ScriptedPortTest {};

TEST_F(LinkAllocationTest, NoSettingsGuardLeavesABareLinkReportingNoMemory) {
    std::unique_ptr<PortLink> link;
    {
        FailingAllocation fail(1);
        link = std::make_unique<PortLink>(&m_port);
    }
    EXPECT_EQ(link->m_pSettings, nullptr);
    EXPECT_EQ(link->m_pHandshake, nullptr);
    EXPECT_THAT(m_port.calls(), IsEmpty());
    LineErrorFlags flags = 0xFFFF;
    EXPECT_EQ(link->GetErrorFlags(&flags), CL_ERR_NO_MEMORY);
    EXPECT_EQ(flags, 0);
}

TEST_F(LinkAllocationTest, NoHandshakeGuardPutsTheSettingsBackAndStaysBare) {
    m_port.set_line_format({19200, 'N', 8, 1});
    std::unique_ptr<PortLink> link;
    {
        FailingAllocation fail(2);
        link = std::make_unique<PortLink>(&m_port);
    }
    EXPECT_EQ(link->m_pSettings, nullptr);
    EXPECT_EQ(link->m_pHandshake, nullptr);
    EXPECT_THAT(m_port.calls(),
                ElementsAre("GetLineSettings", "SetLineSettings(1200,N,8,1)",
                            "SetLineSettings(9600,N,8,1)", "SetLineSettings(19200,N,8,1)"));
    EXPECT_EQ(m_port.PeekLastError(), CL_ERR_NO_MEMORY);
    m_port.clear_calls();
    link.reset();
    EXPECT_THAT(m_port.calls(), IsEmpty());
}

TEST_F(LinkAllocationTest, EarlierSetUpCodeIsKeptOverNoMemory) {
    m_port.refuse_line_settings(CL_ERR_BAD_BAUD);
    FailingAllocation fail(2);
    PortLink link(&m_port);
    EXPECT_EQ(link.m_pSettings, nullptr);
    EXPECT_EQ(m_port.PeekLastError(), CL_ERR_BAD_BAUD);
}

TEST(AllocZeroedFailure, ReturnsNullWhenTheHeapRefuses) {
    FailingAllocation fail(1);
    EXPECT_EQ(AllocZeroed(32), nullptr);
}

} // namespace
} // namespace comlink_test
