// Any year table: the month setup, the start-up fallback and the year moves
// never crash, and a month they accept is a consistent month.
#include "engine/month_setup.h"
#include "engine/year_table.h"
#include "fuzz_support.h"
#include "input/navigation.h"

using namespace tovel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteInput(kYearTableName, fuzz::Text(data, size));
    const YearTable table = YearTable::FromText(fuzz::Text(data, size));
    for (const Date day : {Date::FromYmd(1999, 9, 10), Date::FromYmd(2000, 3, 21),
                           Date::FromYmd(2026, 12, 6), Date::FromYmd(1802, 9, 27)}) {
        for (const int step : {1, 50}) {
            CalendarState s;
            s.RHDatesFile = path, s.SelDate = day, s.YearStep = static_cast<std::int16_t>(step);
            if (!FindGDate(s, {})) {  // the start-up fallback takes over
                FallbackForDay(path, day);
                continue;
            }
            fuzz::Require(s.YearStart <= s.SelDate && s.SelDate < s.NextYearStart);
            if (s.MonthDays > 0) {
                fuzz::Require(s.JewDay >= 1 && s.JewDay <= s.MonthDays && s.FirstCell >= 1 &&
                              s.FirstCell <= 7 && s.FirstDate + (s.JewDay - 1) == s.SelDate);
            }
            for (const int way : {1, -1})
                MonthMoveTarget(s, way), YearMoveTarget(s, way * step, table);
        }
    }
    return 0;
}
