// Year-button cost with the year table read from the file on every press.
#include <benchmark/benchmark.h>

#include "engine/month_setup.h"
#include "input/navigation.h"

namespace {

void BM_YearMoveTargetFromFile(benchmark::State& state) {
    tovel::CalendarState s;
    s.RHDatesFile = std::string(TOVEL_DATA_DIR) + "/RHDates.Tvl";
    s.SelDate = tovel::Date::FromYmd(2000, 3, 21);  // 14 Adar II 5760
    if (!tovel::FindGDate(s, {})) state.SkipWithError("month setup failed");
    const int years = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const auto target = tovel::YearMoveTarget(s, years, tovel::ReadYearTable(s.RHDatesFile));
        if (!target) state.SkipWithError("no target");
        benchmark::DoNotOptimize(target);
    }
}

}  // namespace

BENCHMARK(BM_YearMoveTargetFromFile)->Arg(1)->Arg(-50)->Arg(50);
BENCHMARK_MAIN();
