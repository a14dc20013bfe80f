#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "outils/DossierTemporaire.h"
#include "outils/VariableTemporaire.h"
#include "plateforme/BibliothequesDynamiques.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {
namespace {

namespace fs = std::filesystem;

class ConfigurationChargeur : public testing::Test {
 protected:
  void Ecrire(const std::string& ARelatif, const std::string& AContenu) const {
    fs::create_directories((FDossier.Chemin() / ARelatif).parent_path());
    std::ofstream(FDossier.Chemin() / ARelatif) << AContenu;
  }
  std::string Chemin(const std::string& ARelatif) const {
    return (FDossier.Chemin() / ARelatif).string();
  }
  std::vector<std::string> Dossiers(const std::string& AFichier) const {
    std::vector<std::string> dossiers;
    for (const std::u16string& dossier : DossiersConfigurationChargeur(DepuisUtf8(Chemin(AFichier)))) {
      dossiers.push_back(VersUtf8(dossier));
    }
    return dossiers;
  }

  tests::TDossierTemporaire FDossier;
};

TEST_F(ConfigurationChargeur, LinesCommentsAndIncludesInTheLoadersOrder) {
  Ecrire("ld.so.conf",
         "# comment\n"
         "  /opt/un   # trailing comment\n"
         "\n"
         "\t/opt/deux/\r\n"
         "relatif/ignore\n"
         "include conf.d/*.conf\n"
         "include\n"
         "includes/ne/pas\n"
         "/opt/un\n"
         "/opt/trois\n");
  Ecrire("conf.d/b.conf", "/opt/b\n");
  Ecrire("conf.d/a.conf", "/opt/a\ninclude " + Chemin("absolu.conf") + "\n");
  Ecrire("absolu.conf", "/opt/absolu\n");
  EXPECT_EQ(Dossiers("ld.so.conf"),
            (std::vector<std::string>{"/opt/un/", "/opt/deux/", "/opt/a/", "/opt/absolu/",
                                      "/opt/b/", "/opt/trois/"}));
}

// Files that include one another, or themselves, are each read once: the
// search ends, and quickly, whatever the loops.
TEST_F(ConfigurationChargeur, IncludeLoopsAreReadOnce) {
  constexpr int Nombre = 12;
  for (int i = 0; i < Nombre; ++i) {
    Ecrire("boucle/f" + std::to_string(10 + i) + ".conf",
           "/opt/f" + std::to_string(10 + i) + "\ninclude *.conf\ninclude ../ld.so.conf\n");
  }
  Ecrire("ld.so.conf", "include boucle/*.conf\ninclude ld.so.conf\n/opt/racine\n");
  std::vector<std::string> attendu;
  for (int i = 0; i < Nombre; ++i) attendu.push_back("/opt/f" + std::to_string(10 + i) + "/");
  attendu.push_back("/opt/racine/");
  EXPECT_EQ(Dossiers("ld.so.conf"), attendu);
}

TEST_F(ConfigurationChargeur, AMissingFileNamesNothing) {
  EXPECT_TRUE(Dossiers("absent.conf").empty());
}

// The pair is looked for first in LD_LIBRARY_PATH's folders. Only the exact
// name "<name>.so.N" stands for major version N.
TEST_F(ConfigurationChargeur, PairsOfLibrariesByMajorVersion) {
  const std::vector<std::string> fichiers = {
      "libkvessaiun.so.3",      "libkvessaideux.so.3",      // a pair
      "libkvessaiun.so.72abc",  "libkvessaideux.so.72abc",  // not a version
      "libkvessaiun.so.0072",   "libkvessaideux.so.0072",   // not the loader's name of 72
      "libkvessaiun.so.9",                                  // no partner
      "libkvessaideux.so.8",
      "libkvessaiun.so.5.1",    "libkvessaideux.so.5.1",    // a full version, not the major
      "libkvessaiun.so.99999999999", "libkvessaideux.so.99999999999",
  };
  for (const std::string& fichier : fichiers) Ecrire("lib/" + fichier, "x");
  fs::create_directories(FDossier.Chemin() / "lib/libkvessaiun.so.40");
  fs::create_directories(FDossier.Chemin() / "lib/libkvessaideux.so.40");
  Ecrire("vide/rien", "");

  tests::TVariableTemporaire chemins("LD_LIBRARY_PATH", Chemin("vide") + ":" + Chemin("lib"));
  const auto paire = ChercherPaireBibliotheques("libkvessaiun", "libkvessaideux");
  ASSERT_TRUE(paire);
  EXPECT_EQ(VersUtf8(paire->Dossier), Chemin("lib") + "/");
  EXPECT_EQ(paire->Version, 3u);

  Ecrire("lib/libkvessaiun.so.12", "x");
  Ecrire("lib/libkvessaideux.so.12", "x");
  EXPECT_EQ(ChercherPaireBibliotheques("libkvessaiun", "libkvessaideux")->Version, 12u);
  EXPECT_FALSE(ChercherPaireBibliotheques("libkvessaiun", "libkvessaitrois"));
}

}  // namespace
}  // namespace kv::plateforme
