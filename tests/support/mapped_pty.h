// A pseudo-terminal whose slave is entry "com<number>" of a private COMLINK_PORTS folder, so
// that the library opens it as that COM port; the earlier COMLINK_PORTS comes back afterwards.
#pragma once

#include "open_com.h"
#include "platform/windows.h"
#include "ports_folder.h"

#include <chrono>
#include <cstddef>
#include <string>

namespace test_support {

class MappedPty {
public:
    // Throws std::runtime_error when no pty or folder can be had.
    explicit MappedPty(int com_number);
    ~MappedPty();
    MappedPty(const MappedPty&) = delete;
    MappedPty& operator=(const MappedPty&) = delete;

    // The non-blocking master: what the port writes arrives here, what is written here the
    // port reads.
    int master() const { return m_master; }
    // The pair's own descriptor on the slave: it keeps the pair alive while ports close and
    // reopen, and serves for reading back the line's termios.
    int slave() const { return m_slave; }
    const std::string& slave_path() const { return m_slave_path; }
    const PortsFolder& folder() const { return m_folder; }
    int com_number() const { return m_com_number; }
    // "\\.\COM<number>", the name CreateFileA takes.
    std::string com_name() const;
    // CreateFileA on com_name(), as the library's ports open it.
    HANDLE open() const;
    void close_master();

    // True when every byte went to the master before the deadline.
    [[nodiscard]] bool write_master(const std::string& bytes,
                                    std::chrono::milliseconds deadline = std::chrono::seconds(5));
    // Reads from the master until `count` bytes came or the deadline passed.
    std::string read_master(std::size_t count, std::chrono::milliseconds deadline) const;

private:
    void close_descriptors();

    int m_com_number;
    PortsFolder m_folder;
    int m_master = -1;
    int m_slave = -1;
    std::string m_slave_path;
};

} // namespace test_support
