#include <gtest/gtest.h>
#include <sys/mman.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <cerrno>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "outils/DossierTemporaire.h"
#include "outils/ProcessusEnfant.h"
#include "outils/VariableTemporaire.h"
#include "plateforme/Casse.h"
#include "plateforme/ComparaisonLocale.h"
#include "plateforme/Locales.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

using namespace std::string_view_literals;

// No machine has a locale by this name, so it compares as the invariant one.
constexpr const char16_t* LocaleAbsente = u"xx-XX";

int Comparer(std::u16string_view A1, std::u16string_view A2, std::uint32_t AOptions,
             const char16_t* ALocale = u"") {
  return CompareStringExSysteme(ALocale, AOptions, A1.data(), static_cast<int>(A1.size()),
                                A2.data(), static_cast<int>(A2.size()));
}

std::string Decrire(std::u16string_view ATexte) {
  std::string description;
  for (const char16_t c : ATexte) description += testing::PrintToString(static_cast<int>(c)) + " ";
  return description;
}

// The expectations are this machine's built-in UTF-8 collation: code point order.
TEST(ComparaisonLocale, OptionsSurLaCollationInvariante) {
  struct TypeCas {
    std::u16string_view Texte1, Texte2;
    int Resultats[4];  // options 0, IgnorerCasse, IgnorerDiacritiques, both
  } const cas[] = {
      {u"a", u"A", {3, 2, 3, 2}},
      {u"abc", u"abd", {1, 1, 1, 1}},
      {u"", u"a", {1, 1, 1, 1}},
      {u"\u00E9", u"e", {3, 3, 2, 2}},
      {u"\u00C9t\u00E9", u"ete", {3, 3, 1, 2}},
      {u"e\u0301", u"\u00E9", {1, 1, 2, 2}},
      {u"\u00C7a", u"ca", {3, 3, 1, 2}},
      {u"\u0178", u"y", {3, 3, 1, 2}},
      {u"\u0151", u"o", {3, 3, 2, 2}},
      // No decomposition: never taken for a base letter.
      {u"\u00C6r\u00F8", u"Aero", {3, 3, 3, 3}},
      {u"\u00DF", u"ss", {3, 3, 3, 3}},
      {u"\u0391\u03A9", u"\u03B1\u03C9", {1, 2, 1, 2}},
      {u"\U00010400", u"\U00010428", {1, 2, 1, 2}},
      // Code points, not UTF-16 units, are compared.
      {u"\U0001F600", u"\uFFFD", {3, 3, 3, 3}},
      // A lone surrogate is U+FFFD, told apart only at full strength.
      {u"\xD800", u"\uFFFD", {1, 2, 2, 2}},
  };
  for (const char16_t* locale : {u"", LocaleAbsente}) {
    for (const TypeCas& c : cas) {
      for (std::uint32_t options = 0; options < 4; ++options) {
        SCOPED_TRACE(VersUtf8(c.Texte1) + " / " + VersUtf8(c.Texte2) + " options " +
                     std::to_string(options) + " locale " + VersUtf8(locale));
        EXPECT_EQ(Comparer(c.Texte1, c.Texte2, options, locale), c.Resultats[options]);
        EXPECT_EQ(Comparer(c.Texte2, c.Texte1, options, locale), 4 - c.Resultats[options]);
        // Bits other than the two options change nothing.
        EXPECT_EQ(Comparer(c.Texte1, c.Texte2, options | 0xF0000000u, locale),
                  c.Resultats[options]);
      }
    }
  }
}

TEST(ComparaisonLocale, CollationDeLaMachinePourLaLocaleDemandee) {
  // The machine has no locale but the built-in ones, so the test builds one in
  // a folder of its own and points the system at it.
  const tests::TDossierTemporaire dossier;
  tests::TypeLancement lancement;
  lancement.Executable = "/usr/bin/localedef";
  lancement.Arguments = {"-i", "de_AT", "-f", "UTF-8", dossier.Chemin() / "de_AT.UTF-8"};
  const tests::TypeResultat construction = tests::Lancer(lancement);
  ASSERT_EQ(construction.CodeSortie, 0) << construction.Sortie << construction.Erreur;
  const tests::TVariableTemporaire chemin("LOCPATH", dossier.Chemin().string());
#if defined(__SANITIZE_ADDRESS__)
  // The system library never frees the list of folders it makes from LOCPATH.
  const __lsan::ScopedDisabler sansFuites;
#endif

  // Code point order puts capitals first; the German alphabet does not.
  EXPECT_EQ(Comparer(u"a", u"B", 0, u""), ComparaisonSuperieure);
  EXPECT_EQ(Comparer(u"a", u"B", 0, u"de-AT"), ComparaisonInferieure);
  EXPECT_EQ(Comparer(u"\u00E4", u"b", 0, u"DE_at"), ComparaisonInferieure);
  EXPECT_EQ(CompareStringSysteme(0x0C07, 0, u"a", -1, u"B", -1), ComparaisonInferieure);
  // Case still tells texts apart at full strength, and only there.
  EXPECT_NE(Comparer(u"a", u"A", 0, u"de-AT"), ComparaisonEgale);
  EXPECT_EQ(Comparer(u"\u00C4pfel", u"\u00E4pfel", IgnorerCasse, u"de-AT"), ComparaisonEgale);
  EXPECT_EQ(Comparer(u"\u00C4pfel", u"apfel", IgnorerCasse | IgnorerDiacritiques, u"de-AT"),
            ComparaisonEgale);
}

