// Private COM folders for the end-to-end tests.
#include "ports_folder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace e2e {

PortsFolder::PortsFolder() {
    const char* temporary = std::getenv("TMPDIR");
    std::string pattern =
        std::string(temporary != nullptr ? temporary : "/tmp") + "/zelt-e2e.XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed for " + pattern);
    m_path = pattern;
    if (const char* previous = std::getenv("COMLINK_PORTS")) {
        m_had_previous = true;
        m_previous = previous;
    }
    setenv("COMLINK_PORTS", m_path.c_str(), 1);
}

PortsFolder::~PortsFolder() {
    if (m_had_previous)
        setenv("COMLINK_PORTS", m_previous.c_str(), 1);
    else
        unsetenv("COMLINK_PORTS");
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace e2e
