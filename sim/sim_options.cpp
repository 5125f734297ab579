// Parses zelt-sim's command line.
#include "sim/sim_options.h"

#include <charconv>
#include <cstdlib>

namespace sim {
namespace {

bool parse_unsigned(const std::string& text, unsigned& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool parse_double(const std::string& text, double& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size();
}

bool parse_script(const std::string& text, std::vector<double>& values) {
    values.clear();
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            comma = text.size();
        double value = 0;
        if (!parse_double(text.substr(start, comma - start), value))
            return false;
        values.push_back(value);
        start = comma + 1;
    }
    return !values.empty();
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string unescape(const std::string& text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            bytes.push_back(text[i]);
            continue;
        }
        char code = text[++i];
        switch (code) {
        case '0':
            bytes.push_back('\0');
            break;
        case 'r':
            bytes.push_back('\r');
            break;
        case 'n':
            bytes.push_back('\n');
            break;
        case 't':
            bytes.push_back('\t');
            break;
        case 'x':
            if (i + 2 < text.size() && hex_digit(text[i + 1]) >= 0 && hex_digit(text[i + 2]) >= 0) {
                bytes.push_back(
                    static_cast<char>(hex_digit(text[i + 1]) * 16 + hex_digit(text[i + 2])));
                i += 2;
            } else {
                bytes += "\\x";
            }
            break;
        default:
            bytes.push_back(code);
            break;
        }
    }
    return bytes;
}

std::string usage_text() {
    return "usage: zelt-sim [options]\n"
           "A simulated Korvex-Zelt probe on a pseudo-terminal, mapped as a COM port.\n"
           "  --com N             COM number of the entry (default 5)\n"
           "  --ports-dir DIR     folder of COM entries (default: $COMLINK_PORTS)\n"
           "  --temp C            temperature in degrees Celsius (default 23.5)\n"
           "  --script C,C,...    temperatures answered in turn, cycled\n"
           "  --ascii TEXT        fixed text reading (escapes \\0 \\r \\n \\xHH)\n"
           "  --identity TEXT     text after the 'T' of the identify reply\n"
           "  --delay MS          pause before each reply\n"
           "  --no-pace           send replies at once, not at the 9600-baud line time\n"
           "  --split N:MS        send each reply in N pieces, MS apart\n"
           "  --silent            answer nothing\n"
           "  --wrong-id          answer the identify command with 't'\n"
           "  --id-extra N        N more bytes after the identify reply\n"
           "  --binary-extra N    N more bytes after each binary reading\n"
           "  --hangup-after N    hang up halfway through the reply to the Nth command\n"
           "  --return-after MS   after hanging up, come back on the same entry MS later\n"
           "  --log FILE          append what is received and sent to FILE\n"
           "  --watch-stdin       exit when standard input ends\n"
           "  -v, --verbose       print what is received and sent, and the line settings\n"
           "Replies are sent only while the line runs at 9600 baud; at any other rate\n"
           "commands are logged and ignored.\n";
}

ParseResult parse_options(const std::vector<std::string>& arguments,
                          const char* environment_ports) {
    ParseResult result;
    SimOptions& options = result.options;
    std::string ports_dir;
    auto fail = [&](std::string message) {
        result.error = std::move(message);
        return result;
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= arguments.size())
                return false;
            out = arguments[++i];
            return true;
        };
        std::string text;
        unsigned number = 0;
        if (name == "-h" || name == "--help") {
            result.help = true;
        } else if (name == "-v" || name == "--verbose") {
            options.verbose = true;
        } else if (name == "--no-pace") {
            options.pace = false;
        } else if (name == "--silent") {
            options.probe.silent = true;
        } else if (name == "--wrong-id") {
            options.probe.wrong_identify = true;
        } else if (name == "--watch-stdin") {
            options.watch_stdin = true;
        } else if (!value(text)) {
            return fail(name.rfind("-", 0) == 0 ? name + " needs a value or is unknown"
                                                : "unexpected argument " + name);
        } else if (name == "--ports-dir") {
            ports_dir = text;
        } else if (name == "--log") {
            options.log_path = text;
        } else if (name == "--ascii") {
            options.probe.ascii_text = unescape(text);
        } else if (name == "--identity") {
            options.probe.identity = unescape(text);
        } else if (name == "--temp" || name == "--script") {
            if (!parse_script(text, options.probe.temperatures) ||
                (name == "--temp" && options.probe.temperatures.size() != 1))
                return fail("bad temperature: " + text);
        } else if (name == "--split") {
            std::size_t colon = text.find(':');
            unsigned pieces = 0;
            if (colon == std::string::npos || !parse_unsigned(text.substr(0, colon), pieces) ||
                pieces == 0 || !parse_unsigned(text.substr(colon + 1), options.split_gap_ms))
                return fail("bad --split, want PIECES:MS: " + text);
            options.split_pieces = pieces;
        } else if (!parse_unsigned(text, number)) {
            return fail("bad number for " + name + ": " + text);
        } else if (name == "--com") {
            if (number < 1 || number > 256)
                return fail("COM number out of range: " + text);
            options.com_number = static_cast<int>(number);
        } else if (name == "--delay") {
            options.delay_ms = number;
        } else if (name == "--id-extra") {
            options.probe.identify_extra = number;
        } else if (name == "--binary-extra") {
            options.probe.binary_extra = number;
        } else if (name == "--hangup-after") {
            options.hangup_after = number;
        } else if (name == "--return-after") {
            options.return_after_ms = static_cast<int>(number);
        } else {
            return fail("unknown option " + name);
        }
    }
    if (result.help)
        return result;
    if (ports_dir.empty() && environment_ports != nullptr)
        ports_dir = environment_ports;
    if (ports_dir.empty())
        return fail("COMLINK_PORTS is not set; give --ports-dir DIR or set COMLINK_PORTS "
                    "to a folder for the COM entry");
    options.ports_dir = ports_dir;
    return result;
}

} // namespace sim
