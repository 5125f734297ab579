// The in-test probe peer.
#include "pty_peer.h"

#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace e2e {

PtyPeer::PtyPeer(const std::string& ports_dir, int com_number, Responder responder)
    : m_entry(ports_dir, com_number), m_responder(std::move(responder)) {
    come_back();
    m_thread = std::thread([this] { serve(); });
}

PtyPeer::~PtyPeer() {
    m_running = false;
    m_thread.join();
}

void PtyPeer::set_responder(Responder responder) {
    std::lock_guard lock(m_mutex);
    m_responder = std::move(responder);
}

std::vector<ReceivedCommand> PtyPeer::received() const {
    std::lock_guard lock(m_mutex);
    return m_received;
}

void PtyPeer::hang_up() {
    std::lock_guard lock(m_mutex);
    m_pty.close();
}

void PtyPeer::come_back() {
    std::lock_guard lock(m_mutex);
    std::string error = m_pty.open();
    if (error.empty())
        error = m_entry.point_to(m_pty.slave_path());
    if (!error.empty())
        throw std::runtime_error("pty peer: " + error);
    m_slave_path = m_pty.slave_path();
}

bool PtyPeer::is_up() const {
    std::lock_guard lock(m_mutex);
    return m_pty.is_open();
}

void PtyPeer::serve() {
    while (m_running) {
        std::unique_lock lock(m_mutex);
        if (!m_pty.is_open()) {
            lock.unlock();
            usleep(1000);
            continue;
        }
        pollfd input{m_pty.master_fd(), POLLIN, 0};
        // A short poll keeps hang_up() waiting little.
        if (poll(&input, 1, 1) <= 0 || (input.revents & POLLIN) == 0)
            continue;
        unsigned char commands[64];
        ssize_t count = read(m_pty.master_fd(), commands, sizeof commands);
        for (ssize_t i = 0; i < count && m_pty.is_open(); ++i) {
            m_received.push_back({commands[i], sim::read_line_shape(m_pty.master_fd())});
            PeerReply reply = m_responder ? m_responder(commands[i]) : PeerReply{};
            std::size_t written = 0;
            while (written < reply.bytes.size()) {
                ssize_t n = write(m_pty.master_fd(), reply.bytes.data() + written,
                                  reply.bytes.size() - written);
                if (n <= 0)
                    break;
                written += static_cast<std::size_t>(n);
            }
            if (reply.hang_up_after) {
                // Lets the kernel hand the written bytes over before the line goes.
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                m_pty.close();
            }
        }
    }
}

} // namespace e2e
