#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <vector>

#include "comparaison/CalendrierDateHeure.h"
#include "comparaison/ComparateursTypes.h"

namespace kv {

std::ostream& operator<<(std::ostream& AFlux, const TDateCivile& ADate) {
  return AFlux << ADate.Annee << '-' << ADate.Mois << '-' << ADate.Jour;
}

namespace {

using Limites = std::numeric_limits<double>;

TEST(CalendrierDateHeure, JoursConnus) {
  struct TCas {
    std::int64_t Jours;
    TDateCivile Date;
  };
  for (const TCas& c : {
           TCas{0, {1899, 12, 30}},
           TCas{-1, {1899, 12, 29}},
           TCas{1, {1899, 12, 31}},
           TCas{2, {1900, 1, 1}},
           TCas{60, {1900, 2, 28}},
           TCas{61, {1900, 3, 1}},
           TCas{36585, {2000, 2, 29}},
           TCas{36586, {2000, 3, 1}},
           TCas{43831, {2020, 1, 1}},
           TCas{-657434, {100, 1, 1}},
       }) {
    EXPECT_EQ(JoursVersDateCivile(c.Jours), c.Date) << c.Jours;
  }
}

bool Bissextile(std::int64_t AAnnee) {
  return (AAnnee % 4 == 0 && AAnnee % 100 != 0) || AAnnee % 400 == 0;
}

int JoursDuMois(std::int64_t AAnnee, int AMois) {
  static constexpr int Jours[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return AMois == 2 && Bissextile(AAnnee) ? 29 : Jours[AMois - 1];
}

TDateCivile Lendemain(TDateCivile ADate) {
  if (++ADate.Jour > JoursDuMois(ADate.Annee, ADate.Mois)) {
    ADate.Jour = 1;
    if (++ADate.Mois > 12) ADate = {ADate.Annee + 1, 1, 1};
  }
  return ADate;
}

TDateCivile Veille(TDateCivile ADate) {
  if (--ADate.Jour == 0) {
    if (--ADate.Mois == 0) ADate = {ADate.Annee - 1, 12, 31};
    ADate.Jour = JoursDuMois(ADate.Annee, ADate.Mois);
  }
  return ADate;
}

// Counts day by day from day 0, across several 400-year cycles either way and
// through year 0.
TEST(CalendrierDateHeure, CommeUnCompteJourParJour) {
  TDateCivile date{1899, 12, 30};
  for (std::int64_t jours = 0; jours <= 250000; ++jours, date = Lendemain(date)) {
    ASSERT_EQ(JoursVersDateCivile(jours), date) << jours;
  }
  date = {1899, 12, 30};
  for (std::int64_t jours = 0; jours >= -1000000; --jours, date = Veille(date)) {
    ASSERT_EQ(JoursVersDateCivile(jours), date) << jours;
  }
}

// Far from day 0, up to the limits, where a wrong cycle arithmetic would show:
// consecutive days follow each other, and 146 097 days later is the same day
// 400 years later.
TEST(CalendrierDateHeure, JoursLointains) {
  constexpr std::int64_t Cycle = 146097;
  constexpr std::int64_t Pas = 1000;
  for (std::int64_t debut : {-LimiteJoursCalendrier, std::int64_t{-1000000000000000},
                             std::int64_t{1000000000000000}, LimiteJoursCalendrier - Cycle - Pas}) {
    TDateCivile date = JoursVersDateCivile(debut);
    ASSERT_TRUE(date.Mois >= 1 && date.Mois <= 12) << date;
    ASSERT_TRUE(date.Jour >= 1 && date.Jour <= JoursDuMois(date.Annee, date.Mois)) << date;
    for (std::int64_t jours = debut; jours <= debut + Pas; ++jours, date = Lendemain(date)) {
      ASSERT_EQ(JoursVersDateCivile(jours), date) << jours;
    }
    date = JoursVersDateCivile(debut + Pas);
    date.Annee += 400;
    EXPECT_EQ(JoursVersDateCivile(debut + Pas + Cycle), date) << debut;
  }
}

int ComparerMois(double A, double B) { return TBaseComparer::ComparerMois(&A, &B); }

TEST(ComparaisonMois, ParMoisDeLaDate) {
  struct TCas {
    const char* Nom;
    double A, B;
    int Attendu;
  };
  for (const TCas& c : {
           TCas{"31 Jan 2020, 1 Jan 2020", 43861, 43831, 0},
           TCas{"31 Dec 2019, 1 Jan 2020", 43830, 43831, -1},
           TCas{"31 Jan 2020 late, 1 Feb 2020", 43861.999, 43862, -1},
           TCas{"30 Dec 1899 in the morning and at midnight", -0.5, 0, 0},
           TCas{"30 Dec 1899 morning, 1 Jan 1900", -0.5, 2, -1},
           TCas{"29 Dec 1899, 31 Dec 1899", -1.25, 1, 0},
           TCas{"1 Dec 1899 noon is still December", -29.5, -29, 0},
           TCas{"1 Dec 1899 noon, 30 Nov 1899", -29.5, -30, 1},
           TCas{"28 Feb 1900, 1 Mar 1900", 60, 61, -1},
           TCas{"28 Feb 1900, 1 Feb 1900", 60, 33, 0},
           TCas{"29 Feb 2000, 1 Feb 2000", 36585, 36557, 0},
           TCas{"29 Feb 2000, 1 Mar 2000", 36585, 36586, -1},
           TCas{"year 100 before year 1899", -657434, -1, -1},
           TCas{"NaN", Limites::quiet_NaN(), 5, 0},
           TCas{"NaN and -inf", -Limites::infinity(), Limites::quiet_NaN(), 0},
           TCas{"-inf and -inf", -Limites::infinity(), -Limites::infinity(), 0},
           TCas{"+inf and +inf", Limites::infinity(), Limites::infinity(), 0},
       }) {
    EXPECT_EQ(ComparerMois(c.A, c.B), c.Attendu) << c.Nom;
    EXPECT_EQ(ComparerMois(c.B, c.A), -c.Attendu) << c.Nom << ", swapped";
  }
}

// Months far out stay in order: a 32-bit month index would wrap from about
// 6.5e10 days on.
TEST(ComparaisonMois, ValeursExtremes) {
  const double inf = Limites::infinity();
  const double max = Limites::max();
  const std::vector<double> croissantes = {-inf,    -max, -1e300, -1e19, -4e18, -1e15,  -1e11,
                                           -6.6e10, -1e9, -40,    0,     1e9,   6.6e10, 1e11,
                                           1e15,    4e18, 1e19,   1e300, max,   inf};
  for (std::size_t i = 0; i < croissantes.size(); ++i) {
    for (std::size_t j = i + 1; j < croissantes.size(); ++j) {
      const double a = croissantes[i];
      const double b = croissantes[j];
      EXPECT_LE(ComparerMois(a, b), 0) << a << " " << b;
      EXPECT_GE(ComparerMois(b, a), 0) << b << " " << a;
      // Inside the calendar's range, and against an infinity, the order is strict.
      const bool dansLaLimite = std::abs(a) < 4.6e18 && std::abs(b) < 4.6e18;
      if (dansLaLimite || std::isinf(a) || std::isinf(b)) {
        EXPECT_EQ(ComparerMois(a, b), -1) << a << " " << b;
      }
    }
  }
}

}  // namespace
}  // namespace kv
