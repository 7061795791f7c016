#include "views/print_pages.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <algorithm>
#include <array>
#include <cmath>

#include "app/calendar_lines.h"
#include "engine/jewish_date.h"
#include "engine/year_table.h"
#include "state/twips.h"
#include "views/calendar_text.h"

namespace tovel {

namespace {

// Every length of a page is in twips, as on the window; Paint scales them to the paper.
constexpr double kPoint = 20;  // twips

// The month page: the window's client area without its buttons and status
// lines, then the month's holidays.
constexpr double kMonthWidth = 5040;
constexpr double kGridLeft = 120, kGridTop = 1200, kGridWidth = 4816, kGridHeight = 3015;
constexpr double kHolidayLine = 270;

// The year page: four small months across, then the year's holidays in three columns.
constexpr double kYearWidth = 10800;
constexpr int kYearColumns = 4;
constexpr double kYearTitleHeight = 750;
constexpr double kMonthGap = 300;
constexpr double kSmallTitle = 240, kSmallSpan = 200, kSmallHeader = 190, kSmallRow = 360;
constexpr double kSmallGlyph = 230;
// A small month's rows grow up to this much taller where the paper has room.
constexpr double kMostRowGrowth = 1.6;
constexpr double SmallMonthHeight(double row) {
    return kSmallTitle + kSmallSpan + kSmallHeader + kGridRows * row;
}
constexpr int kListColumns = 3;
constexpr double kListLine = 230;

const QColor kHeaderColour(0, 128, 0);  // the weekday header's dark green
const QColor kFrameColour(128, 128, 128);

QColor InkOf(Ink ink) { return InkColour(ink); }

QFont Face(const char* family, double points, bool bold = false, bool italic = false) {
    QFont f(family);
    f.setPixelSize(static_cast<int>(std::lround(points * kPoint)));
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}
// The window's faces, by the names the window asks for.
QFont Sans(double points, bool bold = false) { return Face("MS Sans Serif", points, bold); }
QFont Serif(double points, bool italic = false) {
    return Face("Times New Roman", points, false, italic);
}

// The face the numerals are drawn in: the glyph sheets' own, or Liberation
// Sans Bold, whose Hebrew letters are of the same kind.
const QFont& NumeralFont() {
    static const QFont font = [] {
        const bool noto = QFontDatabase::families().contains("Noto Sans Hebrew");
        QFont f(noto ? "Noto Sans Hebrew" : "Liberation Sans");
        f.setPixelSize(1000);
        f.setBold(true);
        f.setHintingPreference(QFont::PreferNoHinting);
        f.setStyleStrategy(QFont::NoFontMerging);
        return f;
    }();
    return font;
}

// The outlines of a day's numeral at 1000 px, the letters placed right to
// left in visual order (the tens letter rightmost), baseline at y = 0.
const QPainterPath& NumeralPath(int day) {
    static const std::array<QPainterPath, kGlyphDays + 1> paths = [] {
        std::array<QPainterPath, kGlyphDays + 1> out;
        const QFontMetricsF metrics(NumeralFont());
        for (int d = 1; d <= kGlyphDays; ++d) {
            const QString logical = QString::fromStdString(HebrewNumeral(d));
            qreal x = 0;
            for (qsizetype i = logical.size() - 1; i >= 0; --i) {
                out[static_cast<std::size_t>(d)].addText(QPointF(x, 0), NumeralFont(),
                                                         QString(logical[i]));
                x += metrics.horizontalAdvance(logical[i]);
            }
        }
        return out;
    }();
    return paths[static_cast<std::size_t>(std::clamp(day, 0, kGlyphDays))];
}

// Text with its top-left corner at (x, y), as the window prints into its grid.
void PrintAt(QPainter& p, double x, double y, const QString& text) {
    p.drawText(QRectF(x, y, 100000, 100000), Qt::AlignLeft | Qt::AlignTop, text);
}

void Centred(QPainter& p, const QRectF& box, const QString& text) {
    p.drawText(box, Qt::AlignCenter | Qt::TextDontClip, text);
}

QString Text(const std::string& s) { return QString::fromStdString(s); }

// "Sun 15 Dec 2024" in the system's language.
QString ShortDate(Date d) { return QLocale().toString(ToQDate(d), "ddd d MMM yyyy"); }

// "Tishri 5785".
QString MonthTitle(const CalendarState& m) { return Text(TitleLine(m)).simplified(); }

QString SpanLine(const CalendarState& m) {
    const bool capitalize = m.CapitalizeDates == 1;
    return Text(GregorianSpan(StandaloneMonthName(m.FirstDate, capitalize).toStdString(),
                              YearText(m.FirstDate).toStdString(),
                              StandaloneMonthName(m.NextMonthDate, capitalize).toStdString(),
                              YearText(m.NextMonthDate).toStdString()));
}

// The largest face of `base`'s family, at most `base`'s size, in which every
// line of `lines` is at most `width` wide.
QFont Fitting(QFont base, const QStringList& lines, double width) {
    const QFontMetricsF metrics(base);
    double widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    if (widest > width)
        base.setPixelSize(std::max(1, static_cast<int>(base.pixelSize() * width / widest)));
    return base;
}

}  // namespace

void PaintNumeral(QPainter& p, int day, Ink ink, const QRectF& cell) {
    const QPainterPath& path = NumeralPath(day);
    const QRectF bounds = path.boundingRect();
    const double side = cell.width();
    // Scaled so that a flat-topped letter (he) is 11/20 of the square high.
    const double heHeight = -NumeralPath(5).boundingRect().top();
    const double scale = heHeight > 0 ? side * 11 / 20 / heHeight : 0;
    const double stretch = 0.85;  // narrowed, so that two letters fit a square
    const QColor colour = InkOf(ink);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.translate(cell.center().x() - bounds.center().x() * scale * stretch,
                cell.top() + side * 15 / 20);
    p.scale(scale * stretch, scale);
    p.drawPath(path);
    p.restore();
    p.fillRect(QRectF(cell.left(), cell.top() + side * 16 / 20, side, side * 2 / 20), colour);
}

CalendarPage::CalendarPage(PrintLayout layout, const CalendarState& s, const YearTable& table,
                           QStringList dayNames)
    : layout_(layout), s_(s), dayNames_(std::move(dayNames)) {
    const bool gregorian = s.GregView == 1;
    if (layout == PrintLayout::Month) {
        if (gregorian) {
            const Date first = Date::FromYmd(s.GregDate.Year(), s.GregDate.Month(), 1);
            const Date next = s.GregDate.Month() == 12
                                  ? Date::FromYmd(s.GregDate.Year() + 1, 1, 1)
                                  : Date::FromYmd(s.GregDate.Year(), s.GregDate.Month() + 1, 1);
            holidays_ = HolidaysBetween(table, first, next - 1);
        } else {
            holidays_ = HolidaysBetween(table, s.FirstDate, s.NextMonthDate - 1);
        }
        return;
    }
    const auto year = gregorian ? table.YearOf(s.GregDate) : std::optional<int>(s.JewYear);
    if (year) {
        year_ = *year;
        months_ = YearMonths(table, year_, s);
        holidays_ = YearHolidays(table, year_);
    }
    if (months_.empty())
        problem_ = QString("The year table %1 does not describe the Jewish year of %2")
                       .arg(Text(s.RHDatesFile),
                            QLocale().toString(ToQDate(gregorian ? s.GregDate : s.SelDate),
                                               QLocale::LongFormat));
}

QString CalendarPage::Title() const {
    if (layout_ == PrintLayout::JewishYear) return QString("Jewish year %1").arg(year_);
    if (s_.GregView == 1)
        return StandaloneMonthName(s_.GregDate, s_.CapitalizeDates == 1) + " " +
               YearText(s_.GregDate);
    return MonthTitle(s_);
}

double CalendarPage::HolidayListTop(double row) const {
    if (layout_ == PrintLayout::Month) return kGridTop + kGridHeight + 200;
    const auto rows = static_cast<double>((months_.size() + kYearColumns - 1) / kYearColumns);
    return kYearTitleHeight + rows * (SmallMonthHeight(row) + kMonthGap) + 50;
}

QSizeF CalendarPage::Size(double row) const {
    const auto n = static_cast<double>(holidays_.size());
    if (layout_ == PrintLayout::Month) return {kMonthWidth, HolidayListTop(row) + n * kHolidayLine};
    const double lines = std::ceil(n / kListColumns);
    return {kYearWidth, HolidayListTop(row) + kListLine * (1.5 + lines)};
}

std::vector<PaintedGlyph> CalendarPage::Paint(QPainter& p, const QRectF& area) const {
    std::vector<PaintedGlyph> glyphs;
    if (!problem_.isEmpty() || area.isEmpty()) return glyphs;
    // The year's rows take up the height the paper has beyond the page's width.
    double row = kSmallRow;
    if (layout_ == PrintLayout::JewishYear) {
        const double room = kYearWidth * area.height() / area.width() - Size(row).height();
        const auto rows = static_cast<double>((months_.size() + kYearColumns - 1) / kYearColumns);
        row = std::clamp(row + room / (rows * kGridRows), row, row * kMostRowGrowth);
    }
    const QSizeF size = Size(row);
    const double k = std::min(area.width() / size.width(), area.height() / size.height());
    p.save();
    p.translate(area.left() + (area.width() - size.width() * k) / 2, area.top());
    p.scale(k, k);
    if (layout_ == PrintLayout::Month)
        PaintMonth(p, glyphs);
    else
        PaintYear(p, glyphs, row);
    p.restore();
    return glyphs;
}

void CalendarPage::PaintMonth(QPainter& p, std::vector<PaintedGlyph>& glyphs) const {
    const bool gregorian = s_.GregView == 1;
    // The two title lines and the rule between them.
    QFont title = Sans(12, true);
    title.setUnderline(true);
    p.setFont(title);
    p.setPen(Qt::black);
    const QString line1 = gregorian ? StandaloneMonthName(s_.GregDate, s_.CapitalizeDates == 1) +
                                          "  " + YearText(s_.GregDate)
                                    : Text(TitleLine(s_));
    Centred(p, QRectF(240, 100, 4455, 255), line1);
    p.fillRect(QRectF(1360, 352, 2200, 15), Qt::black);
    p.setFont(Sans(9.75, true));
    Centred(p, QRectF(240, 395, 4455, 255), gregorian ? Text(WeekLabel(s_)) : SpanLine(s_));

    // The weekday header in its box, each name over its column.
    p.setPen(QPen(kFrameColour, 15));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(120, 720, 4815, 375));
    p.setPen(kHeaderColour);
    p.setFont(Fitting(Sans(9, true), dayNames_, 0.9 * (ColumnCentre(s_, 2) - ColumnCentre(s_, 1))));
    for (int c = 1; c <= kGridColumns && c <= dayNames_.size(); ++c)
        Centred(p, QRectF(kGridLeft + ColumnCentre(s_, c) - 300, 720, 600, 375), dayNames_[c - 1]);

