#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comparaison/ComparateursChaines.h"
#include "comparaison/FixtureFauxIcu.h"
#include "comparaison/ImplGestionIcu.h"
#include "plateforme/Texte.h"

namespace kv::tests {
namespace {

// One ICU of this machine for the whole suite: loading it is slow.
class TestComparateursIcu : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    GGestion = Construire<TGestionIcu>();
    GGestion->_AddRef();
    ASSERT_TRUE(GGestion->IcuDisponible());
  }
  static void TearDownTestSuite() { GGestion->_Release(); }

  static int Comparer(std::uint32_t AForce, const char16_t* ALocale, const std::u16string& A,
                      const std::u16string& B) {
    return GGestion->CreerComparateur(AForce, std::u16string(ALocale))->Compare(A, B);
  }

  static TGestionIcu* GGestion;
};

TGestionIcu* TestComparateursIcu::GGestion = nullptr;

struct TCas {
  std::uint32_t Force;
  const char16_t* Locale;
  std::u16string A;
  std::u16string B;
  int Attendu;
};

std::string Decrire(const TCas& ACas) {
  return plateforme::VersUtf8(ACas.Locale) + " force " + std::to_string(ACas.Force) + " : \"" +
         plateforme::VersUtf8(ACas.A) + "\" / \"" + plateforme::VersUtf8(ACas.B) + "\"";
}

TEST_F(TestComparateursIcu, OrdersOfTheLanguages) {
  const std::vector<TCas> cas = {
      // Accented letters sort with their base letter, not after "z".
      {ForceIdentique, u"fr-FR", u"é", u"f", -1},
      {ForceIdentique, u"fr-FR", u"élève", u"elfe", -1},
      {ForceIdentique, u"fr-FR", u"cote", u"côte", -1},
      // Accent differences count from the start of the word in France, from
      // its end in Canada.
      {ForceIdentique, u"fr-FR", u"coté", u"côte", -1},
      {ForceIdentique, u"fr-CA", u"coté", u"côte", 1},
      // Lower case first, but only where nothing else differs.
      {ForceIdentique, u"fr-FR", u"a", u"A", -1},
      {ForceIdentique, u"fr-FR", u"A", u"b", -1},
      // Swedish puts "ä" after "z"; German and the root locale do not.
      {ForceIdentique, u"sv-SE", u"ä", u"z", 1},
      {ForceIdentique, u"de-DE", u"ä", u"z", -1},
      {ForceIdentique, u"", u"ä", u"z", -1},
      // Strengths: case counts from the identical level, accents from the
      // secondary one.
      {ForceSecondaire, u"fr-FR", u"Élan", u"élan", 0},
      {ForceSecondaire, u"fr-FR", u"elan", u"élan", -1},
      {ForcePrimaire, u"fr-FR", u"elan", u"ÉLAN", 0},
      {ForcePrimaire, u"fr-FR", u"elan", u"elbe", -1},
      {ForceIdentique, u"de-DE", u"ss", u"ß", -1},
      {ForceIdentique, u"de-DE", u"ß", u"st", -1},
      // Equal for ICU at primary strength, but of different lengths: the
      // system's comparison decides.
      {ForcePrimaire, u"de-DE", u"ß", u"ss", 1},
      // A locale only ICU knows: the system cannot give its opinion, and
      // ICU's equality stands instead of a failure.
      {ForcePrimaire, u"de@collation=phonebook", u"ß", u"ss", 0},
      {ForceIdentique, u"de@collation=phonebook", u"ss", u"ß", -1},
      // Empty texts never reach ICU.
      {ForceIdentique, u"fr-FR", u"", u"", 0},
      {ForceIdentique, u"fr-FR", u"", u"a", -1},
      {ForcePrimaire, u"fr-FR", u"a", u"", 1},
  };
  for (const TCas& c : cas) {
    EXPECT_EQ(Comparer(c.Force, c.Locale, c.A, c.B), c.Attendu) << Decrire(c);
    EXPECT_EQ(Comparer(c.Force, c.Locale, c.B, c.A), -c.Attendu) << Decrire(c);
  }
}

