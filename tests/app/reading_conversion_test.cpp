// The binary reading's conversion to degrees Fahrenheit, against worked examples and an
// exact integer reference for every 16-bit value.
#include "app/ProbeReading.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string shown_text(BYTE low, BYTE high) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", FahrenheitFromReading(low, high));
    return text;
}

// 32 + 1.8 * celsius to the nearest tenth, halves toward 32, in integers only:
// tenths = 320 +- 9m/8 for magnitude m in sixteenths.
std::string reference_text(unsigned raw) {
    const bool negative = (raw & 0x8000u) != 0;
    const unsigned magnitude = negative ? (0x800u - (raw & 0x7FFu)) & 0x7FFu : raw & 0x7FFu;
    const long nine_m = 9L * magnitude;
    const long offset = (nine_m + 3) / 8; // rounds to nearest, exact halves (x.5) down
    const long tenths = negative ? 320 - offset : 320 + offset;
    const long whole = tenths < 0 ? -tenths : tenths;
    return std::string(tenths < 0 ? "-" : "") + std::to_string(whole / 10) + "." +
           std::to_string(whole % 10);
}

struct Example {
    BYTE low;
    BYTE high;
    const char* shown;
};

TEST(ReadingConversion, WorkedExamples) {
    const Example examples[] = {
        {0x90, 0x01, "77.0"},  {0xD0, 0x07, "257.0"}, {0x00, 0x00, "32.0"}, {0x08, 0x00, "32.9"},
        {0x04, 0x00, "32.4"},  {0xFF, 0x7F, "262.3"}, {0x5E, 0xFF, "13.8"}, {0xF4, 0xFF, "30.7"},
        {0x90, 0xFC, "-67.0"}, {0xFF, 0xFF, "31.9"},  {0x00, 0x80, "32.0"}, {0x00, 0x08, "32.0"},
    };
    for (const Example& example : examples) {
        SCOPED_TRACE(testing::Message()
                     << std::hex << "bytes 0x" << int(example.low) << " 0x" << int(example.high));
        EXPECT_EQ(shown_text(example.low, example.high), example.shown);
    }
}

TEST(ReadingConversion, EveryRawValueMatchesExactReference) {
    int mismatches = 0;
    for (unsigned raw = 0; raw <= 0xFFFF; ++raw) {
        const BYTE low = static_cast<BYTE>(raw & 0xFF);
        const BYTE high = static_cast<BYTE>(raw >> 8);
        const std::string expected = reference_text(raw);
        const std::string shown = shown_text(low, high);
        if (shown != expected && ++mismatches <= 10)
            ADD_FAILURE() << "raw 0x" << std::hex << raw << ": shown " << shown << ", exact "
                          << expected;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(ReadingConversion, NegativeZeroShowsAsFreezing) {
    // 0x8000 is "minus zero sixteenths"; the Celsius value is -0.0f but nothing shows a sign.
    EXPECT_EQ(CelsiusFromReading(0x00, 0x80), 0.0f);
    EXPECT_EQ(shown_text(0x00, 0x80), "32.0");
}

TEST(ReadingConversion, ReplyBytesToKeepNeverExceedsBuffer) {
    const struct {
        int waiting;
        DWORD kept;
    } cases[] = {{-3, 0}, {0, 0}, {1, 1}, {31, 31}, {32, 31}, {4096, 31}};
    for (const auto& row : cases)
        EXPECT_EQ(ReplyBytesToKeep(row.waiting), row.kept) << "waiting " << row.waiting;
}

} // namespace
