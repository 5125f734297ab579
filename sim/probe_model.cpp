// The simulated probe's replies.
#include "sim/probe_model.h"

#include <cmath>
#include <cstdio>

namespace sim {

std::string encode_temperature(double celsius) {
    long sixteenths = std::lround(celsius * 16.0);
    if (sixteenths > 2047)
        sixteenths = 2047;
    if (sixteenths < -2047)
        sixteenths = -2047;
    auto raw = static_cast<std::uint16_t>(sixteenths & 0xFFFF);
    std::string bytes;
    bytes.push_back(static_cast<char>(raw & 0xFF));
    bytes.push_back(static_cast<char>(raw >> 8));
    return bytes;
}

std::string format_temperature(double celsius) {
    char text[32];
    std::snprintf(text, sizeof text, "%+.1fC\r", celsius);
    return text;
}

ProbeModel::ProbeModel(ProbeSettings settings) : m_settings(std::move(settings)) {
    if (m_settings.temperatures.empty())
        m_settings.temperatures.push_back(23.5);
}

double ProbeModel::next_temperature() {
    double celsius = m_settings.temperatures[m_next];
    m_next = (m_next + 1) % m_settings.temperatures.size();
    return celsius;
}

// Filler for over-long replies: printable, so a shown text stays readable.
static std::string filler(unsigned count) {
    std::string bytes;
    for (unsigned i = 0; i < count; ++i)
        bytes.push_back(static_cast<char>('a' + i % 26));
    return bytes;
}

std::string ProbeModel::reply_to(unsigned char command) {
    if (m_settings.silent)
        return {};
    switch (command) {
    case kIdentifyCommand:
        return std::string(1, m_settings.wrong_identify ? 't' : 'T') + m_settings.identity +
               filler(m_settings.identify_extra);
    case kBinaryCommand:
        return encode_temperature(next_temperature()) + filler(m_settings.binary_extra);
    case kAsciiCommand:
        if (!m_settings.ascii_text.empty())
            return m_settings.ascii_text;
        return format_temperature(next_temperature());
    default:
        return {};
    }
}

std::string describe_bytes(const std::string& bytes) {
    std::string text;
    for (unsigned char byte : bytes) {
        char item[16];
        if (byte >= 0x21 && byte < 0x7F && byte != '\'')
            std::snprintf(item, sizeof item, "%02x'%c'", byte, byte);
        else
            std::snprintf(item, sizeof item, "%02x", byte);
        if (!text.empty())
            text.push_back(' ');
        text += item;
    }
    return text;
}

} // namespace sim
