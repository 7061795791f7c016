// The month grids of both views, clicks on them, and the moves of the buttons and keys.
#include <map>

#include <gtest/gtest.h>

#include "app/calendar_lines.h"
#include "engine/holidays.h"
#include "engine/jewish_date.h"
#include "input/grid.h"
#include "input/navigation.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

// Texts the window tests do not reach: spans over a year's end, odd days.
TEST(MonthLayoutTest, TextsOfTheView) {
    CalendarState s = SetUpFor(Ymd(1999, 9, 11));
    EXPECT_EQ(GregorianSpan("December", "2026", "January", "2027"), "December 2026 / January 2027");
    EXPECT_EQ(GregorianSpan("December", "2026", "December", "2027"), "December 2026 2027");
    for (const int day : {1, 0, 43}) {
        s.JewDay = static_cast<std::int16_t>(day);
        EXPECT_EQ(SelectedDayText(s), day == 1 ? "Rosh Hashanah" : "") << day;
    }
}

// Hand-worked weeks and cells. 2000 starts on a Saturday and ends on the Sunday of its week 54;
// 2015 starts and ends on a Thursday (53 weeks). With AddWeek -1 the week of 1 January keeps its
// number from the year before; at -2 it becomes week -1.
TEST(GregorianLayoutTest, WeeksAndPlaces) {
    // clang-format off
    const struct { Date day; int addWeek, week, x, y; } cases[] = {
        {Ymd(2002, 1, 1), -1, 52, 1550, 150}, {Ymd(2002, 1, 6), -1, 1, 250, 600},
        {Ymd(2006, 1, 1), -1, 53, 250, 150},  {Ymd(2002, 1, 6), -2, 52, 250, 600},
        {Ymd(2000, 1, 1), -1, 52, 4150, 150}, {Ymd(2000, 1, 31), 0, 6, 900, 2400},
        {Ymd(2000, 12, 31), 0, 54, 250, 2400}, {Ymd(2015, 12, 31), 0, 53, 2850, 1950},
        {Ymd(2015, 2, 28), 0, 9, 4150, 1500}, {Ymd(2026, 12, 5), 0, 49, 4150, 150},
    };  // clang-format on
    CalendarState s;
    for (const auto& c : cases) {
        s.GregDate = c.day;
        const GregCell cell = GregMonthCells(s).at(c.day.Day() - 1u);
        EXPECT_EQ(std::tuple(WeekNumber(c.day, c.addWeek), cell.X, cell.Y),
                  std::tuple(c.week, c.x, c.y))
            << c.day.Serial();
    }
    s.GregDate = Ymd(2002, 1, 1);
    s.AddWeek = -2;
    EXPECT_EQ(WeekLabel(s), "Week  -1");
}

TEST(GregorianLayoutTest, Moves) {
    // clang-format off
    const struct { const char* name; Date from; int gregDay, months; Date to; int day; } cases[] = {
        {"> from 31 January", Ymd(2001, 1, 31), 31, 1, Ymd(2001, 2, 28), 28},
        {"> into a leap February", Ymd(2004, 1, 31), 31, 1, Ymd(2004, 2, 29), 29},
        {"GregDay is carried, not the day", Ymd(2004, 2, 29), 31, 1, Ymd(2004, 3, 31), 31},
        {"<< from 29 February", Ymd(2004, 2, 29), 29, -12, Ymd(2003, 2, 28), 28},
        {"> into 9999", Ymd(9998, 12, 31), 31, 1, Ymd(9999, 1, 31), 31},
        {"> past 9999", Ymd(9999, 12, 1), 1, 1, {}, 0},
        {">> beyond 9999", Ymd(9999, 1, 1), 1, 12, {}, 0},
        {"< before year 1", Ymd(1, 1, 31), 31, -1, {}, 0},
        {"<< into year 1", Ymd(2, 1, 1), 1, -12, Ymd(1, 1, 1), 1},
        // clang-format on
    };
    CalendarState s;
    for (const auto& c : cases) {
        s.GregDate = c.from;
        s.GregDay = static_cast<std::int16_t>(c.gregDay);
        const auto move = GregMonthMoveTarget(s, c.months);
        EXPECT_EQ(move ? std::pair(move->GregDate, move->GregDay) : std::pair(Date(), 0),
                  std::pair(c.to, c.day))
            << c.name;
    }
    s.GregDate = Ymd(9999, 12, 31);
    EXPECT_EQ(GregStepTarget(s, 1), std::nullopt);
    EXPECT_EQ(GregStepTarget(s, -7), Ymd(9999, 12, 24));
    s.GregDate = Ymd(1, 1, 3);
    EXPECT_EQ(GregStepTarget(s, -7), std::nullopt);
}

