// Parsing "\\.\COMn" and resolving COM numbers through the port folders.
#include "platform/comm/com_name.h"

#include <cstdlib>
#include <sys/stat.h>

namespace platform::comm {
namespace {

constexpr std::string_view k_device_prefix = "\\\\.\\";
constexpr int k_max_com_number = 9999;

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

bool entry_exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::string entry_in(const char* folder, int com_number) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + "com" + std::to_string(com_number);
}

} // namespace

int parse_com_name(std::string_view name) {
    if (name.substr(0, k_device_prefix.size()) == k_device_prefix)
        name.remove_prefix(k_device_prefix.size());
    if (name.size() < 4 || !equal_ignoring_case(name.substr(0, 3), "com"))
        return 0;
    std::string_view digits = name.substr(3);
    if (digits.front() == '0' || digits.size() > 4)
        return 0;
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        number = number * 10 + (c - '0');
    }
    return number <= k_max_com_number ? number : 0;
}

std::string resolve_com_path(int com_number) {
    const char* ports = std::getenv("COMLINK_PORTS");
    if (ports != nullptr && *ports != '\0') {
        std::string path = entry_in(ports, com_number);
        if (entry_exists(path))
            return path;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        std::string folder = std::string(home) + "/.config/comlink/ports";
        std::string path = entry_in(folder.c_str(), com_number);
        if (entry_exists(path))
            return path;
    }
    return "/dev/ttyS" + std::to_string(com_number - 1);
}

} // namespace platform::comm
