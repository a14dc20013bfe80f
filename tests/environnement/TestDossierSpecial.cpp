// The special folders, with every root in a temporary folder. Cases with the
// option "instance" run the probe, whose command line can hold it.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "environnement/ImplDossierSpecial.h"
#include "environnement/ImplSurchargeRepertoiresWindows.h"
#include "environnement/InformationEssai.h"
#include "environnement/KVPath.h"
#include "outils/EnvironnementIsole.h"
#include "outils/ProcessusEnfant.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using tests::TEnvironnementIsole;
using enum TypeNiveauDossierSpecial;

using enum TypeRacineDossierSpecial;

fs::path Natif(std::u16string ADossier) {
  for (char16_t& c : ADossier) {
    if (c == u'\\') c = u'/';
  }
  return fs::path(ADossier);
}

bool Contient(const std::string& ATexte, const std::string& AMorceau) {
  return ATexte.find(AMorceau) != std::string::npos;
}

// A context of the host application.
class TContexteEssai : public TObjetInterfacable, public IContexteExecution {
  KV_INTERFACES(TObjetInterfacable, IContexteExecution)

 public:
  TContexteEssai(std::u16string ANom, std::uint8_t AGenre)
      : TObjetInterfacable(true), FNom(std::move(ANom)), FGenre(AGenre) {}
  std::u16string GetNomContexte() override { return FNom; }
  std::u16string GetLibelleContexte() override { return u"Contexte " + FNom; }
  std::u16string GetParametresContexte() override { return {}; }
  std::uint8_t GetGenreContexte() override { return FGenre; }

 private:
  std::u16string FNom;
  std::uint8_t FGenre;
};

struct TypeSortieSonde {
  int Code = -1;
  std::string Sortie;
};

class DossierSpecial : public testing::Test {
 protected:
  TRef<TDossierSpecial> Creer(ISurchargeRepertoiresWindows* ASurcharges = nullptr,
                              IContexteExecution* AContexte = nullptr) {
    return Nouveau<TDossierSpecial>(FInformation.Get(), AContexte, ASurcharges);
  }

  std::u16string Cadre(const fs::path& AChemin) const {
    return TEnvironnementIsole::EnCadriciel(AChemin);
  }

  // GetDossier in a fresh process started with "-instance AInstance".
  static TypeSortieSonde Sonde(TypeRacineDossierSpecial ARacine, TypeNiveauDossierSpecial ANiveau,
                               TypeOptionsDossierSpecial AOptions,
                               const std::u16string& ASousDossier, const std::string& AInstance) {
    tests::TypeLancement lancement;
    lancement.Executable = SONDE_DOSSIERS;
    lancement.Arguments = {"dossier",
                           std::to_string(static_cast<int>(ARacine)),
                           std::to_string(static_cast<int>(ANiveau)),
                           std::to_string(static_cast<int>(AOptions)),
                           plateforme::VersUtf8(ASousDossier),
                           "-instance",
                           AInstance};
    const tests::TypeResultat resultat = tests::Lancer(lancement);
    EXPECT_EQ(resultat.Erreur, "");
    return {resultat.CodeSortie, resultat.Sortie};
  }

  TEnvironnementIsole FEnvironnement;
  TRef<TInformationApplication> FInformation = tests::InformationEssai();
};

// ---- Every root and level ----

enum class TypeBase : std::uint8_t {
  Communes,
  SurchargeCommunes,
  Installation,
  Documents,
  SurchargeDocuments,
  Temporaire,
  Bin,
  Courant,
};

struct TypeCasDossier {
  const char* Nom;
  std::uint8_t Racine;
  TypeNiveauDossierSpecial Niveau;
  TypeOptionsDossierSpecial Options;
  std::u16string SousDossier;
  TypeBase Base;
  std::u16string Suite;  // after the base, with its trailing backslash
};

