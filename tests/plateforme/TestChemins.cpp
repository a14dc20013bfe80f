// Full paths, existence and the framework's form of this machine's paths.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "outils/DossierTemporaire.h"
#include "plateforme/Fichiers.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

struct TypeCasComplet {
  std::u16string Chemin;
  std::u16string Attendu;
};

class CheminCompletAbsolu : public testing::TestWithParam<TypeCasComplet> {};

TEST_P(CheminCompletAbsolu, NormaliseSansLeDisque) {
  EXPECT_EQ(CheminComplet(GetParam().Chemin), GetParam().Attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, CheminCompletAbsolu,
    testing::Values(
        TypeCasComplet{u"\\a\\b\\..\\c", u"\\a\\c"}, TypeCasComplet{u"\\a\\.\\b\\", u"\\a\\b\\"},
        TypeCasComplet{u"\\a\\b\\..", u"\\a"}, TypeCasComplet{u"\\a\\b\\..\\", u"\\a\\"},
        TypeCasComplet{u"\\a\\.", u"\\a"}, TypeCasComplet{u"\\..", u"\\"},
        TypeCasComplet{u"\\..\\..\\a", u"\\a"}, TypeCasComplet{u"\\", u"\\"},
        TypeCasComplet{u"\\\\a\\\\\\b", u"\\a\\b"}, TypeCasComplet{u"/a/b/", u"\\a\\b\\"},
        TypeCasComplet{u"\\a\\...\\.b\\b.", u"\\a\\...\\.b\\b."},
        TypeCasComplet{u"\\a*\\?b", u"\\a*\\?b"},
        TypeCasComplet{u"\\\u00E9t\u00E9\\..\\\u20AC", u"\\\u20AC"}, TypeCasComplet{u"", u""}));

TEST(CheminComplet, RelatifPartDuDossierCourant) {
  const std::u16string courant = CheminCadriciel(DepuisUtf8(fs::current_path().string()));
  const std::u16string parent =
      CheminCadriciel(DepuisUtf8(fs::current_path().parent_path().string()));
  EXPECT_EQ(CheminComplet(u"x\\y"), courant + u"\\x\\y");
  EXPECT_EQ(CheminComplet(u"."), courant);
  EXPECT_EQ(CheminComplet(u".\\"), courant + u"\\");
  EXPECT_EQ(CheminComplet(u".."), parent);
  // A drive letter is a plain name here.
  EXPECT_EQ(CheminComplet(u"C:\\a\\..\\b"), courant + u"\\C:\\b");
}

TEST(CheminCadriciel, MontreLesBarresEnBarresInverses) {
  EXPECT_EQ(CheminCadriciel(u"/home/a/b/"), u"\\home\\a\\b\\");
  EXPECT_EQ(CheminNatif(CheminCadriciel(u"/home/a b/\u00E9")), u"/home/a b/\u00E9");
}

class Existence : public testing::Test {
 protected:
  std::u16string Chemin(std::string_view ARelatif) const {
    return DepuisUtf8((FDossier.Chemin() / ARelatif).string());
  }

  tests::TDossierTemporaire FDossier;
};

TEST_F(Existence, FichiersEtDossiersLiensSuivis) {
  const fs::path racine = FDossier.Chemin();
  fs::create_directories(racine / "dossier");
  std::ofstream(racine / "fichier") << "x";
  fs::create_symlink(racine / "fichier", racine / "vers-fichier");
  fs::create_directory_symlink(racine / "dossier", racine / "vers-dossier");
  fs::create_symlink(racine / "absent", racine / "brise");

  struct {
    const char* Nom;
    bool Fichier;
    bool Chemin;
  } const cas[] = {{"fichier", true, true},    {"vers-fichier", true, true},
                   {"dossier", false, true},   {"vers-dossier", false, true},
                   {"brise", false, false},    {"absent", false, false},
                   {"fichier/", false, false}, {"dossier/../fichier", true, true}};
  for (const auto& c : cas) {
    EXPECT_EQ(FichierExiste(Chemin(c.Nom)), c.Fichier) << c.Nom;
    EXPECT_EQ(CheminExiste(Chemin(c.Nom)), c.Chemin) << c.Nom;
  }
  EXPECT_FALSE(FichierExiste(u""));
  EXPECT_FALSE(CheminExiste(u""));
  // Not cut short at the NUL, where the file is.
  EXPECT_FALSE(FichierExiste(Chemin("fichier") + u"\0x"s));
  EXPECT_FALSE(CheminExiste(Chemin("fichier") + u"\0x"s));
}

}  // namespace
}  // namespace kv::plateforme