TEST_F(TestComparateursIcu, UnusualTextsGiveAnOrderWithoutFailing) {
  const std::vector<std::u16string> textes = {
      std::u16string(u"a\0b", 3), u"ab", std::u16string(u"\0", 1), u"\xD800", u"\xDC00",
      u"a\xD800", u"a\xD800\xDC00", u"\xFFFF", u"z"};
  for (std::uint32_t force : {ForcePrimaire, ForceSecondaire, ForceIdentique}) {
    TRef<IComparateurChaines> comparateur = GGestion->CreerComparateur(force, u"fr-FR");
    for (const std::u16string& a : textes) {
      for (const std::u16string& b : textes) {
        const int ab = comparateur->Compare(a, b);
        EXPECT_TRUE(ab >= -1 && ab <= 1);
        EXPECT_EQ(ab, -comparateur->Compare(b, a)) << force;
      }
    }
    EXPECT_EQ(comparateur->Compare(textes[0], textes[0]), 0);
  }
  // At identical strength distinct texts are never equal.
  TRef<IComparateurChaines> identique = GGestion->CreerComparateur(ForceIdentique, u"fr-FR");
  EXPECT_NE(identique->Compare(textes[0], textes[1]), 0);
  EXPECT_NE(identique->Compare(textes[3], textes[4]), 0);
}

// The buffer comparison takes lengths as the platform does: a negative one
// stands for a zero-terminated text, and a null text that is not empty is a
// failure. Without ICU the same call reaches the system's comparer, so both
// must answer alike.
TEST_F(TestComparateursIcu, BuffersFollowThePlatformsLengthConvention) {
  const char16_t* abc = u"abc";
  const char16_t* autreAbc = u"abc\0z";
  struct TCasTampon {
    const char16_t* A;
    int LongueurA;
    const char16_t* B;
    int LongueurB;
    int Attendu;
  };
  const std::vector<TCasTampon> cas = {
      {abc, -1, abc, 3, 0},            // the same text, measured or not
      {abc, -1, u"", 0, 1},            // measured, it is not empty
      {u"", -1, abc, 3, -1},
      {abc, 3, autreAbc, -7, 0},       // any negative length, up to the first zero
      {abc, -2, u"abd", -1, -1},
      {nullptr, 3, u"abd", 3, -2},     // nothing to read
      {nullptr, -1, u"abd", 3, -2},
      {u"abd", 3, nullptr, -1, -2},
      {nullptr, 0, u"abd", 3, -1},     // null and empty is just empty
  };
  for (std::uint32_t force : {ForcePrimaire, ForceSecondaire, ForceIdentique}) {
    TRef<IComparateurChaines> icu = GGestion->CreerComparateur(force, u"fr-FR");
    TRef<IComparateurChaines> systeme = Nouveau<TComparateurChainesNatif>(force, u"fr-FR");
    for (const TCasTampon& c : cas) {
      const std::string description = "force " + std::to_string(force) + ", longueurs " +
                                      std::to_string(c.LongueurA) + " / " +
                                      std::to_string(c.LongueurB);
      EXPECT_EQ(icu->Compare(c.A, c.LongueurA, c.B, c.LongueurB), c.Attendu) << description;
      EXPECT_EQ(systeme->Compare(c.A, c.LongueurA, c.B, c.LongueurB), c.Attendu) << description;
    }
  }
}

// Words of one or two pieces: accents precomposed and not, both cases,
// letters that ICU expands or ties with others at some strength.
std::vector<std::u16string> MotsMelanges() {
  const std::vector<std::u16string> pieces = {
      u"a",  u"A",  u"e",       u"E",       u"\u00E9", u"\u00C9", u"\u00E8", u"e\u0301",
      u"o",  u"\u00F4", u"\u0153", u"oe",  u"s",       u"S",       u"\u00DF", u"ss",
      u"c",  u"\u00E7", u"\u00E6", u"ae",  u"\u00FC", u"u\u0308", u"n",     u"\u00F1"};
  std::vector<std::u16string> mots = pieces;
  for (const std::u16string& premiere : pieces) {
    for (const std::u16string& seconde : pieces) mots.push_back(premiere + seconde);
  }
  return mots;
}

// Signs of ACompare over every pair of AMots, as a matrix.
template <class AComparer>
std::vector<int> Signes(const std::vector<std::u16string>& AMots, AComparer ACompare) {
  const std::size_t n = AMots.size();
  std::vector<int> signes(n * n);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      const int resultat = ACompare(AMots[i], AMots[j]);
      signes[i * n + j] = (resultat > 0) - (resultat < 0);
    }
  }
  return signes;
}

// A comparison orders like a sort needs (a strict weak order) exactly when
// each word sorts by the number of words below it: then equal words have the
// same words below them, and the order is transitive. Answers the first pair
// that breaks it, empty when none does.
std::string PremiereRuptureOrdreFaible(const std::vector<std::u16string>& AMots,
                                        const std::vector<int>& ASignes) {
  const std::size_t n = AMots.size();
  std::vector<std::size_t> rangs(n);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) rangs[i] += ASignes[i * n + j] > 0;
  }
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      const int attendu = (rangs[i] > rangs[j]) - (rangs[i] < rangs[j]);
      if (ASignes[i * n + j] != attendu || ASignes[j * n + i] != -attendu) {
        return "\"" + plateforme::VersUtf8(AMots[i]) + "\" / \"" + plateforme::VersUtf8(AMots[j]) +
               "\"";
      }
    }
  }
  return {};
}

