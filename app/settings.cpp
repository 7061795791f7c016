#include "app/settings.h"

#include <array>
#include <cmath>
#include <filesystem>

#include "app/ini_file.h"
#include "app/settings_values.h"

namespace tovel {

namespace {
using S = CalendarState;
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

std::span<const SettingKey> SettingKeys() { return kKeys; }

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
                                 : key.Position ? std::to_string(std::llround(place.*key.Position))
                                                : std::to_string(s.*key.Field);
        out.emplace_back(std::string(key.Name), text);
    }
    return out;
}

void RemoveStaleSaveFiles(const std::string& iniPath) {
    namespace fs = std::filesystem;
    const fs::path ini(iniPath);
    const std::string prefix = "." + ini.filename().string() + ".";
    auto digits = [](std::string_view s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    std::error_code ec;
    for (fs::directory_iterator it(ini.parent_path(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with(".tmp")) continue;
        const std::string_view middle =
            std::string_view(name).substr(prefix.size(), name.size() - prefix.size() - 4);
        const auto dot = middle.find('.');
        if (dot == std::string_view::npos || !digits(middle.substr(0, dot)) ||
            !digits(middle.substr(dot + 1)) || !it->is_regular_file(ec))
            continue;
        fs::remove(it->path(), ec);
    }
}

}  // namespace tovel
