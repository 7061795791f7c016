#include "sunset/gazetteer.h"

#include <geonames.h>

#include <algorithm>
#include <future>
#include <mutex>

namespace tovel {
namespace {

// Base letters of U+00C0..U+017F, one per code point; '.' keeps the
// character as it is (×, ÷, ß and the like).
constexpr std::string_view kLatinBase =
    "aaaaaaaceeeeiiiidnooooo.ouuuuyts"   // C0-DF
    "aaaaaaaceeeeiiiidnooooo.ouuuuyty"   // E0-FF
    "aaaaaaccccccccddddeeeeeeeeeegggg"   // 100-11F
    "gggghhhhiiiiiiiiiijjjjkkklllllll"   // 120-13F
    "lllnnnnnnnnnoooooooorrrrrrssssss"   // 140-15F
    "ssttttttuuuuuuuuuuuuwwyyyzzzzzzs";  // 160-17F

std::string Text(const gchar* text) { return text ? std::string(text) : std::string(); }

std::vector<Town> ReadTowns() {
    std::vector<Town> towns;
    const gint count = geonames_get_n_cities();
    towns.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (gint i = 0; i < count; ++i) {
        GeonamesCity* city = geonames_get_city(i);
        if (!city) continue;
        Town town;
        town.Name = Text(geonames_city_get_name(city));
        town.Region = Text(geonames_city_get_state(city));
        town.Country = Text(geonames_city_get_country(city));
        town.Zone = Text(geonames_city_get_timezone(city));
        town.Latitude = geonames_city_get_latitude(city);
        town.Longitude = geonames_city_get_longitude(city);
        town.Population = geonames_city_get_population(city);
        geonames_city_free(city);
        town.Folded = FoldForSearch(town.Name);
        towns.push_back(std::move(town));
    }
    std::stable_sort(towns.begin(), towns.end(),
                     [](const Town& a, const Town& b) { return a.Population > b.Population; });
    return towns;
}

std::shared_future<std::vector<Town>>& Towns() {
    static std::once_flag once;
    static std::shared_future<std::vector<Town>> towns;
    std::call_once(once, [] { towns = std::async(std::launch::async, ReadTowns).share(); });
    return towns;
}

}  // namespace

void PreloadTowns() { Towns(); }

std::vector<Town> FindTowns(std::string_view prefix, std::size_t limit) {
    std::vector<Town> out;
    const std::string key = FoldForSearch(prefix);
    if (key.empty()) return out;
    for (const Town& town : Towns().get()) {
        if (out.size() >= limit) break;
        if (town.Folded.starts_with(key)) out.push_back(town);
    }
    return out;
}

std::string FoldForSearch(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 'A' && b <= 'Z') {
            out += static_cast<char>(b - 'A' + 'a');
            continue;
        }
        // Two-byte UTF-8 sequences from C3 80 (U+00C0) to C5 BF (U+017F).
        if (b >= 0xC3 && b <= 0xC5 && i + 1 < text.size()) {
            const auto c = static_cast<unsigned char>(text[i + 1]);
            if ((c & 0xC0) == 0x80) {
                const unsigned code = ((b & 0x1Fu) << 6) | (c & 0x3Fu);
                if (code >= 0xC0 && kLatinBase[code - 0xC0] != '.') {
                    out += kLatinBase[code - 0xC0];
                    ++i;
                    continue;
                }
            }
        }
        out += static_cast<char>(b);
    }
    return out;
}

}  // namespace tovel
