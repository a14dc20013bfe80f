// The folder overrides: in memory, persisted into the local machine's hive and
// read back. The hives are in a temporary folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "environnement/ImplSurchargeRepertoiresWindows.h"
#include "outils/EnvironnementIsole.h"
#include "outils/ProcessusEnfant.h"
#include "plateforme/Registre.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
namespace pf = plateforme;
using TypeNoms = std::vector<std::u16string>;

constexpr pf::TypeRacineRegistre Machine = pf::TypeRacineRegistre::rrMachineLocale;

pf::TValeurRegistre Chaine(std::u16string ATexte) {
  return {pf::TypeValeurRegistre::tvChaine, std::move(ATexte), 0};
}

std::optional<pf::TCleRegistre> Cle() {
  return pf::TCleRegistre::Ouvrir(Machine, CleSurchargeRepertoiresWindows);
}

TEST(Surcharges, UnNomDejaPresentGardeSonPremierDossier) {
  const auto surcharges = Nouveau<TSurchargeRepertoireWindows>();
  EXPECT_TRUE(surcharges->AjouterSurcharge(u"CSIDL_COMMON_APPDATA", u"/premier"));
  EXPECT_FALSE(surcharges->AjouterSurcharge(u"CSIDL_COMMON_APPDATA", u"/second"));
  EXPECT_EQ(surcharges->GetSurcharge(u"CSIDL_COMMON_APPDATA"), u"/premier");
  EXPECT_EQ(surcharges->GetNomsSurcharges(), TypeNoms{u"CSIDL_COMMON_APPDATA"});
}

TEST(Surcharges, LesNomsDiffererantParLaCasseSontDeuxEntrees) {
  const auto surcharges = Nouveau<TSurchargeRepertoireWindows>();
  EXPECT_TRUE(surcharges->AjouterSurcharge(u"Nom", u"/a"));
  EXPECT_TRUE(surcharges->AjouterSurcharge(u"NOM", u"/b"));
  EXPECT_EQ(surcharges->GetNomsSurcharges(), (TypeNoms{u"NOM", u"Nom"}));
  EXPECT_EQ(surcharges->GetSurcharge(u"Nom"), u"/a");
  EXPECT_EQ(surcharges->GetSurcharge(u"NOM"), u"/b");
}

TEST(Surcharges, UnNomAbsentEstUneErreur) {
  const auto surcharges = Nouveau<TSurchargeRepertoireWindows>();
  surcharges->AjouterSurcharge(u"Nom", u"/a");
  EXPECT_THROW(surcharges->GetSurcharge(u"nom"), EListError);
  EXPECT_THROW(surcharges->GetSurcharge(u""), EListError);
}

// The folder holding the code, which is this test program.
TEST(Surcharges, LeNomDeLInstallationEstLeDossierDuProgramme) {
  EXPECT_EQ(NomSurchargeInstallation(),
            fs::read_symlink("/proc/self/exe").parent_path().u16string());
}

class SurchargesRegistre : public testing::Test {
 protected:
  void Stocker(std::u16string_view ANom, const pf::TValeurRegistre& AValeur) const {
    pf::TCleRegistre::OuvrirOuCreer(Machine, CleSurchargeRepertoiresWindows)
        .EcrireValeur(ANom, AValeur);
  }

  tests::TEnvironnementIsole FEnvironnement;
};

TEST_F(SurchargesRegistre, SansCleLesDeuxDossiersSontVides) {
  std::u16string communes = u"avant";
  std::u16string documents = u"avant";
  LireSurcharges(communes, documents);
  EXPECT_EQ(communes, u"");
  EXPECT_EQ(documents, u"");
  EXPECT_FALSE(fs::exists(FEnvironnement.Machine())) << "reading creates nothing";
}

struct TypeCasLecture {
  const char* Nom;
  std::optional<pf::TValeurRegistre> Installation;
  std::optional<pf::TValeurRegistre> Communes;
  std::optional<pf::TValeurRegistre> Documents;
  std::u16string AttenduCommunes;
  std::u16string AttenduDocuments;
};

class LectureSurcharges : public SurchargesRegistre,
                          public testing::WithParamInterface<TypeCasLecture> {};

TEST_P(LectureSurcharges, PrecedenceEtValeursTellesQuEnregistrees) {
  Stocker(u"Autre", Chaine(u"/ignore"));
  if (GetParam().Installation) Stocker(NomSurchargeInstallation(), *GetParam().Installation);
  if (GetParam().Communes) Stocker(SurchargeDonneesCommunes, *GetParam().Communes);
  if (GetParam().Documents) Stocker(SurchargeDocuments, *GetParam().Documents);
  std::u16string communes;
  std::u16string documents;
  LireSurcharges(communes, documents);
  EXPECT_EQ(communes, GetParam().AttenduCommunes);
  EXPECT_EQ(documents, GetParam().AttenduDocuments);
}

const pf::TValeurRegistre Entier{pf::TypeValeurRegistre::tvEntier32, u"", 7};