// Every day of 1802..2791. The week counted day by day: 1 on 1 January, one more each Sunday; with
// AddWeek -1 it is 1 on the Sunday of 2..8 January.
TEST(GregorianLayoutTest, EveryMonthLayoutAndWeek) {
    CalendarState s;
    s.AddXG = 7;
    s.AddYG = -3;
    int week = 0, weekLess = 52;  // 1801 has 53 weeks
    for (Date first = Ymd(1802, 1, 1); first.Year() < 2792;
         first += static_cast<int>(GregMonthCells(s).size())) {
        s.GregDate = first;
        const auto cells = GregMonthCells(s);
        int row = 1;
        ASSERT_EQ((first + static_cast<int>(cells.size()) - 28).Month(), first.Month());
        ASSERT_EQ((first + static_cast<int>(cells.size())).Day(), 1) << first.Serial();
        for (const GregCell& cell : cells) {
            const Date d = first + (cell.Day - 1);
            SCOPED_TRACE(d.Serial());
            row += d.Day() > 1 && d.Weekday() == kSunday;
            ASSERT_EQ(
                std::tie(cell.Column, cell.Row, cell.Saturday, cell.Text),
                std::tuple(d.Weekday(), row, d.Weekday() == 7, " " + std::to_string(d.Day())));
            ASSERT_EQ(GregDateAt(s, cell.X + 100.f, cell.Y + 100.f), d);
            s.GregDay = static_cast<std::int16_t>(cell.Day);
            const MarkerPlace m = GregMarkerPosition(s);
            ASSERT_EQ(std::pair(m.Left - cell.X, m.Top - cell.Y), std::pair(7, -13));
            const bool sunday = d.Weekday() == kSunday, january = d.Month() == 1;
            week = january && d.Day() == 1 ? 1 : week + sunday;
            if (sunday) weekLess = january && d.Day() > 1 && d.Day() <= 8 ? 1 : weekLess + 1;
            ASSERT_EQ(WeekNumber(d, 0), week);
            ASSERT_EQ(WeekNumber(d, -1), weekLess);
        }
    }
}

// Column c covers X 180 + 650c .. 180 + 650c + 649, row r Y 180 + 450r .. 180 + 450r + 449.
TEST(NavigationTest, ClickOnTheGrid) {
    // clang-format off
    const struct { const char* name; short first, days; float x, y; int day; } cases[] = {
        {"829.4 rounds to column 0", 1, 30, 829.4f, 100, 1},
        {"829.5 rounds to column 1", 1, 30, 829.5f, 100, 2},
        {"end of column 6, row 0", 1, 30, 4729, 629, 7},
        {"right of column 7", 1, 30, 4730, 100, 0},
        {"left of the picture", 1, 30, -20, 100, 0},
        {"last twip of row 5", 7, 30, 100, 2879, 30},
        {"below row 6", 7, 30, 100, 2880, 0},
        {"empty cell before day 1", 4, 29, 2129, 100, 0},
        {"empty cell after day 30", 7, 30, 830, 2879, 0},
    };  // clang-format on
    CalendarState s;
    for (const auto& c : cases) {
        s.MonthDays = c.days;
        s.FirstCell = c.first;
        EXPECT_EQ(JewishDayAt(s, c.x, c.y).value_or(0), c.day) << c.name;
    }
    // Empty cells after Saturday 28 February 2015 and before Saturday 1 April 2000.
    s.GregDate = Ymd(2015, 2, 1);
    EXPECT_EQ(GregDateAt(s, 100, 2000), std::nullopt);
    s.GregDate = Ymd(2000, 4, 9);
    EXPECT_EQ(GregDateAt(s, 4000, 100), std::nullopt);
}