class Dossiers : public DossierSpecial,
                 public testing::WithParamInterface<std::tuple<TypeCasDossier, bool>> {
 protected:
  fs::path Base(TypeBase ABase) const {
    switch (ABase) {
      case TypeBase::Communes:
        return FEnvironnement.Communes();
      case TypeBase::SurchargeCommunes:
        return FEnvironnement.Racine() / "surcharge-communes";
      case TypeBase::Installation:
        return FEnvironnement.Racine() / "installation";
      case TypeBase::Documents:
        return FEnvironnement.Personnel() / "Documents";
      case TypeBase::SurchargeDocuments:
        return FEnvironnement.Racine() / "surcharge-docs";
      case TypeBase::Temporaire:
        return FEnvironnement.Temporaire();
      case TypeBase::Bin:
        return fs::read_symlink("/proc/self/exe").parent_path();
      case TypeBase::Courant:
        return fs::current_path();
    }
    return {};
  }

  // The overrides the case needs, given in code as the application would.
  TRef<TSurchargeRepertoireWindows> Surcharges(TypeBase ABase) const {
    auto surcharges = Nouveau<TSurchargeRepertoireWindows>();
    const auto ajouter = [&](std::u16string_view ANom, TypeBase AVers) {
      surcharges->AjouterSurcharge(ANom, Base(AVers).u16string());
    };
    if (ABase == TypeBase::SurchargeCommunes || ABase == TypeBase::Installation) {
      ajouter(SurchargeDonneesCommunes, TypeBase::SurchargeCommunes);
    }
    if (ABase == TypeBase::Installation) ajouter(NomSurchargeInstallation(), ABase);
    if (ABase == TypeBase::SurchargeDocuments) ajouter(SurchargeDocuments, ABase);
    return surcharges;
  }
};

TEST_P(Dossiers, SuiventLeSchemaDeLaRacineALInstance) {
  const auto& [cas, instance] = GetParam();
  const auto dossiers = Creer(Surcharges(cas.Base).Get());
  const auto racine = static_cast<TypeRacineDossierSpecial>(cas.Racine);
  std::u16string attendu = Cadre(Base(cas.Base)) + u"\\" + cas.Suite;
  std::u16string obtenu;
  if (instance) {
    attendu += u"Test\\";
    const TypeSortieSonde sonde = Sonde(racine, cas.Niveau, cas.Options, cas.SousDossier, "Test");
    EXPECT_EQ(sonde.Code, 0) << sonde.Sortie;
    obtenu = plateforme::DepuisUtf8(sonde.Sortie);
    attendu += u"\n";
  } else {
    obtenu = dossiers->GetDossier(racine, cas.Niveau, cas.Options, cas.SousDossier);
  }
  EXPECT_EQ(plateforme::VersUtf8(obtenu), plateforme::VersUtf8(attendu));
  const fs::path natif = Natif(attendu.substr(0, attendu.find(u'\n')));
  EXPECT_EQ(fs::is_directory(natif), (cas.Options & ODS_Creer) != 0) << natif;
}

const TypeCasDossier CasDossiers[] = {
    {"Societe", 0, NDS_Societe, 0, u"", TypeBase::Communes, u"Korvel\\"},
    {"Produit", 0, NDS_Produit, 0, u"", TypeBase::Communes, u"Korvel\\Essai\\"},
    {"Application", 0, NDS_Application, 0, u"", TypeBase::Communes, u"Korvel\\Essai\\CLIENT\\"},
    {"ApplicationCommun", 0, NDS_ApplicationCommun, 0, u"", TypeBase::Communes,
     u"Korvel\\Essai\\CLIENT\\TOUTES VERSIONS\\"},
    {"AppliVersionnee", 0, NDS_AppliVersionnee, 0, u"", TypeBase::Communes,
     u"Korvel\\Essai\\CLIENT\\VERSION 2024-1\\"},
    {"PaysEtSousDossier", 0, NDS_AppliVersionnee, ODS_PaysDistribution, u"Journaux\\Jour",
     TypeBase::Communes, u"Korvel\\Essai\\CLIENT\\VERSION 2024-1\\IT\\Journaux\\Jour\\"},
    {"Creation", 0, NDS_Application, ODS_Creer | ODS_PaysDistribution, u"", TypeBase::Communes,
     u"Korvel\\Essai\\CLIENT\\IT\\"},
    {"SurchargeCommunes", 0, NDS_Produit, 0, u"", TypeBase::SurchargeCommunes, u"Korvel\\Essai\\"},
    {"SurchargeInstallation", 0, NDS_Societe, ODS_Creer, u"", TypeBase::Installation, u"Korvel\\"},
    {"Documents", 1, NDS_Application, 0, u"", TypeBase::Documents, u"Korvel\\Essai\\CLIENT\\"},
    {"SurchargeDocuments", 1, NDS_AppliVersionnee, ODS_Creer, u"", TypeBase::SurchargeDocuments,
     u"Korvel\\Essai\\CLIENT\\VERSION 2024-1\\"},
    {"Temporaire", 2, NDS_Produit, 0, u"", TypeBase::Temporaire, u"Korvel\\Essai\\"},
    {"TemporaireCreation", 2, NDS_Societe, ODS_Creer, u"", TypeBase::Temporaire, u"Korvel\\"},
    // No such root: the levels give way to the executable's bin folder.
    {"RacineInconnue", 3, NDS_AppliVersionnee, ODS_PaysDistribution, u"Sous", TypeBase::Bin,
     u"IT\\Sous\\"},
    // A sub-folder given by code is taken as a path: a drive part starts
    // again (from the current folder, since a drive means nothing here), ".."
    // goes up.
    {"SousDossierAvecLecteur", 0, NDS_Application, 0, u"D:\\x", TypeBase::Courant, u"D:\\x\\"},
    {"SousDossierQuiRemonte", 0, NDS_Application, 0, u"..\\Autre", TypeBase::Communes,
     u"Korvel\\Essai\\Autre\\"},
};

