#include "views/calendar_text.h"

#include <QLocale>

#include "app/calendar_lines.h"
#include "engine/holidays.h"
#include "input/grid.h"
#include "input/navigation.h"

namespace tovel {

QString Capitalized(const QString& text) { return text.left(1).toUpper() + text.mid(1).toLower(); }

QString StandaloneMonthName(Date d, bool capitalize) {
    const QString month = QLocale().standaloneMonthName(d.Month(), QLocale::LongFormat);
    return capitalize ? Capitalized(month) : month;
}

QStringList HeaderDayNames() {
    const QLocale locale;
    QStringList names, shortNames;
    for (int day : {7, 1, 2, 3, 4, 5, 6}) {  // Qt counts Monday as 1 and Sunday as 7
        names << Capitalized(locale.dayName(day, QLocale::LongFormat)).left(3);
        shortNames << Capitalized(locale.dayName(day, QLocale::ShortFormat));
    }
    names.removeDuplicates();
    return names.size() == 7 ? names : shortNames;
}

QString YearText(Date d) { return QLocale().toString(ToQDate(d), "yyyy"); }

QString SelectionText(const CalendarState& s) {
    const QString format = QStringLiteral("dddd d MMMM yyyy");
    if (s.GregView == 1)
        return QLocale().toString(ToQDate(s.GregDate), format) +
               QStringLiteral(", week %1").arg(WeekNumber(s.GregDate, s.AddWeek));
    QString text = QString::fromStdString(SelectedJewishDate(s)) + ", " +
                   QLocale().toString(ToQDate(s.FirstDate + s.JewDay - 1), format);
    if (const std::string& holiday = SelectedDayText(s); !holiday.empty())
        text += ", " + QString::fromStdString(holiday);
    return text;
}

}  // namespace tovel
