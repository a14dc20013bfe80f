#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "outils/VariableTemporaire.h"
#include "plateforme/Locales.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

using TVariable = tests::TVariableTemporaire;
using TValeur = std::optional<std::string>;

// The variables that name the user's locale, set for one test.
struct TypeEnvironnementLocale {
  TVariable Tout;
  TVariable Collation;
  TVariable Langue;
  TypeEnvironnementLocale(TValeur ATout, TValeur ACollation, TValeur ALangue)
      : Tout("LC_ALL", ATout), Collation("LC_COLLATE", ACollation), Langue("LANG", ALangue) {}
};

std::u16string EnMajusculesAscii(std::u16string ATexte) {
  for (char16_t& c : ATexte) {
    if (c >= u'a' && c <= u'z') c -= u'a' - u'A';
  }
  return ATexte;
}

std::u16string Nom(std::uint32_t ALcid) {
  char16_t tampon[LongueurMaxNomLocale];
  const int longueur = NomLocaleDepuisIdentifiant(ALcid, tampon);
  return longueur > 0 ? std::u16string(tampon, longueur - 1) : u"<echec>";
}

TEST(Locales, NomUtilisateurDepuisLEnvironnement) {
  const TValeur absent;
  struct TypeCas {
    TValeur Tout, Collation, Langue;
    std::u16string Nom;
    std::uint32_t Identifiant;
  } const cas[] = {
      {absent, absent, absent, u"", IdLocaleInvariante},
      {absent, absent, "fr_FR.UTF-8@euro", u"fr-FR", 0x040C},
      {absent, absent, "de_CH", u"de-CH", 0x0807},
      {"it_IT.UTF-8", "pt_BR.UTF-8", "fr_FR.UTF-8", u"it-IT", 0x0410},
      {absent, "pt_BR.UTF-8", "fr_FR.UTF-8", u"pt-BR", 0x0416},
      {"", "", "nb_NO.UTF-8", u"nb-NO", 0x0414},
      {"", absent, "", u"", IdLocaleInvariante},
      {absent, absent, "C", u"", IdLocaleInvariante},
      {absent, absent, "POSIX", u"", IdLocaleInvariante},
      {absent, absent, "C.UTF-8", u"", IdLocaleInvariante},
      {"C.UTF-8", absent, "fr_FR.UTF-8", u"", IdLocaleInvariante},
      {absent, absent, "sr_RS@latin", u"sr-RS", IdLocalePersonnalisee},
      {absent, absent, "FR_fr.utf8", u"FR-fr", 0x040C},
      {absent, absent, "ja", u"ja", IdLocalePersonnalisee},
      // Not a locale name: a path, a non-ASCII byte, a name too long to hold.
      {absent, absent, "/usr/lib/locale/x", u"", IdLocaleInvariante},
      {absent, absent, "fr_FR\xC3\xA9", u"", IdLocaleInvariante},
      {absent, absent, std::string(LongueurMaxNomLocale, 'a'), u"", IdLocaleInvariante},
  };
  for (const TypeCas& c : cas) {
    SCOPED_TRACE(c.Tout.value_or("-") + " " + c.Collation.value_or("-") + " " +
                 c.Langue.value_or("-"));
    const TypeEnvironnementLocale environnement(c.Tout, c.Collation, c.Langue);
    EXPECT_EQ(NomLocaleUtilisateur(), c.Nom);
    EXPECT_EQ(IdLocaleUtilisateur(), c.Identifiant);
    // The defaults all name the user's locale.
    for (const std::uint32_t defaut :
         {IdLocaleUtilisateurParDefaut, IdLocaleSystemeParDefaut, IdLocalePersonnalisee}) {
      EXPECT_EQ(Nom(defaut), c.Nom);
    }
  }
}

TEST(Locales, ChaqueNomRameneASonIdentifiant) {
  std::set<std::uint32_t> identifiants;
  std::set<std::u16string> noms;
  ASSERT_GE(LocalesConnues().size(), 25u);
  for (const TypeLocaleConnue& locale : LocalesConnues()) {
    const std::u16string nom(locale.Nom);
    SCOPED_TRACE(VersUtf8(nom));
    EXPECT_TRUE(identifiants.insert(locale.Identifiant).second) << "identifier listed twice";
    EXPECT_TRUE(noms.insert(EnMajusculesAscii(nom)).second) << "name listed twice";
    // Language and territory, as the user's tag is written.
    ASSERT_EQ(nom.size(), 5u);
    EXPECT_TRUE(nom[0] >= u'a' && nom[0] <= u'z' && nom[2] == u'-' && nom[3] >= u'A' &&
                nom[3] <= u'Z');
    EXPECT_EQ(Nom(locale.Identifiant), nom);
    EXPECT_EQ(IdentifiantDepuisNomLocale(nom), locale.Identifiant);
    EXPECT_EQ(IdentifiantDepuisNomLocale(EnMajusculesAscii(nom)), locale.Identifiant);
  }
}

