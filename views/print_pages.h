#pragma once
// The printed calendar: the shown month as the window lays it out, or the
// whole Jewish year on one page, drawn at the printer's resolution (text as
// text, numerals from their outlines), fitted into the printable area.

#include <QByteArray>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

#include "engine/year_holidays.h"
#include "input/grid.h"
#include "state/calendar_state.h"

class QPainter;

namespace tovel {

class YearTable;

enum class PrintLayout { Month, JewishYear };

// A day's numeral as it was painted.
struct PaintedGlyph {
    int Day;  // Jewish day, 1..30
    Ink Colour;
    QRectF Cell;  // the numeral's square with its bar, in the painter's device coordinates
};

// Paints the numeral of `day` into the square `cell` as the glyph sheets lay
// it out: letters 11/20 of the square high on a baseline 15/20 down, the bar
// in the rows 16/20 to 18/20, across the square. Drawn from the font's
// outlines, sharp at any size.
void PaintNumeral(QPainter& p, int day, Ink ink, const QRectF& cell);

class CalendarPage {
public:
    // The page of `layout` for the window's state `s` in its view: the month
    // it shows, or the Jewish year it shows (in the Gregorian view the
    // Jewish year of the selected day). `dayNames` head the columns, Sunday
    // first. Problem() tells why there is no page when the table cannot
    // describe that year.
    CalendarPage(PrintLayout layout, const CalendarState& s, const YearTable& table,
                 QStringList dayNames);

    const QString& Problem() const { return problem_; }
    // "Kislev 5785", "December 2024" or "Jewish year 5785".
    QString Title() const;
    // Paints the page, as large as fits and centred across `area` (device
    // coordinates of `p`), and gives the numerals' places.
    std::vector<PaintedGlyph> Paint(QPainter& p, const QRectF& area) const;

private:
    // In twips, the small months' rows `row` high.
    QSizeF Size(double row) const;
    double HolidayListTop(double row) const;
    void PaintMonth(QPainter& p, std::vector<PaintedGlyph>& glyphs) const;
    void PaintYear(QPainter& p, std::vector<PaintedGlyph>& glyphs, double row) const;

    PrintLayout layout_;
    CalendarState s_;
    std::vector<CalendarState> months_;  // the Jewish year
    std::vector<HolidayOn> holidays_;    // of the month or the year
    QStringList dayNames_;
    int year_ = 0;
    QString problem_;
};

// The page as a PDF of one page of paper `size`, portrait, with margins of
// 15 mm. `glyphs`, when given, gets the numerals' squares in points from the
// page's top-left corner.
QByteArray PagePdf(const CalendarPage& page, QPageSize::PageSizeId size,
                   std::vector<PaintedGlyph>* glyphs = nullptr);

}  // namespace tovel
