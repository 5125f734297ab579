// A pty pair for benchmarks: the master for the test's side, the slave mapped as a COM number
// through a private COMLINK_PORTS folder that is removed again.
#pragma once

#include <string>

namespace bench {

class PtyPair {
public:
    // Maps the slave as COM`com_number`; throws std::runtime_error when no pty can be had.
    explicit PtyPair(int com_number);
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    // Non-blocking master descriptor.
    int master() const { return m_master; }
    const std::string& slave_path() const { return m_slave_path; }
    // "\\.\COMn" for CreateFileA.
    std::string com_name() const;

private:
    int m_com_number;
    int m_master = -1;
    int m_slave = -1;
    std::string m_slave_path;
    std::string m_folder;
    std::string m_previous_ports;
    bool m_had_ports = false;
};

} // namespace bench
