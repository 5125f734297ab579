// Runs zelt-sim for a test.
#include "sim_process.h"

#include "wait_for.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace e2e {

std::string sim_program() {
    return ZELT_SIM_PROGRAM;
}

SimProcess::SimProcess(const std::string& ports_dir, int com_number,
                       std::vector<std::string> options)
    : m_entry(ports_dir + "/com" + std::to_string(com_number)),
      m_log_path(ports_dir + "/zelt-sim.log") {
    std::vector<std::string> arguments = {
        sim_program(), "--ports-dir", ports_dir,      "--com", std::to_string(com_number),
        "--log",       m_log_path,    "--watch-stdin"};
    arguments.insert(arguments.end(), options.begin(), options.end());

    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipe_fds[2];
    if (pipe2(pipe_fds, O_CLOEXEC) != 0)
        return;
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid == 0) {
        // The simulator ends with the test, even if the test is killed.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(3);
        dup2(pipe_fds[0], STDIN_FILENO);
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(pipe_fds[0]);
    m_stdin = pipe_fds[1];
}

SimProcess::~SimProcess() {
    stop();
}

bool SimProcess::wait_ready() const {
    return wait_for([&] {
        struct stat info;
        return lstat(m_entry.c_str(), &info) == 0;
    });
}

std::string SimProcess::log() const {
    std::ifstream file(m_log_path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool SimProcess::wait_log(const std::string& text, int times) const {
    return wait_for([&] {
        std::string all = log();
        int found = 0;
        for (auto at = all.find(text); at != std::string::npos; at = all.find(text, at + 1))
            ++found;
        return found >= times;
    });
}

int SimProcess::stop(int signal) {
    if (m_pid <= 0)
        return -1;
    if (signal != 0)
        kill(m_pid, signal);
    close(m_stdin); // the simulator leaves at the end of its input
    m_stdin = -1;
    int status = 0;
    bool reaped = wait_for([&] { return waitpid(m_pid, &status, WNOHANG) == m_pid; });
    if (!reaped) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, &status, 0);
    }
    m_pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace e2e
