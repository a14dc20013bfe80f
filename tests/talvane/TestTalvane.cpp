// The built tool, run as a child process against a temporary configuration
// folder. When the tests run as root the child runs as an unprivileged account,
// so that rights are checked as they are for an ordinary user.

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "outils/DossierTemporaire.h"
#include "outils/ProcessusEnfant.h"

namespace {

namespace fs = std::filesystem;
using kv::tests::TypeLancement;
using kv::tests::TypeResultat;

const std::string Cree = "Le dossier a été créé avec succès.";
const std::string Existe = "Le dossier existe déjà, opération terminée avec succès.";
const std::string Echec = "Erreur : la création du dossier a échoué.";
const std::string Invite = "Appuyez sur Entrée pour quitter...\n";

std::string Sortie(const std::string& ACible, const std::string& ABase, const std::string& AIssue) {
  return "Le dossier à créer est \"" + ACible + "\" (basé sur " + ABase + ")\n" + AIssue + "\n" +
         Invite;
}

std::string ViaDossierConnu(const fs::path& ACible, const std::string& AIssue) {
  return Sortie(ACible.string(), "FOLDERID_RoamingAppData", AIssue);
}

class Talvane : public testing::Test {
 protected:
  Talvane() {
    FLancement.Executable = TALVANE_EXECUTABLE;
    FLancement.SansPrivileges = true;
    FLancement.TexteEntree = "\n";
    Configuration(Racine() / "cfg");
  }

  const fs::path& Racine() const { return FDossier.Chemin(); }

  // Besides the configuration and home folders, everything the framework
  // takes from the environment is in the temporary folder: the tool's
  // initialisation persists the folder overrides into the machine's hive.
  void Configuration(std::optional<fs::path> AXdg, std::optional<fs::path> APersonnel = {}) {
    const auto texte = [](const std::optional<fs::path>& AChemin) -> std::optional<std::string> {
      if (!AChemin) return std::nullopt;
      return AChemin->string();
    };
    FLancement.Environnement = {{"XDG_CONFIG_HOME", texte(AXdg)},
                                {"HOME", texte(APersonnel)},
                                {"KV_REGISTRE_MACHINE", (Racine() / "machine").string()},
                                {"KV_REGISTRE_UTILISATEUR", (Racine() / "utilisateur").string()},
                                {"KV_DONNEES_COMMUNES", (Racine() / "communes").string()},
                                {"TEMP", (Racine() / "temp").string()}};
  }

  TypeResultat Lancer() {
    FDossier.DonnerAuCompteSansPrivileges();
    const TypeResultat resultat = kv::tests::Lancer(FLancement);
    EXPECT_FALSE(resultat.DelaiDepasse) << "the tool did not end";
    return resultat;
  }

  static std::string Lire(const fs::path& AChemin) {
    std::ifstream fichier(AChemin, std::ios::binary);
    std::ostringstream contenu;
    contenu << fichier.rdbuf();
    return contenu.str();
  }

  void CreerFichier(const fs::path& AChemin) const {
    fs::create_directories(AChemin.parent_path());
    std::ofstream(AChemin) << "contenu";
  }

