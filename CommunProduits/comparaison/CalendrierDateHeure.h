#pragma once

// Calendar dates of the framework's date-times: a double counting days since
// 30 December 1899 (day 0), whose fraction is the time of day.

#include <cstdint>

namespace kv {

// A date of the proleptic Gregorian calendar; year 0 is the year before year 1.
struct TDateCivile {
  std::int64_t Annee = 0;
  int Mois = 1;  // 1 to 12
  int Jour = 1;  // 1 to 31

  friend bool operator==(const TDateCivile&, const TDateCivile&) = default;
};

// Largest day number, either way, that the conversions below take: the month
// index of every such day fits 64 bits with room to spare.
inline constexpr std::int64_t LimiteJoursCalendrier = std::int64_t{1} << 62;

// The date of day AJours, |AJours| <= LimiteJoursCalendrier.
TDateCivile JoursVersDateCivile(std::int64_t AJours);

// Year * 12 + month - 1 of the date of ADateHeure, whose day is its integral
// part truncated toward zero: -0.5 is still 30 December 1899, -1.25 is the
// 29th. The index is 64-bit, since year * 12 overflows 32 bits from year
// 178 956 971 on. Days beyond LimiteJoursCalendrier either way count as the
// limit, so that the order is kept, merely no longer strict there; -inf answers
// INT64_MIN and +inf INT64_MAX, before and after every finite date-time. A NaN
// has no date: callers decide about it first (it answers the index of day 0).
std::int64_t IndexMoisDateHeure(double ADateHeure);

}  // namespace kv
