#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "environnement/TypeVersion.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

using TypeNumeros = TypeVersion::TypeNumeros;
using TypeOctets = TypeVersion::TypeOctets;

std::string Afficher(const TypeVersion& AVersion) {
  return plateforme::VersUtf8(AVersion.EnChaine(u".", 0)) + " (" +
         std::to_string(AVersion.Numeros.size()) + " numéros)";
}

// Checks that AAppel raises ENumerosVersionInvalides with its fixed message.
template <class AAppel>
void AttendreNumerosInvalides(AAppel AAppelFautif) {
  try {
    AAppelFautif();
    ADD_FAILURE() << "ENumerosVersionInvalides attendue";
  } catch (const ENumerosVersionInvalides& e) {
    EXPECT_EQ(e.Message(), u"Numéros de version invalides.");
    EXPECT_EQ(e.NomClasse(), u"ENumerosVersionInvalides");
  }
}

TEST(TypeVersion, LectureDuTexte) {
  struct TypeCas {
    std::u16string Texte;
    std::optional<TypeNumeros> Attendu;  // nothing: the text is refused
  };
  const TypeCas cas[] = {
      {u"", TypeNumeros{}},
      {u"abc-.", TypeNumeros{}},
      {u"1.2.3", TypeNumeros{1, 2, 3}},
      {u"10.2-beta3", TypeNumeros{10, 2, 3}},
      {u"1..2", TypeNumeros{1, 2}},
      {u".1.2.", TypeNumeros{1, 2}},
      {u"007.0010", TypeNumeros{7, 10}},
      {u"v1, 2;3\t4", TypeNumeros{1, 2, 3, 4}},
      {u"999999999", TypeNumeros{999999999}},
      {u"000000000.1", TypeNumeros{0, 1}},
      {u"1234567890", std::nullopt},
      {u"0000000001", std::nullopt},
      {u"1.2.4294967295", std::nullopt},
      {u"1.99999999999999999999", std::nullopt},
      // Only ASCII digits count: others separate like any character.
      {u"\uFF11.2", TypeNumeros{2}},
      {u"3\u0661\u06624", TypeNumeros{3, 4}},
      {u"1\u00B22", TypeNumeros{1, 2}},
  };
  for (const TypeCas& c : cas) {
    const std::string texte = plateforme::VersUtf8(c.Texte);
    SCOPED_TRACE(texte);
    TypeVersion version{9, 9};
    const bool lu = TypeVersion::TryDepuisChaine(c.Texte, version);
    EXPECT_EQ(lu, c.Attendu.has_value()) << texte;
    EXPECT_EQ(version.Numeros, c.Attendu.value_or(TypeNumeros{})) << texte;
    if (c.Attendu) {
      EXPECT_EQ(TypeVersion::DepuisChaine(c.Texte).Numeros, *c.Attendu) << texte;
    } else {
      AttendreNumerosInvalides([&] { TypeVersion::DepuisChaine(c.Texte); });
    }
  }
}

TEST(TypeVersion, EcritureDuTexte) {
  struct TypeCas {
    TypeVersion Version;
    std::u16string Separateur;
    std::int32_t CommencerA;
    std::u16string Attendu;
  };
  const TypeCas cas[] = {
      {{5, 1, 3}, u".", 0, u"5.1.3"},
      {{5, 1, 3}, u"-", 1, u"1-3"},
      {{5, 1, 3}, u".", 2, u"3"},
      {{5, 1, 3}, u".", 3, u""},
      {{5, 1, 3}, u".", 100, u""},
      {{}, u".", 0, u""},
      {{4294967295u, 0}, u" / ", 0, u"4294967295 / 0"},
      {{1, 2}, u"", 0, u"12"},
  };
  for (const TypeCas& c : cas) {
    EXPECT_EQ(c.Version.EnChaine(c.Separateur, c.CommencerA), c.Attendu)
        << Afficher(c.Version) << " depuis " << c.CommencerA;
  }
  EXPECT_THROW((TypeVersion{1, 2}.EnChaine(u".", -1)), EArgumentInvalide);
}

