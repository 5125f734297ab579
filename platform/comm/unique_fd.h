// Owners of what the tty driver acquires: the descriptor and the exclusive mode.
#pragma once

#include "platform/comm/sys_call.h"

#include <sys/ioctl.h>
#include <utility>

namespace platform::tty {

// Closes its descriptor when destroyed.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }
    ~UniqueFd() { reset(); }
    int get() const { return m_fd; }
    void reset() {
        if (m_fd >= 0)
            sys::close_descriptor(std::exchange(m_fd, -1));
    }

private:
    int m_fd = -1;
};

// TIOCEXCL on a descriptor while it lives; TIOCNXCL when destroyed. Does not own the descriptor.
class ExclusiveMode {
public:
    ExclusiveMode() = default;
    explicit ExclusiveMode(int fd) : m_fd(fd) {}
    ExclusiveMode(ExclusiveMode&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    ExclusiveMode& operator=(ExclusiveMode&& other) noexcept {
        if (this != &other) {
            reset();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }
    ~ExclusiveMode() { reset(); }
    void reset() {
        if (m_fd >= 0)
            sys::io_control(std::exchange(m_fd, -1), TIOCNXCL, nullptr, "ioctl(TIOCNXCL)");
    }

private:
    int m_fd = -1;
};

} // namespace platform::tty