// Which Adar a year move reaches, and a day cut to the month; the sweep below covers the rest.
TEST(NavigationTest, YearMovesAndYearSources) {
    const YearTable& table = test::ShippedYearTable();
    // clang-format off
    const struct { const char* name; Date from; int years; Date to; } cases[] = {
        {"Purim of a common year to 14 Adar II", Ymd(1999, 3, 2), 1, Ymd(2000, 3, 21)},
        {"14 Adar II to the single Adar", Ymd(2000, 3, 21), 1, Ymd(2001, 3, 9)},
        {"14 Adar I into a common year", Ymd(2003, 2, 16), -1, Ymd(2002, 2, 26)},
        {"14 Adar I into a leap year", Ymd(2003, 2, 16), -3, Ymd(2000, 2, 20)},
        {"30 Adar I cut to 29 Adar", Ymd(2000, 3, 7), 1, Ymd(2001, 3, 24)},
    };  // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(YearMoveTarget(SetUpFor(c.from), c.years, table), c.to) << c.name;
    // A missing table, a missing year or an impossible year length give no move.
    test::TempFolder folder;
    const YearTable good = ReadYearTable(
        folder.Write("good", "5760 11-Sep-1999\r\n5761 30-Sep-2000\r\n5762 18-Sep-2001\r\n"));
    const CalendarState tishri = SetUpFor(Ymd(1999, 10, 1));  // 21 Tishri 5760
    EXPECT_EQ(YearMoveTarget(tishri, 1, good), Ymd(2000, 10, 20));
    EXPECT_EQ(YearMoveTarget(tishri, 2, good), std::nullopt);
    EXPECT_EQ(YearMoveTarget(tishri, 1, ReadYearTable(folder.Path() + "/missing")), std::nullopt);
    const auto odd = YearTable::FromText("5761 30-Sep-2000\n5762 21-Sep-2001");
    EXPECT_EQ(YearMoveTarget(tishri, 1, odd), std::nullopt);
}