  kv::tests::TDossierTemporaire FDossier;
  TypeLancement FLancement;
};

TEST_F(Talvane, CreeLeDossierEtSesParents) {
  const fs::path cible = Racine() / "cfg/Microsoft/Spelling/";
  const TypeResultat resultat = Lancer();
  EXPECT_EQ(resultat.Sortie, ViaDossierConnu(cible, Cree));
  EXPECT_EQ(resultat.Erreur, "");
  EXPECT_EQ(resultat.CodeSortie, 0);
  EXPECT_TRUE(fs::is_directory(cible));
}

// The special folders persist the (empty) list of overrides while the tool
// initialises: the key is in the machine hive given to the child.
TEST_F(Talvane, LesSurchargesVontDansLaRucheDonnee) {
  EXPECT_EQ(Lancer().CodeSortie, 0);
  EXPECT_EQ(Lire(Racine() / "machine/registre.kvr"),
            "kvr 1\n[\"SOFTWARE\\\\Korvel\\\\SurchargeRepertoiresWindows\"]\n");
}

// A hive the tool may not write leaves the overrides in memory: the tool
// still runs.
TEST_F(Talvane, UneRucheInaccessibleNEmpechePasLOutil) {
  CreerFichier(Racine() / "machine");
  const TypeResultat resultat = Lancer();
  EXPECT_EQ(resultat.Sortie, ViaDossierConnu(Racine() / "cfg/Microsoft/Spelling/", Cree));
  EXPECT_EQ(resultat.Erreur, "");
  EXPECT_EQ(resultat.CodeSortie, 0);
}

TEST_F(Talvane, DossierDejaPresent) {
  const fs::path cible = Racine() / "cfg/Microsoft/Spelling/";
  fs::create_directories(cible);
  const TypeResultat resultat = Lancer();
  EXPECT_EQ(resultat.Sortie, ViaDossierConnu(cible, Existe));
  EXPECT_EQ(resultat.CodeSortie, 0);
  EXPECT_TRUE(fs::is_empty(cible));
}

TEST_F(Talvane, SansXdgLaBaseEstLeDossierPersonnel) {
  Configuration(std::nullopt, Racine());
  const TypeResultat resultat = Lancer();
  EXPECT_EQ(resultat.Sortie, ViaDossierConnu(Racine() / ".config/Microsoft/Spelling/", Cree));
  EXPECT_TRUE(fs::is_directory(Racine() / ".config/Microsoft/Spelling"));
}

TEST_F(Talvane, BaseAvecSeparateurFinalEtNomNonAscii) {
  Configuration(Racine() / "Données été/");
  const TypeResultat resultat = Lancer();
  EXPECT_EQ(resultat.Sortie, ViaDossierConnu(Racine() / "Données été/Microsoft/Spelling/", Cree));
  EXPECT_TRUE(fs::is_directory(Racine() / "Données été/Microsoft/Spelling"));
}

struct TypeObstacle {
  const char* Nom;
  const char* Fichier;  // a file where a folder of the target should be
};

class CreationRefusee : public Talvane, public testing::WithParamInterface<TypeObstacle> {};

TEST_P(CreationRefusee, UnFichierSurLeChemin) {
  const fs::path fichier = Racine() / GetParam().Fichier;
  CreerFichier(fichier);
  const TypeResultat resultat = Lancer();
  EXPECT_EQ(resultat.Sortie, ViaDossierConnu(Racine() / "cfg/Microsoft/Spelling/", Echec));
  EXPECT_EQ(resultat.CodeSortie, 0) << "a failed creation is reported by message only";
  EXPECT_TRUE(fs::is_regular_file(fichier));
}

INSTANTIATE_TEST_SUITE_P(Cas, CreationRefusee,
                         testing::Values(TypeObstacle{"Parent", "cfg/Microsoft"},
                                         TypeObstacle{"Dossier", "cfg/Microsoft/Spelling"},
                                         TypeObstacle{"Base", "cfg"}),
                         [](const auto& AInfo) { return std::string(AInfo.param.Nom); });

TEST_F(Talvane, ParentEnLectureSeule) {
  fs::create_directories(Racine() / "cfg");
  fs::permissions(Racine() / "cfg", fs::perms::owner_read | fs::perms::owner_exec |
                                        fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
  const TypeResultat resultat = Lancer();
  EXPECT_EQ(resultat.Sortie, ViaDossierConnu(Racine() / "cfg/Microsoft/Spelling/", Echec));
  EXPECT_EQ(resultat.CodeSortie, 0);
  EXPECT_TRUE(fs::is_empty(Racine() / "cfg"));
}

// Without any configuration folder in the environment the tool falls back on
// the account database. Only an unprivileged child can be run so without
// touching a real home folder.
TEST_F(Talvane, RepliSurLeDossierDuCompte) {
  if (!kv::tests::EstAdministrateur()) GTEST_SKIP() << "needs root to run as another account";
  Configuration(std::nullopt, std::nullopt);
  const passwd* compte = ::getpwuid(kv::tests::CompteSansPrivileges);
  ASSERT_NE(compte, nullptr);
  const fs::path personnel = compte->pw_dir;
  ASSERT_FALSE(fs::exists(personnel)) << "the account's home must be absent for this case";

  const TypeResultat resultat = Lancer();
  EXPECT_EQ(resultat.Sortie,
            Sortie((personnel / ".config/Microsoft/Spelling/").string(), "CSIDL_APPDATA", Echec));
  EXPECT_EQ(resultat.CodeSortie, 0);
}

struct TypeEntree {
  const char* Nom;
  TypeLancement::TypeEntree Entree;
  std::string Texte;
};

class FinDEntree : public Talvane, public testing::WithParamInterface<TypeEntree> {};

TEST_P(FinDEntree, LAttenteSeTermineAussitot) {
  FLancement.Entree = GetParam().Entree;
  FLancement.TexteEntree = GetParam().Texte;
  FLancement.Delai = std::chrono::seconds(10);
  const TypeResultat resultat = Lancer();
  EXPECT_EQ(resultat.Sortie, ViaDossierConnu(Racine() / "cfg/Microsoft/Spelling/", Cree));
  EXPECT_EQ(resultat.CodeSortie, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, FinDEntree,
    testing::Values(TypeEntree{"TubeFermeVide", TypeLancement::TypeEntree::Tube, ""},
                    TypeEntree{"LigneSansFin", TypeLancement::TypeEntree::Tube, "abc"},
                    TypeEntree{"EntreeAbsente", TypeLancement::TypeEntree::Fermee, ""},
                    TypeEntree{"NonBloquanteVide", TypeLancement::TypeEntree::TubeNonBloquant, ""}),
    [](const auto& AInfo) { return std::string(AInfo.param.Nom); });

class AttenteEntree : public Talvane,
                      public testing::WithParamInterface<TypeLancement::TypeEntree> {};

TEST_P(AttenteEntree, LOutilAttendUneLigne) {
  FLancement.Entree = GetParam();
  FLancement.DelaiAvantEntree = std::chrono::milliseconds(500);
  const TypeResultat resultat = Lancer();
  EXPECT_FALSE(resultat.TermineAvantEntree);
  EXPECT_EQ(resultat.Sortie, ViaDossierConnu(Racine() / "cfg/Microsoft/Spelling/", Cree));
  EXPECT_EQ(resultat.CodeSortie, 0);
}

INSTANTIATE_TEST_SUITE_P(Cas, AttenteEntree,
                         testing::Values(TypeLancement::TypeEntree::Tube,
                                         TypeLancement::TypeEntree::TubeNonBloquant));

// Messages that cannot be written are not a success: the failure leaves the
// processing step and is reported with its exit code.
TEST_F(Talvane, SortieStandardPleine) {
  FLancement.FichierSortie = "/dev/full";
  const TypeResultat resultat = Lancer();
  EXPECT_EQ(resultat.Erreur,
            "Échec - [EInOutError] Échec de l'écriture sur la sortie standard : "
            "No space left on device\n");
  EXPECT_EQ(resultat.CodeSortie, 2);
}

}  // namespace
