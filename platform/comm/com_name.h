// COM names and where each COM number lives on this machine.
#pragma once

#include <string>
#include <string_view>

namespace platform::comm {

// The 1-based number of "\\.\COMn" or "COMn" (any letter case), or 0 for any other name.
int parse_com_name(std::string_view name);

// The path COMn opens, looked up when called (the environment is read here, at open time):
// the entry "comN" in $COMLINK_PORTS, else in ~/.config/comlink/ports/, else /dev/ttyS<n-1>.
// An entry counts when it exists, even as a dangling link.
std::string resolve_com_path(int com_number);

} // namespace platform::comm
