#pragma once
// Dates, month names and colours of the calendar as the window shows them,
// in the system's language.

#include <QColor>
#include <QDate>
#include <QString>
#include <QStringList>

#include "input/grid.h"
#include "state/calendar_state.h"
#include "state/date.h"

namespace tovel {

inline QColor InkColour(Ink ink) {
    const Rgb rgb = InkRgb(ink);
    return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

inline QDate ToQDate(Date d) { return QDate(d.Year(), d.Month(), d.Day()); }

// The first letter upper case, the rest lower case (CapitalizeDates = 1).
QString Capitalized(const QString& text);

// The month of `d` standing on its own, without a day number: languages that
// inflect month names take the standalone form here. Capitalized on request.
QString StandaloneMonthName(Date d, bool capitalize);

// The seven weekday names of the capitalised header, Sunday first: the first
// three letters of each capitalised name, or the language's own abbreviations
// where the first three letters do not tell the days apart (in Hebrew every
// name begins with the word for "day").
QStringList HeaderDayNames();

// The four-digit year of `d`.
QString YearText(Date d);

// The selected day in words, as a screen reader says it. The Jewish view:
// "26 Kislev 5787, Sunday 6 December 2026", then the day's holiday text if it
// has one. The Gregorian view: "Sunday 6 December 2026, week 50".
QString SelectionText(const CalendarState& s);

}  // namespace tovel
