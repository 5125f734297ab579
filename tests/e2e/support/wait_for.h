// Polls a condition with a generous deadline instead of sleeping a fixed time.
#pragma once

#include <chrono>
#include <thread>

namespace e2e {

inline constexpr auto kGenerousDeadline = std::chrono::seconds(10);

template <typename Condition>
bool wait_for(Condition condition, std::chrono::milliseconds limit = kGenerousDeadline) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace e2e