INSTANTIATE_TEST_SUITE_P(Cas, Dossiers,
                         testing::Combine(testing::ValuesIn(CasDossiers), testing::Bool()),
                         [](const auto& AInfo) {
                           return std::string(std::get<0>(AInfo.param).Nom) +
                                  (std::get<1>(AInfo.param) ? "_Instance" : "");
                         });

// ---- The version folder ----

class TInformationMillesime : public TInformationApplication {
 public:
  TInformationMillesime(TypeVersion AVersion, std::u16string AMillesime)
      : TInformationApplication(u"Essai", TypeProduit::prStocks, TypeGenreApplication::gaClient,
                                std::move(AVersion), 1, TypePaysDistribution::pdItalie,
                                TypeSourceEnvironnement::seAucune),
        FMillesimeEssai(std::move(AMillesime)) {}
  std::u16string GetMillesime() override { return FMillesimeEssai; }

 private:
  std::u16string FMillesimeEssai;
};

struct TypeCasVersion {
  TypeVersion Version;
  std::u16string Millesime;
  std::u16string Dossier;
};

class DossierVersion : public DossierSpecial, public testing::WithParamInterface<TypeCasVersion> {};

TEST_P(DossierVersion, DeuxNumerosEtLeMillesimeQuandIlDiffere) {
  const auto information = Nouveau<TInformationMillesime>(GetParam().Version, GetParam().Millesime);
  const auto dossiers = Nouveau<TDossierSpecial>(information.Get(), nullptr, nullptr);
  EXPECT_EQ(
      dossiers->GetDossier(RDS_DonneesCommunes, NDS_AppliVersionnee, 0, u""),
      Cadre(FEnvironnement.Communes()) + u"\\Korvel\\Essai\\CLIENT\\" + GetParam().Dossier + u"\\");
}

INSTANTIATE_TEST_SUITE_P(Cas, DossierVersion,
                         testing::Values(TypeCasVersion{{2024, 1, 3}, u"2024", u"VERSION 2024-1"},
                                         TypeCasVersion{
                                             {2024, 1, 3}, u"2023", u"VERSION 2024-1 (2023)"},
                                         TypeCasVersion{{2024, 1, 3}, u"", u"VERSION 2024-1"},
                                         TypeCasVersion{{7}, u"7", u"VERSION 7-0"},
                                         TypeCasVersion{{7}, u"07", u"VERSION 7-0 (07)"},
                                         TypeCasVersion{{}, u"", u"VERSION 0-0"}));

// ---- Roots that the environment does not give ----

TEST_F(DossierSpecial, SansTempLaRacineTemporaireEstTmp) {
  for (const std::optional<std::string>& valeur :
       {std::optional<std::string>(), std::optional<std::string>("")}) {
    const tests::TVariableTemporaire temp("TEMP", valeur);
    EXPECT_EQ(Creer()->GetDossier(RDS_Temporaire, NDS_Societe, 0, u""), u"\\tmp\\Korvel\\");
  }
}

