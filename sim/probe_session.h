// The simulated probe at work: waits for command bytes on its pty and answers them.
#pragma once

#include "sim/line_shape.h"
#include "sim/probe_model.h"
#include "sim/pty_port.h"
#include "sim/sim_options.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

namespace sim {

// Where the verbose lines go: standard error when verbose, a log file when given, or both.
class SimLog {
public:
    SimLog(bool to_stderr, const std::string& path);
    ~SimLog();
    SimLog(const SimLog&) = delete;
    SimLog& operator=(const SimLog&) = delete;
    bool enabled() const { return m_to_stderr || m_file != nullptr; }
    bool opened_ok() const { return m_path_ok; }
    void line(const std::string& text);

private:
    bool m_to_stderr;
    bool m_path_ok = true;
    std::FILE* m_file = nullptr;
};

class ProbeSession {
public:
    ProbeSession(const SimOptions& options, SimLog& log);
    // Runs until a signal, the end of standard input (when watched) or a final hang-up.
    // Returns the process exit code. Always removes the COM entry before it returns.
    int run();

private:
    using TimePoint = std::chrono::steady_clock::time_point;

    std::string bring_up();
    void handle_command(unsigned char command);
    // Sends bytes from `at` on, paced and split as the options say; false when hung up.
    void send_reply(const std::string& reply, TimePoint at);
    bool write_all(const char* data, std::size_t size);
    // Closes the pty; comes back later when asked. False when the session is over.
    bool hang_up();
    void note_line_changes();
    // Sleeps until `when`, or returns false early when a stop signal arrives.
    bool wait_until(TimePoint when);

    const SimOptions& m_options;
    SimLog& m_log;
    ProbeModel m_model;
    PtyPort m_pty;
    ComEntry m_entry;
    int m_signal_fd = -1;
    unsigned m_commands = 0;
    bool m_stop = false;
    std::optional<LineShape> m_last_shape;
};

} // namespace sim
