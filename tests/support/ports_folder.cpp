// Private COM folders.
#include "ports_folder.h"

namespace test_support {

PortsFolder::PortsFolder(const std::string& prefix)
    : m_folder(prefix), m_path(m_folder.path().string()), m_env("COMLINK_PORTS", m_path) {}

} // namespace test_support
