#include <gtest/gtest.h>
#include <pthread.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "application/ApplicationKorvel.h"
#include "application/ImplInformationApplication.h"
#include "commun/Exception.h"
#include "comparaison/I_GestionIcu.h"
#include "comparaison/IntercepteurCompareString.h"
#include "environnement/I_ContexteExecution.h"
#include "environnement/I_PersistanceParametresApplicatif.h"
#include "environnement/ImplDossierSpecial.h"
#include "environnement/ImplSurchargeRepertoiresWindows.h"
#include "environnement/RestrictionsApiWindows.h"
#include "objets/ClasseFinalisable.h"
#include "objets/ObjetInterfacable.h"
#include "objets/SingletonDictionnaireExtensions.h"
#include "outils/EnvironnementIsole.h"
#include "plateforme/Registre.h"
#include "plateforme/Texte.h"

namespace kv {
namespace {

KV_DECLARER_EXCEPTION(EEssai, Exception);

enum class TypePanne { Aucune, Cadre, Etrangere };

struct TypeScenario {
  TypePanne Initialiser = TypePanne::Aucune;
  TypePanne Traiter = TypePanne::Aucune;
  TypePanne Finaliser = TypePanne::Aucune;
  bool RapportEnPanne = false;
};

// Writes each step and each report into a journal.
class TApplicationJournal final : public TApplicationKorvel {
 public:
  explicit TApplicationJournal(TypeScenario AScenario) : FScenario(AScenario) {}
  std::string Journal;

 protected:
  void Initialiser() override { Etape("I", FScenario.Initialiser); }
  void Traiter() override { Etape("T", FScenario.Traiter); }
  void Finaliser() override { Etape("F", FScenario.Finaliser); }
  void EchecInitialisation(std::u16string_view AClasse, std::u16string_view AMessage) override {
    Rapport("EI", AClasse, AMessage);
  }
  void EchecTraitement(std::u16string_view AClasse, std::u16string_view AMessage) override {
    Rapport("ET", AClasse, AMessage);
  }
  void EchecFinalisation(std::u16string_view AClasse, std::u16string_view AMessage) override {
    Rapport("EF", AClasse, AMessage);
  }

 private:
  void Etape(const char* ANom, TypePanne APanne) {
    Journal += ANom;
    Journal += ' ';
    if (APanne == TypePanne::Cadre) throw EEssai(u"panne " + plateforme::DepuisUtf8(ANom));
    if (APanne == TypePanne::Etrangere) throw std::runtime_error(ANom);
  }
  void Rapport(const char* ANom, std::u16string_view AClasse, std::u16string_view AMessage) {
    Journal += std::string(ANom) + "(" + plateforme::VersUtf8(AClasse) + ": " +
               plateforme::VersUtf8(AMessage) + ") ";
    if (FScenario.RapportEnPanne) throw std::logic_error("rapport");
  }

