// Sunset lookup on a shipped table, with and without the zone correction;
// making a whole table in memory; the gazetteer's search for a typed prefix.
#include <benchmark/benchmark.h>

#include "state/date.h"
#include "sunset/gazetteer.h"
#include "sunset/sun_table_maker.h"
#include "sunset/sunset_table.h"
#include "views/zone_offset.h"

namespace {

// 31 December is the last line: the lookup reads the whole file.
void BM_LookupSunsetLastDay(benchmark::State& state) {
    const std::string path = std::string(TOVEL_DATA_DIR) + "/Jerusalem.sun";
    const tovel::Date day = tovel::Date::FromYmd(2026, 12, 31);
    for (auto _ : state) {
        auto sunset = tovel::LookupSunset(path, day);
        if (!sunset) state.SkipWithError("no sunset found");
        benchmark::DoNotOptimize(sunset);
    }
}

// As the window does it: the table's time moved from 2026 to a day of 2027
// between the two years' changes, the offsets from the time-zone database.
void BM_LookupSunsetZoneCorrected(benchmark::State& state) {
    const std::string path = std::string(TOVEL_DATA_DIR) + "/Jerusalem.sun";
    const tovel::Date day = tovel::Date::FromYmd(2027, 10, 29);
    for (auto _ : state) {
        auto sunset = tovel::LookupSunset(path, day, tovel::ZoneOffset);
        if (!sunset || sunset->Time != " 17:52") state.SkipWithError("not corrected");
        benchmark::DoNotOptimize(sunset);
    }
}

// The add dialog's search for two typed letters, once the towns are read:
// "Sa" fills the list early, "Qz" matches nothing and reads every town.
void BM_FindTownsTwoLetters(benchmark::State& state, const char* prefix) {
    if (tovel::FindTowns("Je", 50).empty()) state.SkipWithError("no towns");
    for (auto _ : state) {
        auto towns = tovel::FindTowns(prefix, 50);
        benchmark::DoNotOptimize(towns);
    }
}

void MakeTable(benchmark::State& state, const tovel::UtcOffsetAt& offset) {
    const tovel::SunTablePlace place{"New York", 40.7128, -74.0060};
    for (auto _ : state) {
        tovel::SunTableResult table = tovel::MakeSunTable(place, 2026, offset);
        if (!table.Ok()) state.SkipWithError(table.Error.c_str());
        benchmark::DoNotOptimize(table);
    }
}

// The solar arithmetic and the text alone, with a fixed offset.
void BM_MakeSunTableFixedOffset(benchmark::State& state) {
    MakeTable(state, [](std::int64_t) { return -5 * 3600; });
}

// As the tool does it: the offset from the time-zone database at every sunset.
void BM_MakeSunTableZoneDatabase(benchmark::State& state) {
    const auto zone = tovel::ZoneOffset("America/New_York");
    if (!zone) {
        state.SkipWithError("America/New_York unknown");
        return;
    }
    MakeTable(state, *zone);
}

}  // namespace

BENCHMARK(BM_LookupSunsetLastDay);
BENCHMARK(BM_LookupSunsetZoneCorrected);
BENCHMARK_CAPTURE(BM_FindTownsTwoLetters, Sa, "Sa")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindTownsTwoLetters, Qz, "Qz")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeSunTableFixedOffset)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeSunTableZoneDatabase)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
