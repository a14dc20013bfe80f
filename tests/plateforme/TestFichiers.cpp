#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "outils/DossierTemporaire.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class Fichiers : public testing::Test {
 protected:
  std::u16string Chemin(std::string_view ARelatif) const {
    return DepuisUtf8((FDossier.Chemin() / ARelatif).string());
  }
  void CreerFichier(std::string_view ARelatif) const {
    std::ofstream(FDossier.Chemin() / ARelatif) << "x";
  }

  tests::TDossierTemporaire FDossier;
};

TEST_F(Fichiers, CreeTousLesNiveauxManquants) {
  EXPECT_TRUE(CreerDossierEtParents(Chemin("a/b/c")));
  EXPECT_TRUE(fs::is_directory(FDossier.Chemin() / "a/b/c"));
}

TEST_F(Fichiers, SeparateursEnFinEtRedoublesSontAdmis) {
  EXPECT_TRUE(CreerDossierEtParents(Chemin("a//b///")));
  EXPECT_TRUE(fs::is_directory(FDossier.Chemin() / "a/b"));
}

TEST_F(Fichiers, DossierDejaPresentEstUnSucces) {
  fs::create_directories(FDossier.Chemin() / "a");
  EXPECT_TRUE(CreerDossierEtParents(Chemin("a")));
  EXPECT_TRUE(CreerDossier(Chemin("a")));
}

TEST_F(Fichiers, UnFichierSurLeCheminFaitEchouerSansRienCreerDessous) {
  CreerFichier("a");
  EXPECT_FALSE(CreerDossierEtParents(Chemin("a/b/c")));
  EXPECT_FALSE(CreerDossier(Chemin("a")));
  EXPECT_TRUE(fs::is_regular_file(FDossier.Chemin() / "a"));
}

TEST_F(Fichiers, CheminVideEchoue) {
  EXPECT_FALSE(CreerDossierEtParents(u""));
  EXPECT_FALSE(CreerDossier(u""));
  EXPECT_FALSE(DossierExiste(u""));
}

TEST_F(Fichiers, LeTestDeDossierSuitLesLiensSymboliques) {
  fs::create_directories(FDossier.Chemin() / "cible");
  CreerFichier("fichier");
  fs::create_directory_symlink(FDossier.Chemin() / "cible", FDossier.Chemin() / "lien");
  fs::create_directory_symlink(FDossier.Chemin() / "absent", FDossier.Chemin() / "brise");
  fs::create_symlink(FDossier.Chemin() / "fichier", FDossier.Chemin() / "vers-fichier");

  EXPECT_TRUE(DossierExiste(Chemin("cible")));
  EXPECT_TRUE(DossierExiste(Chemin("lien")));
  EXPECT_FALSE(DossierExiste(Chemin("brise")));
  EXPECT_FALSE(DossierExiste(Chemin("fichier")));
  EXPECT_FALSE(DossierExiste(Chemin("vers-fichier")));
  EXPECT_FALSE(DossierExiste(Chemin("absent")));
}

// A path the system calls cannot take unchanged must not reach them cut short
// or altered: the folder before the NUL exists, the one with U+FFFD would be
// created.
TEST_F(Fichiers, CheminNonTransmissibleEstRefuse) {
  fs::create_directories(FDossier.Chemin() / "a");
  const std::u16string avecNul = Chemin("a") + u"\0/b"s;
  const std::u16string avecSurrogat = Chemin("x") + u"\xD800"s;

  EXPECT_FALSE(DossierExiste(avecNul));
  EXPECT_FALSE(CreerDossier(avecNul));
  EXPECT_FALSE(CreerDossierEtParents(avecSurrogat));
  EXPECT_EQ(std::distance(fs::directory_iterator(FDossier.Chemin()), fs::directory_iterator()), 1);
}

TEST_F(Fichiers, NomsNonAsciiSontTransmisTelsQuels) {
  const std::u16string dossier = Chemin("") + u"Données été/€";
  EXPECT_TRUE(CreerDossierEtParents(dossier));
  EXPECT_TRUE(fs::is_directory(FDossier.Chemin() / "Donn\xC3\xA9"
                                                   "es \xC3\xA9t\xC3\xA9/\xE2\x82\xAC"));
}

TEST_F(Fichiers, SupprimerFichierNeSupprimeQueDesFichiers) {
  CreerFichier("fichier");
  fs::create_directories(FDossier.Chemin() / "dossier");
  EXPECT_TRUE(SupprimerFichier(Chemin("fichier")));
  EXPECT_FALSE(fs::exists(FDossier.Chemin() / "fichier"));
  EXPECT_FALSE(SupprimerFichier(Chemin("fichier")));
  EXPECT_FALSE(SupprimerFichier(Chemin("dossier")));
  EXPECT_TRUE(fs::is_directory(FDossier.Chemin() / "dossier"));
  EXPECT_FALSE(SupprimerFichier(u""));
}

TEST(CheminNatif, RemplaceLesBarresObliquesInverses) {
  EXPECT_EQ(CheminNatif(u"Microsoft\\Spelling\\"), u"Microsoft/Spelling/");
  EXPECT_EQ(CheminNatif(u""), u"");
}

}  // namespace
}  // namespace kv::plateforme