  TypeScenario FScenario;
};

struct TypeCas {
  const char* Nom;
  TypeScenario Scenario;
  std::string Journal;
  bool Propage;  // an exception leaves Execute
};

class Execution : public testing::TestWithParam<TypeCas> {};

TEST_P(Execution, ChaquePhaseEstRapporteeAPartEtLaFinalisationTourneToujours) {
  TApplicationJournal application(GetParam().Scenario);
  bool propage = false;
  try {
    application.Execute();
  } catch (...) {
    propage = true;
  }
  EXPECT_EQ(application.Journal, GetParam().Journal);
  EXPECT_EQ(propage, GetParam().Propage);
}

constexpr auto Cadre = TypePanne::Cadre;
constexpr auto Etrangere = TypePanne::Etrangere;
constexpr auto Aucune = TypePanne::Aucune;

INSTANTIATE_TEST_SUITE_P(
    Cas, Execution,
    testing::Values(
        TypeCas{"SansPanne", {}, "I T F ", false},
        TypeCas{"Initialisation", {Cadre}, "I EI(EEssai: panne I) F ", false},
        TypeCas{"Traitement", {Aucune, Cadre}, "I T ET(EEssai: panne T) F ", false},
        TypeCas{"Finalisation", {Aucune, Aucune, Cadre}, "I T F EF(EEssai: panne F) ", false},
        TypeCas{"TraitementEtFinalisation",
                {Aucune, Cadre, Cadre},
                "I T ET(EEssai: panne T) F EF(EEssai: panne F) ",
                false},
        TypeCas{"InitialisationEtrangere", {Etrangere}, "I F ", true},
        TypeCas{"TraitementEtranger", {Aucune, Etrangere}, "I T F ", true},
        TypeCas{"FinalisationEtrangere", {Aucune, Aucune, Etrangere}, "I T F ", true},
        TypeCas{
            "RapportEnPanne", {Aucune, Cadre, Aucune, true}, "I T ET(EEssai: panne T) F ", true}),
    [](const auto& AInfo) { return std::string(AInfo.param.Nom); });

// A step that raises something else than a kv::Exception after a reported
// failure: the finalisation still runs and its exception is the one that leaves.
TEST(Execution, LExceptionDeLaFinalisationRemplaceCelleEnCours) {
  TApplicationJournal application({Aucune, Etrangere, Etrangere});
  try {
    application.Execute();
    FAIL() << "an exception should leave Execute";
  } catch (const std::runtime_error& exception) {
    EXPECT_STREQ(exception.what(), "F");
  }
}

struct TypeCasNom {
  std::u16string Chemin;
  std::u16string Nom;
};

class NomProgramme : public testing::TestWithParam<TypeCasNom> {};

TEST_P(NomProgramme, FichierSansDossierNiExtension) {
  EXPECT_EQ(TApplicationKorvel::NomProgramme(GetParam().Chemin), GetParam().Nom);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, NomProgramme,
    testing::Values(TypeCasNom{u"/opt/bin/Talvane.exe", u"Talvane"},
                    TypeCasNom{u"/opt/bin/report.old.exe", u"report.old"},
                    TypeCasNom{u"/opt/bin/talvane", u"talvane"},
                    TypeCasNom{u"/opt/v1.2/talvane", u"talvane"},  // a dot in a folder
                    TypeCasNom{u"Talvane.exe", u"Talvane"}, TypeCasNom{u"", u""}));

TEST(Application, LeNomVientDeLExecutableEnCours) {
  const TApplicationJournal application({});
  EXPECT_EQ(application.GetNom(), u"tests_application");
}

// Watches the early phase that the destructor runs.
class TTemoinPrecoce : public TClasseFinalisable {
 public:
  static void Recenser() {
    RecenserFinalisation<TTemoinPrecoce>(TypeGenreClasseFinalisable::cfFinalisationPrecoce);
  }
  static void FinaliserClasse() { ++Appels; }
  static inline int Appels = 0;
};

TEST(Application, LaDestructionLancePhasePrecoce) {
  {
    const TApplicationJournal application({});
    TTemoinPrecoce::Recenser();
    EXPECT_EQ(TTemoinPrecoce::Appels, 0);
  }
  EXPECT_EQ(TTemoinPrecoce::Appels, 1);
}

// Exposes the service registration of the application.
class TApplicationServices final : public TApplicationKorvel {
 public:
  using TApplicationKorvel::AjouterExtension;
  using TApplicationKorvel::SupprimerExtension;
  using TApplicationKorvel::TApplicationKorvel;
  void Traiter() override {}
  void EchecInitialisation(std::u16string_view, std::u16string_view) override {}
  void EchecTraitement(std::u16string_view, std::u16string_view) override {}
  void EchecFinalisation(std::u16string_view, std::u16string_view) override {}
};

class TService : public TObjetInterfacable {
 public:
  explicit TService(bool* ALibere) : TObjetInterfacable(true), FLibere(ALibere) {}

 protected:
  ~TService() override { *FLibere = true; }

