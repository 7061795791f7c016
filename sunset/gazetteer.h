#pragma once
// Towns to make a sunset table for, from libgeonames: about 24,000 towns of
// the GeoNames gazetteer with their coordinates and IANA time zones. The
// library answers a query in most of a second, so every town is read once
// (in the background, from PreloadTowns) and searched here in memory.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

struct Town {
    std::string Name, Region, Country;   // UTF-8; Region may be empty
    std::string Zone;                    // IANA zone, "Europe/London"
    double Latitude = 0, Longitude = 0;  // degrees, north and east positive
    unsigned Population = 0;
    std::string Folded;  // Name as the search compares it (FoldForSearch)
};

// Starts reading the gazetteer in the background, once per process.
void PreloadTowns();

// The towns whose name begins with `prefix`, compared as FoldForSearch
// folds both, the most populous first, at most `limit`. Nothing for an empty
// prefix. Waits for the gazetteer when it is still being read.
std::vector<Town> FindTowns(std::string_view prefix, std::size_t limit);

// `text` for comparing names: ASCII letters in lower case, and the accented
// Latin letters of U+00C0..U+017F as their plain lower-case letter ("Zürich"
// and "ZURICH" both give "zurich"). Other characters are kept as they are.
std::string FoldForSearch(std::string_view text);

}  // namespace tovel
