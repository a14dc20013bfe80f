// The text form of a hive, without files.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "plateforme/RucheRegistre.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

using namespace std::string_literals;
using TypeNoms = std::vector<std::u16string>;

TValeurRegistre Chaine(std::u16string ATexte) {
  return {TypeValeurRegistre::tvChaine, std::move(ATexte), 0};
}

TypeNoms NomsValeurs(const TCleRuche& ACle) {
  TypeNoms noms;
  for (const TValeurNommee& valeur : ACle.Valeurs) noms.push_back(valeur.Nom);
  return noms;
}

TypeNoms NomsSousCles(const TCleRuche& ACle) {
  TypeNoms noms;
  for (const TCleRuche& sousCle : ACle.SousCles) noms.push_back(sousCle.Nom);
  return noms;
}

// What a person reads in the file: a key without values has a line of its own
// only when it has no sub-keys either.
TEST(TexteRucheRegistre, UneLigneParCleEtParValeur) {
  TCleRuche racine;
  bool cree = false;
  TrouverOuCreerCle(racine, {u"Software", u"Vide"}, cree);
  TCleRuche& korvel = TrouverOuCreerCle(racine, {u"Software", u"Korvel"}, cree);
  korvel.Ecrire(u"Chemin", {TypeValeurRegistre::tvChaineExtensible, u"%HOME%\\x", 0});
  korvel.Ecrire(u"Essais", {TypeValeurRegistre::tvEntier32, u"ignoré", 3});
  korvel.Ecrire(u"Nom \"cité\"", Chaine(u"a\nb\x01\xD800\u00E9\U0001F600"));
  racine.Ecrire(u"", Chaine(u""));

  EXPECT_EQ(
      TexteRuche(racine),
      "kvr 1\n"
      "[\"\"]\n"
      "\"\" = chaine \"\"\n"
      "[\"Software\\\\Vide\"]\n"
      "[\"Software\\\\Korvel\"]\n"
      "\"Chemin\" = extensible \"%HOME%\\\\x\"\n"
      "\"Essais\" = entier32 3\n"
      "\"Nom \\\"cit\xC3\xA9\\\"\" = chaine \"a\\nb\\u{1}\\u{D800}\xC3\xA9\xF0\x9F\x98\x80\"\n");

  const TCleRuche relue = AnalyserRuche(TexteRuche(racine), u"/r/registre.kvr");
  EXPECT_EQ(NomsSousCles(relue), TypeNoms{u"Software"});
  EXPECT_EQ(NomsSousCles(*TrouverCle(relue, {u"Software"})), (TypeNoms{u"Vide", u"Korvel"}));
  EXPECT_EQ(NomsValeurs(*TrouverCle(relue, {u"Software", u"Korvel"})),
            (TypeNoms{u"Chemin", u"Essais", u"Nom \"cit\u00E9\""}));
}

// Written by hand: comments, blank lines, CR LF, free spacing, escapes the
// printer does not use, a key named twice and parents named after children.
TEST(AnalyserRucheRegistre, LitUneRucheEcriteALaMain) {
  const std::string texte =
      "kvr 1\r\n"
      "# commentaire\r\n"
      "\r\n"
      "   [ \"\\\\Software\\\\Korvel\\\\\" ]  \r\n"
      "\t\"A\"\t=\tchaine\t\"x\\u{41}\\u{1f600}\\u{d800}\\u{0}\"\r\n"
      "\"B\"=entier32 0042\n"
      "  # \"C\" = chaine \"commentaire\"\n"
      "[\"\"]\n"
      "\"\" = extensible \"\"\n"
      "[\"software\\\\KORVEL\\\\Sous\"]\n"
      "[\"SOFTWARE\\\\korvel\"]\n"
      "\"C\" = chaine \"apr\xC3\xA8s\"";

  const TCleRuche racine = AnalyserRuche(texte, u"/r/registre.kvr");
  EXPECT_EQ(NomsValeurs(racine), TypeNoms{u""});
  EXPECT_EQ(*racine.Valeur(u""), (TValeurRegistre{TypeValeurRegistre::tvChaineExtensible, u"", 0}));
  EXPECT_EQ(NomsSousCles(racine), TypeNoms{u"Software"});
  const TCleRuche* korvel = TrouverCle(racine, {u"software", u"korvel"});
  ASSERT_NE(korvel, nullptr);
  EXPECT_EQ(korvel->Nom, u"Korvel");
  EXPECT_EQ(NomsValeurs(*korvel), (TypeNoms{u"A", u"B", u"C"}));
  EXPECT_EQ(*korvel->Valeur(u"a"), Chaine(u"xA\U0001F600\xD800\0"s));
  EXPECT_EQ(*korvel->Valeur(u"b"), (TValeurRegistre{TypeValeurRegistre::tvEntier32, u"", 42}));
  EXPECT_EQ(*korvel->Valeur(u"c"), Chaine(u"apr\u00E8s"));
  EXPECT_EQ(NomsSousCles(*korvel), TypeNoms{u"Sous"});
}

