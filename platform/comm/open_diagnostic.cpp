// Formats and writes the open-failure line.
#include "platform/comm/open_diagnostic.h"

#include <cstdio>
#include <unistd.h>

namespace platform::comm {
namespace {

std::string shown_path(const std::string& path) {
    char target[4096];
    ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
    if (length <= 0)
        return path;
    return path + " -> " + std::string(target, static_cast<std::size_t>(length));
}

} // namespace

std::string open_failure_line(int com_number, const std::string& path, const std::string& reason) {
    return "COM" + std::to_string(com_number) + " (" + shown_path(path) + "): " + reason;
}

void report_open_failure(int com_number, const std::string& path, const std::string& reason) {
    std::string line = open_failure_line(com_number, path, reason) + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace platform::comm
