#pragma once
// Sunset from NOAA's solar equations: the low-precision solar coordinates of
// Meeus, "Astronomical Algorithms" (chapters 25 and 28), good to a few seconds
// of arc for the years 1800 to 2800. Dates are proleptic Gregorian days, times
// are UT, latitudes are positive north and longitudes positive east.
// Standard C++ only.

#include <chrono>

namespace tovel::solar {

// The sun's place at an instant.
struct SolarPosition {
    double Declination;     // apparent declination, degrees
    double EquationOfTime;  // apparent minus mean solar time, minutes
};

// Julian day number of 0h UT on `day`.
double JulianDay(std::chrono::sys_days day);

// The sun at the instant `julianDay` (UT; taking it for dynamical time moves a
// sunset by well under a second).
SolarPosition SunAt(double julianDay);

// Sunset is the moment the centre of the sun is this many degrees below the
// horizon at sea level: 34' of refraction plus the sun's 16' radius.
inline constexpr double kSunsetDepression = 0.833;

enum class SunsetKind {
    Sets,        // the sun sets on this day
    NeverSets,   // the sun stays above the sunset altitude all day (midnight sun)
    NeverRises,  // the sun stays below it all day (polar night)
};

struct Sunset {
    SunsetKind Kind = SunsetKind::Sets;
    // For Sets: minutes after 0h UT of the day asked about. West of Greenwich
    // this often exceeds 1440 (the evening falls on the next UTC day).
    double UtcMinutes = 0;
};

// The sun's transit (apparent noon) of `day` at `longitude`, in minutes after
// 0h UT of that day: the transit nearest to the mean noon of that longitude.
double SolarNoonUtc(std::chrono::sys_days day, double longitude);

// The sunset that follows the transit of SolarNoonUtc(day, longitude). The
// sun's place is taken at the moment of sunset itself (found by iteration).
Sunset SunsetUtc(std::chrono::sys_days day, double latitude, double longitude);

}  // namespace tovel::solar