    p.setPen(QPen(kFrameColour, 15));
    p.drawRect(QRectF(kGridLeft, kGridTop, kGridWidth, kGridHeight));
    if (gregorian) {
        std::vector<int> holidayDays;
        for (const HolidayOn& h : holidays_) holidayDays.push_back(h.Day.Day());
        p.setFont(Serif(16, true));
        for (const GregCell& cell : GregMonthCells(s_)) {
            const bool holiday = std::count(holidayDays.begin(), holidayDays.end(), cell.Day) > 0;
            p.setPen(InkOf(holiday ? Ink::Green : cell.Saturday ? Ink::Red : Ink::Black));
            PrintAt(p, kGridLeft + cell.X, kGridTop + cell.Y, Text(cell.Text));
        }
    } else {
        p.setFont(Serif(8, true));
        for (const DayCell& cell : MonthCells(s_)) {
            const QRectF square(kGridLeft + cell.X, kGridTop + cell.Y,
                                kGlyphCellPixels * kTwipsPerPixel,
                                kGlyphCellPixels * kTwipsPerPixel);
            PaintNumeral(p, cell.Day, cell.Colour, square);
            glyphs.push_back({cell.Day, cell.Colour, p.transform().mapRect(square)});
            p.setPen(InkOf(cell.Colour));
            PrintAt(p, kGridLeft + cell.TextX, kGridTop + cell.TextY, Text(cell.Text));
        }
    }

