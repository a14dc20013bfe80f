#include "comparaison/CalendrierDateHeure.h"

#include <cmath>
#include <limits>

namespace kv {

namespace {

// The calendar repeats every 400 years, 146 097 days. Counting from 1 March
// of year 0 puts the leap day at the end of each year, so that the day of the
// year alone gives the month.
constexpr std::int64_t JoursParCycle = 146097;
constexpr std::int64_t JoursParSiecle = 36524;  // a century not ending a cycle
constexpr std::int64_t JoursParQuatreAns = 1461;
// Day 0 (30 December 1899) counted from 1 March of year 0.
constexpr std::int64_t DecalageDepuisMarsAnZero = 693899;

}  // namespace

TDateCivile JoursVersDateCivile(std::int64_t AJours) {
  const std::int64_t jours = AJours + DecalageDepuisMarsAnZero;
  // Floor division: the cycle of a day before year 0 is negative.
  const std::int64_t cycle = (jours >= 0 ? jours : jours - (JoursParCycle - 1)) / JoursParCycle;
  const std::int64_t jourCycle = jours - cycle * JoursParCycle;  // 0 to 146 096
  // Taking out the leap days before this one (one every 1 460 days, but none
  // at the end of a century, except the cycle's very last day) leaves whole
  // years of 365 days.
  const std::int64_t anCycle = (jourCycle - jourCycle / (JoursParQuatreAns - 1) +
                                jourCycle / JoursParSiecle - jourCycle / (JoursParCycle - 1)) /
                               365;  // 0 to 399
  const std::int64_t jourAn =
      jourCycle - (365 * anCycle + anCycle / 4 - anCycle / 100);  // 0 to 365
  // From March, months run 31 30 31 30 31 then the same again, then 31 and
  // February: 153 days every 5 months.
  const std::int64_t moisDepuisMars = (5 * jourAn + 2) / 153;  // 0 to 11
  TDateCivile date;
  date.Jour = static_cast<int>(jourAn - (153 * moisDepuisMars + 2) / 5 + 1);
  date.Mois = static_cast<int>(moisDepuisMars < 10 ? moisDepuisMars + 3 : moisDepuisMars - 9);
  date.Annee = cycle * 400 + anCycle + (date.Mois <= 2 ? 1 : 0);
  return date;
}

std::int64_t IndexMoisDateHeure(double ADateHeure) {
  if (std::isnan(ADateHeure)) ADateHeure = 0;
  if (ADateHeure == -std::numeric_limits<double>::infinity())
    return std::numeric_limits<std::int64_t>::min();
  if (ADateHeure == std::numeric_limits<double>::infinity())
    return std::numeric_limits<std::int64_t>::max();
  // The limit is a power of two, exact as a double; clamping before the
  // conversion keeps it defined.
  constexpr auto limite = static_cast<double>(LimiteJoursCalendrier);
  const double jours = std::trunc(ADateHeure);
  const std::int64_t jour = jours >= limite    ? LimiteJoursCalendrier
                            : jours <= -limite ? -LimiteJoursCalendrier
                                               : static_cast<std::int64_t>(jours);
  const TDateCivile date = JoursVersDateCivile(jour);
  return date.Annee * 12 + (date.Mois - 1);
}

}  // namespace kv
