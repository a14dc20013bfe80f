#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "environnement/TypesProduits.h"

namespace kv {
namespace {

bool MajusculesSeulement(std::u16string_view ATexte) {
  if (ATexte.empty()) return false;
  for (const char16_t c : ATexte) {
    if (c < u'A' || c > u'Z') return false;
  }
  return true;
}

template <class AEnum>
AEnum Ordinal(int AOrdinal) {
  return static_cast<AEnum>(static_cast<std::uint8_t>(AOrdinal));
}

TEST(TypesProduits, ProduitsAucunEtHorsTableSansCode) {
  for (const int ordinal : {0, 17, 18, 255}) {
    EXPECT_EQ(CodeProduit(Ordinal<TypeProduit>(ordinal)), u"") << ordinal;
    EXPECT_EQ(LibelleProduit(Ordinal<TypeProduit>(ordinal)), u"") << ordinal;
  }
}

TEST(TypesProduits, CodesDistinctsEnMajusculesEtLibellesEgauxSaufLOnzieme) {
  std::set<std::u16string> codes;
  std::set<std::u16string> libelles;
  for (int ordinal = 1; ordinal <= 16; ++ordinal) {
    const std::u16string code = CodeProduit(Ordinal<TypeProduit>(ordinal));
    const std::u16string libelle = LibelleProduit(Ordinal<TypeProduit>(ordinal));
    EXPECT_TRUE(MajusculesSeulement(code)) << ordinal;
    codes.insert(code);
    libelles.insert(libelle);
    if (ordinal != 11) {
      EXPECT_EQ(libelle, code) << ordinal;
    }
  }
  EXPECT_EQ(codes.size(), 16u);
  EXPECT_EQ(libelles.size(), 16u);

  const std::u16string libelle11 = LibelleProduit(TypeProduit::prPortailWeb);
  EXPECT_NE(libelle11, CodeProduit(TypeProduit::prPortailWeb));
  const auto espace = libelle11.find(u' ');
  ASSERT_NE(espace, std::u16string::npos);
  EXPECT_EQ(libelle11.find(u' ', espace + 1), std::u16string::npos) << "deux mots attendus";
  EXPECT_GT(espace, 0u);
  EXPECT_LT(espace + 1, libelle11.size());
}

TEST(TypesProduits, ProduitDesOutils) {
  EXPECT_EQ(static_cast<int>(TypeProduit::prOutils), 8);
  EXPECT_EQ(CodeProduit(TypeProduit::prOutils), u"OUTILS");
}

// The codes become folder names: each must be usable as one and none may repeat.
TEST(TypesProduits, CodesGenresEtPays) {
  std::set<std::u16string_view> genres(CodesGenresApplication.begin(),
                                       CodesGenresApplication.end());
  EXPECT_EQ(genres.size(), 17u);
  for (const auto code : CodesGenresApplication) EXPECT_TRUE(MajusculesSeulement(code));
  EXPECT_EQ(CodeGenreApplication(TypeGenreApplication::gaMonoposte), u"MONOPOSTE");
  EXPECT_EQ(CodeGenreApplication(TypeGenreApplication::gaIndefini), u"INDEFINI");
  EXPECT_EQ(static_cast<int>(TypeGenreApplication::gaIndefini), 13);
  EXPECT_EQ(CodeGenreApplication(TypeGenreApplication::gaClientEchangeData), u"CLIENTECHANGEDATA");
  EXPECT_EQ(CodeGenreApplication(Ordinal<TypeGenreApplication>(17)), u"");

  std::set<std::u16string_view> pays(CodesPaysDistribution.begin(), CodesPaysDistribution.end());
  EXPECT_EQ(pays.size(), 10u);
  for (const auto code : CodesPaysDistribution) {
    EXPECT_TRUE(MajusculesSeulement(code) && code.size() == 2)
        << std::string(code.begin(), code.end());
  }
  EXPECT_EQ(CodePaysDistribution(TypePaysDistribution::pdFrance), u"FR");
  EXPECT_EQ(CodePaysDistribution(TypePaysDistribution::pdEtatsUnis), u"US");
  EXPECT_EQ(CodePaysDistribution(Ordinal<TypePaysDistribution>(10)), u"");
}

TEST(TypesProduits, NomsEnvironnementsDeploiement) {
  EXPECT_EQ(NomEnvironnementDeploiement(TypeEnvironnementDeploiement::edProduction), u"production");
  EXPECT_EQ(NomEnvironnementDeploiement(TypeEnvironnementDeploiement::edStaging), u"staging");
  EXPECT_EQ(NomEnvironnementDeploiement(TypeEnvironnementDeploiement::edDevelopment),
            u"development");
  EXPECT_EQ(NomEnvironnementDeploiement(Ordinal<TypeEnvironnementDeploiement>(3)), u"");
}

TEST(TypesProduits, UnOctetChacun) {
  static_assert(sizeof(TypePaysDistribution) == 1);
  static_assert(sizeof(TypeProduit) == 1);
  static_assert(sizeof(TypeGenreApplication) == 1);
  static_assert(sizeof(TypeEnvironnementDeploiement) == 1);
  EXPECT_EQ(static_cast<int>(TypeProduit::prSynchronisation), 16);
  EXPECT_EQ(static_cast<int>(TypeGenreApplication::gaClientEchangeData), 16);
  EXPECT_EQ(static_cast<int>(TypePaysDistribution::pdEtatsUnis), 9);
}

}  // namespace
}  // namespace kv