TEST(ComparaisonLocale, LettresPrecomposeesEgalesALeurDecomposition) {
  const std::u16string_view paires[][2] = {
      {u"\u00C5", u"A\u030A"}, {u"\u00C7", u"C\u0327"}, {u"\u00D1", u"N\u0303"},
      {u"\u00D6", u"O\u0308"}, {u"\u00DD", u"Y\u0301"}, {u"\u00E0", u"a\u0300"},
      {u"\u00EF", u"i\u0308"}, {u"\u00F5", u"o\u0303"}, {u"\u00FC", u"u\u0308"},
      {u"\u00FF", u"y\u0308"}, {u"\u0105", u"a\u0328"}, {u"\u010F", u"d\u030C"},
      {u"\u011B", u"e\u030C"}, {u"\u011E", u"G\u0306"}, {u"\u0123", u"g\u0327"},
      {u"\u0124", u"H\u0302"}, {u"\u012F", u"i\u0328"}, {u"\u0130", u"I\u0307"},
      {u"\u0135", u"j\u0302"}, {u"\u013D", u"L\u030C"}, {u"\u0144", u"n\u0301"},
      {u"\u014C", u"O\u0304"}, {u"\u0150", u"O\u030B"}, {u"\u0159", u"r\u030C"},
      {u"\u015E", u"S\u0327"}, {u"\u0161", u"s\u030C"}, {u"\u0162", u"T\u0327"},
      {u"\u016F", u"u\u030A"}, {u"\u0171", u"u\u030B"}, {u"\u0174", u"W\u0302"},
      {u"\u0178", u"Y\u0308"}, {u"\u017E", u"z\u030C"},
  };
  for (const auto& paire : paires) {
    SCOPED_TRACE(VersUtf8(paire[0]));
    EXPECT_EQ(Comparer(paire[0], paire[1], IgnorerDiacritiques), ComparaisonEgale);
    EXPECT_NE(Comparer(paire[0], paire[1], 0), ComparaisonEgale);
    EXPECT_NE(Comparer(paire[0], paire[1], IgnorerCasse), ComparaisonEgale);
  }
}

// The letter among A-Z and a-z that ACaractere equals with IgnorerDiacritiques,
// or 0.
char16_t LettreDeBase(char16_t ACaractere) {
  char16_t trouvee = 0;
  for (const char16_t premiere : {u'A', u'a'}) {
    for (char16_t lettre = premiere; lettre < premiere + 26; ++lettre) {
      if (Comparer(std::u16string(1, ACaractere), std::u16string(1, lettre), IgnorerDiacritiques) ==
          ComparaisonEgale) {
        EXPECT_EQ(trouvee, 0) << "two base letters";
        trouvee = lettre;
      }
    }
  }
  return trouvee;
}

TEST(ComparaisonLocale, LettresSansDecompositionRestent) {
  for (const char16_t c :
       u"\u00C6\u00D0\u00D7\u00D8\u00DE\u00DF\u00E6\u00F0\u00F7\u00F8\u00FE"
       u"\u0110\u0111\u0126\u0127\u0131\u0132\u0138\u013F\u0140\u0141\u0142"
       u"\u0149\u014A\u014B\u0152\u0153\u0166\u0167\u017F"sv) {
    EXPECT_EQ(LettreDeBase(c), 0) << std::hex << static_cast<int>(c);
    EXPECT_EQ(LettreDeBase(EnMinuscules(std::u16string(1, c))[0]), 0)
        << std::hex << static_cast<int>(c);
  }
  // Capital and small letter of a pair lose their marks alike.
  int avecBase = 0;
  for (char16_t c = 0xC0; c < 0x180; ++c) {
    const char16_t minuscule = EnMinuscules(std::u16string(1, c))[0];
    if (minuscule == c) continue;
    const char16_t base = LettreDeBase(c);
    EXPECT_EQ(EnMinuscules(std::u16string(1, base)), std::u16string(1, LettreDeBase(minuscule)))
        << std::hex << static_cast<int>(c);
    if (base != 0) ++avecBase;
  }
  EXPECT_EQ(avecBase, 81);
}