// The text of a version reads back as the same version while every number has
// at most nine digits; a number of ten digits is refused on reading.
TEST(TypeVersion, TexteRelu) {
  for (const TypeVersion& version :
       {TypeVersion{}, TypeVersion{0}, TypeVersion{1, 0, 0}, TypeVersion{999999999, 7}}) {
    EXPECT_EQ(TypeVersion::DepuisChaine(version.EnChaine()), version) << Afficher(version);
    EXPECT_EQ(TypeVersion::DepuisChaine(version.EnChaine(u"-", 0)), version) << Afficher(version);
  }
  TypeVersion relue;
  EXPECT_FALSE(TypeVersion::TryDepuisChaine(TypeVersion{1000000000}.EnChaine(), relue));
}

TEST(TypeVersion, LectureDesOctets) {
  struct TypeCas {
    TypeOctets Octets;
    std::optional<TypeNumeros> Attendu;
  };
  const TypeCas cas[] = {
      {{}, TypeNumeros{}},
      {{1, 2, 3}, TypeNumeros{1, 2, 3}},
      {{254}, TypeNumeros{254}},
      {{0, 255, 255}, TypeNumeros{0, 255, 255}},
      {{0xFF}, TypeNumeros{}},
      {{0xFF, 0, 0, 0, 5}, TypeNumeros{5}},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, TypeNumeros{4294967295u}},
      {{0xFF, 1, 2, 3, 4, 0, 0, 1, 0}, TypeNumeros{0x01020304, 256}},
      {{0xFF, 1}, std::nullopt},
      {{0xFF, 0, 0, 0}, std::nullopt},
      {{0xFF, 0, 0, 0, 1, 2}, std::nullopt},
      {{0xFF, 0, 0, 0, 1, 2, 3, 4}, std::nullopt},
  };
  for (const TypeCas& c : cas) {
    const std::string octets = ::testing::PrintToString(c.Octets);
    SCOPED_TRACE(octets);
    if (c.Attendu) {
      EXPECT_EQ(TypeVersion(c.Octets).Numeros, *c.Attendu) << octets;
    } else {
      AttendreNumerosInvalides([&] { TypeVersion version(c.Octets); });
    }
  }
}

