// Display reachability: a connect to the X or Wayland socket, nothing more.
#include "ui/qt/display_probe.h"

#include <QDir>
#include <QLibraryInfo>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace ui::qt {

namespace {

constexpr int k_x_tcp_base = 6000;
constexpr int k_connect_timeout_ms = 2000;

std::optional<std::string> env(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::string(value);
}

bool connect_unix(const std::string& path, bool abstract) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;
    if (path.size() + offset >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path + offset, path.data(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const auto length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
    ::close(fd);
    return connected;
}

bool connect_tcp(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return false;
    bool connected = false;
    for (addrinfo* a = found; a != nullptr && !connected; a = a->ai_next) {
        const int fd =
            ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
        if (fd < 0)
            continue;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) {
            connected = true;
        } else if (errno == EINPROGRESS) {
            // A remote display that does not answer must not hold up the start.
            pollfd waiting{fd, POLLOUT, 0};
            int error = 0;
            socklen_t size = sizeof error;
            connected = ::poll(&waiting, 1, k_connect_timeout_ms) == 1 &&
                        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
        }
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return connected;
}

bool x_display_reachable(const std::string& display) {
    const auto address = parse_x_display(display);
    if (!address)
        return false;
    if (!address->unix_path.empty())
        return connect_unix(address->unix_path, false) || connect_unix(address->unix_path, true);
    return connect_tcp(address->host, address->port);
}

bool wayland_reachable(const DisplayEnvironment& e) {
    if (!e.wayland_display || !e.wayland_plugin)
        return false;
    if (!e.wayland_display->empty() && e.wayland_display->front() == '/')
        return connect_unix(*e.wayland_display, false);
    return e.runtime_dir && connect_unix(*e.runtime_dir + "/" + *e.wayland_display, false);
}

} // namespace

std::optional<XDisplayAddress> parse_x_display(const std::string& display) {
    const auto colon = display.rfind(':');
    if (colon == std::string::npos || colon + 1 >= display.size())
        return std::nullopt;
    std::string host = display.substr(0, colon);
    const std::string rest = display.substr(colon + 1);
    char* end = nullptr;
    const long number = std::strtol(rest.c_str(), &end, 10);
    if (end == rest.c_str() || (*end != '\0' && *end != '.') || number < 0 || number > 63535)
        return std::nullopt;
    XDisplayAddress address;
    if (host.empty() || host == "unix") {
        address.unix_path = "/tmp/.X11-unix/X" + std::to_string(number);
        return address;
    }
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    address.host = host;
    address.port = k_x_tcp_base + static_cast<int>(number);
    return address;
}

DisplayEnvironment read_display_environment() {
    DisplayEnvironment e{env("QT_QPA_PLATFORM"), env("DISPLAY"), env("WAYLAND_DISPLAY"),
                         env("XDG_RUNTIME_DIR"), false};
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/platforms"));
    e.wayland_plugin =
        !platforms.entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty();
    return e;
}

bool display_reachable(const DisplayEnvironment& e) {
    // offscreen, vnc, eglfs, linuxfb... start without a display server.
    if (e.platform && e.platform->find("xcb") == std::string::npos &&
        e.platform->find("wayland") == std::string::npos)
        return true;
    return (e.display && x_display_reachable(*e.display)) || wayland_reachable(e);
}

} // namespace ui::qt
