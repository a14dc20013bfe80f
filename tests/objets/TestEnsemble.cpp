#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "commun/Exception.h"
#include "objets/Ensemble.h"

namespace kv {
namespace {

using TypeEnsemble = TEnsemble<std::uint8_t, 3, 21>;

TEST(Ensemble, UnBitParElementDepuisLOctetDuPremier) {
  // 21 div 8 - 3 div 8 + 1 = 3 bytes; element e at bit e mod 8 of byte e div 8.
  static_assert(TypeEnsemble::NombreOctets == 3 && sizeof(TypeEnsemble) == 3);
  const TypeEnsemble ensemble{3, 8, 21};
  std::uint8_t octets[3];
  std::memcpy(octets, &ensemble, sizeof octets);
  EXPECT_EQ(octets[0], 0x08);
  EXPECT_EQ(octets[1], 0x01);
  EXPECT_EQ(octets[2], 0x20);
  EXPECT_TRUE(ensemble.Contient(8));
  EXPECT_FALSE(ensemble.Contient(9));

  // A set starting at 8 keeps no byte for 0 to 7.
  using TypeHaut = TEnsemble<std::uint8_t, 8, 15>;
  static_assert(TypeHaut::NombreOctets == 1);
  const TypeHaut haut{9};
  std::memcpy(octets, &haut, 1);
  EXPECT_EQ(octets[0], 0x02);
}

TEST(Ensemble, InclureExclureEtHorsLimites) {
  TypeEnsemble ensemble;
  EXPECT_TRUE(ensemble.EstVide());
  ensemble.Inclure(20);
  ensemble.Exclure(20);
  EXPECT_TRUE(ensemble.EstVide());
  EXPECT_FALSE(ensemble.Contient(2));
  EXPECT_FALSE(ensemble.Contient(22));
  EXPECT_THROW(ensemble.Inclure(2), EArgumentInvalide);
  EXPECT_THROW(ensemble.Exclure(22), EArgumentInvalide);
  EXPECT_THROW((TypeEnsemble{3, 40}), EArgumentInvalide);
  EXPECT_EQ((TypeEnsemble{4, 5}), (TypeEnsemble{5, 4}));
}

}  // namespace
}  // namespace kv