 private:
  bool* FLibere;
};

constexpr TGUID GuidService = GuidLitteral("{C7E1A1F0-2B7D-4C55-9D0A-5F3E7B2A9C11}");

TEST(Application, LaConstructionPrepareRestrictionsEtDictionnaire) {
  bool libere = false;
  {
    TApplicationServices application;
    EXPECT_TRUE(RestrictionsApiWindows.Definies);
    application.AjouterExtension(GuidService, Construire<TService>(&libere)->InterfaceDeBase());
    EXPECT_TRUE(TSingletonDictionnaireExtensions::Connait(GuidService))
        << "the application's dictionary is the process's";
    application.SupprimerExtension(GuidService);
    EXPECT_TRUE(libere);

    libere = false;
    application.AjouterExtension(GuidService, Construire<TService>(&libere)->InterfaceDeBase());
  }
  EXPECT_TRUE(libere) << "a service still registered goes with the application";
  EXPECT_FALSE(TSingletonDictionnaireExtensions::Connait(GuidService));
}

TEST(Application, LInformationEstEnregistreeDeLaConstructionALaDestruction) {
  const auto information = Nouveau<TInformationApplication>(
      u"Talvane", TypeProduit::prOutils, TypeGenreApplication::gaIndefini, TypeVersion{1},
      std::uint8_t{1}, TypePaysDistribution::pdFrance, TypeSourceEnvironnement::seAucune);
  {
    TApplicationServices application(information.Get());
    TRef<IInformationApplication> trouvee;
    ASSERT_TRUE(TSingletonDictionnaireExtensions::TryGet(trouvee));
    EXPECT_EQ(trouvee->GetNom(), u"Talvane");
    EXPECT_GT(information->CompteurReferences(), 2) << "the dictionary holds a reference";
  }
  EXPECT_FALSE(TSingletonDictionnaireExtensions::Connait(IInformationApplication::IID));
  EXPECT_EQ(information->CompteurReferences(), 1) << "only the test's reference is left";

  // Without information, nothing is registered under its GUID.
  TApplicationServices sansInformation;
  EXPECT_FALSE(TSingletonDictionnaireExtensions::Connait(IInformationApplication::IID));
}

// The base Initialiser names the calling thread; the kernel keeps 15 bytes.
class TApplicationBase final : public TApplicationKorvel {
 public:
  void Traiter() override {}
  void EchecInitialisation(std::u16string_view, std::u16string_view) override {}
  void EchecTraitement(std::u16string_view, std::u16string_view) override {}
  void EchecFinalisation(std::u16string_view, std::u16string_view) override {}
};

TEST(Application, LInitialisationNommeLeThreadPrincipal) {
  TApplicationBase application;
  application.Execute();
  char nom[64] = {};
  pthread_getname_np(pthread_self(), nom, sizeof nom);
  EXPECT_STREQ(nom, "Thread principa");
}

// What the core services look like from inside the processing step.
class TApplicationIcu final : public TApplicationKorvel {
 public:
  bool Enregistre = false;
  bool Disponible = false;

 protected:
  void Traiter() override {
    TRef<IGestionIcu> gestion;
    Enregistre = TryGetExtension(DictionnaireExtensions(), gestion);
    Disponible = Enregistre && gestion->IcuDisponible();
  }
  void EchecInitialisation(std::u16string_view, std::u16string_view) override {}
  void EchecTraitement(std::u16string_view, std::u16string_view) override {}
  void EchecFinalisation(std::u16string_view, std::u16string_view) override {}
};

TEST(Application, LesComparaisonsPassentParIcuDeLInitialisationALaFinalisation) {
  TApplicationIcu application;
  application.Execute();
  EXPECT_TRUE(application.Enregistre);
  EXPECT_TRUE(application.Disponible);
  EXPECT_FALSE(TSingletonDictionnaireExtensions::Connait(IGestionIcu::IID));
  EXPECT_FALSE(IntercepteurCompareString());
}

// ---- The core services through the lifecycle ----

// A context of the host application.
class TContexte : public TObjetInterfacable, public IContexteExecution {
  KV_INTERFACES(TObjetInterfacable, IContexteExecution)

