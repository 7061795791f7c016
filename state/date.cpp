#include "state/date.h"

#include <ctime>

namespace tovel {

namespace {
constexpr std::chrono::sys_days kDayZero =
    std::chrono::sys_days{std::chrono::year{1899} / std::chrono::December / 30};
}

Date Date::FromSysDays(std::chrono::sys_days d) {
    return Date(static_cast<std::int32_t>((d - kDayZero).count()));
}

Date Date::FromYmd(int year, unsigned month, unsigned day) {
    return FromSysDays(std::chrono::sys_days{std::chrono::year{year} / std::chrono::month{month} /
                                             std::chrono::day{day}});
}

std::chrono::sys_days Date::ToSysDays() const { return kDayZero + std::chrono::days{serial_}; }

std::chrono::year_month_day Date::Ymd() const { return std::chrono::year_month_day{ToSysDays()}; }

int Date::Year() const { return static_cast<int>(Ymd().year()); }
int Date::Month() const { return static_cast<int>(static_cast<unsigned>(Ymd().month())); }
int Date::Day() const { return static_cast<int>(static_cast<unsigned>(Ymd().day())); }

int Date::Weekday() const {
    return static_cast<int>(std::chrono::weekday{ToSysDays()}.c_encoding()) + 1;
}

Date Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date::FromYmd(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                         static_cast<unsigned>(local.tm_mday));
}

}  // namespace tovel
