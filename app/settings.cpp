#include "app/settings.h"

#include <array>

#include "app/ini_file.h"
#include "app/settings_values.h"

namespace tovel {

namespace {
struct SettingKey {
    std::string_view Name;
    std::string_view Default;                      // as text, the way the file holds values
    double WindowPlace::*Position = nullptr;       // FormTop and FormLeft
    std::int16_t CalendarState::*Field = nullptr;  // the whole-number keys
    std::string CalendarState::*Text = nullptr;    // the text keys
};

using S = CalendarState;
// The keys in the order a save writes them.
constexpr std::array<SettingKey, 11> kKeys = {{
    {"FormTop", "300", &WindowPlace::Top, nullptr},
    {"FormLeft", "300", &WindowPlace::Left, nullptr},
    {"Gregorian", "0", nullptr, &S::GregView},
    {"AddXJ", "-100", nullptr, &S::AddXJ},
    {"AddYJ", "20", nullptr, &S::AddYJ},
    {"AddXG", "0", nullptr, &S::AddXG},
    {"AddYG", "0", nullptr, &S::AddYG},
    {"AddWeek", "0", nullptr, &S::AddWeek},
    {"CapitalizeDates", "0", nullptr, &S::CapitalizeDates},
    {"ActiveLocation", "0", nullptr, &S::ActiveLocation},
    {"ActiveLocationFile", "", nullptr, nullptr, &S::ActiveLocationFile},
}};

// `text` when a read gives it back unchanged, "" otherwise.
std::string SavableText(const std::string& text) {
    if (text.size() > kMaxSettingText || text.starts_with(' ') || text.ends_with(' ')) return "";
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return "";
    return text;
}
}  // namespace

WindowPlace ReadSettings(std::string_view content, CalendarState& s) {
    WindowPlace place;
    for (const SettingKey& key : kKeys) {
        const std::string defaultText(key.Default);
        if (key.Text) {
            s.*key.Text = GetProfileString(content, kProfileSection, std::string(key.Name),
                                           defaultText, kMaxSettingText + 1);
            continue;
        }
        const std::string value = ReturnIniValue(content, std::string(key.Name), defaultText);
        if (key.Position)
            place.*key.Position = ToSettingSingle(value);
        else
            s.*key.Field = ToSettingInt(value, ToSettingInt(defaultText, 0));
    }
    // 1 is the Gregorian view; any other value is the Jewish view, saved as 0.
    if (s.GregView != 1) s.GregView = 0;
    return place;
}

std::vector<std::pair<std::string, std::string>> SettingsToSave(const CalendarState& s,
                                                                WindowPlace place) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const SettingKey& key : kKeys) {
        if (key.Field == &S::GregView && s.PopupMode) continue;
        const std::string text = key.Text       ? SavableText(s.*key.Text)
                                 : key.Position ? WholeNumberText(place.*key.Position)
                                                : std::to_string(s.*key.Field);
        out.emplace_back(std::string(key.Name), text);
    }
    return out;
}

}  // namespace tovel