TEST(ComparaisonLocale, MarquesCombinantesIgnorees) {
  for (const char16_t marque :
       {0x0300, 0x036F, 0x1AB0, 0x1AFF, 0x1DC0, 0x1DFF, 0x20D0, 0x20FF, 0xFE20, 0xFE2F}) {
    const std::u16string texte = u"a" + std::u16string(1, marque) + u"b";
    SCOPED_TRACE(Decrire(texte));
    EXPECT_EQ(Comparer(texte, u"ab", IgnorerDiacritiques), ComparaisonEgale);
    EXPECT_EQ(Comparer(std::u16string(3, marque), u"", IgnorerDiacritiques), ComparaisonEgale);
    EXPECT_NE(Comparer(texte, u"ab", 0), ComparaisonEgale);
  }
  // Just outside each range.
  for (const char16_t autre :
       {0x02FF, 0x0370, 0x1AAF, 0x1B00, 0x1DBF, 0x1E00, 0x20CF, 0x2100, 0xFE1F, 0xFE30}) {
    const std::u16string texte = u"a" + std::u16string(1, autre) + u"b";
    EXPECT_NE(Comparer(texte, u"ab", IgnorerCasse | IgnorerDiacritiques), ComparaisonEgale)
        << Decrire(texte);
  }
}

TEST(ComparaisonLocale, ZerosSeparentDesMorceaux) {
  struct TypeCas {
    std::u16string_view Texte1, Texte2;
    std::uint32_t Options;
    int Resultat;
  } const cas[] = {
      {u"a\0b"sv, u"a\0c"sv, IgnorerCasse, 1},  // past the first zero
      {u"a\0B"sv, u"a\0b"sv, IgnorerCasse, 2},
      {u"a\0b"sv, u"a\0b"sv, 0, 2},
      {u"a\0b"sv, u"a"sv, IgnorerCasse, 3},
      {u"a"sv, u"a\0"sv, IgnorerCasse, 1},  // fewer pieces first
      {u"\0"sv, u""sv, IgnorerCasse, 3},
      {u"a\0\0"sv, u"a\0"sv, IgnorerCasse, 3},
      {u"b"sv, u"a\0c"sv, 0, 3},  // the first piece decides
      {u"ab"sv, u"a\0b"sv, IgnorerCasse, 3},
  };
  for (const TypeCas& c : cas) {
    SCOPED_TRACE(Decrire(c.Texte1) + "/ " + Decrire(c.Texte2));
    EXPECT_EQ(Comparer(c.Texte1, c.Texte2, c.Options), c.Resultat);
    EXPECT_EQ(Comparer(c.Texte2, c.Texte1, c.Options), 4 - c.Resultat);
  }
}

TEST(ComparaisonLocale, LongueursEtPointeurs) {
  const char16_t* abc = u"abc";
  EXPECT_EQ(CompareStringExSysteme(u"", 0, abc, -1, abc, 3), ComparaisonEgale);
  EXPECT_EQ(CompareStringExSysteme(u"", 0, u"ab\0c", -1, u"ab", 2), ComparaisonEgale);
  EXPECT_EQ(CompareStringExSysteme(u"", 0, u"ab\0c", -1, u"ab\0c", 4), ComparaisonInferieure);
  EXPECT_EQ(CompareStringExSysteme(u"", 0, nullptr, 0, u"", -1), ComparaisonEgale);
  EXPECT_EQ(CompareStringExSysteme(u"", 0, u"a", 1, nullptr, 0), ComparaisonSuperieure);
  // Every negative length means up to the first zero, as the framework's
  // callers were written for.
  EXPECT_EQ(CompareStringExSysteme(u"", 0, abc, -2, abc, 3), ComparaisonEgale);
  EXPECT_EQ(CompareStringExSysteme(u"", 0, abc, INT_MIN, u"abd", -7), ComparaisonInferieure);

  struct TypeCas {
    const char16_t* Texte;
    int Longueur;
  } const refuses[] = {{nullptr, 1}, {nullptr, -1}, {nullptr, INT_MIN}};
  for (const TypeCas& c : refuses) {
    SCOPED_TRACE(c.Longueur);
    errno = 0;
    EXPECT_EQ(CompareStringExSysteme(u"", 0, c.Texte, c.Longueur, abc, 3), 0);
    EXPECT_EQ(errno, EINVAL);
    errno = 0;
    EXPECT_EQ(CompareStringSysteme(IdLocaleInvariante, 0, abc, 3, c.Texte, c.Longueur), 0);
    EXPECT_EQ(errno, EINVAL);
  }
}

