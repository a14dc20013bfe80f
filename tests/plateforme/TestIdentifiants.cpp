#include <gtest/gtest.h>

#include <bitset>
#include <set>

#include "plateforme/Identifiants.h"

namespace kv::plateforme {
namespace {

TEST(Identifiants, VersionQuatreEtVarianteStandard) {
  for (int i = 0; i < 64; ++i) {
    const TypeOctetsIdentifiant octets = NouvelIdentifiantAleatoire();
    EXPECT_EQ(octets[6] >> 4, 4);
    EXPECT_EQ(octets[8] >> 6, 2);
  }
}

TEST(Identifiants, LesBitsLibresSontAleatoires) {
  // 1000 identifiers: none twice, and every free bit seen both set and clear
  // (a bit stuck by a faulty mask would fail; chance alone, about 2^-990).
  constexpr int Nombre = 1000;
  std::set<TypeOctetsIdentifiant> vus;
  std::bitset<128> dejaUn, dejaZero;
  for (int i = 0; i < Nombre; ++i) {
    const TypeOctetsIdentifiant octets = NouvelIdentifiantAleatoire();
    vus.insert(octets);
    for (std::size_t bit = 0; bit < 128; ++bit) {
      (((octets[bit / 8] >> (7 - bit % 8)) & 1) ? dejaUn : dejaZero).set(bit);
    }
  }
  EXPECT_EQ(vus.size(), static_cast<std::size_t>(Nombre));
  const std::bitset<128> fixes = dejaUn ^ dejaZero;  // bits seen with one value only
  std::bitset<128> attendus;
  for (std::size_t bit : {48, 49, 50, 51, 64, 65}) attendus.set(bit);
  EXPECT_EQ(fixes, attendus) << "only the version and variant bits are fixed";
}

}  // namespace
}  // namespace kv::plateforme
