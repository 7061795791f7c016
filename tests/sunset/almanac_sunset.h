#pragma once
// The sunset of the "Almanac for Computers" (US Naval Observatory, 1990), written
// apart from the solar code as a second opinion: good to about a minute for the
// present century below 60 degrees of latitude.
#include <cmath>
#include <numbers>

namespace tovel::test {

// Hours of UT (0 to 24) of the sunset on day `n` of the year (1 = 1 January) at a
// latitude and longitude (degrees, north and east positive); NaN if none.
inline double AlmanacSunsetHours(int n, double latitude, double longitude) {
    auto rad = [](double d) { return d * std::numbers::pi / 180; };
    auto deg = [](double r) { return r * 180 / std::numbers::pi; };
    auto wrap = [](double x, double m) { return x - m * std::floor(x / m); };
    const double lngHour = longitude / 15, t = n + (18 - lngHour) / 24;
    const double M = 0.9856 * t - 3.289;  // mean anomaly
    const double L =
        wrap(M + 1.916 * std::sin(rad(M)) + 0.020 * std::sin(rad(2 * M)) + 282.634, 360);
    double RA = wrap(deg(std::atan(0.91764 * std::tan(rad(L)))), 360);
    RA = (RA + std::floor(L / 90) * 90 - std::floor(RA / 90) * 90) / 15;  // same quadrant as L
    const double sinDec = 0.39782 * std::sin(rad(L));
    const double cosH = (std::cos(rad(90.833)) - sinDec * std::sin(rad(latitude))) /
                        (std::cos(std::asin(sinDec)) * std::cos(rad(latitude)));
    return wrap(deg(std::acos(cosH)) / 15 + RA - 0.06571 * t - 6.622 - lngHour, 24);
}

}  // namespace tovel::test
