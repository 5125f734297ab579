// The system call wrappers of sys_call.h.
#include "platform/comm/sys_call.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace platform::sys {
namespace {

template <typename Call> Result checked(const char* name, Call call) {
    for (;;) {
        long value = call();
        if (value != -1)
            return Result{value, 0, name};
        if (errno != EINTR)
            return Result{-1, errno, name};
    }
}

} // namespace

Result open_device(const char* path, int flags) {
    return checked("open", [&] { return long(::open(path, flags)); });
}

Result close_descriptor(int fd) {
    // A close interrupted by a signal has released the descriptor already; never retry it.
    long value = ::close(fd);
    return value == 0 || errno == EINTR ? Result{0, 0, "close"} : Result{-1, errno, "close"};
}

Result read_some(int fd, void* buffer, std::size_t count) {
    return checked("read", [&] { return long(::read(fd, buffer, count)); });
}

Result write_some(int fd, const void* data, std::size_t count) {
    return checked("write", [&] { return long(::write(fd, data, count)); });
}

Result stat_path(const char* path, struct stat& info) {
    return checked("stat", [&] { return long(::stat(path, &info)); });
}

Result stat_descriptor(int fd, struct stat& info) {
    return checked("fstat", [&] { return long(::fstat(fd, &info)); });
}

Result lock_exclusive(int fd) {
    return checked("flock", [&] { return long(::flock(fd, LOCK_EX | LOCK_NB)); });
}

Result get_attributes(int fd, termios& attributes) {
    return checked("tcgetattr", [&] { return long(::tcgetattr(fd, &attributes)); });
}

Result set_attributes(int fd, const termios& attributes) {
    return checked("tcsetattr", [&] { return long(::tcsetattr(fd, TCSANOW, &attributes)); });
}

Result flush(int fd, int queue_selector) {
    return checked("tcflush", [&] { return long(::tcflush(fd, queue_selector)); });
}

Result flow(int fd, int action) {
    return checked("tcflow", [&] { return long(::tcflow(fd, action)); });
}

Result poll_now(int fd, short events) {
    pollfd watch{fd, events, 0};
    Result polled = checked("poll", [&] { return long(::poll(&watch, 1, 0)); });
    if (polled.ok())
        polled.value = watch.revents;
    return polled;
}

Result io_control(int fd, unsigned long request, void* argument, const char* name) {
    return checked(name, [&] { return long(::ioctl(fd, request, argument)); });
}

} // namespace platform::sys