 public:
  TContexte() : TObjetInterfacable(true) {}
  std::u16string GetNomContexte() override { return u"Alpha"; }
  std::u16string GetLibelleContexte() override { return {}; }
  std::u16string GetParametresContexte() override { return {}; }
  std::uint8_t GetGenreContexte() override { return 0; }
};

// Which services are registered, by name, in a fixed order.
using TypeServices = std::vector<std::string>;

TypeServices Enregistres() {
  const std::pair<const char*, TGUID> services[] = {
      {"Information", IInformationApplication::IID},
      {"Contexte", IContexteExecution::IID},
      {"Surcharges", ISurchargeRepertoiresWindows::IID},
      {"DossierSpecial", IDossierSpecial::IID},
      {"Icu", IGestionIcu::IID},
      {"Parametres", IListePersistanceParametresApplicatif::IID},
  };
  TypeServices noms;
  for (const auto& [nom, guid] : services) {
    if (TSingletonDictionnaireExtensions::Connait(guid)) noms.push_back(nom);
  }
  return noms;
}

// Notes the services registered after construction and during processing; a
// descendant may register its own special folders before the inherited step.
class TApplicationCycle final : public TApplicationKorvel {
 public:
  using TApplicationKorvel::GetSurchargeRepertoiresWindows;
  using TApplicationKorvel::TApplicationKorvel;
  using TApplicationKorvel::TryGetContexteExecution;
  using TApplicationKorvel::TryGetDossierSpecial;
  using TApplicationKorvel::TryGetInformationApplication;

  IInterface* DossierPropre = nullptr;  // registered before the inherited step
  TypeServices PendantTraitement;
  std::u16string DossierTravail;
  std::u16string DossierContexte;
  std::string EchecInitialisationVu;

