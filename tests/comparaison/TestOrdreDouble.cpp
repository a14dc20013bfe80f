#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "comparaison/ComparateursTypes.h"

namespace kv {
namespace {

using Limites = std::numeric_limits<double>;

std::uint64_t Motif(double AValeur) { return std::bit_cast<std::uint64_t>(AValeur); }

// Doubles are kept as their patterns so that no NaN payload is touched on the way.
int Comparer(std::uint64_t A, std::uint64_t B) { return TBaseComparer::ComparerDouble(&A, &B); }

constexpr std::uint64_t NaNNegatifMax = 0xFFFFFFFFFFFFFFFFu;
constexpr std::uint64_t NaNNegatifCalme = 0xFFF8000000000000u;
constexpr std::uint64_t NaNNegatifMin = 0xFFF0000000000001u;
constexpr std::uint64_t NaNPositifMin = 0x7FF0000000000001u;
constexpr std::uint64_t NaNPositifCalme = 0x7FF8000000000000u;
constexpr std::uint64_t NaNPositifMax = 0x7FFFFFFFFFFFFFFFu;

// Every kind of pattern in the documented order; the two zeros are equal.
const std::vector<std::uint64_t> OrdreAttendu = {
    NaNNegatifMax,
    NaNNegatifCalme,
    NaNNegatifMin,
    Motif(-Limites::infinity()),
    Motif(-Limites::max()),
    Motif(-1.0),
    Motif(-Limites::min()),
    Motif(-Limites::denorm_min()),
    Motif(-0.0),
    Motif(0.0),
    Motif(Limites::denorm_min()),
    Motif(2 * Limites::denorm_min()),
    Motif(Limites::min()),
    Motif(1.0),
    Motif(Limites::max()),
    Motif(Limites::infinity()),
    NaNPositifMin,
    NaNPositifCalme,
    NaNPositifMax,
};

bool Zero(std::uint64_t AMotif) { return (AMotif << 1) == 0; }

TEST(OrdreDouble, CasLimites) {
  struct TCas {
    const char* Nom;
    std::uint64_t A, B;
    int Attendu;
  };
  for (const TCas& c : {
           TCas{"positive NaN after a number", NaNPositifCalme, Motif(5.0), 1},
           TCas{"positive NaN after +inf", NaNPositifMin, Motif(Limites::infinity()), 1},
           TCas{"negative NaN before -inf", NaNNegatifMin, Motif(-Limites::infinity()), -1},
           TCas{"negative NaN before positive NaN", NaNNegatifMax, NaNPositifMin, -1},
           TCas{"+0 and -0", Motif(0.0), Motif(-0.0), 0},
           TCas{"positive NaNs: smaller pattern first", NaNPositifMin, NaNPositifCalme, -1},
           TCas{"negative NaNs: larger pattern first", NaNNegatifMax, NaNNegatifCalme, -1},
           TCas{"same NaN", NaNNegatifCalme, NaNNegatifCalme, 0},
           TCas{"subnormals by value", Motif(Limites::denorm_min()),
                Motif(2 * Limites::denorm_min()), -1},
           TCas{"negative subnormal before +0", Motif(-Limites::denorm_min()), Motif(0.0), -1},
           TCas{"negative numbers by value", Motif(-2.0), Motif(-1.0), -1},
           TCas{"largest finite before +inf", Motif(Limites::max()), Motif(Limites::infinity()),
                -1},
       }) {
    EXPECT_EQ(Comparer(c.A, c.B), c.Attendu) << c.Nom;
    EXPECT_EQ(Comparer(c.B, c.A), -c.Attendu) << c.Nom << ", swapped";
  }
}

// What sorting relies on: a strict weak order, checked over every triple.
TEST(OrdreDouble, OrdreFaibleStrict) {
  for (std::uint64_t a : OrdreAttendu) {
    EXPECT_EQ(Comparer(a, a), 0) << std::hex << a;
    for (std::uint64_t b : OrdreAttendu) {
      const int ab = Comparer(a, b);
      ASSERT_TRUE(ab == -1 || ab == 0 || ab == 1) << ab;
      EXPECT_EQ(Comparer(b, a), -ab) << std::hex << a << " " << b;
      for (std::uint64_t c : OrdreAttendu) {
        const int bc = Comparer(b, c);
        const int ac = Comparer(a, c);
        if (ab < 0 && bc < 0) {
          EXPECT_LT(ac, 0) << std::hex << a << " " << b << " " << c;
        }
        if (ab == 0 && bc == 0) {
          EXPECT_EQ(ac, 0) << std::hex << a << " " << b << " " << c;
        }
        if (ab <= 0 && bc <= 0) {
          EXPECT_LE(ac, 0) << std::hex << a << " " << b << " " << c;
        }
      }
    }
  }
}

TEST(OrdreDouble, TriDUnVecteurMelange) {
  for (unsigned graine = 1; graine <= 5; ++graine) {
    std::vector<std::uint64_t> valeurs = OrdreAttendu;
    std::shuffle(valeurs.begin(), valeurs.end(), std::mt19937(graine));
    std::sort(valeurs.begin(), valeurs.end(),
              [](std::uint64_t A, std::uint64_t B) { return Comparer(A, B) < 0; });
    for (std::size_t i = 0; i < valeurs.size(); ++i) {
      if (Zero(OrdreAttendu[i])) {
        EXPECT_TRUE(Zero(valeurs[i])) << "seed " << graine << ", position " << i;
      } else {
        EXPECT_EQ(valeurs[i], OrdreAttendu[i]) << "seed " << graine << ", position " << i;
      }
    }
  }
}

TEST(OrdreDate, NaNEgalATout) {
  struct TCas {
    double A, B;
    int Attendu;
  };
  for (const TCas& c : {
           TCas{Limites::quiet_NaN(), 5.0, 0},
           TCas{Limites::quiet_NaN(), -Limites::infinity(), 0},
           TCas{-Limites::quiet_NaN(), Limites::quiet_NaN(), 0},
           TCas{1.0, 2.0, -1},
           TCas{2.5, 2.25, 1},
           TCas{-0.0, 0.0, 0},
           TCas{-Limites::infinity(), -Limites::max(), -1},
       }) {
    EXPECT_EQ(TBaseComparer::ComparerDate(&c.A, &c.B), c.Attendu) << c.A << " " << c.B;
    EXPECT_EQ(TBaseComparer::ComparerDate(&c.B, &c.A), -c.Attendu) << c.B << " " << c.A;
  }
}

}  // namespace
}  // namespace kv
