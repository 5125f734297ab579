// A private COM folder for one test: made fresh, named in COMLINK_PORTS while the test runs,
// removed with everything in it afterwards.
#pragma once

#include <string>

namespace e2e {

class PortsFolder {
public:
    PortsFolder();
    ~PortsFolder();
    PortsFolder(const PortsFolder&) = delete;
    PortsFolder& operator=(const PortsFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string entry(int com_number) const { return m_path + "/com" + std::to_string(com_number); }

private:
    std::string m_path;
    std::string m_previous;
    bool m_had_previous = false;
};

} // namespace e2e
