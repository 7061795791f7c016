#include "input/grid.h"

#include <chrono>
#include <cmath>

#include "state/twips.h"

namespace tovel {

namespace {
// The Gregorian number sits under the glyph; two-letter numerals (day 10 on)
// push it a little to the right.
constexpr int kNumberDown = 250;
constexpr int kNumberRightFromDay10 = 40;
// The marker's top sits this far above the cell's top before the user's correction.
constexpr int kMarkerRaise = 10;
// Clicks are measured from this point, not from GridLeft/GridTop.
constexpr int kClickOrigin = 180;
// Pointer positions beyond this are far outside any grid; it also keeps
// the rounding below defined.
constexpr float kFarAway = 1e6f;

Date FirstOfMonth(Date d) { return Date::FromYmd(d.Year(), static_cast<unsigned>(d.Month()), 1); }

int DaysInMonth(Date d) {
    const auto ymd = d.Ymd();
    const std::chrono::year_month_day_last last{ymd.year() / ymd.month() / std::chrono::last};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

// The top-left corner of the cell `index` places after the top-left cell
// (0 = Sunday of the first row), as the marker stands over it.
MarkerPlace MarkerAt(const CalendarState& s, int index, int addX, int addY) {
    const int row = index / kGridColumns;
    const int column = index % kGridColumns;
    return {column * s.CellWidth + s.GridLeft + addX,
            row * s.CellHeight + s.GridTop - kMarkerRaise + addY};
}
}  // namespace

std::vector<DayCell> MonthCells(const CalendarState& s) {
    std::vector<DayCell> cells;
    int c = s.FirstCell, r = 1;
    Date g = s.FirstDate;
    for (int d = 1; d <= s.MonthDays; ++d, ++c, g += 1) {
        if (c > kGridColumns) {
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

std::vector<GregCell> GregMonthCells(const CalendarState& s) {
    std::vector<GregCell> cells;
    const Date first = FirstOfMonth(s.GregDate);
    const int days = DaysInMonth(s.GregDate);
    int column = first.Weekday(), row = 1;
    for (int day = 1; day <= days; ++day, ++column) {
        if (column > kGridColumns) {
            column = 1;
            ++row;
        }
        cells.push_back({day, column, row, (column - 1) * s.CellWidth + s.GridLeft,
                         (row - 1) * s.CellHeight + s.GridTop, column == kSaturday,
                         ' ' + std::to_string(day)});
    }
    return cells;
}

int ColumnCentre(const CalendarState& s, int column) {
    return s.GridLeft + (column - 1) * s.CellWidth + kGlyphCellPixels * kTwipsPerPixel / 2;
}

MarkerPlace MarkerPosition(const CalendarState& s) {
    return MarkerAt(s, s.FirstCell + s.JewDay - 2, s.AddXJ, s.AddYJ);
}

MarkerPlace GregMarkerPosition(const CalendarState& s) {
    return MarkerAt(s, FirstOfMonth(s.GregDate).Weekday() + s.GregDay - 2, s.AddXG, s.AddYG);
}

std::optional<GridCell> CellAt(const CalendarState& s, float X, float Y) {
    if (!(std::fabs(X) < kFarAway && std::fabs(Y) < kFarAway)) return std::nullopt;  // NaN too
    if (s.CellWidth <= 0 || s.CellHeight <= 0) return std::nullopt;
    const int x = static_cast<int>(std::lround(X));
    const int y = static_cast<int>(std::lround(Y));
    if (x < 0 || y < 0) return std::nullopt;
    // Integer division truncates toward zero, so the margin maps to 0.
    const int column = (x - kClickOrigin) / s.CellWidth;
    const int row = (y - kClickOrigin) / s.CellHeight;
    if (column >= kGridColumns || row >= kGridRows) return std::nullopt;
    return GridCell{column, row};
}

std::optional<int> JewishDayAt(const CalendarState& s, float X, float Y) {
    const auto c = CellAt(s, X, Y);
    if (!c) return std::nullopt;
    const int cell = c->Row * kGridColumns + c->Column + 1;
    if (cell < s.FirstCell || cell >= s.FirstCell + s.MonthDays) return std::nullopt;
    return cell - s.FirstCell + 1;
}

std::optional<Date> GregDateAt(const CalendarState& s, float X, float Y) {
    const auto c = CellAt(s, X, Y);
    if (!c) return std::nullopt;
    const Date first = FirstOfMonth(s.GregDate);
    const int day = c->Row * kGridColumns + c->Column - first.Weekday() + 2;
    if (day < 1 || day > DaysInMonth(s.GregDate)) return std::nullopt;
    return first + (day - 1);
}

}  // namespace tovel
