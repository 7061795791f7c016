#include "engine/jewish_date.h"

#include <array>

namespace tovel {

namespace {
constexpr std::array<std::string_view, 14> kNames = {
    "",        " Tishri ", " Heshvan ", " Kislev ", " Tevet ", " Shevat ", " Adar I ",
    " Nisan ", " Iyyar ",  " Sivan ",   " Tamuz ",  " Av ",    " Elul ",   " Adar II "};
constexpr std::array<int, 12> kCommonOrder = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
constexpr std::array<int, 13> kLeapOrder = {1, 2, 3, 4, 5, 6, 13, 7, 8, 9, 10, 11, 12};
}  // namespace

std::string_view JewishMonthName(int monthNo) {
    return monthNo >= 1 && monthNo <= 13 ? kNames[static_cast<std::size_t>(monthNo)] : "";
}

std::string HebrewNumeral(int day) {
    // Alef .. tet, then yod, kaf, lamed: two bytes each in UTF-8, D7 90 .. D7 9C.
    static constexpr unsigned char kUnits[] = {0x90, 0x91, 0x92, 0x93, 0x94,
                                               0x95, 0x96, 0x97, 0x98};
    static constexpr unsigned char kTens[] = {0x99, 0x9B, 0x9C};
    if (day < 1 || day > 30) return "";
    int tens = day / 10, units = day % 10;
    std::string out;
    auto letter = [&out](unsigned char second) {
        out += static_cast<char>(0xD7);
        out += static_cast<char>(second);
    };
    if (day == 15 || day == 16) {  // 9 + 6 and 9 + 7, never yod-he or yod-vav
        tens = 0;
        units = day - 9;
        letter(kUnits[8]);
    }
    if (tens > 0) letter(kTens[tens - 1]);
    if (units > 0) letter(kUnits[units - 1]);
    return out;
}

int JewishMonthLength(int monthNo, int yearType) {
    switch (monthNo) {
        case 2:
            return yearType == 3 || yearType == 6 ? 30 : 29;
        case 3:
            return yearType == 1 || yearType == 4 ? 29 : 30;
        case 6:
            return IsLeapYearType(yearType) && yearType <= 6 ? 30 : 29;
        case 1:
        case 5:
        case 7:
        case 9:
        case 11:
            return 30;
        case 4:
        case 8:
        case 10:
        case 12:
        case 13:
            return 29;
        default:
            return 0;
    }
}

std::span<const int> JewishMonthOrder(int yearType) {
    if (yearType >= 4 && yearType <= 6) return kLeapOrder;
    return kCommonOrder;
}

void FindJDate(CalendarState& s) {
    s.MonthDays = 0;
    int d = s.SelDate - s.YearStart + 1;
    if (d < 1) return;  // not in this year: leave the month as it was
    for (int month : JewishMonthOrder(s.YearType)) {
        const int n = JewishMonthLength(month, s.YearType);
        if (d <= n) {
            s.JewMonthNo = static_cast<std::int16_t>(month);
            s.JewDay = static_cast<std::int16_t>(d);
            s.MonthDays = static_cast<std::int16_t>(n);
            s.JewMonthName = std::string(JewishMonthName(month));
            return;
        }
        d -= n;
    }
}

}  // namespace tovel
