// The COM map on disk: a folder of entries "comN", each a link to a serial device.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tools::ports {

// $COMLINK_PORTS when set, else ~/.config/comlink/ports; empty when neither can be named.
std::filesystem::path map_folder();

struct MapEntry {
    int com_number;
    std::filesystem::path entry;
    std::string target; // what the link names; empty for a device node placed there directly
};

// The entries of the folder, by COM number; an absent folder has none.
std::vector<MapEntry> read_map(const std::filesystem::path& folder);

// Points COM`com_number` at `device`, replacing any earlier entry; creates the folder.
// Returns an empty string, or what went wrong.
std::string map_port(const std::filesystem::path& folder, int com_number,
                     const std::string& device);
// Removes the entry; an error text when there was none.
std::string unmap_port(const std::filesystem::path& folder, int com_number);

// The COM number of "5", "COM5" or "com5", or 0.
int parse_port_number(const std::string& text);

} // namespace tools::ports