    // The month's holidays, each with its day.
    QStringList lines;
    for (const HolidayOn& h : holidays_)
        lines << ShortDate(h.Day) + ", " + Text(JewishDateText(h.JewDay, h.Month, h.JewYear)) +
                     ":  " + Text(h.Text);
    p.setFont(Fitting(Serif(9.75), lines, kMonthWidth - 2 * 240));
    p.setPen(Qt::black);
    double y = HolidayListTop(kSmallRow);
    for (const QString& line : lines) {
        PrintAt(p, 240, y, line);
        y += kHolidayLine;
    }
}

void CalendarPage::PaintYear(QPainter& p, std::vector<PaintedGlyph>& glyphs, double row) const {
    const bool capitalize = s_.CapitalizeDates == 1;
    const Date first = months_.front().FirstDate, last = months_.back().NextMonthDate - 1;
    p.setPen(Qt::black);
    p.setFont(Sans(16, true));
    Centred(p, QRectF(0, 0, kYearWidth, 420), Title());
    p.setFont(Sans(10));
    Centred(p, QRectF(0, 420, kYearWidth, 260),
            StandaloneMonthName(first, capitalize) + " " + YearText(first) + " \u2013 " +
                StandaloneMonthName(last, capitalize) + " " + YearText(last));

    const double monthWidth = (kYearWidth - (kYearColumns - 1) * kMonthGap) / kYearColumns;
    const double cellWidth = monthWidth / kGridColumns;
    for (std::size_t i = 0; i < months_.size(); ++i) {
        const CalendarState& m = months_[i];
        const double left = static_cast<double>(i % kYearColumns) * (monthWidth + kMonthGap);
        double y = kYearTitleHeight +
                   static_cast<double>(i / kYearColumns) * (SmallMonthHeight(row) + kMonthGap);
        p.setPen(Qt::black);
        p.setFont(Sans(9, true));
        Centred(p, QRectF(left, y, monthWidth, kSmallTitle), MonthTitle(m));
        y += kSmallTitle;
        p.setFont(Sans(7.5));
        Centred(p, QRectF(left, y, monthWidth, kSmallSpan), SpanLine(m));
        y += kSmallSpan;
        p.setPen(kHeaderColour);
        p.setFont(Fitting(Sans(6.5, true), dayNames_, 0.9 * cellWidth));
        for (int c = 1; c <= kGridColumns && c <= dayNames_.size(); ++c)
            Centred(p, QRectF(left + (c - 1) * cellWidth, y, cellWidth, kSmallHeader),
                    dayNames_[c - 1]);
        y += kSmallHeader;
        p.setFont(Serif(6, true));
        for (const DayCell& cell : MonthCells(m)) {
            const double x = left + (cell.Column - 1) * cellWidth;
            const double top = y + (cell.Row - 1) * row;
            const QRectF square(x + (cellWidth - kSmallGlyph) / 2, top, kSmallGlyph, kSmallGlyph);
            PaintNumeral(p, cell.Day, cell.Colour, square);
            glyphs.push_back({cell.Day, cell.Colour, p.transform().mapRect(square)});
            p.setPen(InkOf(cell.Colour));
            p.drawText(QRectF(x, top + kSmallGlyph * 0.9, cellWidth, kSmallRow - kSmallGlyph * 0.9),
                       Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
                       QString::number(cell.GregDay));
        }
    }

    // The year's holidays with their Gregorian dates, down the columns.
    double y = HolidayListTop(row);
    p.setPen(Qt::black);
    p.setFont(Sans(9, true));
    PrintAt(p, 0, y, "Holidays");
    y += kListLine * 1.5;
    const double columnWidth = kYearWidth / kListColumns;
    const int perColumn =
        static_cast<int>(std::ceil(static_cast<double>(holidays_.size()) / kListColumns));
    QStringList dates, texts;
    for (const HolidayOn& h : holidays_) {
        dates << ShortDate(h.Day);
        texts << Text(h.Text);
    }
    const QFont dateFont = Fitting(Sans(7.5), dates, columnWidth * 0.4);
    const QFont textFont = Fitting(Sans(7.5), texts, columnWidth * 0.58);
    for (qsizetype i = 0; i < dates.size(); ++i) {
        const double x = static_cast<double>(i / perColumn) * columnWidth;
        const double top = y + static_cast<double>(i % perColumn) * kListLine;
        p.setFont(dateFont);
        PrintAt(p, x, top, dates[i]);
        p.setFont(textFont);
        PrintAt(p, x + columnWidth * 0.4, top, texts[i]);
    }
}

QByteArray PagePdf(const CalendarPage& page, QPageSize::PageSizeId size,
                   std::vector<PaintedGlyph>* glyphs) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageLayout(QPageLayout(QPageSize(size), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                  QPageLayout::Millimeter));
    pdf.setTitle(page.Title());
    pdf.setCreator("Tovel");
    const QRect paint = pdf.pageLayout().paintRectPixels(pdf.resolution());
    QPainter p(&pdf);
    std::vector<PaintedGlyph> painted = page.Paint(p, QRectF(0, 0, paint.width(), paint.height()));
    p.end();
    if (glyphs) {
        const double points = 72.0 / pdf.resolution();
        for (PaintedGlyph& g : painted)
            g.Cell = QRectF((g.Cell.left() + paint.left()) * points,
                            (g.Cell.top() + paint.top()) * points, g.Cell.width() * points,
                            g.Cell.height() * points);
        *glyphs = std::move(painted);
    }
    return buffer.data();
}

}  // namespace tovel
