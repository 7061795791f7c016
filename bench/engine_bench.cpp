// Month setup cost on the shipped year table, file read included, and a
// Jewish year's holidays as an iCalendar file.
#include <benchmark/benchmark.h>

#include "app/holiday_calendar.h"
#include "engine/holiday_chooser.h"
#include "engine/month_setup.h"
#include "engine/year_table.h"

namespace {

tovel::CalendarState StateFor(int y, unsigned m, unsigned d) {
    tovel::CalendarState s;
    s.RHDatesFile = std::string(TOVEL_DATA_DIR) + "/RHDates.Tvl";
    s.SelDate = tovel::Date::FromYmd(y, m, d);
    return s;
}

void FindGDateAt(benchmark::State& state, int year) {
    tovel::CalendarState s = StateFor(year, 3, 21);
    for (auto _ : state) {
        bool ok = tovel::FindGDate(s, {});
        benchmark::DoNotOptimize(ok);
        if (!ok) state.SkipWithError("month setup failed");
    }
}

void BM_FindGDateNearStart(benchmark::State& state) { FindGDateAt(state, 1803); }
void BM_FindGDateNearEnd(benchmark::State& state) { FindGDateAt(state, 2789); }

// The longest walk: from the first day of Nisan to a month that is never met
// covers the rest of the year and all of the next one.
void BM_Days2HolidayWholeWalk(benchmark::State& state) {
    tovel::CalendarState s = StateFor(2000, 4, 6);
    if (!tovel::FindGDate(s, {})) state.SkipWithError("month setup failed");
    for (auto _ : state) benchmark::DoNotOptimize(tovel::Days2Holiday(s, 1, 0, {}));
}

// One Jewish year's iCalendar file as File > Export holidays... writes it,
// the year table read and each evening's sunset looked up in a shipped table.
void BM_HolidayCalendarYear(benchmark::State& state) {
    const std::string data = TOVEL_DATA_DIR;
    const tovel::SunsetLookup sunset = [&data](tovel::Date day) {
        return tovel::LookupSunset(data + "/Jerusalem.sun", day);
    };
    for (auto _ : state) {
        const tovel::YearTable table = tovel::ReadYearTable(data + "/RHDates.Tvl");
        benchmark::DoNotOptimize(
            tovel::HolidayCalendar(table, 5785, 5785, "20250101T000000Z", sunset));
    }
}

}  // namespace

BENCHMARK(BM_FindGDateNearStart);
BENCHMARK(BM_FindGDateNearEnd);
BENCHMARK(BM_Days2HolidayWholeWalk);
BENCHMARK(BM_HolidayCalendarYear)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
