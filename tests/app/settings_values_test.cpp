#include "app/settings_values.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

using tovel::LeadingNumber;
using tovel::ToSettingInt;
using tovel::ToSettingSingle;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(SettingsValues, LeadingNumber) {
    const std::vector<std::pair<std::string, double>> cases = {
        {"", 0},      {"abc", 0},     {"12abc", 12},  {" \t-150 ", -150}, {"1.2.3", 1.2}, {"-", 0},
        {".", 0},     {"-.5", -0.5},  {"+7", 7},      {"1e5", 1},         {"--3", 0},     {"0x1F", 0},
        {"1,5", 1},   {"\n5", 0},     {"9.75 twips", 9.75},
    };
    for (const auto& [text, expected] : cases) EXPECT_DOUBLE_EQ(LeadingNumber(text), expected) << text;
    EXPECT_EQ(LeadingNumber(std::string(400, '9')), kInf);
    EXPECT_EQ(LeadingNumber("-" + std::string(400, '9') + ".5"), -kInf);
}

TEST(SettingsValues, ToSettingInt) {
    const std::vector<std::pair<std::string, int>> cases = {  // 1234 is the fallback
        {" -150 ", -150}, {"2.5", 2},          {"3.5", 4},          {"-2.5", -2},       {"-3.5", -4},
        {"0.5", 0},       {"2.5001", 3},       {"12abc", 12},       {"abc", 0},         {"99999", 1234},
        {"32767", 32767}, {"32767.4", 32767},  {"32767.5", 1234},   {"32768", 1234},    {"-32768", -32768},
        {"-32768.5", -32768}, {"-32768.6", 1234}, {"-32769", 1234}, {std::string(500, '9'), 1234},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ToSettingInt(text, 1234), expected) << text.substr(0, 40);
}

}  // namespace
