// MappedPty: a pty pair mapped as a COM number.
#include "pty_pair.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace comlink_test {

MappedPty::MappedPty(int com_number) {
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        throw std::runtime_error("no pseudo-terminal available");
    m_slave_path = ptsname(m_master);

    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/comlink-win32-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    m_folder = pattern;
    std::filesystem::create_symlink(m_slave_path, m_folder / ("com" + std::to_string(com_number)));

    if (const char* previous = std::getenv("COMLINK_PORTS")) {
        m_had_previous = true;
        m_previous = previous;
    }
    setenv("COMLINK_PORTS", m_folder.c_str(), 1);
}

MappedPty::~MappedPty() {
    if (m_had_previous)
        setenv("COMLINK_PORTS", m_previous.c_str(), 1);
    else
        unsetenv("COMLINK_PORTS");
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
    if (m_master >= 0)
        close(m_master);
}

void MappedPty::write_master(const std::string& bytes) const {
    ASSERT_EQ(write(m_master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

std::string MappedPty::read_master(std::size_t count, std::chrono::milliseconds deadline) const {
    std::string bytes;
    auto end = std::chrono::steady_clock::now() + deadline;
    while (bytes.size() < count && std::chrono::steady_clock::now() < end) {
        pollfd pfd{m_master, POLLIN, 0};
        if (poll(&pfd, 1, 50) <= 0)
            continue;
        char buffer[256];
        ssize_t got = read(m_master, buffer, sizeof buffer);
        if (got > 0)
            bytes.append(buffer, static_cast<std::size_t>(got));
        else if (got < 0 && errno != EAGAIN && errno != EINTR)
            break;
    }
    return bytes;
}

} // namespace comlink_test
