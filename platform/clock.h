// The clock behind GetTickCount and Sleep, replaceable so that tests wait without sleeping.
#pragma once

#include <cstdint>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t tick_count() = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
};

// The real monotonic clock; the default.
Clock& system_clock();

// Installs a clock for the whole process and returns the previous one. Never null.
Clock& install_clock(Clock& clock);

// A clock that moves only when told to, or by the amount each sleep asks for.
class ManualClock final : public Clock {
public:
    explicit ManualClock(std::uint32_t start = 0) : m_now(start) {}
    std::uint32_t tick_count() override;
    // Advances by the requested time; Sleep(0) advances by m_yield_step (0 unless set).
    void sleep(std::uint32_t milliseconds) override;
    void advance(std::uint32_t milliseconds) { m_now += milliseconds; }
    void set(std::uint32_t now) { m_now = now; }
    // Added on every tick_count read, so that busy loops make progress (default 0).
    void set_auto_step(std::uint32_t step) { m_auto_step = step; }
    void set_yield_step(std::uint32_t step) { m_yield_step = step; }
    std::uint32_t sleeps() const { return m_sleeps; }

private:
    std::uint32_t m_now;
    std::uint32_t m_auto_step = 0;
    std::uint32_t m_yield_step = 0;
    std::uint32_t m_sleeps = 0;
};

// Installs a clock for the life of the scope.
class ScopedClock {
public:
    explicit ScopedClock(Clock& clock) : m_previous(install_clock(clock)) {}
    ~ScopedClock() { install_clock(m_previous); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    Clock& m_previous;
};

} // namespace platform
