// zelt-sim: a simulated Korvex-Zelt probe on a pseudo-terminal.
#include "sim/probe_session.h"
#include "sim/sim_options.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    sim::ParseResult parsed = sim::parse_options(arguments, std::getenv("COMLINK_PORTS"));
    if (parsed.help) {
        std::fputs(sim::usage_text().c_str(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "zelt-sim: %s\n%s", parsed.error.c_str(), sim::usage_text().c_str());
        return 2;
    }
    sim::SimLog log(parsed.options.verbose, parsed.options.log_path);
    if (!log.opened_ok()) {
        std::fprintf(stderr, "zelt-sim: cannot open log file %s\n",
                     parsed.options.log_path.c_str());
        return 2;
    }
    sim::ProbeSession session(parsed.options, log);
    return session.run();
}