TEST_F(DossierSpecial, SansDossierDocumentsLaRacineEstLeDossierBin) {
  const tests::TVariableTemporaire personnel("HOME", std::nullopt);
  EXPECT_EQ(Creer()->GetDossier(RDS_Documents, NDS_Application, 0, u"Sous"),
            Cadre(fs::read_symlink("/proc/self/exe").parent_path()) + u"\\Sous\\");
}

// The roots are fixed when the object is built.
TEST_F(DossierSpecial, LesRacinesNeSuiventPasLesChangementsUlterieurs) {
  const auto dossiers = Creer();
  const tests::TVariableTemporaire communes("KV_DONNEES_COMMUNES", "/ailleurs");
  EXPECT_EQ(dossiers->GetDossier(RDS_DonneesCommunes, NDS_Societe, 0, u""),
            Cadre(FEnvironnement.Communes()) + u"\\Korvel\\");
}

// ---- Working folder ----

TEST_F(DossierSpecial, LOutilTravailleDansLeDossierDeLApplication) {
  const auto information = Nouveau<TInformationApplication>(
      u"Talvane", TypeProduit::prOutils, TypeGenreApplication::gaIndefini, TypeVersion{1, 2},
      std::uint8_t{1}, TypePaysDistribution::pdFrance, TypeSourceEnvironnement::seAucune);
  const auto dossiers = Nouveau<TDossierSpecial>(information.Get(), nullptr, nullptr);
  const std::u16string attendu = Cadre(FEnvironnement.Communes()) + u"\\Korvel\\Talvane\\";
  EXPECT_EQ(dossiers->GetDossierTravail(), attendu);
  EXPECT_TRUE(fs::is_directory(Natif(attendu)));
}

TEST_F(DossierSpecial, LesAutresProduitsTravaillentDansLaVersionEtLePays) {
  const auto dossiers = Creer();
  const std::u16string attendu =
      Cadre(FEnvironnement.Communes()) + u"\\Korvel\\Essai\\CLIENT\\VERSION 2024-1\\IT\\";
  EXPECT_EQ(dossiers->GetDossierTravail(), attendu);
  EXPECT_TRUE(fs::is_directory(Natif(attendu)));
  fs::remove(Natif(attendu));
  EXPECT_EQ(dossiers->GetDossierTravail(), attendu) << "computed once";
  EXPECT_FALSE(fs::exists(Natif(attendu)));
}

TEST_F(DossierSpecial, SetDossierTravailGardeLeDossierTelQuelEtLeCree) {
  const auto dossiers = Creer();
  const std::u16string dossier = Cadre(FEnvironnement.Racine() / "travail/ici");
  EXPECT_TRUE(dossiers->SetDossierTravail(dossier));
  EXPECT_EQ(dossiers->GetDossierTravail(), dossier);
  EXPECT_TRUE(fs::is_directory(FEnvironnement.Racine() / "travail/ici"));

  std::ofstream(FEnvironnement.Racine() / "fichier") << "x";
  const std::u16string impossible = Cadre(FEnvironnement.Racine() / "fichier/travail");
  EXPECT_FALSE(dossiers->SetDossierTravail(impossible));
  EXPECT_EQ(dossiers->GetDossierTravail(), impossible);
}

// ---- Contexts ----

struct TypeCasContexte {
  std::uint8_t Genre;
  std::u16string Suite;  // after the versioned folder, or the current one
  bool DepuisCourant = false;
};

class DossierContexte : public DossierSpecial,
                        public testing::WithParamInterface<TypeCasContexte> {};

TEST_P(DossierContexte, SelonLeGenre) {
  const auto contexte = Nouveau<TContexteEssai>(u"Alpha", GetParam().Genre);
  const auto dossiers = Creer();
  const std::u16string versionnee =
      Cadre(FEnvironnement.Communes()) + u"\\Korvel\\Essai\\CLIENT\\VERSION 2024-1\\";
  const std::u16string attendu = GetParam().DepuisCourant
                                     ? Cadre(fs::current_path()) + u"\\" + GetParam().Suite
                                     : versionnee + GetParam().Suite;
  EXPECT_EQ(dossiers->GetDossierContexte(contexte.Get()), attendu);
  EXPECT_TRUE(fs::is_directory(Natif(versionnee + u"IT"))) << "the base is always created";
  EXPECT_EQ(fs::exists(Natif(attendu)), GetParam().Genre == 3) << "only kind 3's is created";
}