struct TypeCasChemin {
  std::u16string Chemin;
  std::optional<TypeNoms> Attendu;
};

class CheminCleRegistre : public testing::TestWithParam<TypeCasChemin> {};

TEST_P(CheminCleRegistre, SeDecoupeAuxBarresObliquesInverses) {
  EXPECT_EQ(DecouperCheminCle(GetParam().Chemin), GetParam().Attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, CheminCleRegistre,
    testing::Values(TypeCasChemin{u"", TypeNoms{}}, TypeCasChemin{u"\\", TypeNoms{}},
                    TypeCasChemin{u"\\\\\\", TypeNoms{}}, TypeCasChemin{u"a", TypeNoms{u"a"}},
                    TypeCasChemin{u"\\Software\\Korvel\\X\\",
                                  TypeNoms{u"Software", u"Korvel", u"X"}},
                    TypeCasChemin{u"\\\\a\\b\\\\", TypeNoms{u"a", u"b"}},
                    TypeCasChemin{u"a/b\\ c.\\..", TypeNoms{u"a/b", u" c.", u".."}},
                    TypeCasChemin{u"a\\\\b", std::nullopt},
                    TypeCasChemin{u"\\a\\\\\\b\\", std::nullopt}));

struct TypeCasCorrompu {
  std::string Texte;
  int Ligne;
  std::string Raison;  // a part of the reason given
};

class RucheRegistreCorrompue : public testing::TestWithParam<TypeCasCorrompu> {};

TEST_P(RucheRegistreCorrompue, NommeLeFichierEtLaLigne) {
  try {
    AnalyserRuche(GetParam().Texte, u"/r/registre.kvr");
    ADD_FAILURE() << "aucune erreur";
  } catch (const ERegistreCorrompu& erreur) {
    const std::string message = VersUtf8(erreur.Message());
    const std::string attendu = "\xC2\xAB /r/registre.kvr \xC2\xBB est illisible, ligne " +
                                std::to_string(GetParam().Ligne) + " : ";
    EXPECT_NE(message.find(attendu), std::string::npos) << message;
    EXPECT_NE(message.find(GetParam().Raison), std::string::npos) << message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cas, RucheRegistreCorrompue,
    testing::Values(
        TypeCasCorrompu{"kvr 2\n", 1, "kvr 1"},
        // A byte-order mark is not part of the format.
        TypeCasCorrompu{"\xEF\xBB\xBFkvr 1\n", 1, "kvr 1"},
        // Only a file without a single byte is an empty hive.
        TypeCasCorrompu{"\n", 1, "kvr 1"},
        TypeCasCorrompu{"kvr 1\n\"v\" = chaine \"x\"\n", 2, "avant la premi"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"v\" = chaine \"x\n", 3, "guillemet fermant"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"v\" = chaine \"x\\\"\n", 3, "guillemet fermant"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\nv = chaine \"x\"\n", 3, "guillemet ouvrant"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"v\" chaine \"x\"\n", 3, "\xC2\xAB = \xC2\xBB attendu"},
        TypeCasCorrompu{"kvr 1\n[\"a\"\n", 2, "\xC2\xAB ] \xC2\xBB attendu"},
        TypeCasCorrompu{"kvr 1\n[\"a\"] x\n", 2, "en trop"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"v\" = chaine \"x\" \"y\"\n", 3, "en trop"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\r\r\n", 2, "en trop"},
        TypeCasCorrompu{"kvr 1\n[\"a\\\\\\\\b\"]\n", 2, "nom vide"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"v\" = binaire \"00\"\n", 3, "binaire"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"v\" = entier32 4294967296\n", 3, "4294967295"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"v\" = entier32 -1\n", 3, "4294967295"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"v\" = entier32\n", 3, "4294967295"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"v\" = chaine \"\\q\"\n", 3, "chappement"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"v\" = chaine \"\\u{110000}\"\n", 3, "10FFFF"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"v\" = chaine \"\\u{}\"\n", 3, "10FFFF"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"v\" = chaine \"\\u41\"\n", 3, "\xC2\xAB { \xC2\xBB"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"v\" = chaine \"\xFF\"\n", 3, "UTF-8"},
        TypeCasCorrompu{"kvr 1\n[\"a\"]\n\"V\" = entier32 1\n\n\"v\" = entier32 2\n", 5,
                        "\xC2\xAB v \xC2\xBB est d\xC3\xA9j\xC3\xA0"}));

}  // namespace
}  // namespace kv::plateforme
