#pragma once
// A second, independent reading of the year table for the window tests. The
// Jewish months of a year follow from the year's length alone (the days from
// its 1 Tishri to the next one), so the tests can work out which month and day
// a civil date is without asking the program's engine.

#include <QDate>
#include <QFile>
#include <QString>
#include <QStringList>

#include <iterator>
#include <map>
#include <optional>
#include <vector>

namespace form1test {

struct JewishMonth {
    int Year = 0;   // Jewish year
    QString Name;   // "Adar" in a common year; "Adar I" and "Adar II" in a leap year
    QDate First;    // civil date of day 1
    int Days = 0;   // 29 or 30
    QDate Next() const { return First.addDays(Days); }
};

class YearTable {
public:
    explicit YearTable(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return;
        static const QStringList kAbbreviations = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QString line = QString::fromLatin1(raw).trimmed();
            if (line.isEmpty()) continue;
            // "5760 11-Sep-1999"
            const int year = line.left(4).toInt();
            const QString text = line.right(11);
            const int month = static_cast<int>(kAbbreviations.indexOf(text.mid(3, 3))) + 1;
            const QDate start(text.mid(7, 4).toInt(), month, text.left(2).toInt());
            if (year == 0 || month == 0 || !start.isValid()) {
                starts_.clear();
                return;
            }
            starts_[year] = start;
        }
    }

    bool Ok() const { return !starts_.empty(); }
    int FirstYear() const { return starts_.begin()->first; }
    int LastYear() const { return starts_.rbegin()->first; }
    QDate Start(int year) const {
        const auto it = starts_.find(year);
        return it == starts_.end() ? QDate() : it->second;
    }
    int Length(int year) const {
        const QDate a = Start(year), b = Start(year + 1);
        return a.isValid() && b.isValid() ? static_cast<int>(a.daysTo(b)) : 0;
    }

    // The months of `year` in calendar order; empty when the table lacks the
    // year or the one after it, or the length is not one a year can have.
    std::vector<JewishMonth> Months(int year) const {
        const int length = Length(year);
        const bool valid = (length >= 353 && length <= 355) || (length >= 383 && length <= 385);
        if (!valid) return {};
        const bool leap = length > 380;
        const int heshvan = length % 10 == 5 ? 30 : 29;  // a complete year
        const int kislev = length % 10 == 3 ? 29 : 30;   // a deficient year
        std::vector<std::pair<QString, int>> plan = {
            {"Tishri", 30}, {"Heshvan", heshvan}, {"Kislev", kislev}, {"Tevet", 29}, {"Shevat", 30}};
        if (leap) {
            plan.push_back({"Adar I", 30});
            plan.push_back({"Adar II", 29});
        } else {
            plan.push_back({"Adar", 29});
        }
        for (const auto& m : std::vector<std::pair<QString, int>>{
                 {"Nisan", 30}, {"Iyyar", 29}, {"Sivan", 30}, {"Tamuz", 29}, {"Av", 30}, {"Elul", 29}})
            plan.push_back(m);

        std::vector<JewishMonth> out;
        QDate first = Start(year);
        for (const auto& [name, days] : plan) {
            out.push_back({year, name, first, days});
            first = first.addDays(days);
        }
        return out;
    }

    // The month holding `day`, when the table covers it.
    std::optional<JewishMonth> MonthOf(const QDate& day) const {
        for (auto it = starts_.begin(); it != starts_.end(); ++it) {
            const auto next = std::next(it);
            if (next == starts_.end()) break;
            if (it->second <= day && day < next->second) {
                for (const JewishMonth& m : Months(it->first))
                    if (m.First <= day && day < m.Next()) return m;
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    // Every month of the years first..last (inclusive) in order.
    std::vector<JewishMonth> MonthsBetween(int first, int last) const {
        std::vector<JewishMonth> out;
        for (int y = first; y <= last; ++y)
            for (const JewishMonth& m : Months(y)) out.push_back(m);
        return out;
    }

private:
    std::map<int, QDate> starts_;
};

}  // namespace form1test
