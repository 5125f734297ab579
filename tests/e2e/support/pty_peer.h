// A scripted probe inside the test: a thread on a pty master, mapped as a COM entry, that
// answers each command byte at once with what the test's responder returns.
#pragma once

#include "sim/line_shape.h"
#include "sim/pty_port.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

struct PeerReply {
    std::string bytes;
    bool hang_up_after = false; // close the pty once the bytes are written
};

struct ReceivedCommand {
    unsigned char command;
    std::optional<sim::LineShape> line; // settings at the moment the byte was read
};

class PtyPeer {
public:
    using Responder = std::function<PeerReply(unsigned char command)>;

    PtyPeer(const std::string& ports_dir, int com_number, Responder responder);
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    void set_responder(Responder responder);
    std::vector<ReceivedCommand> received() const;
    const std::string& slave_path() const { return m_slave_path; }

    // Closes the pty; the program's open port sees the line go away.
    void hang_up();
    // A new pty behind the same COM entry.
    void come_back();
    bool is_up() const;

private:
    void serve();

    sim::PtyPort m_pty;
    sim::ComEntry m_entry;
    std::string m_slave_path;
    Responder m_responder;
    std::vector<ReceivedCommand> m_received;
    mutable std::mutex m_mutex;
    std::atomic<bool> m_running{true};
    std::thread m_thread;
};

} // namespace e2e
