#include <cstdio>
#include <filesystem>
#include <string>

#include "engine/date.h"
#include "engine/format_date.h"
#include "engine/month_setup.h"

int main(int, char** argv) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::canonical(fs::path(argv[0])).parent_path();
    tovel::CalendarState s;
    s.RHDatesFile = (folder / "RHDates.Tvl").string();
    s.SelDate = tovel::Today();
    s.GregDate = s.SelDate;
    auto say = [](const std::string& m) { std::printf("message: %s\n", m.c_str()); };
    if (!tovel::FindGDate(s, say)) {
        std::printf("%s not usable\n", s.RHDatesFile.c_str());
        return 1;
    }
    std::printf("Today %s is%s%d, day %d of %d\n", tovel::FormatDate(s.SelDate).c_str(),
                s.JewMonthName.c_str(), s.JewYear, s.JewDay, s.MonthDays);
    for (int d = 1; d <= s.MonthDays; ++d)
        if (!s.DayText[d].empty()) std::printf("  %2d %s\n", d, s.DayText[d].c_str());
    return 0;
}
