#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "outils/DossierTemporaire.h"
#include "outils/VariableTemporaire.h"
#include "plateforme/DossiersConnus.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

using TVariable = tests::TVariableTemporaire;

struct TypeCas {
  std::optional<std::string> ConfigurationXdg;
  std::optional<std::string> Personnel;
  std::optional<std::u16string> Attendu;
};

class DossierItinerant : public testing::TestWithParam<TypeCas> {};

TEST_P(DossierItinerant, SuitLaConventionDesDossiersDeBase) {
  const TVariable xdg("XDG_CONFIG_HOME", GetParam().ConfigurationXdg);
  const TVariable personnel("HOME", GetParam().Personnel);
  EXPECT_EQ(DossierDonneesItinerantes(), GetParam().Attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, DossierItinerant,
    testing::Values(TypeCas{"/x/cfg", "/h", u"/x/cfg"}, TypeCas{"/x/cfg/", "/h", u"/x/cfg/"},
                    TypeCas{std::nullopt, "/h", u"/h/.config"}, TypeCas{"", "/h/", u"/h/.config"},
                    TypeCas{"relatif/cfg", "/h", u"/h/.config"},
                    TypeCas{"/x/\xFF", "/h", u"/h/.config"},  // not UTF-8: cannot be handed back
                    TypeCas{"/donn\xC3\xA9"
                            "es",
                            std::nullopt, u"/donn\u00E9es"},
                    TypeCas{std::nullopt, std::nullopt, std::nullopt},
                    TypeCas{std::nullopt, "", std::nullopt},
                    TypeCas{"relatif", "relatif", std::nullopt}));

TEST(DossierShell, NeDependPasDeLEnvironnement) {
  const TVariable xdg("XDG_CONFIG_HOME", "/x/cfg");
  const TVariable personnel("HOME", "/ailleurs");
  const passwd* compte = ::getpwuid(::geteuid());
  ASSERT_NE(compte, nullptr);
  std::string attendu = compte->pw_dir;
  if (attendu.back() != '/') attendu += '/';
  EXPECT_EQ(DossierDonneesApplicationShell(), DepuisUtf8(attendu + ".config"));
}

struct TypeCasCommunes {
  std::optional<std::string> Variable;
  std::u16string Attendu;
};

class DossierCommun : public testing::TestWithParam<TypeCasCommunes> {};

TEST_P(DossierCommun, LaVariableAbsolueRemplaceLeDossierDuSysteme) {
  const TVariable variable("KV_DONNEES_COMMUNES", GetParam().Variable);
  EXPECT_EQ(DossierDonneesCommunes(), GetParam().Attendu);
}

INSTANTIATE_TEST_SUITE_P(Cas, DossierCommun,
                         testing::Values(TypeCasCommunes{std::nullopt, u"/var/lib"},
                                         TypeCasCommunes{"", u"/var/lib"},
                                         TypeCasCommunes{"/srv/communes", u"/srv/communes"},
                                         TypeCasCommunes{"relatif", u"/var/lib"},
                                         TypeCasCommunes{"/x/\xFF", u"/var/lib"}));

struct TypeCasDocuments {
  const char* Nom;
  std::optional<std::string> Fichier;  // user-dirs.dirs, when there is one
  std::optional<std::string> Personnel;
  std::optional<std::u16string> Attendu;
};

// The configuration folder is a temporary one, where the case puts its
// user-dirs.dirs.
class DossierDocumentsXdg : public testing::TestWithParam<TypeCasDocuments> {};

TEST_P(DossierDocumentsXdg, LeFichierDesDossiersDeLUtilisateurPuisLeDossierPersonnel) {
  const tests::TDossierTemporaire dossier;
  const TVariable xdg("XDG_CONFIG_HOME", dossier.Chemin().string());
  const TVariable personnel("HOME", GetParam().Personnel);
  if (GetParam().Fichier) {
    std::ofstream(dossier.Chemin() / "user-dirs.dirs", std::ios::binary) << *GetParam().Fichier;
  }
  EXPECT_EQ(DossierDocuments(), GetParam().Attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, DossierDocumentsXdg,
    testing::Values(
        TypeCasDocuments{"SansFichier", std::nullopt, "/h", u"/h/Documents"},
        TypeCasDocuments{"SansFichierBarreFinale", std::nullopt, "/h/", u"/h/Documents"},
        TypeCasDocuments{"SousLeDossierPersonnel", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n", "/h",
                         u"/h/Docs"},
        TypeCasDocuments{"Absolu", "XDG_DOCUMENTS_DIR=\"/data/docs\"\n", std::nullopt,
                         u"/data/docs"},
        TypeCasDocuments{"LaDerniereLigneCompte",
                         "XDG_DOCUMENTS_DIR=\"/a\"\nXDG_DOCUMENTS_DIR=\"$HOME/b\"\n", "/h",
                         u"/h/b"},
        TypeCasDocuments{"CommentairesEtAutresDossiers",
                         "# XDG_DOCUMENTS_DIR=\"/commentaire\"\nXDG_MUSIC_DIR=\"/musique\"\n"
                         "  XDG_DOCUMENTS_DIR=\"$HOME/D\"\n",
                         "/h", u"/h/D"},
        TypeCasDocuments{"Echappements", "XDG_DOCUMENTS_DIR=\"$HOME/Mes \\\"docs\\\" \\\\ \"\n",
                         "/h", u"/h/Mes \"docs\" \\ "},
        TypeCasDocuments{"NonAscii", "XDG_DOCUMENTS_DIR=\"$HOME/T\xC3\xA9l\xC3\xA9\"", "/h",
                         u"/h/T\u00E9l\u00E9"},
        TypeCasDocuments{"LeDossierPersonnelLuiMeme", "XDG_DOCUMENTS_DIR=\"$HOME\"\n", "/h/",
                         u"/h"},
        TypeCasDocuments{"Relatif", "XDG_DOCUMENTS_DIR=\"Docs\"\n", "/h", u"/h/Documents"},
        TypeCasDocuments{"AutreVariable", "XDG_DOCUMENTS_DIR=\"$HOMEDIR/x\"\n", "/h",
                         u"/h/Documents"},
        TypeCasDocuments{"SansGuillemets", "XDG_DOCUMENTS_DIR=/x\n", "/h", u"/h/Documents"},
        TypeCasDocuments{"GuillemetNonFerme", "XDG_DOCUMENTS_DIR=\"/x\n", "/h", u"/h/Documents"},
        TypeCasDocuments{"NonUtf8", "XDG_DOCUMENTS_DIR=\"/x\xFF\"\n", "/h", u"/h/Documents"},
        TypeCasDocuments{"SansDossierPersonnel", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n", std::nullopt,
                         std::nullopt},
        TypeCasDocuments{"DossierPersonnelRelatif", std::nullopt, "h", std::nullopt}),
    [](const auto& AInfo) { return std::string(AInfo.param.Nom); });

TEST(DossierTemporaire, LeRepliEstTmp) { EXPECT_EQ(DossierTemporaireParDefaut(), u"/tmp"); }

}  // namespace
}  // namespace kv::plateforme