// Identical strength sorts without a second opinion: ICU's order alone is a
// strict weak order. The system's comparer is one at every strength.
TEST_F(TestComparateursIcu, ComparersThatASortCanRelyOn) {
  const std::vector<std::u16string> mots = MotsMelanges();
  TRef<IComparateurChaines> icu = GGestion->CreerComparateur(ForceIdentique, u"fr-FR");
  EXPECT_EQ(PremiereRuptureOrdreFaible(
                mots, Signes(mots, [&](const auto& A, const auto& B) { return icu->Compare(A, B); })),
            "");
  for (std::uint32_t force : {ForcePrimaire, ForceSecondaire, ForceIdentique}) {
    TRef<IComparateurChaines> systeme = Nouveau<TComparateurChainesNatif>(force, u"fr-FR");
    EXPECT_EQ(PremiereRuptureOrdreFaible(mots, Signes(mots, [&](const auto& A, const auto& B) {
                                           return systeme->Compare(A, B);
                                         })),
              "")
        << "force " << force;
  }
}

TEST_F(TestComparateursIcu, AnUnknownLocaleFallsBackToTheRoot) {
  EXPECT_EQ(Comparer(ForceIdentique, u"xx-YY", u"ä", u"z"), -1);
  EXPECT_EQ(Comparer(ForceIdentique, u"\xD800", u"ä", u"z"), -1);
}

TEST(TestComparateurNatif, FlagsFollowTheStrength) {
  EXPECT_EQ(Nouveau<TComparateurChainesNatif>(ForcePrimaire, u"fr-FR")->Options(), 3u);
  EXPECT_EQ(Nouveau<TComparateurChainesNatif>(ForceSecondaire, u"fr-FR")->Options(), 1u);
  EXPECT_EQ(Nouveau<TComparateurChainesNatif>(ForceIdentique, u"fr-FR")->Options(), 0u);
  TRef<TComparateurChainesNatif> primaire = Nouveau<TComparateurChainesNatif>(ForcePrimaire, u"");
  EXPECT_EQ(primaire->Compare(u"Élan", u"elan"), 0);
  TRef<TComparateurChainesNatif> identique = Nouveau<TComparateurChainesNatif>(ForceIdentique, u"");
  EXPECT_NE(identique->Compare(u"Élan", u"elan"), 0);
}

// With the stand-in, ICU finds a text equal to its extensions.
using TestDepartage = TFixtureFauxIcu;

TEST_F(TestDepartage, EqualForIcuButOfDifferentLengths) {
  TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
  ASSERT_TRUE(gestion->IcuDisponible());
  // Primary and secondary: the system's comparison with the same flags.
  EXPECT_EQ(gestion->CreerComparateur(ForcePrimaire, u"fr-FR")->Compare(u"ab", u"abc"), -1);
  EXPECT_EQ(gestion->CreerComparateur(ForceSecondaire, u"fr-FR")->Compare(u"abc", u"ab"), 1);
  // Identical: no second opinion, equal stays equal.
  EXPECT_EQ(gestion->CreerComparateur(ForceIdentique, u"fr-FR")->Compare(u"ab", u"abc"), 0);
  // Same length: ICU's equality stands.
  EXPECT_EQ(gestion->CreerComparateur(ForcePrimaire, u"fr-FR")->Compare(u"ab", u"ab"), 0);
}

TEST_F(TestDepartage, TheSamePointerIsNotShownToIcu) {
  TRef<TGestionIcu> gestion = Nouveau<TGestionIcu>(std::vector{Emplacement("complet")});
  TRef<IComparateurChaines> comparateur = gestion->CreerComparateur(ForceIdentique, u"fr-FR");
  Journal();
  const char16_t* texte = u"abcde";
  EXPECT_EQ(comparateur->Compare(texte, 3, texte, 5), -1);
  EXPECT_EQ(comparateur->Compare(texte, 5, texte, 5), 0);
  EXPECT_EQ(comparateur->Compare(texte, 0, u"x", 1), -1);
  EXPECT_TRUE(Journal().empty());
  EXPECT_EQ(comparateur->Compare(texte, 3, u"abd", 3), -1);
  EXPECT_EQ(Journal(), std::vector<std::string>{"ucol_strcoll"});
}

}  // namespace
}  // namespace kv::tests
