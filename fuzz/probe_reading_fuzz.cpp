// Fuzzes the probe's reply handling. Input: records of six bytes, the two bytes of a binary
// reading and a little-endian count of waiting bytes. Every reading shows with "%.1f" between
// -198.3 and 262.3 and never as "-0.0"; no count keeps more than a reply buffer holds.
#include "fuzz_support.h"

#include "app/ProbeReading.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using fuzz::require;

void check_reading(BYTE low, BYTE high) {
    const double fahrenheit = FahrenheitFromReading(low, high);
    require(std::isfinite(fahrenheit), "a reading is a finite number");
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.1f", fahrenheit);
    require(std::strcmp(shown, "-0.0") != 0, "no reading shows as -0.0");
    const double value = std::strtod(shown, nullptr);
    require(value >= -198.3 - 1e-9 && value <= 262.3 + 1e-9, "readings lie in the probe's range");
}

void check_kept(int waiting) {
    const DWORD kept = ReplyBytesToKeep(waiting);
    require(kept <= PROBE_REPLY_MAX && kept < PROBE_REPLY_BUFFER, "a reply fits its buffer");
    require(waiting > 0 ? kept <= static_cast<DWORD>(waiting) : kept == 0,
            "no more bytes are kept than are waiting");
    require(waiting <= 0 || kept == static_cast<DWORD>(waiting) || kept == PROBE_REPLY_MAX,
            "a count that fits is kept whole");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader in(data, size);
    while (!in.empty()) {
        const BYTE low = in.byte();
        const BYTE high = in.byte();
        check_reading(low, high);
        check_kept(static_cast<int>(in.dword()));
    }
    return 0;
}