INSTANTIATE_TEST_SUITE_P(Cas, DossierContexte,
                         testing::Values(TypeCasContexte{0, u"IT\\Serveurs\\Alpha\\"},
                                         TypeCasContexte{1, u"IT\\Plannings\\Alpha\\"},
                                         TypeCasContexte{2, u"IT\\Installations\\Alpha\\"},
                                         // The versioned folder, no country, no name.
                                         TypeCasContexte{3, u""},
                                         // No base: the name from the current folder.
                                         TypeCasContexte{4, u"Alpha\\", true},
                                         TypeCasContexte{255, u"Alpha\\", true}));

TEST_F(DossierSpecial, AvecUnContexteLeDossierDeTravailEstleSien) {
  const auto contexte = Nouveau<TContexteEssai>(u"Beta", 1);
  const auto dossiers = Creer(nullptr, contexte.Get());
  EXPECT_EQ(dossiers->GetDossierTravail(), dossiers->GetDossierContexte(contexte.Get()));
}

TEST_F(DossierSpecial, SansInformationNiContexteCEstUneErreur) {
  EXPECT_THROW(Nouveau<TDossierSpecial>(nullptr, nullptr, nullptr), EArgumentInvalide);
  EXPECT_THROW(Creer()->GetDossierContexte(nullptr), EArgumentInvalide);
}

// ---- Folders that cannot be created ----

// A file where the common data folder should be: as root too, nothing can
// be created below it.
class DossierImpossible : public DossierSpecial {
 protected:
  DossierImpossible() { std::ofstream(FEnvironnement.Racine() / "fichier") << "x"; }

  void VerifierMessage(const ECreationDossier& AErreur) const {
    const std::string message = plateforme::VersUtf8(AErreur.Message());
    EXPECT_TRUE(Contient(message, "Impossible de créer le dossier « " +
                                      (FEnvironnement.Racine() / "fichier/Korvel/").string()))
        << message;
    EXPECT_TRUE(Contient(message, std::strerror(EEXIST))) << message;
  }

  tests::TVariableTemporaire FCommunes{"KV_DONNEES_COMMUNES",
                                       (FEnvironnement.Racine() / "fichier").string()};
};

TEST_F(DossierImpossible, LaCreationEchoueeEstSignalee) {
  const auto dossiers = Creer();
  EXPECT_EQ(dossiers->GetDossier(RDS_DonneesCommunes, NDS_Produit, 0, u""),
            Cadre(FEnvironnement.Racine() / "fichier") + u"\\Korvel\\Essai\\")
      << "without ODS_Creer nothing is created, so nothing fails";
  try {
    dossiers->GetDossier(RDS_DonneesCommunes, NDS_Societe, ODS_Creer, u"");
    ADD_FAILURE() << "an uncreated folder reported as created";
  } catch (const ECreationDossier& erreur) {
    VerifierMessage(erreur);
  }
  EXPECT_THROW(dossiers->GetDossierPourApplication(u"X", RDS_DonneesCommunes, NDS_Application,
                                                   ODS_Creer, u""),
               ECreationDossier);
  EXPECT_THROW(dossiers->GetDossierTravail(), ECreationDossier);
  EXPECT_THROW(dossiers->GetDossierTravail(), ECreationDossier) << "nothing kept from a failure";
  const auto contexte = Nouveau<TContexteEssai>(u"Alpha", 0);
  EXPECT_THROW(dossiers->GetDossierContexte(contexte.Get()), ECreationDossier);
}

TEST_F(DossierImpossible, UnContexteSansDossierEmpecheLaConstruction) {
  const auto contexte = Nouveau<TContexteEssai>(u"Alpha", 0);
  try {
    Creer(nullptr, contexte.Get());
    ADD_FAILURE() << "built without its working folder";
  } catch (const ECreationDossier& erreur) {
    VerifierMessage(erreur);
  }
  EXPECT_EQ(contexte->CompteurReferences(), 1) << "the failed object let its context go";
  EXPECT_EQ(FInformation->CompteurReferences(), 1);
}