TEST(ComparaisonLocale, NomsEtIdentifiantsDeLocales) {
  const tests::TVariableTemporaire locale("LC_ALL", "C.UTF-8");
  // Null: the user's locale.
  EXPECT_EQ(CompareStringExSysteme(nullptr, 0, u"a", -1, u"A", -1), ComparaisonSuperieure);
  EXPECT_EQ(CompareStringSysteme(IdLocaleUtilisateurParDefaut, 0, u"a", -1, u"A", -1),
            ComparaisonSuperieure);
  // Installed here or not, a known locale compares.
  EXPECT_EQ(CompareStringSysteme(0x040C, IgnorerCasse, u"\u00C9t\u00C9", -1, u"\u00E9t\u00E9", -1),
            ComparaisonEgale);
  EXPECT_EQ(CompareStringExSysteme(u"FR-fr", IgnorerDiacritiques, u"\u00E9", -1, u"e", -1),
            ComparaisonEgale);

  const std::u16string tropLong(LongueurMaxNomLocale + 50, u'a');
  for (const char16_t* refuse : {u"fr_FR.UTF-8", u"../../tmp/x", u"fr@euro", tropLong.c_str()}) {
    errno = 0;
    EXPECT_EQ(CompareStringExSysteme(refuse, 0, u"a", -1, u"b", -1), 0) << VersUtf8(refuse);
    EXPECT_EQ(errno, EINVAL);
  }
  errno = 0;
  EXPECT_EQ(CompareStringSysteme(0x1234, 0, u"a", -1, u"b", -1), 0);
  EXPECT_EQ(errno, EINVAL);
}

TEST(ComparaisonLocale, SurrogatsIsolesSansPlantageEtAntisymetriques) {
  const std::u16string_view textes[] = {
      u""sv,
      u"a"sv,
      u"\xD800"sv,
      u"\xDBFF"sv,
      u"\xDC00"sv,
      u"\xDFFF"sv,
      u"\xD800\xD800"sv,
      u"\xDC00\xD800"sv,
      u"\xD800\xDC00"sv,
      u"a\xD800z"sv,
      u"\uFFFD"sv,
      u"\U0010FFFF"sv,
  };
  for (std::uint32_t options = 0; options < 4; ++options) {
    for (const auto t1 : textes) {
      for (const auto t2 : textes) {
        SCOPED_TRACE(Decrire(t1) + "/ " + Decrire(t2) + "options " + std::to_string(options));
        const int aller = Comparer(t1, t2, options);
        const int retour = Comparer(t2, t1, options);
        ASSERT_TRUE(aller >= 1 && aller <= 3);
        EXPECT_EQ(aller + retour, 4);
        if (options == 0) {
          EXPECT_EQ(aller == ComparaisonEgale, t1 == t2);
        }
      }
    }
  }
}

TEST(ComparaisonLocale, LocalesAbsentesCommeLInvariante) {
  // More missing locales than the cache keeps, from two threads at once.
  auto comparer = [](int ADebut) {
    for (int i = ADebut; i < ADebut + 100; ++i) {
      const std::u16string nom = {static_cast<char16_t>(u'a' + i / 26 % 26),
                                  static_cast<char16_t>(u'a' + i % 26), u'-', u'Z', u'Z'};
      EXPECT_EQ(Comparer(u"a", u"A", 0, nom.c_str()), ComparaisonSuperieure);
      EXPECT_EQ(Comparer(u"\u00C9", u"e", IgnorerCasse | IgnorerDiacritiques, nom.c_str()),
                ComparaisonEgale);
    }
  };
  std::thread autre(comparer, 0);
  comparer(50);
  autre.join();
}

struct TypeAppel {
  std::uint32_t Lcid;
  std::uint32_t Options;
  std::u16string Texte1;
  std::u16string Texte2;
  bool operator==(const TypeAppel&) const = default;
};
std::vector<TypeAppel> Appels;

std::u16string Texte(const char16_t* AChaine, int ALongueur) {
  return ALongueur < 0 ? std::u16string(AChaine) : std::u16string(AChaine, ALongueur);
}

