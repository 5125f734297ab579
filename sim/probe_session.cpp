// The simulated probe's event loop: one thread, poll on the pty, a signal descriptor and
// (when watched) standard input.
#include "sim/probe_session.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/signalfd.h>
#include <thread>
#include <unistd.h>

namespace sim {

namespace {

// One byte at 9600 baud with a start bit, eight data bits and a stop bit.
constexpr auto kByteTime = std::chrono::nanoseconds(10'000'000'000LL / kProbeBaud);
// How often line settings are looked at for the log while nothing else happens.
constexpr int kLineWatchMs = 2;

} // namespace

SimLog::SimLog(bool to_stderr, const std::string& path) : m_to_stderr(to_stderr) {
    if (!path.empty()) {
        m_file = std::fopen(path.c_str(), "a");
        m_path_ok = m_file != nullptr;
    }
}

SimLog::~SimLog() {
    if (m_file != nullptr)
        std::fclose(m_file);
}

void SimLog::line(const std::string& text) {
    if (m_to_stderr)
        std::fprintf(stderr, "zelt-sim: %s\n", text.c_str());
    if (m_file != nullptr) {
        std::fprintf(m_file, "%s\n", text.c_str());
        std::fflush(m_file);
    }
}

ProbeSession::ProbeSession(const SimOptions& options, SimLog& log)
    : m_options(options), m_log(log), m_model(options.probe),
      m_entry(options.ports_dir, options.com_number) {}

std::string ProbeSession::bring_up() {
    std::string error = m_pty.open();
    if (error.empty())
        error = m_entry.point_to(m_pty.slave_path());
    if (!error.empty())
        return error;
    m_last_shape.reset();
    m_log.line("ready COM" + std::to_string(m_options.com_number) + " " + m_entry.path() + " -> " +
               m_pty.slave_path());
    return {};
}

int ProbeSession::run() {
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    sigaddset(&stop_signals, SIGHUP);
    sigprocmask(SIG_BLOCK, &stop_signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    m_signal_fd = signalfd(-1, &stop_signals, SFD_CLOEXEC | SFD_NONBLOCK);

    std::string error = bring_up();
    if (!error.empty()) {
        std::fprintf(stderr, "zelt-sim: %s\n", error.c_str());
        m_entry.remove();
        return 1;
    }
    std::printf("zelt-sim: probe on COM%d (%s)\n", m_options.com_number,
                m_pty.slave_path().c_str());
    std::fflush(stdout);

    while (!m_stop) {
        pollfd fds[3] = {{m_pty.master_fd(), POLLIN, 0},
                         {m_signal_fd, POLLIN, 0},
                         {m_options.watch_stdin ? STDIN_FILENO : -1, POLLIN, 0}};
        int timeout = m_log.enabled() ? kLineWatchMs : -1;
        if (poll(fds, 3, timeout) < 0 && errno != EINTR)
            break;
        if (fds[1].revents != 0)
            break;
        if (fds[2].revents != 0) {
            char discard[256];
            if (read(STDIN_FILENO, discard, sizeof discard) <= 0)
                break;
        }
        if (m_log.enabled())
            note_line_changes();
        if ((fds[0].revents & POLLIN) == 0)
            continue;
        unsigned char commands[64];
        ssize_t count = read(m_pty.master_fd(), commands, sizeof commands);
        for (ssize_t i = 0; i < count && !m_stop && m_pty.is_open(); ++i)
            handle_command(commands[i]);
    }

    m_pty.close();
    m_entry.remove();
    if (m_signal_fd >= 0)
        close(m_signal_fd);
    m_log.line("stopped");
    return 0;
}

void ProbeSession::note_line_changes() {
    auto shape = read_line_shape(m_pty.master_fd());
    if (shape && shape != m_last_shape)
        m_log.line("line " + shape->text());
    m_last_shape = shape;
}

void ProbeSession::handle_command(unsigned char command) {
    auto arrived = std::chrono::steady_clock::now();
    ++m_commands;
    auto shape = read_line_shape(m_pty.master_fd());
    std::string line_text = shape ? shape->text() : "unknown";
    m_log.line("rx " + describe_bytes(std::string(1, static_cast<char>(command))) + " at " +
               line_text);
    m_last_shape = shape;

    // A real probe hears only noise at other rates; it stays quiet.
    if (!shape || shape->baud != kProbeBaud) {
        m_log.line("ignored: line at " + line_text + ", probe listens at 9600");
        return;
    }
    std::string reply = m_model.reply_to(command);
    if (reply.empty())
        return;

    auto at = arrived + std::chrono::milliseconds(m_options.delay_ms);
    // The command byte itself takes one byte time on a real line.
    if (m_options.pace)
        at += kByteTime;

    if (m_options.hangup_after != 0 && m_commands == m_options.hangup_after) {
        send_reply(reply.substr(0, reply.size() / 2), at);
        if (!hang_up())
            m_stop = true;
        return;
    }
    send_reply(reply, at);
}

void ProbeSession::send_reply(const std::string& reply, TimePoint at) {
    std::size_t pieces = std::min<std::size_t>(m_options.split_pieces, reply.size());
    if (pieces == 0)
        pieces = 1;
    std::size_t start = 0;
    for (std::size_t piece = 0; piece < pieces && !m_stop; ++piece) {
        std::size_t end = reply.size() * (piece + 1) / pieces;
        if (piece > 0)
            at += std::chrono::milliseconds(m_options.split_gap_ms);
        if (m_options.pace) {
            // Each byte leaves when its last bit would have reached the other end.
            for (std::size_t i = start; i < end && !m_stop; ++i) {
                at += kByteTime;
                if (!wait_until(at) || !write_all(&reply[i], 1))
                    return;
            }
        } else if (!wait_until(at) || !write_all(reply.data() + start, end - start)) {
            return;
        }
        start = end;
    }
    m_log.line("tx " + describe_bytes(reply));
}

bool ProbeSession::write_all(const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = write(m_pty.master_fd(), data, size);
        if (written < 0 && errno == EAGAIN) {
            pollfd out{m_pty.master_fd(), POLLOUT, 0};
            poll(&out, 1, 100);
            continue;
        }
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool ProbeSession::wait_until(TimePoint when) {
    while (!m_stop) {
        auto now = std::chrono::steady_clock::now();
        if (now >= when)
            return true;
        auto left = std::chrono::duration_cast<std::chrono::microseconds>(when - now);
        // Short waits sleep precisely; long ones keep an ear on the stop signals.
        if (left < std::chrono::milliseconds(20)) {
            std::this_thread::sleep_until(when);
            return true;
        }
        pollfd stop{m_signal_fd, POLLIN, 0};
        if (poll(&stop, 1, 10) > 0)
            m_stop = true;
    }
    return false;
}

bool ProbeSession::hang_up() {
    // The kernel hands written bytes to the other side a little later; closing at once could
    // throw the last of them away.
    wait_until(std::chrono::steady_clock::now() + std::chrono::milliseconds(20));
    m_log.line("hang up");
    m_pty.close();
    if (m_options.return_after_ms < 0)
        return false;
    auto back =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(m_options.return_after_ms);
    if (!wait_until(back))
        return false;
    std::string error = bring_up();
    if (!error.empty()) {
        std::fprintf(stderr, "zelt-sim: %s\n", error.c_str());
        return false;
    }
    return true;
}

} // namespace sim
