// A pseudo-terminal that stands for the probe's end of a serial cable, and the COM entry
// (a symbolic link named comN) that maps it for the program under test.
#pragma once

#include <string>

namespace sim {

class PtyPort {
public:
    PtyPort() = default;
    ~PtyPort() { close(); }
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    // Opens a new master and holds its slave open in raw mode, so that the line stays up
    // while the program has the port closed. Returns an error text, empty on success.
    std::string open();
    // Closes both ends: the program's open slave sees a hang-up.
    void close();

    bool is_open() const { return m_master >= 0; }
    int master_fd() const { return m_master; }
    const std::string& slave_path() const { return m_slave_path; }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slave_path;
};

// The link <folder>/com<N> to a device. Replacing is atomic, so a reader never finds the
// entry missing while it moves to a new target. Removed when destroyed.
class ComEntry {
public:
    ComEntry(std::string folder, int com_number);
    ~ComEntry() { remove(); }
    ComEntry(const ComEntry&) = delete;
    ComEntry& operator=(const ComEntry&) = delete;

    // Creates the folder if needed and points the entry at target. Error text, or empty.
    std::string point_to(const std::string& target);
    // Removes the entry, but only if it is still the one this object made.
    void remove();
    const std::string& path() const { return m_path; }

private:
    std::string m_folder;
    std::string m_path;
    std::string m_target;
};

} // namespace sim
