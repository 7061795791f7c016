#include "views/calendar_text.h"

#include <QLocale>

namespace tovel {

QString Capitalized(const QString& text) { return text.left(1).toUpper() + text.mid(1).toLower(); }

QString StandaloneMonthName(Date d, bool capitalize) {
    const QString month = QLocale().standaloneMonthName(d.Month(), QLocale::LongFormat);
    return capitalize ? Capitalized(month) : month;
}

QString YearText(Date d) { return QLocale().toString(ToQDate(d), "yyyy"); }

}  // namespace tovel