INSTANTIATE_TEST_SUITE_P(
    Cas, LectureSurcharges,
    testing::Values(TypeCasLecture{"CleVide", {}, {}, {}, u"", u""},
                    TypeCasLecture{"InstallationAvantMachine", Chaine(u"/inst"),
                                   Chaine(u"/machine"), Chaine(u"/docs"), u"/inst", u"/docs"},
                    TypeCasLecture{"InstallationVideLaisseLaMachine",
                                   Chaine(u""),
                                   Chaine(u"/machine"),
                                   {},
                                   u"/machine",
                                   u""},
                    TypeCasLecture{"MachineSeule", {}, Chaine(u"/machine"), {}, u"/machine", u""},
                    TypeCasLecture{"DocumentsSeuls", {}, {}, Chaine(u"/docs"), u"", u"/docs"},
                    TypeCasLecture{"ValeursVides", Chaine(u""), Chaine(u""), Chaine(u""), u"", u""},
                    TypeCasLecture{"PourcentsEtEspacesGardes",
                                   {},
                                   Chaine(u"%PROGRAMDATA%\\X"),
                                   pf::TValeurRegistre{pf::TypeValeurRegistre::tvChaineExtensible,
                                                       u" %HOME%/docs ", 0},
                                   u"%PROGRAMDATA%\\X",
                                   u" %HOME%/docs "},
                    // A value that is not a string stops the reading; what came before stays.
                    TypeCasLecture{"InstallationNonChaine", Entier, Chaine(u"/machine"),
                                   Chaine(u"/docs"), u"", u""},
                    TypeCasLecture{
                        "DocumentsNonChaine", {}, Chaine(u"/machine"), Entier, u"/machine", u""}),
    [](const auto& AInfo) { return std::string(AInfo.param.Nom); });

TEST_F(SurchargesRegistre, UneListeVideLaisseUneCleVide) {
  EnregistrerSurcharges(*Nouveau<TSurchargeRepertoireWindows>());
  const auto cle = Cle();
  ASSERT_TRUE(cle);
  EXPECT_EQ(cle->NomsValeurs(), TypeNoms{});
}

TEST_F(SurchargesRegistre, LesSurchargesRemplacentSansRienEffacer) {
  Stocker(SurchargeDonneesCommunes, Chaine(u"/ancien"));
  Stocker(u"Gardee", Chaine(u"/gardee"));
  const auto surcharges = Nouveau<TSurchargeRepertoireWindows>();
  surcharges->AjouterSurcharge(SurchargeDonneesCommunes, u"%TEMP%\\communes");
  surcharges->AjouterSurcharge(SurchargeDocuments, u"");
  EnregistrerSurcharges(*surcharges);
  const auto cle = Cle();
  ASSERT_TRUE(cle);
  EXPECT_EQ(cle->NomsValeurs(), (TypeNoms{std::u16string(SurchargeDonneesCommunes), u"Gardee",
                                          std::u16string(SurchargeDocuments)}));
  EXPECT_EQ(cle->LireValeur(SurchargeDonneesCommunes), Chaine(u"%TEMP%\\communes"));
  EXPECT_EQ(cle->LireValeur(SurchargeDocuments), Chaine(u""));
  EXPECT_EQ(cle->LireValeur(u"Gardee"), Chaine(u"/gardee"));
}

// The registry matches names without regard to case: the two entries become
// one value, named as the first written, holding the last.
TEST_F(SurchargesRegistre, DeuxNomsDifferantParLaCasseDonnentUneValeur) {
  const auto surcharges = Nouveau<TSurchargeRepertoireWindows>();
  surcharges->AjouterSurcharge(u"csidl_mydocuments", u"/minuscules");
  surcharges->AjouterSurcharge(u"CSIDL_MYDOCUMENTS", u"/majuscules");
  EnregistrerSurcharges(*surcharges);
  EXPECT_EQ(Cle()->NomsValeurs(), TypeNoms{u"CSIDL_MYDOCUMENTS"});
  std::u16string communes;
  std::u16string documents;
  LireSurcharges(communes, documents);
  EXPECT_EQ(documents, u"/minuscules");
}

// A hive that cannot hold the key: nothing written, nothing raised.
TEST_F(SurchargesRegistre, SansCleOuvrableRienNEstEcrit) {
  std::ofstream(FEnvironnement.Racine() / "fichier") << "x";
  const tests::TVariableTemporaire machine("KV_REGISTRE_MACHINE",
                                           (FEnvironnement.Racine() / "fichier/ruche").string());
  const auto surcharges = Nouveau<TSurchargeRepertoireWindows>();
  surcharges->AjouterSurcharge(SurchargeDonneesCommunes, u"/x");
  EXPECT_NO_THROW(EnregistrerSurcharges(*surcharges));
  EXPECT_FALSE(Cle());
}

// What one process persists, a fresh one reads from the hive. The probe is
// built beside this program, so it has the same installation name.
TEST_F(SurchargesRegistre, UnAutreProcessusLitCeQuiAEteEnregistre) {
  const auto surcharges = Nouveau<TSurchargeRepertoireWindows>();
  surcharges->AjouterSurcharge(NomSurchargeInstallation(), u"/installation/données");
  surcharges->AjouterSurcharge(SurchargeDonneesCommunes, u"/machine");
  surcharges->AjouterSurcharge(SurchargeDocuments, u"%USERPROFILE%\\Documents");
  EnregistrerSurcharges(*surcharges);

  tests::TypeLancement lancement;
  lancement.Executable = SONDE_DOSSIERS;
  lancement.Arguments = {"surcharges"};
  const tests::TypeResultat resultat = tests::Lancer(lancement);
  EXPECT_EQ(resultat.CodeSortie, 0) << resultat.Sortie << resultat.Erreur;
  EXPECT_EQ(resultat.Sortie,
            "communes=/installation/donn\xC3\xA9"
            "es\ndocuments=%USERPROFILE%\\Documents\n");
}

}  // namespace
}  // namespace kv