int Espion(std::uint32_t ALcid, std::uint32_t AOptions, const char16_t* AChaine1, int ALongueur1,
           const char16_t* AChaine2, int ALongueur2) {
  Appels.push_back({ALcid, AOptions, Texte(AChaine1, ALongueur1), Texte(AChaine2, ALongueur2)});
  return ComparaisonSuperieure;
}

int EspionEnEchec(std::uint32_t, std::uint32_t, const char16_t*, int, const char16_t*, int) {
  Appels.push_back({});
  return 0;
}

TEST(ComparaisonLocale, RemplacementDeLEntree) {
  Appels.clear();
  const TypeFonctionCompareString precedente = RemplacerCompareString(&Espion);
  EXPECT_EQ(precedente, &CompareStringSysteme);
  EXPECT_EQ(CompareString(0x040C, IgnorerDiacritiques, u"x", 1, u"yz", -1), ComparaisonSuperieure);
  EXPECT_EQ(ComparerChaines(u"a\0b"sv, u"c"), 1);
  EXPECT_EQ(ComparerTexte(u"d", u""), 1);
  EXPECT_FALSE(MemeTexte(u"e", u"e"));
  const std::vector<TypeAppel> attendus = {
      {0x040C, IgnorerDiacritiques, u"x", u"yz"},
      {IdLocaleUtilisateurParDefaut, 0, std::u16string(u"a\0b"sv), u"c"},
      {IdLocaleUtilisateurParDefaut, IgnorerCasse, u"d", u""},
      {IdLocaleUtilisateurParDefaut, IgnorerCasse, u"e", u"e"},
  };
  EXPECT_TRUE(Appels == attendus);

  EXPECT_EQ(RemplacerCompareString(&EspionEnEchec), &Espion);
  EXPECT_EQ(ComparerChaines(u"a", u"a"), -2);
  EXPECT_EQ(Appels.size(), attendus.size() + 1);
  // Null puts the system's own back.
  EXPECT_EQ(RemplacerCompareString(nullptr), &EspionEnEchec);
  EXPECT_EQ(CompareString(IdLocaleInvariante, 0, u"a", -1, u"b", -1), ComparaisonInferieure);
  EXPECT_EQ(Appels.size(), attendus.size() + 1);
  EXPECT_EQ(RemplacerCompareString(&Espion), &CompareStringSysteme);
  EXPECT_EQ(RemplacerCompareString(precedente), &Espion);
}

TEST(ComparaisonLocale, ComparaisonsDansLaLocaleUtilisateur) {
  const tests::TVariableTemporaire locale("LC_ALL", "C.UTF-8");
  EXPECT_EQ(ComparerChaines(u"a", u"B"), 1);
  EXPECT_EQ(ComparerTexte(u"a", u"B"), -1);
  EXPECT_EQ(ComparerChaines(u"A", u"a"), -1);
  EXPECT_EQ(ComparerTexte(u"A", u"a"), 0);
  EXPECT_EQ(ComparerChaines(u"\u00E9t\u00E9", u"\u00E9t\u00E9"), 0);
  EXPECT_TRUE(MemeTexte(u"\u00C9t\u00E9", u"\u00E9T\u00C9"));
  EXPECT_FALSE(MemeTexte(u"e", u"\u00E9"));
  EXPECT_FALSE(MemeTexte(u"a\0b"sv, u"a"sv));
}

TEST(ComparaisonLocale, TexteTropLongRefuseSansEtreLu) {
  // Past INT_MAX by 2^32 + 1 units: cut to an int it would read one unit, and
  // every unit is unreadable.
  const std::size_t unites = (std::size_t{1} << 32) + 1;
  void* const memoire = ::mmap(nullptr, unites * sizeof(char16_t), PROT_NONE,
                               MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  ASSERT_NE(memoire, MAP_FAILED);
  const std::u16string_view enorme(static_cast<const char16_t*>(memoire), unites);

  Appels.clear();
  const TypeFonctionCompareString precedente = RemplacerCompareString(&Espion);
  errno = 0;
  EXPECT_EQ(ComparerChaines(enorme, u"a"), -2);
  EXPECT_EQ(errno, EOVERFLOW);
  EXPECT_EQ(ComparerTexte(u"a", enorme), -2);
  EXPECT_FALSE(MemeTexte(enorme, enorme));
  EXPECT_TRUE(Appels.empty());
  RemplacerCompareString(precedente);

  EXPECT_EQ(ComparerChaines(enorme, u"a"), -2);
  ::munmap(memoire, unites * sizeof(char16_t));
}

}  // namespace
}  // namespace kv::plateforme
