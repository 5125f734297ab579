// Read Binary against zelt-sim pacing its reply at the 9600-baud line time. The command and
// the two reply bytes need 3.125 ms on the wire; the counters give the time the handler takes
// beyond that (p50, p99), and the CPU time column the cost of one reading.
#include "ProbeApp.h"
#include "ProbeConversation.h"
#include "ProbeDlg.h"
#include "ZeltGUI_rc.h"
#include "ports_folder.h"
#include "ui/headless/session.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kWireMs = 3.125; // three bytes of ten bits at 9600 baud

// zelt-sim on COM5 in a private folder, for the life of the object.
class PacedProbe {
public:
    PacedProbe() {
        std::vector<std::string> arguments = {ZELT_SIM_PROGRAM, "--ports-dir", m_folder.path(),
                                              "--temp",         "25",          "--watch-stdin"};
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        int fds[2];
        if (pipe(fds) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            dup2(fds[0], STDIN_FILENO);
            close(fds[1]);
            freopen("/dev/null", "w", stdout);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(fds[0]);
        m_stdin = fds[1];
    }
    ~PacedProbe() {
        if (m_pid > 0) {
            close(m_stdin);
            waitpid(m_pid, nullptr, 0);
        }
    }
    bool wait_ready() const {
        const std::string entry = m_folder.entry(5);
        for (int i = 0; i < 5000; ++i) {
            struct stat info;
            if (lstat(entry.c_str(), &info) == 0)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

private:
    test_support::PortsFolder m_folder{"zelt-bench"};
    pid_t m_pid = -1;
    int m_stdin = -1;
};

double percentile(std::vector<double> values, double fraction) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[index];
}

void ReadBinaryOverPacedLine(benchmark::State& state) {
    PacedProbe probe;
    if (!probe.wait_ready()) {
        state.SkipWithError("zelt-sim did not start");
        return;
    }
    ui::headless::Session session(&ZeltGUIResources());
    benchmark::DoNotOptimize(&theApp); // the dialog loads its icon through the application
    CProbeDlg dialog;
    dialog.Create(CProbeDlg::IDD);
    ui::headless::DialogDriver driver(*dialog.GetModel());
    driver.click(IDC_OPEN_PORT);
    if (driver.text(IDC_STATUS) != "Korvex-Zelt Ready") {
        state.SkipWithError(("Open Port gave " + driver.text(IDC_STATUS)).c_str());
        return;
    }

    std::vector<double> over_wire_ms;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        driver.click(IDC_READ_BINARY);
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        over_wire_ms.push_back(took.count() - kWireMs);
    }
    if (driver.text(IDC_BINARY) != "77.0")
        state.SkipWithError(("Read Binary showed " + driver.text(IDC_BINARY)).c_str());
    state.counters["p50_over_wire_ms"] = percentile(over_wire_ms, 0.50);
    state.counters["p99_over_wire_ms"] = percentile(over_wire_ms, 0.99);

    DeleteSerialObjects();
}

BENCHMARK(ReadBinaryOverPacedLine)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
