// A test over a ScriptedPort whose received bytes arrive on a manual clock.
#pragma once

#include "scripted_port.h"

#include "platform/clock.h"

#include <gtest/gtest.h>

namespace comlink_test {

class ScriptedPortTest : public ::testing::Test {
protected:
    platform::ManualClock m_clock;
    platform::ScopedClock m_scoped_clock{m_clock};
    ScriptedPort m_port;
};

} // namespace comlink_test
