#pragma once
// Where things stand on the month grid of both views, in twips inside the
// grid: the cells and their numbers, the selection marker, and the cell under
// a click. Pure functions of the calendar state; the window only draws what
// they say and hands them its clicks.

#include <optional>
#include <string>
#include <vector>

#include "state/calendar_state.h"
#include "state/date.h"

namespace tovel {

inline constexpr int kGridColumns = 7;  // Sunday .. Saturday
inline constexpr int kGridRows = 6;

enum class Ink { Black, Red, Green };  // weekday, Saturday, holiday

// An ink's colour, red, green and blue each 0..255. The window draws text in
// it and the glyph sheets (tools/make_glyphs) are drawn in it.
struct Rgb {
    int Red, Green, Blue;
};
constexpr Rgb InkRgb(Ink ink) {
    switch (ink) {
        case Ink::Red:
            return {200, 0, 150};
        case Ink::Green:
            return {0, 200, 50};
        case Ink::Black:
            break;
    }
    return {0, 0, 0};
}

// The glyph sheets hold the Jewish day numbers 1..kGlyphDays side by side, in
// square cells of kGlyphCellPixels at scale 1.
inline constexpr int kGlyphDays = 30;
inline constexpr int kGlyphCellPixels = 20;

// A day of the Jewish view.
struct DayCell {
    int Day;           // Jewish day, 1..MonthDays
    int Column;        // 1 = Sunday .. 7 = Saturday
    int Row;           // 1 = top
    int X, Y;          // top-left corner of the glyph, twips
    Ink Colour;        // of the glyph and the Gregorian number
    int GregDay;       // Gregorian day of the month
    int TextX, TextY;  // where the Gregorian number is printed
    std::string Text;  // the number as printed: a blank, then the digits
};

// The cells of the shown Jewish month from FirstDate, MonthDays and DayText,
// in day order. Empty when MonthDays is 0.
std::vector<DayCell> MonthCells(const CalendarState& s);

// A day of the Gregorian view.
struct GregCell {
    int Day;           // 1..31
    int Column;        // 1 = Sunday .. 7 = Saturday
    int Row;           // 1 = top .. 6
    int X, Y;          // text position, twips
    bool Saturday;     // drawn in the Saturday colour
    std::string Text;  // a blank, then the day number
};

// The days of the month of GregDate, in day order.
std::vector<GregCell> GregMonthCells(const CalendarState& s);

// The middle of column `column` (1 = Sunday .. 7) of glyphs, the weekday
// header's names stand centred over it.
int ColumnCentre(const CalendarState& s, int column);

struct MarkerPlace {
    int Left, Top;  // twips inside the grid
};

// The selection marker around JewDay, with the user's corrections AddXJ/AddYJ.
MarkerPlace MarkerPosition(const CalendarState& s);

// The marker over day GregDay of the month of GregDate, with AddXG/AddYG.
MarkerPlace GregMarkerPosition(const CalendarState& s);

// A cell of the grid, 0-based: column 0 = Sunday .. 6 = Saturday, row 0 .. 5.
struct GridCell {
    int Column;
    int Row;
};

// The cell under a click at (X, Y), twips inside the grid. The 180-twip strip
// left of and above the first cell counts as column 0 and row 0. Nothing right
// of the seventh column, below the sixth row, or at a negative position.
std::optional<GridCell> CellAt(const CalendarState& s, float X, float Y);

// The day (1..MonthDays) of the shown Jewish month under a click, from
// FirstCell and MonthDays; nothing for an empty cell or a click off the grid.
std::optional<int> JewishDayAt(const CalendarState& s, float X, float Y);

// The day of the shown Gregorian month (the month of GregDate) under a click;
// nothing for an empty cell or a click off the grid.
std::optional<Date> GregDateAt(const CalendarState& s, float X, float Y);

}  // namespace tovel
