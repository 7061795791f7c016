// Writes what the iCalendar checks (ical_check.py) compare:
//   holiday_calendar_driver TABLE FIRST LAST STAMP [SUNTABLE]
//       the exported calendar of the Jewish years FIRST..LAST, with the
//       sunsets of SUNTABLE when given;
//   holiday_calendar_driver --days TABLE YEAR
//       "yyyy-mm-dd<TAB>text" for each day of the Jewish year YEAR whose status
//       line shows a holiday, found day by day as the window finds it.

#include <cstdio>
#include <iostream>
#include <string>

#include "app/holiday_calendar.h"
#include "engine/holidays.h"
#include "engine/month_setup.h"
#include "engine/year_table.h"

using namespace tovel;

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--days") {
        const YearTable table = ReadYearTable(argv[2]);
        const int year = std::stoi(argv[3]);
        CalendarState s;
        s.RHDatesFile = argv[2];
        const auto start = table.StartOf(year), end = table.StartOf(year + 1);
        if (!start || !end) return 1;
        for (Date day = *start; day < *end; day += 1) {
            s.SelDate = day;
            if (!FindGDate(s, {})) return 1;
            if (const std::string& text = SelectedDayText(s); !text.empty())
                std::printf("%04d-%02d-%02d\t%s\n", day.Year(), day.Month(), day.Day(),
                            text.c_str());
        }
        return 0;
    }
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: see the comment at the top of the source\n");
        return 2;
    }
    SunsetLookup sunset;
    const std::string sunTable = argc == 6 ? argv[5] : "";
    if (!sunTable.empty()) sunset = [&sunTable](Date day) { return LookupSunset(sunTable, day); };
    std::cout << HolidayCalendar(ReadYearTable(argv[1]), std::stoi(argv[2]), std::stoi(argv[3]),
                                 argv[4], sunset);
    return 0;
}
