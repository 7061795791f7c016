#pragma once
// The Gregorian month view: where its day numbers and marker go, its week
// number, and its month, year and arrow moves. The view covers the years 1 to
// 9999; a move that would leave them gives nothing and the view stays.

#include <optional>
#include <string>
#include <vector>

#include "state/calendar_state.h"
#include "state/date.h"
#include "views/month_layout.h"

namespace tovel {

inline constexpr int kFirstGregYear = 1;
inline constexpr int kLastGregYear = 9999;

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

// The marker over day GregDay of the month of GregDate, with AddXG/AddYG.
MarkerPlace GregMarkerPosition(const CalendarState& s);

// Week number of GregDate, Sunday to Saturday weeks, the week holding
// 1 January being week 1, plus AddWeek. A result of exactly 0 is counted again
// from 1 January of the year before, so that week continues that year's count.
int WeekNumber(Date GregDate, int AddWeek);

// The week label: "Week  " and the week number of GregDate with AddWeek.
std::string WeekLabel(const CalendarState& s);

struct GregMove {
    Date GregDate;
    int GregDay;  // GregDay as the move left it: lowered when the month is too short
};

// "<" / ">" (months = -1 / +1) and "<<" / ">>" (months = -12 / +12): day
// GregDay of the month `months` away from GregDate's. While that day does not
// exist and GregDay is above 25, GregDay is lowered by one. Nothing outside
// the years 1..9999 or when no day is found.
std::optional<GregMove> GregMonthMoveTarget(const CalendarState& s, int months);

// An arrow key: GregDate + days, nothing outside the years 1..9999.
std::optional<Date> GregStepTarget(const CalendarState& s, int days);

}  // namespace tovel