// Every month of Elul 5562..Elul 6550, set up in turn on one state from its first day: its last
// day, the next month from the next weekday, the months making up their year, which ends with Elul,
// each holiday once a year (Rosh Hashanah twice); its cells, numbers, colours, the marker on
// day 13. Then from every day of 5563..6549: "<" and ">" keep the day, cut to the month, and the
// opposite move comes back; ">>" by every step keeps month (an Adar for an Adar) and day, cut, and
// "<<" comes back unless the day or Adar I was lost.
TEST(EveryMonthTest, SetUpLaidOutAndMoved) {
    const YearTable& table = test::ShippedYearTable();
    std::map<Date, CalendarState> months;  // by first day
    CalendarState s = SetUpFor(Ymd(1802, 9, 26)), prev;
    s.SelDate = s.FirstDate;
    ASSERT_TRUE(FindGDate(s, {}));
    int days = 0, count = 0;
    std::map<std::string, int> holidays;
    const auto endOfYear = [&] {
        EXPECT_EQ(prev.JewMonthNo, 12);
        EXPECT_EQ(days, YearTypeLength(prev.YearType));
        EXPECT_EQ(count, IsLeapYearType(prev.YearType) ? 13 : 12);
        for (const HolidayRow& row : HolidayTable())
            EXPECT_EQ(holidays[std::string(row.Text)], row.Text == "Rosh Hashanah" ? 2 : 1);
    };
    while (s.JewYear <= 6550) {
        SCOPED_TRACE(testing::Message() << s.JewYear << s.JewMonthName);
        ASSERT_TRUE(s.MonthDays == 29 || s.MonthDays == 30) << s.MonthDays;  // not loop for ever
        ASSERT_EQ(std::tie(s.JewDay, s.FirstDate), std::tuple(1, s.SelDate));
        if (!months.empty()) {
            ASSERT_EQ(s.FirstCell, (prev.FirstCell + prev.MonthDays - 1) % 7 + 1);
            ASSERT_NE(s.JewMonthNo, prev.JewMonthNo);
        }
        if (!months.empty() && s.JewYear != prev.JewYear) {
            ASSERT_EQ(std::tie(s.JewYear, s.JewMonthNo, s.YearStart, s.NextYearStart),
                      std::tuple(prev.JewYear + 1, 1, prev.NextYearStart, prev.YearAfterStart));
            if (prev.JewYear > 5562) endOfYear();  // not Elul 5562 alone
            holidays.clear();
            days = count = 0;
        }
        CalendarState last = s;
        last.SelDate = s.NextMonthDate - 1;
        ASSERT_TRUE(FindGDate(last, {}));
        ASSERT_EQ(std::tie(last.JewDay, last.JewMonthNo, last.FirstCell),
                  std::tie(s.MonthDays, s.JewMonthNo, s.FirstCell));
        const auto cells = MonthCells(s);
        ASSERT_EQ(static_cast<int>(cells.size()), s.MonthDays);
        for (int row = 1; const DayCell& cell : cells) {
            const Date g = s.FirstDate + cell.Day - 1;
            row += cell.Day > 1 && g.Weekday() == kSunday;
            const Ink ink = !s.DayText[cell.Day].empty() ? Ink::Green
                            : g.Weekday() == kSaturday   ? Ink::Red
                                                         : Ink::Black;
            ASSERT_EQ(std::tie(cell.Column, cell.Row, cell.Text, cell.Colour),
                      std::tuple(g.Weekday(), row, " " + std::to_string(g.Day()), ink));
        }
        CalendarState on13 = s;
        on13.JewDay = 13;
        on13.AddXJ = 7;
        on13.AddYJ = -3;
        const MarkerPlace marker = MarkerPosition(on13);
        ASSERT_EQ(std::pair(marker.Left - cells[12].X, marker.Top - cells[12].Y),
                  std::pair(7, -13));
        for (const std::string& text : s.DayText) holidays[text] += !text.empty();
        days += s.MonthDays;
        ++count;
        months[s.FirstDate] = prev = s;
        s.SelDate = s.NextMonthDate;
        ASSERT_TRUE(FindGDate(s, {}));
    }
    endOfYear();
    EXPECT_EQ(prev.JewYear, 6550);
    const auto adar = [](int m) { return m == 13 ? 6 : m; };  // Adar I and II alike
    for (auto it = std::next(months.begin()); it->second.JewYear <= 6549; ++it) {
        CalendarState s = it->second, next = std::next(it)->second, prev = std::prev(it)->second;
        SCOPED_TRACE(testing::Message() << s.JewYear << s.JewMonthName);
        for (int d = 1; d <= s.MonthDays; ++d) {
            s.JewDay = static_cast<std::int16_t>(d);
            for (CalendarState* n : {&next, &prev}) {
                n->JewDay = static_cast<std::int16_t>(std::min<int>(d, n->MonthDays));
                const int dir = n == &next ? 1 : -1;
                ASSERT_EQ(MonthMoveTarget(s, dir), n->FirstDate + (n->JewDay - 1)) << d;
                if (d != n->JewDay) continue;
                ASSERT_EQ(MonthMoveTarget(*n, -dir), s.FirstDate + (d - 1));
            }
        }
        for (const int step : {1, 2, 5, 10, 20, 50}) {
            if (s.JewYear + step > 6550) break;
            SCOPED_TRACE(step);
            s.JewDay = 1;
            CalendarState t = months.at(YearMoveTarget(s, step, table).value());
            ASSERT_EQ(t.JewYear, s.JewYear + step);
            ASSERT_EQ(adar(t.JewMonthNo), adar(s.JewMonthNo));
            const bool adarILost = s.JewMonthNo == 6 && s.YearType >= 4 && t.YearType < 4;
            for (int d = 1; d <= s.MonthDays; ++d) {
                s.JewDay = static_cast<std::int16_t>(d);
                t.JewDay = static_cast<std::int16_t>(std::min<int>(d, t.MonthDays));
                ASSERT_EQ(YearMoveTarget(s, step, table), t.FirstDate + (t.JewDay - 1)) << d;
                if (d != t.JewDay || adarILost) continue;
                ASSERT_EQ(YearMoveTarget(t, -step, table), s.FirstDate + (d - 1)) << d;
            }
        }
    }
}

}  // namespace
}  // namespace tovel
