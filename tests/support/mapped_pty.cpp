// Pty pairs mapped as COM numbers.
#include "mapped_pty.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace test_support {

MappedPty::MappedPty(int com_number) : m_com_number(com_number), m_folder("zelt-pty") {
    try {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            throw std::runtime_error("no pseudo-terminal available");
        m_slave_path = ::ptsname(m_master);
        m_slave = ::open(m_slave_path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_slave < 0)
            throw std::runtime_error("cannot open " + m_slave_path);
        std::filesystem::create_symlink(m_slave_path, m_folder.entry(com_number));
    } catch (...) {
        close_descriptors();
        throw;
    }
}

MappedPty::~MappedPty() {
    close_descriptors();
}

void MappedPty::close_descriptors() {
    close_master();
    if (m_slave >= 0)
        ::close(m_slave);
    m_slave = -1;
}

void MappedPty::close_master() {
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

std::string MappedPty::com_name() const {
    return com_device_name(m_com_number);
}

HANDLE MappedPty::open() const {
    return open_com(m_com_number);
}

bool MappedPty::write_master(const std::string& bytes, std::chrono::milliseconds deadline) {
    std::size_t written = 0;
    auto end = std::chrono::steady_clock::now() + deadline;
    while (written < bytes.size() && std::chrono::steady_clock::now() < end) {
        ssize_t put = ::write(m_master, bytes.data() + written, bytes.size() - written);
        if (put > 0) {
            written += static_cast<std::size_t>(put);
        } else if (put < 0 && errno != EAGAIN && errno != EINTR) {
            break;
        } else {
            pollfd pfd{m_master, POLLOUT, 0};
            ::poll(&pfd, 1, 50);
        }
    }
    return written == bytes.size();
}

std::string MappedPty::read_master(std::size_t count, std::chrono::milliseconds deadline) const {
    std::string bytes;
    auto end = std::chrono::steady_clock::now() + deadline;
    while (bytes.size() < count && std::chrono::steady_clock::now() < end) {
        pollfd pfd{m_master, POLLIN, 0};
        if (::poll(&pfd, 1, 50) <= 0)
            continue;
        char buffer[256];
        ssize_t got = ::read(m_master, buffer, sizeof buffer);
        if (got > 0)
            bytes.append(buffer, static_cast<std::size_t>(got));
        else if (got < 0 && errno != EAGAIN && errno != EINTR)
            break;
    }
    return bytes;
}

} // namespace test_support
