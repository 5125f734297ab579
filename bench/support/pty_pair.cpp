// Opens the pty pair and maps its slave in a temporary COMLINK_PORTS folder.
#include "support/pty_pair.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace bench {

PtyPair::PtyPair(int com_number) : m_com_number(com_number) {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        throw std::runtime_error("no pty available");
    m_slave_path = ::ptsname(m_master);
    // Holding the slave open keeps the pair alive while the port under test closes and reopens.
    m_slave = ::open(m_slave_path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/comm-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    m_folder = pattern;
    std::filesystem::create_symlink(m_slave_path, m_folder + "/com" + std::to_string(com_number));
    if (const char* previous = std::getenv("COMLINK_PORTS")) {
        m_had_ports = true;
        m_previous_ports = previous;
    }
    ::setenv("COMLINK_PORTS", m_folder.c_str(), 1);
}

PtyPair::~PtyPair() {
    if (m_had_ports)
        ::setenv("COMLINK_PORTS", m_previous_ports.c_str(), 1);
    else
        ::unsetenv("COMLINK_PORTS");
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

std::string PtyPair::com_name() const {
    return "\\\\.\\COM" + std::to_string(m_com_number);
}

} // namespace bench
