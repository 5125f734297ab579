// Reading and writing the COM map folder.
#include "comlink-ports/port_map.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace tools::ports {
namespace fs = std::filesystem;

namespace {

constexpr int k_max_com_number = 9999;

fs::path entry_path(const fs::path& folder, int com_number) {
    return folder / ("com" + std::to_string(com_number));
}

int number_of_entry(const std::string& name) {
    if (name.size() < 4 || name.compare(0, 3, "com") != 0)
        return 0;
    return parse_port_number(name.substr(3));
}

} // namespace

int parse_port_number(const std::string& text) {
    std::string digits = text;
    if (digits.size() > 3 && (digits.compare(0, 3, "COM") == 0 || digits.compare(0, 3, "com") == 0))
        digits = digits.substr(3);
    if (digits.empty() || digits.size() > 4 || digits.front() == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    int number = std::stoi(digits);
    return number <= k_max_com_number ? number : 0;
}

fs::path map_folder() {
    if (const char* ports = std::getenv("COMLINK_PORTS"); ports != nullptr && *ports != '\0')
        return ports;
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return fs::path(home) / ".config/comlink/ports";
    return {};
}

std::vector<MapEntry> read_map(const fs::path& folder) {
    std::vector<MapEntry> entries;
    std::error_code error;
    for (const fs::directory_entry& item : fs::directory_iterator(folder, error)) {
        int number = number_of_entry(item.path().filename().string());
        if (number == 0)
            continue;
        MapEntry entry{number, item.path(), {}};
        if (item.is_symlink(error))
            entry.target = fs::read_symlink(item.path(), error).string();
        entries.push_back(entry);
    }
    std::sort(entries.begin(), entries.end(),
              [](const MapEntry& a, const MapEntry& b) { return a.com_number < b.com_number; });
    return entries;
}

std::string map_port(const fs::path& folder, int com_number, const std::string& device) {
    if (com_number <= 0 || com_number > k_max_com_number)
        return "COM number must be 1 to " + std::to_string(k_max_com_number);
    if (device.empty())
        return "no device given";
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return "cannot create " + folder.string() + ": " + error.message();
    // Link under a temporary name, then rename over the old entry, so the map never lacks it.
    fs::path entry = entry_path(folder, com_number);
    fs::path staged = folder / (".com" + std::to_string(com_number) + ".new");
    fs::remove(staged, error);
    fs::create_symlink(device, staged, error);
    if (error)
        return "cannot write " + staged.string() + ": " + error.message();
    fs::rename(staged, entry, error);
    if (error) {
        std::error_code ignored;
        fs::remove(staged, ignored);
        return "cannot write " + entry.string() + ": " + error.message();
    }
    return {};
}

std::string unmap_port(const fs::path& folder, int com_number) {
    if (com_number <= 0 || com_number > k_max_com_number)
        return "COM number must be 1 to " + std::to_string(k_max_com_number);
    fs::path entry = entry_path(folder, com_number);
    std::error_code error;
    if (!fs::is_symlink(entry, error) && !fs::exists(entry, error))
        return "COM" + std::to_string(com_number) + " is not mapped in " + folder.string();
    if (fs::is_directory(fs::symlink_status(entry, error)))
        return entry.string() + " is a folder; not removed";
    fs::remove(entry, error);
    if (error)
        return "cannot remove " + entry.string() + ": " + error.message();
    return {};
}

} // namespace tools::ports
