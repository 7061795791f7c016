#pragma once
// A calendar day as a whole-day count; day 0 is 30 December 1899. Weekdays
// are numbered 1 = Sunday .. 7 = Saturday everywhere in the program.

#include <chrono>
#include <compare>
#include <cstdint>

namespace tovel {

inline constexpr int kSunday = 1;
inline constexpr int kSaturday = 7;

class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(std::int32_t serial) : serial_(serial) {}

    static Date FromSysDays(std::chrono::sys_days d);
    // Returns a Date for a valid civil date; the caller checks validity.
    static Date FromYmd(int year, unsigned month, unsigned day);

    constexpr std::int32_t Serial() const { return serial_; }
    std::chrono::sys_days ToSysDays() const;
    std::chrono::year_month_day Ymd() const;
    int Year() const;
    int Month() const;  // 1..12
    int Day() const;    // 1..31
    // 1 = Sunday .. 7 = Saturday.
    int Weekday() const;

    constexpr Date operator+(int days) const { return Date(serial_ + days); }
    constexpr Date operator-(int days) const { return Date(serial_ - days); }
    constexpr int operator-(Date other) const { return serial_ - other.serial_; }
    constexpr Date& operator+=(int days) {
        serial_ += days;
        return *this;
    }
    constexpr Date& operator-=(int days) {
        serial_ -= days;
        return *this;
    }
    constexpr auto operator<=>(const Date&) const = default;

private:
    std::int32_t serial_ = 0;
};

// Today's date from the system clock, in local time.
Date Today();

}  // namespace tovel