TEST(TypeVersion, EcritureDesOctets) {
  struct TypeCas {
    TypeVersion Version;
    TypeOctets Attendu;
  };
  const TypeCas cas[] = {
      {{}, {}},
      {{254}, {254}},
      {{254, 255, 0}, {254, 255, 0}},
      {{0, 0}, {0, 0}},
      // The first number is never written 255 in the compact form: that byte
      // marks the long one.
      {{255}, {0xFF, 0, 0, 0, 255}},
      {{1, 256}, {0xFF, 0, 0, 0, 1, 0, 0, 1, 0}},
      {{0x01020304}, {0xFF, 1, 2, 3, 4}},
      {{3, 4294967295u}, {0xFF, 0, 0, 0, 3, 0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const TypeCas& c : cas) {
    const auto octets = static_cast<TypeOctets>(c.Version);
    EXPECT_EQ(octets, c.Attendu) << Afficher(c.Version);
    EXPECT_EQ(TypeVersion(octets), c.Version) << Afficher(c.Version);
  }
}

TEST(TypeVersion, ComparaisonsEtOperateurs) {
  struct TypeCas {
    TypeVersion Gauche;
    TypeVersion Droite;
    int Attendu;
  };
  const TypeCas cas[] = {
      {{}, {}, 0},
      {{}, {0}, -1},
      {{1, 2}, {1, 2}, 0},
      {{1, 2}, {1, 2, 0}, -1},
      {{1, 10}, {1, 9}, 1},
      {{1, 10}, {1, 9, 5}, 1},
      {{2}, {1, 99, 99}, 1},
      {{0x80000000u}, {1}, 1},  // unsigned: the high bit does not make it negative
      {{4294967295u}, {0}, 1},
  };
  for (const TypeCas& c : cas) {
    const std::string paire = Afficher(c.Gauche) + " / " + Afficher(c.Droite);
    EXPECT_EQ(TypeVersion::Comparer(c.Gauche, c.Droite), c.Attendu) << paire;
    EXPECT_EQ(TypeVersion::Comparer(c.Droite, c.Gauche), -c.Attendu) << paire;
    EXPECT_EQ(TypeVersion::ComparerNumeros(c.Gauche.Numeros, c.Droite.Numeros), c.Attendu) << paire;
    EXPECT_EQ(c.Gauche == c.Droite, c.Attendu == 0) << paire;
    EXPECT_EQ(c.Gauche != c.Droite, c.Attendu != 0) << paire;
    EXPECT_EQ(c.Gauche < c.Droite, c.Attendu < 0) << paire;
    EXPECT_EQ(c.Gauche <= c.Droite, c.Attendu <= 0) << paire;
    EXPECT_EQ(c.Gauche > c.Droite, c.Attendu > 0) << paire;
    EXPECT_EQ(c.Gauche >= c.Droite, c.Attendu >= 0) << paire;
  }
}

TEST(TypeVersion, Inclusion) {
  struct TypeCas {
    TypeVersion Version1;
    TypeVersion Version2;
    bool Attendu;
  };
  const TypeCas cas[] = {
      {{1, 2, 3}, {1, 2}, true},
      {{1}, {1, 0}, true},
      {{1, 3}, {1, 2}, false},
      {{7, 1}, {}, true},
      {{}, {}, true},
      {{}, {0, 0}, true},
      {{}, {0, 0, 1}, false},
      {{1, 2}, {1, 2, 0}, true},
      {{1, 2}, {1, 2, 1}, false},
      {{1, 2, 0, 0}, {1, 2}, true},
      {{1, 2}, {1, 2, 3}, false},
      {{2}, {1}, false},
  };
  for (const TypeCas& c : cas) {
    EXPECT_EQ(TypeVersion::EstInclue(c.Version1, c.Version2), c.Attendu)
        << Afficher(c.Version1) << " dans " << Afficher(c.Version2);
  }
}

TEST(TypeVersion, CoupeeOuCompleteeDeZeros) {
  EXPECT_EQ(TypeVersion(TypeVersion{2024, 1, 3, 7}, 2).Numeros, (TypeNumeros{2024, 1}));
  EXPECT_EQ(TypeVersion(TypeVersion{2024, 1, 3, 7}, 2).EnChaine(u"-", 0), u"2024-1");
  EXPECT_EQ(TypeVersion(TypeVersion{5}, 3).Numeros, (TypeNumeros{5, 0, 0}));
  EXPECT_EQ(TypeVersion(TypeVersion{5}, 0).Numeros, TypeNumeros{});
  EXPECT_EQ(TypeVersion(TypeVersion{}, 2).Numeros, (TypeNumeros{0, 0}));
  EXPECT_THROW(TypeVersion(TypeVersion{1}, -1), EArgumentInvalide);
}

TEST(TypeVersion, VersionMajeure) {
  EXPECT_EQ(TypeVersion{}.VersionMajeure(), 0u);
  EXPECT_EQ((TypeVersion{7, 1}.VersionMajeure()), 7u);
  EXPECT_EQ(TypeVersion{4294967295u}.VersionMajeure(), 4294967295u);
}

// Generic code finds the comparer through the type's declaration and sorts
// with it as the operators do.
TEST(TypeVersion, ComparateurParDefautTrie) {
  const DefaultComparer attribut = ComparateurParDefaut<TypeVersion>();
  ASSERT_TRUE(attribut.Comparateur());
  const std::vector<TypeVersion> ordre = {{},      {0},    {1},           {1, 2},       {1, 2, 0},
                                          {1, 10}, {2, 0}, {0x80000000u}, {4294967295u}};
  std::vector<TypeVersion> versions = {ordre[6], ordre[3], ordre[8], ordre[0], ordre[5],
                                       ordre[1], ordre[7], ordre[4], ordre[2]};
  IComparateurNonType& comparateur = *attribut.Comparateur();
  std::sort(versions.begin(), versions.end(), [&](const TypeVersion& A, const TypeVersion& B) {
    return comparateur.Comparer(&A, &B) < 0;
  });
  EXPECT_EQ(versions, ordre);
  const TypeVersion a{1, 2};
  const TypeVersion b{1, 2};
  EXPECT_EQ(comparateur.Comparer(&a, &b), 0);
  EXPECT_EQ(TComparerVersion::ComparerVersion(&ordre[2], &ordre[1]), 1);
}

}  // namespace
}  // namespace kv
