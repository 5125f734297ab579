// The real clock, the manual clock and the process-wide choice between them.
#include "platform/clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace platform {
namespace {

class SteadyClock final : public Clock {
public:
    std::uint32_t tick_count() override {
        auto elapsed = std::chrono::steady_clock::now() - m_start;
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
        return static_cast<std::uint32_t>(ms);
    }
    void sleep(std::uint32_t milliseconds) override {
        if (milliseconds == 0)
            std::this_thread::yield();
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

std::atomic<Clock*> s_current{nullptr};

} // namespace

Clock& system_clock() {
    static SteadyClock clock;
    return clock;
}

static Clock& current_clock() {
    Clock* clock = s_current.load(std::memory_order_acquire);
    return clock != nullptr ? *clock : system_clock();
}

Clock& install_clock(Clock& clock) {
    Clock* previous = s_current.exchange(&clock, std::memory_order_acq_rel);
    return previous != nullptr ? *previous : system_clock();
}

std::uint32_t ManualClock::tick_count() {
    std::uint32_t now = m_now;
    m_now += m_auto_step;
    return now;
}

void ManualClock::sleep(std::uint32_t milliseconds) {
    ++m_sleeps;
    m_now += milliseconds == 0 ? m_yield_step : milliseconds;
}

Clock& clock_for_timing() { return current_clock(); }

} // namespace platform
