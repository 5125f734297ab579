// The one line on standard error when a COM port cannot be opened.
#pragma once

#include <string>

namespace platform::comm {

// "COM5 (/dev/ttyUSB0): Permission denied: add your user to the dialout group". A path that is
// a symbolic link is shown with its target.
std::string open_failure_line(int com_number, const std::string& path, const std::string& reason);
void report_open_failure(int com_number, const std::string& path, const std::string& reason);

} // namespace platform::comm