 protected:
  void Initialiser() override {
    if (DossierPropre) AjouterExtension(IDossierSpecial::IID, DossierPropre);
    TApplicationKorvel::Initialiser();
  }
  void Traiter() override {
    PendantTraitement = Enregistres();
    TRef<IDossierSpecial> dossiers;
    TRef<IContexteExecution> contexte;
    if (TryGetDossierSpecial(dossiers) && TryGetContexteExecution(contexte)) {
      DossierTravail = dossiers->GetDossierTravail();
      DossierContexte = dossiers->GetDossierContexte(contexte.Get());
    }
  }
  void EchecInitialisation(std::u16string_view AClasse, std::u16string_view) override {
    EchecInitialisationVu = plateforme::VersUtf8(AClasse);
  }
  void EchecTraitement(std::u16string_view, std::u16string_view) override {}
  void EchecFinalisation(std::u16string_view, std::u16string_view) override {}
};

class Cycle : public testing::Test {
 protected:
  tests::TEnvironnementIsole FEnvironnement;
  TRef<TInformationApplication> FInformation = Nouveau<TInformationApplication>(
      u"Essai", TypeProduit::prStocks, TypeGenreApplication::gaClient, TypeVersion{3, 2},
      std::uint8_t{1}, TypePaysDistribution::pdFrance, TypeSourceEnvironnement::seAucune);
  TRef<TContexte> FContexte = Nouveau<TContexte>();
};

TEST_F(Cycle, LesServicesDeLaConstructionALaDestruction) {
  {
    TApplicationCycle application(FInformation.Get(), FContexte.Get());
    const TypeServices construction{"Information", "Contexte", "Surcharges"};
    EXPECT_EQ(Enregistres(), construction);
    application.Execute();
    EXPECT_EQ(application.EchecInitialisationVu, "");
    EXPECT_EQ(application.PendantTraitement, (TypeServices{"Information", "Contexte", "Surcharges",
                                                           "DossierSpecial", "Icu", "Parametres"}));
    EXPECT_EQ(Enregistres(), construction) << "Finaliser removes what Initialiser added";
    // The special folders had the context: its folder is the working one.
    EXPECT_EQ(application.DossierTravail, application.DossierContexte);
    EXPECT_EQ(application.DossierTravail,
              tests::TEnvironnementIsole::EnCadriciel(FEnvironnement.Communes()) +
                  u"\\Korvel\\Essai\\CLIENT\\VERSION 3-2\\FR\\Serveurs\\Alpha\\");
  }
  EXPECT_EQ(Enregistres(), TypeServices{});
  EXPECT_EQ(FInformation->CompteurReferences(), 1);
  EXPECT_EQ(FContexte->CompteurReferences(), 1);
}

TEST_F(Cycle, UnContexteSansInformationNEstPasEnregistre) {
  TApplicationCycle application(nullptr, FContexte.Get());
  EXPECT_EQ(Enregistres(), TypeServices{"Surcharges"});
  application.Execute();
  EXPECT_EQ(application.PendantTraitement, (TypeServices{"Surcharges", "Icu", "Parametres"}))
      << "no special folders without the information";
  EXPECT_FALSE(plateforme::TCleRegistre::Ouvrir(plateforme::TypeRacineRegistre::rrMachineLocale,
                                                CleSurchargeRepertoiresWindows))
      << "nothing persisted without special folders";
}

TEST_F(Cycle, LesAccesseursTypesDonnentLesServices) {
  TApplicationCycle application(FInformation.Get());
  TRef<IInformationApplication> information;
  EXPECT_TRUE(application.TryGetInformationApplication(information));
  EXPECT_EQ(information->GetNom(), u"Essai");
  TRef<IContexteExecution> contexte;
  EXPECT_FALSE(application.TryGetContexteExecution(contexte));
  EXPECT_FALSE(contexte);
  TRef<IDossierSpecial> dossiers;
  EXPECT_FALSE(application.TryGetDossierSpecial(dossiers));
  const TRef<ISurchargeRepertoiresWindows> surcharges =
      application.GetSurchargeRepertoiresWindows();
  ASSERT_TRUE(surcharges);
  EXPECT_EQ(surcharges->GetNomsSurcharges(), std::vector<std::u16string>{});
}

// An override added in code before Initialiser is persisted by the special
// folders, then read back like a stored one.
TEST_F(Cycle, UneSurchargeAjouteeAvantLInitialisationEstSuivie) {
  const auto autre = FEnvironnement.Racine() / "ailleurs";
  TApplicationCycle application(FInformation.Get(), FContexte.Get());
  application.GetSurchargeRepertoiresWindows()->AjouterSurcharge(SurchargeDonneesCommunes,
                                                                 autre.u16string());
  application.Execute();
  EXPECT_EQ(application.DossierTravail,
            tests::TEnvironnementIsole::EnCadriciel(autre) +
                u"\\Korvel\\Essai\\CLIENT\\VERSION 3-2\\FR\\Serveurs\\Alpha\\");
  std::u16string communes;
  std::u16string documents;
  LireSurcharges(communes, documents);
  EXPECT_EQ(communes, autre.u16string());
}

TEST_F(Cycle, UnDescendantQuiEnregistreSesDossiersLesGarde) {
  const auto propres = Nouveau<TDossierSpecial>(FInformation.Get(), nullptr, nullptr);
  {
    TApplicationCycle application(FInformation.Get(), FContexte.Get());
    application.DossierPropre = propres->InterfaceDeBase();
    application.Execute();
    EXPECT_EQ(application.EchecInitialisationVu, "");
    EXPECT_EQ(application.DossierTravail,
              tests::TEnvironnementIsole::EnCadriciel(FEnvironnement.Communes()) +
                  u"\\Korvel\\Essai\\CLIENT\\VERSION 3-2\\FR\\")
        << "its own object, built without the context";
    EXPECT_FALSE(TSingletonDictionnaireExtensions::Connait(IDossierSpecial::IID))
        << "removed by Finaliser all the same";
  }
  EXPECT_EQ(propres->CompteurReferences(), 1);
}

// The special folders cannot be built: Initialiser fails before the other
// services, and Finaliser still leaves the state after construction.
TEST_F(Cycle, DesDossiersImpossiblesFontEchouerLInitialisation) {
  { std::ofstream(FEnvironnement.Racine() / "fichier") << "x"; }
  const tests::TVariableTemporaire communes("KV_DONNEES_COMMUNES",
                                            (FEnvironnement.Racine() / "fichier").string());
  TApplicationCycle application(FInformation.Get(), FContexte.Get());
  application.Execute();
  EXPECT_EQ(application.EchecInitialisationVu, "ECreationDossier");
  EXPECT_EQ(Enregistres(), (TypeServices{"Information", "Contexte", "Surcharges"}));
}

}  // namespace
}  // namespace kv
