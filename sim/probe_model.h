// What the simulated probe answers: its settings, its faults and the replies they produce.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

inline constexpr unsigned char kIdentifyCommand = 0x27;
inline constexpr unsigned char kBinaryCommand = 'B';
inline constexpr unsigned char kAsciiCommand = 'F';
inline constexpr unsigned kProbeBaud = 9600;

struct ProbeSettings {
    // Temperatures in degrees Celsius, answered in turn and cycled; never empty.
    std::vector<double> temperatures{23.5};
    std::string identity = "ZELT-SIM 1.0\r";
    // Fixed text reading; empty means one made from the temperature ("+23.5C\r").
    std::string ascii_text;
    bool silent = false;
    bool wrong_identify = false;
    unsigned identify_extra = 0;
    unsigned binary_extra = 0;
};

// The two bytes of a reading, low byte first: sixteenths of a degree as a 16-bit two's
// complement value, so bit 15 is the sign and the low 11 bits hold 2048 - magnitude below
// zero. The magnitude is rounded to the nearest sixteenth and held to 2047.
std::string encode_temperature(double celsius);

// The text reading of a temperature, "+23.5C\r".
std::string format_temperature(double celsius);

// Answers commands one at a time, moving through the temperature list.
class ProbeModel {
public:
    explicit ProbeModel(ProbeSettings settings);
    // The reply to one command byte; empty for an unknown command or a silent probe.
    std::string reply_to(unsigned char command);

private:
    double next_temperature();

    ProbeSettings m_settings;
    std::size_t m_next = 0;
};

// "27 'T' ..." style dump of bytes for the log.
std::string describe_bytes(const std::string& bytes);

} // namespace sim
