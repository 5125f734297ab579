// The pseudo-terminal of the simulated probe and its COM entry.
#include "sim/pty_port.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

static std::string error_text(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

std::string PtyPort::open() {
    close();
    int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0)
        return error_text("posix_openpt");
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        std::string error = error_text("unlockpt");
        ::close(master);
        return error;
    }
    char name[128];
    if (ptsname_r(master, name, sizeof name) != 0) {
        std::string error = error_text("ptsname");
        ::close(master);
        return error;
    }
    int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        std::string error = error_text(name);
        ::close(master);
        return error;
    }
    // Raw from the start: no echo of the program's commands back into the probe.
    termios settings{};
    if (tcgetattr(slave, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(slave, TCSANOW, &settings);
    }
    int flags = fcntl(master, F_GETFL);
    fcntl(master, F_SETFL, flags | O_NONBLOCK);
    m_master = master;
    m_slave = slave;
    m_slave_path = name;
    return {};
}

void PtyPort::close() {
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = -1;
    m_master = -1;
    m_slave_path.clear();
}

ComEntry::ComEntry(std::string folder, int com_number)
    : m_folder(std::move(folder)), m_path(m_folder + "/com" + std::to_string(com_number)) {}

std::string ComEntry::point_to(const std::string& target) {
    if (mkdir(m_folder.c_str(), 0700) != 0 && errno != EEXIST)
        return error_text(m_folder.c_str());
    std::string temporary = m_path + ".new." + std::to_string(getpid());
    unlink(temporary.c_str());
    if (symlink(target.c_str(), temporary.c_str()) != 0)
        return error_text(temporary.c_str());
    if (rename(temporary.c_str(), m_path.c_str()) != 0) {
        std::string error = error_text(m_path.c_str());
        unlink(temporary.c_str());
        return error;
    }
    m_target = target;
    return {};
}

void ComEntry::remove() {
    if (m_target.empty())
        return;
    char current[512];
    ssize_t length = readlink(m_path.c_str(), current, sizeof current - 1);
    if (length >= 0) {
        current[length] = '\0';
        if (m_target == current)
            unlink(m_path.c_str());
    }
    m_target.clear();
}

} // namespace sim
