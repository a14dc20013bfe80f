// The probe, run as a child process, reads its own command line and bin folder
// through the framework.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "outils/DossierTemporaire.h"
#include "outils/ProcessusEnfant.h"

namespace {

namespace fs = std::filesystem;

std::string EnCadriciel(std::string AChemin) {
  for (char& c : AChemin) {
    if (c == '/') c = '\\';
  }
  return AChemin;
}

// The probe copied into a development layout and started through a link, so
// that the name it is called by is neither its path nor in its folder.
class SondeLigneDeCommande : public testing::Test {
 protected:
  SondeLigneDeCommande() {
    const fs::path dossier = FDossier.Chemin() / "R/bin/Debug/win64";
    fs::create_directories(dossier);
    FExecutable = fs::canonical(dossier) / "sonde";
    fs::copy_file(SONDE_LIGNE_COMMANDE, FExecutable);
    FLien = FDossier.Chemin() / "lien";
    fs::create_symlink(FExecutable, FLien);
    FBin = EnCadriciel(fs::canonical(FDossier.Chemin()).string() + "/R/bin/");
  }

  std::string Lancer(const std::vector<std::string>& AArguments) const {
    kv::tests::TypeLancement lancement;
    lancement.Executable = FLien.string();
    lancement.Arguments = AArguments;
    const kv::tests::TypeResultat resultat = kv::tests::Lancer(lancement);
    EXPECT_EQ(resultat.CodeSortie, 0) << resultat.Erreur;
    EXPECT_EQ(resultat.Erreur, "");
    return resultat.Sortie;
  }

  // What every run ends with.
  std::string Fin(const std::string& AInstance, bool AAide) const {
    return "instance=" + AInstance + "\nAide=" + (AAide ? "1" : "0") + "\nDossierBin=" + FBin +
           "\nDossierBinModule=" + FBin + "\nDossierBinPlateforme=" + FBin + "icu\\win64\\\n";
  }

  kv::tests::TDossierTemporaire FDossier;
  fs::path FExecutable;
  fs::path FLien;
  std::string FBin;
};

TEST_F(SondeLigneDeCommande, SansArguments) {
  const std::string exe = FExecutable.string();
  EXPECT_EQ(Lancer({}), "ParamCount=0\nParamStr[0]=" + exe +
                            "\nParamStr[1]=\nLigne=\nLigneAvecExe=" + exe + "\n" +
                            Fin("(absente)", false));
}

// Non-ASCII and empty words come through unchanged, and in their places.
TEST_F(SondeLigneDeCommande, LitLesMotsDuProcessus) {
  const std::string exe = FExecutable.string();
  const std::string ete = "dossier \xC3\xA9t\xC3\xA9";
  EXPECT_EQ(Lancer({"-instance", ete, "", "--", "-instance", "\xE2\x82\xAC", ""}),
            "ParamCount=3\nParamStr[0]=" + exe + "\nParamStr[1]=-instance\nParamStr[2]=" + ete +
                "\nParamStr[3]=\nParamStr[4]=\nParamsDbg=-instance\nParamsDbg=\xE2\x82\xAC\n"
                "ParamsDbg=\nLigne=-instance \"" +
                ete + "\" \nLigneAvecExe=" + exe + " -instance \"" + ete + "\" \n" +
                Fin(ete, false));
}

TEST_F(SondeLigneDeCommande, MotNonUtf8EstRemplace) {
  const std::string exe = FExecutable.string();
  EXPECT_EQ(Lancer({"a\xFF", "--help"}),
            "ParamCount=2\nParamStr[0]=" + exe +
                "\nParamStr[1]=a\xEF\xBF\xBD\nParamStr[2]=--help\n"
                "ParamStr[3]=\nLigne=a\xEF\xBF\xBD --help\nLigneAvecExe=" +
                exe + " a\xEF\xBF\xBD --help\n" + Fin("(absente)", true));
}

}  // namespace
