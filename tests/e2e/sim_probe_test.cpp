// zelt-sim on its own: its reply formats and options, and the running program over a pty,
// driven with plain termios calls.
#include "ports_folder.h"
#include "sim/probe_model.h"
#include "sim/sim_options.h"
#include "sim_process.h"
#include "wait_for.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::string bytes(std::initializer_list<unsigned char> values) {
    return std::string(values.begin(), values.end());
}

TEST(SimProbeModel, EncodesSixteenthsLowByteFirstSignInBit15) {
    const struct {
        double celsius;
        std::string wire;
    } cases[] = {
        {25.0, bytes({0x90, 0x01})},  {125.0, bytes({0xD0, 0x07})},
        {0.25, bytes({0x04, 0x00})},  {-10.125, bytes({0x5E, 0xFF})},
        {-55.0, bytes({0x90, 0xFC})}, {-0.0625, bytes({0xFF, 0xFF})},
        {300.0, bytes({0xFF, 0x07})}, {-300.0, bytes({0x01, 0xF8})},
    };
    for (const auto& row : cases)
        EXPECT_EQ(sim::encode_temperature(row.celsius), row.wire) << row.celsius;
}

TEST(SimProbeModel, RepliesFollowSettingsAndCycleTheScript) {
    sim::ProbeSettings settings;
    settings.temperatures = {25.0, -55.0};
    settings.identify_extra = 3;
    settings.binary_extra = 1;
    sim::ProbeModel model(settings);
    EXPECT_EQ(model.reply_to(0x27), "TZELT-SIM 1.0\rabc");
    EXPECT_EQ(model.reply_to('B'), bytes({0x90, 0x01}) + "a");
    EXPECT_EQ(model.reply_to('F'), "-55.0C\r");
    EXPECT_EQ(model.reply_to('B'), bytes({0x90, 0x01}) + "a");
    EXPECT_EQ(model.reply_to('x'), "");

    settings.silent = true;
    EXPECT_EQ(sim::ProbeModel(settings).reply_to(0x27), "");
}

TEST(SimOptions, RejectsBadCommandLinesAndNeedsAFolder) {
    const struct {
        std::vector<std::string> arguments;
        const char* environment_ports;
        bool good;
    } cases[] = {
        {{}, "/tmp/x", true},
        {{}, nullptr, false},
        {{"--ports-dir", "/tmp/y"}, nullptr, true},
        {{"--com", "0"}, "/tmp/x", false},
        {{"--com", "five"}, "/tmp/x", false},
        {{"--split", "3"}, "/tmp/x", false},
        {{"--split", "0:5"}, "/tmp/x", false},
        {{"--temp", "warm"}, "/tmp/x", false},
        {{"--delay"}, "/tmp/x", false},
        {{"--frobnicate", "1"}, "/tmp/x", false},
    };
    for (const auto& row : cases) {
        auto parsed = sim::parse_options(row.arguments, row.environment_ports);
        EXPECT_EQ(parsed.error.empty(), row.good)
            << testing::PrintToString(row.arguments) << ": " << parsed.error;
    }
    auto parsed = sim::parse_options(
        {"--script", "1,-2.5", "--split", "3:7", "--ascii", "a\\0%b\\x41"}, "/tmp/x");
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.probe.temperatures, (std::vector<double>{1.0, -2.5}));
    EXPECT_EQ(parsed.options.split_pieces, 3u);
    EXPECT_EQ(parsed.options.split_gap_ms, 7u);
    EXPECT_EQ(parsed.options.probe.ascii_text, std::string("a\0%bA", 5));
}

