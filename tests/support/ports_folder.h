// A private COM folder: made fresh, named in COMLINK_PORTS for its life, then removed with
// everything in it; the earlier COMLINK_PORTS comes back.
#pragma once

#include "scoped_env.h"
#include "temp_folder.h"

#include <string>

namespace test_support {

class PortsFolder {
public:
    // Throws std::runtime_error when the folder cannot be made.
    explicit PortsFolder(const std::string& prefix = "zelt-ports");

    const std::string& path() const { return m_path; }
    // The entry that maps COM<com_number>.
    std::string entry(int com_number) const { return m_path + "/com" + std::to_string(com_number); }

private:
    TempFolder m_folder;
    std::string m_path;
    ScopedEnv m_env;
};

} // namespace test_support