TEST(Locales, IdentifiantsBienConnus) {
  struct TypeCas {
    std::uint32_t Identifiant;
    std::u16string_view Nom;
  } const cas[] = {
      {0x040C, u"fr-FR"}, {0x080C, u"fr-BE"}, {0x0C0C, u"fr-CA"}, {0x100C, u"fr-CH"},
      {0x0407, u"de-DE"}, {0x0807, u"de-CH"}, {0x0C07, u"de-AT"}, {0x0409, u"en-US"},
      {0x0809, u"en-GB"}, {0x0C0A, u"es-ES"}, {0x0410, u"it-IT"}, {0x0413, u"nl-NL"},
      {0x0816, u"pt-PT"}, {0x0416, u"pt-BR"}, {0x041D, u"sv-SE"}, {0x0406, u"da-DK"},
      {0x0414, u"nb-NO"}, {0x040B, u"fi-FI"}, {0x0415, u"pl-PL"}, {0x0405, u"cs-CZ"},
      {0x0419, u"ru-RU"}, {0x0411, u"ja-JP"}, {0x0804, u"zh-CN"}, {0x0412, u"ko-KR"},
      {0x041F, u"tr-TR"},
  };
  for (const TypeCas& c : cas) {
    EXPECT_EQ(Nom(c.Identifiant), c.Nom) << std::hex << c.Identifiant;
  }
  EXPECT_EQ(IdentifiantDepuisNomLocale(u"FR-fr"), 0x040Cu);
  EXPECT_EQ(IdentifiantDepuisNomLocale(u""), IdLocaleInvariante);
  EXPECT_EQ(Nom(IdLocaleInvariante), u"");
}

TEST(Locales, EchecsPosentLErreurSysteme) {
  const TypeEnvironnementLocale environnement(std::nullopt, std::nullopt, "fr_FR.UTF-8");
  char16_t tampon[LongueurMaxNomLocale];
  for (const std::uint32_t inconnu : {0x0000u, 0x0001u, 0x1234u, 0x040Cu | 0x10000u, 0xFFFFFFFFu}) {
    errno = 0;
    EXPECT_EQ(NomLocaleDepuisIdentifiant(inconnu, tampon), 0) << std::hex << inconnu;
    EXPECT_EQ(errno, EINVAL);
  }
  for (const char16_t* inconnu : {u"xx-XX", u"fr", u"fr-FR-x", u"fr-FR.UTF-8"}) {
    errno = 0;
    EXPECT_EQ(IdentifiantDepuisNomLocale(inconnu), 0u);
    EXPECT_EQ(errno, EINVAL);
  }
  // "fr-FR" needs six units with its zero, the invariant name one.
  struct TypeCas {
    std::uint32_t Identifiant;
    std::size_t Taille;
    int Resultat;
  } const cas[] = {
      {0x040C, 6, 6},
      {0x040C, 5, 0},
      {0x040C, 0, 0},
      {IdLocaleUtilisateurParDefaut, 5, 0},
      {IdLocaleInvariante, 1, 1},
      {IdLocaleInvariante, 0, 0},
  };
  for (const TypeCas& c : cas) {
    SCOPED_TRACE(testing::Message() << std::hex << c.Identifiant << " in " << c.Taille);
    std::fill(std::begin(tampon), std::end(tampon), u'?');
    errno = 0;
    EXPECT_EQ(NomLocaleDepuisIdentifiant(c.Identifiant, std::span(tampon, c.Taille)), c.Resultat);
    if (c.Resultat == 0) {
      EXPECT_EQ(errno, ERANGE);
      EXPECT_TRUE(std::ranges::all_of(tampon, [](char16_t u) { return u == u'?'; }))
          << "written on failure";
    } else {
      EXPECT_EQ(tampon[c.Resultat - 1], u'\0');
    }
  }
}

TEST(Locales, NomsValides) {
  EXPECT_TRUE(EstNomLocaleValide(u""));
  EXPECT_TRUE(EstNomLocaleValide(u"es-ES_tradnl"));
  EXPECT_TRUE(EstNomLocaleValide(std::u16string(LongueurMaxNomLocale - 1, u'a')));
  EXPECT_FALSE(EstNomLocaleValide(std::u16string(LongueurMaxNomLocale, u'a')));
  for (const char16_t* refuse : {u"fr_FR.UTF-8", u"sr@latin", u"../fr", u"fr FR", u"fr-\u00C9"}) {
    EXPECT_FALSE(EstNomLocaleValide(refuse)) << VersUtf8(refuse);
  }
}

}  // namespace
}  // namespace kv::plateforme
