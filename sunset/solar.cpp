#include "sunset/solar.h"

#include <cmath>
#include <numbers>

namespace tovel::solar {
namespace {

constexpr double kJulianDayOfUnixEpoch = 2440587.5;  // 1970-01-01 0h UT
constexpr double kJ2000 = 2451545.0;                 // 2000-01-01 12h TT
constexpr double kMinutesPerDay = 1440.0;

double Rad(double degrees) { return degrees * std::numbers::pi / 180.0; }
double Deg(double radians) { return radians * 180.0 / std::numbers::pi; }

// Minutes of UT after 0h at which the sun stands `hourAngle` degrees west of
// the meridian at `longitude`, given the equation of time at that moment.
double MinutesAtHourAngle(double longitude, double equationOfTime, double hourAngle) {
    // 4 minutes of time per degree of longitude or hour angle.
    return 720.0 - 4.0 * longitude - equationOfTime + 4.0 * hourAngle;
}

}  // namespace

double JulianDay(std::chrono::sys_days day) {
    return kJulianDayOfUnixEpoch + static_cast<double>(day.time_since_epoch().count());
}

SolarPosition SunAt(double julianDay) {
    const double T = (julianDay - kJ2000) / 36525.0;  // Julian centuries from J2000
    // Geometric mean longitude and mean anomaly of the sun, eccentricity of
    // the earth's orbit.
    const double L0 = std::fmod(280.46646 + T * (36000.76983 + T * 0.0003032), 360.0);
    const double M = 357.52911 + T * (35999.05029 - 0.0001537 * T);
    const double e = 0.016708634 - T * (0.000042037 + 0.0000001267 * T);
    // Equation of the centre, true and apparent longitude (nutation and
    // aberration through the longitude of the moon's ascending node omega).
    const double C = std::sin(Rad(M)) * (1.914602 - T * (0.004817 + 0.000014 * T)) +
                     std::sin(Rad(2 * M)) * (0.019993 - 0.000101 * T) +
                     std::sin(Rad(3 * M)) * 0.000289;
    const double omega = 125.04 - 1934.136 * T;
    const double lambda = L0 + C - 0.00569 - 0.00478 * std::sin(Rad(omega));
    // Mean obliquity of the ecliptic, corrected for nutation.
    const double epsilon0 =
        23.0 + (26.0 + (21.448 - T * (46.8150 + T * (0.00059 - T * 0.001813))) / 60.0) / 60.0;
    const double epsilon = epsilon0 + 0.00256 * std::cos(Rad(omega));

    SolarPosition out;
    out.Declination = Deg(std::asin(std::sin(Rad(epsilon)) * std::sin(Rad(lambda))));
    const double y = std::pow(std::tan(Rad(epsilon / 2)), 2);
    const double E = y * std::sin(Rad(2 * L0)) - 2 * e * std::sin(Rad(M)) +
                     4 * e * y * std::sin(Rad(M)) * std::cos(Rad(2 * L0)) -
                     0.5 * y * y * std::sin(Rad(4 * L0)) - 1.25 * e * e * std::sin(Rad(2 * M));
    out.EquationOfTime = 4.0 * Deg(E);
    return out;
}

double SolarNoonUtc(std::chrono::sys_days day, double longitude) {
    const double jd0 = JulianDay(day);
    double noon = MinutesAtHourAngle(longitude, 0.0, 0.0);
    // The equation of time changes by under 30 s a day: two rounds settle it.
    for (int i = 0; i < 2; ++i)
        noon =
            MinutesAtHourAngle(longitude, SunAt(jd0 + noon / kMinutesPerDay).EquationOfTime, 0.0);
    return noon;
}

Sunset SunsetUtc(std::chrono::sys_days day, double latitude, double longitude) {
    const double jd0 = JulianDay(day);
    const double sinAltitude = std::sin(Rad(-kSunsetDepression));
    const double sinLat = std::sin(Rad(latitude));
    const double cosLat = std::cos(Rad(latitude));
    double t = SolarNoonUtc(day, longitude) + 360.0;  // first guess: six hours after noon
    Sunset out;
    // Each round takes the sun's place at the previous round's sunset; the
    // change shrinks about a hundredfold per round.
    for (int i = 0; i < 6; ++i) {
        const SolarPosition sun = SunAt(jd0 + t / kMinutesPerDay);
        const double dec = Rad(sun.Declination);
        const double cosH = (sinAltitude - sinLat * std::sin(dec)) / (cosLat * std::cos(dec));
        if (!(cosH >= -1.0)) return {SunsetKind::NeverSets, 0};
        if (!(cosH <= 1.0)) return {SunsetKind::NeverRises, 0};
        const double next = MinutesAtHourAngle(longitude, sun.EquationOfTime, Deg(std::acos(cosH)));
        const bool settled = std::fabs(next - t) < 1e-4;
        t = next;
        if (settled) break;
    }
    out.UtcMinutes = t;
    return out;
}

}  // namespace tovel::solar
