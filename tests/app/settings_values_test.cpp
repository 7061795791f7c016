#include "app/settings_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using tovel::LeadingNumber;
using tovel::ToSettingInt;
using tovel::ToSettingSingle;

namespace {

TEST(SettingsValues, LeadingNumber) {
    struct Case {
        std::string text;
        double expected;
    };
    const std::vector<Case> cases = {
        {"", 0},          {"abc", 0},         {"12abc", 12},       {" -150 ", -150},
        {"2.5", 2.5},     {"1.2.3", 1.2},     {"-", 0},            {".", 0},
        {".5", 0.5},      {"-.5", -0.5},      {"+7", 7},           {"+.25x", 0.25},
        {"1e5", 1},       {"12.", 12},        {"  \t 42", 42},     {"--3", 0},
        {"+-3", 0},       {"- 3", 0},         {"3 4", 3},          {"0x1F", 0},
        {"007", 7},       {"-0", 0},          {"1,5", 1},          {"9.75 twips", 9.75},
        {"\n5", 0},       {"-32768", -32768}, {"1440.5", 1440.5},  {"123456789012", 123456789012.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\"");
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.expected);
    }
    // Far more digits than a double holds.
    EXPECT_EQ(LeadingNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("-" + std::string(400, '9') + ".5"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingNumber(std::string(300, '0') + "12.5"), 12.5);
}

TEST(SettingsValues, ToSettingIntRoundsHalvesToEven) {
    struct Case {
        std::string text;
        std::int16_t expected;
    };
    const std::vector<Case> cases = {
        {"2.5", 2},    {"3.5", 4},    {"-2.5", -2},   {"-3.5", -4},  {"0.5", 0},     {"1.5", 2},
        {"-0.5", 0},   {"-1.5", -2},  {"2.4999", 2},  {"2.5001", 3}, {"-2.5001", -3}, {"0.49", 0},
        {"12abc", 12}, {"abc", 0},    {" -150 ", -150}, {"1e5", 1},  {"", 0},        {"7.", 7},
        {"32767", 32767},     {"32767.4", 32767},   {"32766.5", 32766},
        {"-32768", -32768},   {"-32768.5", -32768}, {"-32767.5", -32768},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\"");
        EXPECT_EQ(ToSettingInt(c.text, 99), c.expected);
    }
}

TEST(SettingsValues, ToSettingIntOutOfRangeGivesTheFallback) {
    const std::vector<std::string> texts = {
        "32768", "32767.5", "-32769", "-32768.6", "-32769.5", "40000", "-99999", "1" + std::string(30, '0'),
        std::string(500, '9'), "-" + std::string(500, '9'),
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 40));
        EXPECT_EQ(ToSettingInt(text, 1234), 1234);
        EXPECT_EQ(ToSettingInt(text, -1), -1);
    }
}

TEST(SettingsValues, ToSettingIntSweep) {
    for (int n = -40000; n <= 40000; ++n) {
        const bool inRange = n >= -32768 && n <= 32767;
        const std::int16_t fallback = 777;
        const std::string whole = std::to_string(n);
        ASSERT_EQ(ToSettingInt(whole, fallback), inRange ? n : fallback) << whole;
        ASSERT_EQ(ToSettingInt(" " + whole + ".25;", fallback), inRange ? n : fallback) << whole;
        // n + 0.5 (written from the sign side) rounds to whichever of its two
        // neighbours is even.
        const int a = n;
        const int b = n >= 0 ? n + 1 : n - 1;
        const int even = (a % 2 == 0) ? a : b;
        const bool evenInRange = even >= -32768 && even <= 32767;
        const std::string half = (n < 0 ? "-" : "") + std::to_string(std::abs(n)) + ".5";
        ASSERT_EQ(ToSettingInt(half, fallback), evenInRange ? even : fallback) << half;
    }
}

TEST(SettingsValues, ToSettingSingleKeepsFloatPrecision) {
    struct Case {
        std::string text;
        double expected;
    };
    const std::vector<Case> cases = {
        {"1440", 1440.0},
        {"1440.7", static_cast<double>(1440.7f)},
        {"-15.1 twips", static_cast<double>(-15.1f)},
        {"0.1", static_cast<double>(0.1f)},
        {"16777217", 16777216.0},  // past float's whole-number precision
        {"abc", 0.0},
        {"1e5", 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ToSettingSingle(c.text), c.expected);
    }
    EXPECT_NE(ToSettingSingle("0.1"), 0.1);
    EXPECT_EQ(ToSettingSingle("1" + std::string(40, '0')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ToSettingSingle("-1" + std::string(40, '0')), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ToSettingSingle(std::string(500, '9')), std::numeric_limits<double>::infinity());
}

}  // namespace
