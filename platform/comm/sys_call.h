// Each system call the tty driver makes, wrapped once: the result, errno and the call's name.
// EINTR is retried inside; nothing here allocates or logs.
#pragma once

#include <cstddef>

struct termios;
struct stat;

namespace platform::sys {

struct Result {
    long value = 0;
    int error = 0;         // errno, 0 on success
    const char* call = ""; // e.g. "ioctl(TIOCMGET)"
    bool ok() const { return error == 0; }
};

Result open_device(const char* path, int flags);
Result close_descriptor(int fd);
Result read_some(int fd, void* buffer, std::size_t count);
Result write_some(int fd, const void* data, std::size_t count);
Result stat_path(const char* path, struct stat& info);
Result stat_descriptor(int fd, struct stat& info);
Result lock_exclusive(int fd);
Result get_attributes(int fd, termios& attributes);
Result set_attributes(int fd, const termios& attributes);
Result flush(int fd, int queue_selector);
Result flow(int fd, int action);
// poll() on one descriptor without waiting; value is the revents seen.
Result poll_now(int fd, short events);
// `name` is a string literal naming the request, e.g. "ioctl(FIONREAD)".
Result io_control(int fd, unsigned long request, void* argument, const char* name);

} // namespace platform::sys
