// Command-line options of zelt-sim.
#pragma once

#include "sim/probe_model.h"

#include <string>
#include <vector>

namespace sim {

struct SimOptions {
    int com_number = 5;
    std::string ports_dir; // from --ports-dir, else COMLINK_PORTS
    ProbeSettings probe;
    unsigned delay_ms = 0;
    bool pace = true;          // bytes leave at the 9600-baud line time
    unsigned split_pieces = 1; // each reply in this many pieces...
    unsigned split_gap_ms = 0; // ...this far apart
    unsigned hangup_after = 0; // hang up halfway through the reply to this command (1-based)
    int return_after_ms = -1;  // after hanging up, come back this much later; -1: exit
    bool verbose = false;
    std::string log_path;
    bool watch_stdin = false; // exit when standard input ends
};

struct ParseResult {
    SimOptions options;
    std::string error; // empty when the command line was good
    bool help = false;
};

// environment_ports is the value of COMLINK_PORTS, or null when it is unset.
ParseResult parse_options(const std::vector<std::string>& arguments, const char* environment_ports);

std::string usage_text();

// C-style escapes in a command-line text: \0 \r \n \t \\ \xHH.
std::string unescape(const std::string& text);

} // namespace sim