// The program's end of the cable, set up with termios as a serial program would.
class RawLine {
public:
    explicit RawLine(const std::string& path) { m_fd = open(path.c_str(), O_RDWR | O_NOCTTY); }
    ~RawLine() {
        if (m_fd >= 0)
            close(m_fd);
    }
    bool is_open() const { return m_fd >= 0; }
    void set_speed(speed_t speed) {
        termios settings{};
        tcgetattr(m_fd, &settings);
        cfmakeraw(&settings);
        cfsetispeed(&settings, speed);
        cfsetospeed(&settings, speed);
        tcsetattr(m_fd, TCSANOW, &settings);
    }
    void send(unsigned char command) { ASSERT_EQ(write(m_fd, &command, 1), 1); }
    // Collects bytes until `count` have come or the deadline passes.
    std::string receive(std::size_t count, int deadline_ms = 5000) {
        std::string got;
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(deadline_ms);
        while (got.size() < count && std::chrono::steady_clock::now() < end) {
            pollfd input{m_fd, POLLIN, 0};
            if (poll(&input, 1, 10) <= 0)
                continue;
            if ((input.revents & POLLIN) == 0)
                break;
            char buffer[64];
            ssize_t n = read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }
    // True when the other end has gone (hang-up or read error).
    bool hung_up() {
        pollfd input{m_fd, POLLIN, 0};
        if (poll(&input, 1, 0) <= 0)
            return false;
        char byte;
        return (input.revents & (POLLHUP | POLLERR)) != 0 || read(m_fd, &byte, 1) <= 0;
    }

private:
    int m_fd = -1;
};

TEST(SimProgram, AnswersOnlyAtNineThousandSixHundredBaud) {
    test_support::PortsFolder folder;
    e2e::SimProcess sim(folder.path(), 5, {"--script", "25,-55"});
    ASSERT_TRUE(sim.wait_ready());
    RawLine line(folder.entry(5));
    ASSERT_TRUE(line.is_open());

    line.set_speed(B19200);
    line.send(0x27);
    ASSERT_TRUE(sim.wait_log("ignored: line at 19200 8N1"));
    EXPECT_EQ(line.receive(1, 100), "");

    line.set_speed(B9600);
    line.send(0x27);
    EXPECT_EQ(line.receive(14), "TZELT-SIM 1.0\r");
    line.send('B');
    EXPECT_EQ(line.receive(2), bytes({0x90, 0x01}));
    line.send('F');
    EXPECT_EQ(line.receive(7), "-55.0C\r");
    EXPECT_NE(sim.log().find("rx 27 at 9600 8N1"), std::string::npos) << sim.log();
}

TEST(SimProgram, SplitsRepliesAndSendsFaultyBytes) {
    test_support::PortsFolder folder;
    e2e::SimProcess sim(folder.path(), 5,
                        {"--no-pace", "--split", "3:20", "--ascii", "1%s\\02", "--wrong-id"});
    ASSERT_TRUE(sim.wait_ready());
    RawLine line(folder.entry(5));
    line.set_speed(B9600);
    line.send(0x27);
    EXPECT_EQ(line.receive(14).substr(0, 1), "t");
    line.send('F');
    EXPECT_EQ(line.receive(5), std::string("1%s\0"
                                           "2",
                                           5));
}

TEST(SimProgram, HangsUpMidReplyAndComesBackOnTheSameEntry) {
    test_support::PortsFolder folder;
    e2e::SimProcess sim(folder.path(), 5, {"--hangup-after", "2", "--return-after", "50"});
    ASSERT_TRUE(sim.wait_ready());
    std::string first_target = std::filesystem::read_symlink(folder.entry(5));
    {
        RawLine line(folder.entry(5));
        line.set_speed(B9600);
        line.send(0x27);
        EXPECT_EQ(line.receive(14), "TZELT-SIM 1.0\r");
        line.send(0x27);
        EXPECT_EQ(line.receive(7), "TZELT-S");
        EXPECT_TRUE(e2e::wait_for([&] { return line.hung_up(); }));
    }
    ASSERT_TRUE(sim.wait_log("ready COM5", 2));
    RawLine again(folder.entry(5));
    ASSERT_TRUE(again.is_open());
    again.set_speed(B9600);
    again.send(0x27);
    EXPECT_EQ(again.receive(14), "TZELT-SIM 1.0\r");
}

TEST(SimProgram, RemovesItsEntryWhenStopped) {
    const struct {
        const char* how;
        int signal;
    } cases[] = {{"end of input", 0}, {"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}};
    for (const auto& row : cases) {
        test_support::PortsFolder folder;
        e2e::SimProcess sim(folder.path(), 7, {});
        ASSERT_TRUE(sim.wait_ready()) << row.how;
        EXPECT_EQ(sim.stop(row.signal), 0) << row.how;
        EXPECT_FALSE(std::filesystem::is_symlink(folder.entry(7))) << row.how;
    }
}

TEST(SimProgram, RefusesToRunWithoutAPortsFolder) {
    pid_t child = fork();
    if (child == 0) {
        unsetenv("COMLINK_PORTS");
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDERR_FILENO);
        dup2(quiet, STDOUT_FILENO);
        std::string program = e2e::sim_program();
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

} // namespace
