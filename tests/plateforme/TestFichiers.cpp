#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "outils/DossierTemporaire.h"
#include "plateforme/ErreurSysteme.h"
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

// What was in the way, and not what looking at it afterwards left behind.
TEST_F(Fichiers, UnEchecDeCreationDitPourquoi) {
  CreerFichier("a");
  EXPECT_FALSE(CreerDossierEtParents(Chemin("a/b/c")));
  EXPECT_EQ(DerniereErreurSysteme(), EEXIST);
  EXPECT_FALSE(CreerDossierEtParents(u""));
  EXPECT_EQ(DerniereErreurSysteme(), EINVAL);
  EXPECT_FALSE(CreerDossierEtParents(Chemin("x") + u"\xD800"));
  EXPECT_EQ(DerniereErreurSysteme(), EINVAL);
}

TEST_F(Fichiers, RenommerRemplaceLaDestination) {
  std::ofstream(FDossier.Chemin() / "a") << "nouveau";
  std::ofstream(FDossier.Chemin() / "b") << "ancien";
  EXPECT_TRUE(RenommerFichier(Chemin("a"), Chemin("b")));
  EXPECT_FALSE(fs::exists(FDossier.Chemin() / "a"));
  EXPECT_EQ(fs::file_size(FDossier.Chemin() / "b"), 7u);
  EXPECT_FALSE(RenommerFichier(Chemin("a"), Chemin("c")));
  EXPECT_EQ(DerniereErreurSysteme(), ENOENT);
}

class EcritureAtomique : public Fichiers {
 protected:
  std::string Lire(std::string_view ARelatif) const {
    std::ifstream fichier(FDossier.Chemin() / ARelatif, std::ios::binary);
    std::ostringstream contenu;
    contenu << fichier.rdbuf();
    return contenu.str();
  }
  std::set<std::string> Entrees() const {
    std::set<std::string> noms;
    for (const auto& entree : fs::directory_iterator(FDossier.Chemin())) {
      noms.insert(entree.path().filename().string());
    }
    return noms;
  }
  unsigned Droits(std::string_view ARelatif) const {
    struct stat etat {};
    ::stat((FDossier.Chemin() / ARelatif).c_str(), &etat);
    return etat.st_mode & 07777;
  }
};

TEST_F(EcritureAtomique, UnNouveauFichierPrendLesDroitsDemandesSansTemporaireRestant) {
  const mode_t masque = ::umask(022);
  const auto echec = EcrireFichierAtomique(Chemin("f.xml"), "contenu\n", 0664);
  ::umask(masque);
  EXPECT_FALSE(echec);
  EXPECT_EQ(Lire("f.xml"), "contenu\n");
  EXPECT_EQ(Droits("f.xml"), 0644u);
  EXPECT_EQ(Entrees(), std::set<std::string>{"f.xml"});
}

TEST_F(EcritureAtomique, UnFichierRemplaceGardeSesDroits) {
  std::ofstream(FDossier.Chemin() / "f") << "ancien contenu, plus long";
  fs::permissions(FDossier.Chemin() / "f", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(EcrireFichierAtomique(Chemin("f"), "neuf", 0666));
  EXPECT_EQ(Lire("f"), "neuf");
  EXPECT_EQ(Droits("f"), 0600u);
  EXPECT_EQ(Entrees(), std::set<std::string>{"f"});
}

// A writer that holds a lock names its temporary file; one left there by a
// writer that died is replaced and gone afterwards.
TEST_F(EcritureAtomique, UnTemporaireNommeEstRemplace) {
  std::ofstream(FDossier.Chemin() / "f.tmp") << "reste d'un écrivain mort";
  EXPECT_FALSE(EcrireFichierAtomique(Chemin("f"), "neuf", 0666, Chemin("f.tmp")));
  EXPECT_EQ(Lire("f"), "neuf");
  EXPECT_EQ(Entrees(), std::set<std::string>{"f"});
}

TEST_F(EcritureAtomique, UnEchecLaisseLAncienContenuEtDitLEtape) {
  fs::create_directories(FDossier.Chemin() / "dossier");
  auto echec = EcrireFichierAtomique(Chemin("dossier"), "neuf", 0666);
  ASSERT_TRUE(echec);
  EXPECT_EQ(echec->Etape, u"remplacement");
  EXPECT_EQ(echec->Code, EISDIR);
  EXPECT_TRUE(fs::is_directory(FDossier.Chemin() / "dossier"));
  EXPECT_EQ(Entrees(), std::set<std::string>{"dossier"});

  echec = EcrireFichierAtomique(Chemin("absent/f"), "neuf", 0666);
  ASSERT_TRUE(echec);
  EXPECT_EQ(echec->Etape, u"création du fichier temporaire");
  EXPECT_EQ(echec->Code, ENOENT);
  EXPECT_EQ(Entrees(), std::set<std::string>{"dossier"});
}

TEST(CheminNatif, RemplaceLesBarresObliquesInverses) {
  EXPECT_EQ(CheminNatif(u"Microsoft\\Spelling\\"), u"Microsoft/Spelling/");
  EXPECT_EQ(CheminNatif(u""), u"");
}

}  // namespace
}  // namespace kv::plateforme
