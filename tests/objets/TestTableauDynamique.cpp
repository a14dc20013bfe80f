#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "commun/Exception.h"
#include "objets/TableauDynamique.h"
#include "objets/TableauOuvert.h"

namespace kv {
namespace {

TEST(TableauDynamique, UnBlocNeufEstMisAZeroAvecUneReference) {
  void* elements = AllouerBlocTableauDynamique(3, 8);
  ASSERT_NE(elements, nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(elements) % 16, 0u);
  const TypeEnteteTableauDynamique& entete = EnteteTableauDynamique(elements);
  EXPECT_EQ(entete.Reserve, 0);
  EXPECT_EQ(entete.NombreReferences, 1);
  EXPECT_EQ(NombreElementsTableauDynamique(elements), 3);
  const auto* octets = static_cast<const unsigned char*>(elements);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(octets[i], 0) << i;
  LibererBlocTableauDynamique(elements);
}

TEST(TableauDynamique, AucunElementDonneNull) {
  EXPECT_EQ(AllouerBlocTableauDynamique(0, 8), nullptr);
  EXPECT_EQ(NombreElementsTableauDynamique(nullptr), 0);
}

TEST(TableauDynamique, TaillesNegativesOuDemesureesRefusees) {
  EXPECT_THROW(AllouerBlocTableauDynamique(-1, 4), EArgumentInvalide);
  EXPECT_THROW(AllouerBlocTableauDynamique(4, -1), EArgumentInvalide);
  // 2^31 - 1 elements of 2^31 - 1 bytes: no machine holds that.
  EXPECT_THROW(AllouerBlocTableauDynamique(INT32_MAX, INT32_MAX), std::bad_alloc);
}

TEST(TableauDynamique, SeulLeMotBasDuNombreEstLu) {
  void* elements = AllouerBlocTableauDynamique(2, 1);
  EnteteTableauDynamique(elements).NombreElements = (std::int64_t{7} << 32) | 2;
  EXPECT_EQ(NombreElementsTableauDynamique(elements), 2);
  LibererBlocTableauDynamique(elements);
}

TEST(TableauDynamique, LesCopiesPartagentLeBlocEtLaDerniereLeLibere) {
  TTableauDynamique<std::u16string> a{u"un", u"deux"};
  EXPECT_EQ(a.NombreReferences(), 1);
  {
    TTableauDynamique<std::u16string> b = a;
    EXPECT_EQ(b.data(), a.data());
    EXPECT_EQ(a.NombreReferences(), 2);
    b[1] = u"modifié";
  }
  EXPECT_EQ(a.NombreReferences(), 1);
  EXPECT_EQ(a[1], u"modifié");
  a = a;  // self-assignment keeps the block
  EXPECT_EQ(a.NombreReferences(), 1);
  EXPECT_EQ(a.Taille(), 2);
  // Destroying `a` destroys both strings; the sanitizer build sees any leak.
}

TEST(TableauDynamique, ElementsInitialisesEtDeplacement) {
  TTableauDynamique<std::int32_t> a(4);
  for (std::int32_t valeur : a) EXPECT_EQ(valeur, 0);
  TTableauDynamique<std::int32_t> b = std::move(a);
  EXPECT_TRUE(a.EstVide());
  EXPECT_EQ(b.Taille(), 4);
  EXPECT_EQ(TTableauDynamique<std::int32_t>(0).data(), nullptr);
}

TEST(TableauDynamique, UnBlocConstantNEstNiCompteNiLibere) {
  void* elements = AllouerBlocTableauDynamique(1, sizeof(std::int32_t));
  EnteteTableauDynamique(elements).NombreReferences = -1;
  {
    TTableauDynamique<std::int32_t> a;
    // A value whose pointer designates the constant block, as code that only
    // knows the layout would leave it.
    *reinterpret_cast<void**>(&a) = elements;
    TTableauDynamique<std::int32_t> b = a;
    EXPECT_EQ(a.NombreReferences(), -1);
  }
  EXPECT_EQ(EnteteTableauDynamique(elements).NombreReferences, -1);
  LibererBlocTableauDynamique(elements);
}

TEST(TableauOuvert, VideEtValeurs) {
  TTableauOuvert<const std::int32_t> vide;
  EXPECT_EQ(vide.TailleMoinsUn, -1);
  EXPECT_TRUE(vide.Valeurs().empty());
  const std::int32_t valeurs[] = {4, 5, 6};
  TTableauOuvert<const std::int32_t> ouvert(valeurs);
  EXPECT_EQ(ouvert.TailleMoinsUn, 2);
  EXPECT_EQ(ouvert.Valeurs().size(), 3u);
  EXPECT_EQ(ouvert.Valeurs()[2], 6);
}

}  // namespace
}  // namespace kv
