#include "views/month_layout.h"

#include "engine/text.h"

namespace tovel {

namespace {
// The Gregorian number sits under the glyph; two-letter numerals (day 10 on)
// push it a little to the right.
constexpr int kNumberDown = 250;
constexpr int kNumberRightFromDay10 = 40;
// The marker's top sits this far above the cell's top before the user's correction.
constexpr int kMarkerRaise = 10;
}  // namespace

std::vector<DayCell> MonthCells(const CalendarState& s) {
    std::vector<DayCell> cells;
    int c = s.FirstCell, r = 1;
    Date g = s.FirstDate;
    for (int d = 1; d <= s.MonthDays; ++d, ++c, g += 1) {
        if (c > 7) {
            c = 1;
            ++r;
        }
        DayCell cell;
        cell.Day = d;
        cell.Column = c;
        cell.Row = r;
        cell.X = (c - 1) * s.CellWidth + s.GridLeft;
        cell.Y = (r - 1) * s.CellHeight + s.GridTop;
        const bool holiday = d < static_cast<int>(s.DayText.size()) && !s.DayText[d].empty();
        cell.Colour = holiday ? Ink::Green : c == kSaturday ? Ink::Red : Ink::Black;
        cell.GregDay = g.Day();
        // The shift follows the Jewish day, not the width of the Gregorian number.
        cell.TextX = d >= 10 ? cell.X + kNumberRightFromDay10 : cell.X;
        cell.TextY = cell.Y + kNumberDown;
        cell.Text = ' ' + std::to_string(cell.GregDay);
        cells.push_back(std::move(cell));
    }
    return cells;
}

MarkerPlace MarkerPosition(const CalendarState& s) {
    const int i = s.FirstCell + s.JewDay - 2;
    const int row = i / 7;
    const int column = i - 7 * row;
    return {column * s.CellWidth + s.GridLeft + s.AddXJ,
            row * s.CellHeight + s.GridTop - kMarkerRaise + s.AddYJ};
}

std::string TitleLine(const CalendarState& s) {
    return s.JewMonthName + " " + std::to_string(s.JewYear);
}

std::string SelectedJewishDate(const CalendarState& s) {
    return std::to_string(s.JewDay) + " " + std::string(TrimBlanks(s.JewMonthName)) + " " +
           std::to_string(s.JewYear);
}

std::string StatusLineWithSunset(std::string_view holiday, std::string_view location,
                                 std::string_view time) {
    std::string out;
    if (holiday.empty())
        out = "Sun sets in ";
    else
        out.append(holiday).append(" - sun sets in ");
    out.append(location).append(" at ").append(time);
    return out;
}

std::string StatusLine1(std::string_view holiday, const std::optional<SunsetTime>& sunset) {
    return sunset ? StatusLineWithSunset(holiday, sunset->Location, sunset->Time)
                  : std::string(holiday);
}

std::string_view StatusLine2(int GregView) { return GregView == 0 ? kReminder : ""; }

std::string GregorianSpan(std::string_view m1, std::string_view y1, std::string_view m2,
                          std::string_view y2) {
    std::string out(m1);
    if (y1 == y2) {
        if (m1 != m2) out.append(" / ").append(m2);
        out.append(" ").append(y1);
    } else if (m1 == m2) {
        out.append(" ").append(y1).append(" ").append(y2);
    } else {
        out.append(" ").append(y1).append(" / ").append(m2).append(" ").append(y2);
    }
    return out;
}

std::string WeekdayHeader(const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i)
        out.append(names[i]).append(i % 2 == 0 ? "     " : "    ");
    return out;
}

}  // namespace tovel