// ---- The option "instance" ----

struct TypeCasInstance {
  const char* Nom;
  std::string Valeur;
};

void PrintTo(const TypeCasInstance& ACas, std::ostream* ASortie) { *ASortie << ACas.Valeur; }

class InstanceRefusee : public DossierSpecial,
                        public testing::WithParamInterface<TypeCasInstance> {};

TEST_P(InstanceRefusee, ParUneErreurQuiLaNomme) {
  const TypeSortieSonde sonde =
      Sonde(RDS_DonneesCommunes, NDS_Application, ODS_Creer, u"", GetParam().Valeur);
  EXPECT_EQ(sonde.Code, 1);
  EXPECT_TRUE(Contient(sonde.Sortie, "EInstanceInvalide: La valeur « " + GetParam().Valeur +
                                         " » de l'option « instance » est refusée : elle "))
      << sonde.Sortie;
  EXPECT_FALSE(fs::exists(FEnvironnement.Communes())) << "nothing created";
}

INSTANTIATE_TEST_SUITE_P(
    Cas, InstanceRefusee,
    testing::Values(TypeCasInstance{"Parent", ".."}, TypeCasInstance{"ParentPuisNom", "..\\x"},
                    TypeCasInstance{"ParentBarreOblique", "../x"},
                    TypeCasInstance{"ParentAuMilieu", "a\\..\\..\\b"},
                    TypeCasInstance{"PointsEtEspaces", "a/. ./b"}, TypeCasInstance{"Courant", "."},
                    TypeCasInstance{"Absolu", "/etc"}, TypeCasInstance{"RacineDuLecteur", "\\x"},
                    TypeCasInstance{"Unc", "\\\\serveur\\partage"},
                    TypeCasInstance{"Lecteur", "D:\\x"}, TypeCasInstance{"LecteurRelatif", "D:x"},
                    TypeCasInstance{"DeuxPoints", "a:b"}, TypeCasInstance{"NiveauVide", "a\\\\b"},
                    TypeCasInstance{"BarreFinale", "a\\"},
                    TypeCasInstance{"BarreObliqueFinale", "a/"}, TypeCasInstance{"Chevron", "a<b"},
                    TypeCasInstance{"Guillemet", "a\"b"}, TypeCasInstance{"Barre", "a|b"},
                    TypeCasInstance{"Etoile", "a*"}, TypeCasInstance{"Question", "a?"},
                    TypeCasInstance{"Controle", "a\tb"}),
    [](const auto& AInfo) { return std::string(AInfo.param.Nom); });

struct TypeCasInstanceAcceptee {
  const char* Nom;
  std::string Valeur;
  std::u16string Suite;
};

class InstanceAcceptee : public DossierSpecial,
                         public testing::WithParamInterface<TypeCasInstanceAcceptee> {};

TEST_P(InstanceAcceptee, NommeUnSousDossier) {
  const TypeSortieSonde sonde = Sonde(RDS_DonneesCommunes, NDS_Societe, 0, u"", GetParam().Valeur);
  EXPECT_EQ(sonde.Code, 0);
  EXPECT_EQ(plateforme::DepuisUtf8(sonde.Sortie),
            Cadre(FEnvironnement.Communes()) + u"\\Korvel\\" + GetParam().Suite + u"\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cas, InstanceAcceptee,
    testing::Values(TypeCasInstanceAcceptee{"Niveaux", "a\\b", u"a\\b\\"},
                    TypeCasInstanceAcceptee{"BarresObliques", "a/b", u"a\\b\\"},
                    TypeCasInstanceAcceptee{"PointsDansLeNom", "v1..2", u"v1..2\\"},
                    TypeCasInstanceAcceptee{"NonAscii", "\xC3\x89t\xC3\xA9 2",
                                            u"\u00C9t\u00E9 2\\"},
                    // "/instance" without a value: no instance.
                    TypeCasInstanceAcceptee{"Vide", "", u""}),
    [](const auto& AInfo) { return std::string(AInfo.param.Nom); });

}  // namespace
}  // namespace kv
