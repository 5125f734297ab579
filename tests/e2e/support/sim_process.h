// zelt-sim as a child process of a test: started with its options, stopped and reaped at the
// end of the test, and gone with the test process should the test die first.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace e2e {

class SimProcess {
public:
    // Starts the simulator on COM`com_number` in `ports_dir`, logging to a file there.
    SimProcess(const std::string& ports_dir, int com_number, std::vector<std::string> options);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // True once the COM entry exists (polls with a generous deadline).
    bool wait_ready() const;
    // The simulator's log so far.
    std::string log() const;
    // True once the log holds `text` at least `times` times (polls).
    bool wait_log(const std::string& text, int times = 1) const;
    // Stops the simulator, by the end of its standard input or by `signal` when given, and
    // reaps it; returns its exit status (-1 when it had to be killed).
    int stop(int signal = 0);

private:
    std::string m_entry;
    std::string m_log_path;
    pid_t m_pid = -1;
    int m_stdin = -1;
};

// The path of the zelt-sim program the build made.
std::string sim_program();

} // namespace e2e
