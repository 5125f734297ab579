// A pseudo-terminal whose slave is mapped as a COM number through a private COMLINK_PORTS
// folder, for end-to-end tests of the port over the tty driver.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace comlink_test {

class MappedPty {
public:
    // Opens the pair, links "com<com_number>" to the slave in a fresh folder and points
    // COMLINK_PORTS at it; the earlier value comes back on destruction.
    explicit MappedPty(int com_number);
    ~MappedPty();
    MappedPty(const MappedPty&) = delete;
    MappedPty& operator=(const MappedPty&) = delete;

    // The master side: what the port writes arrives here, what is written here the port reads.
    int master() const { return m_master; }
    const std::string& slave_path() const { return m_slave_path; }

    void write_master(const std::string& bytes) const;
    // Reads from the master until `count` bytes came or the deadline passed.
    std::string read_master(std::size_t count, std::chrono::milliseconds deadline) const;

private:
    int m_master = -1;
    std::string m_slave_path;
    std::filesystem::path m_folder;
    bool m_had_previous = false;
    std::string m_previous;
};

} // namespace comlink_test
