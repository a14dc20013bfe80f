#include <gtest/gtest.h>
#include <pthread.h>

#include <stdexcept>
#include <string>

#include "application/ApplicationKorvel.h"
#include "application/ImplInformationApplication.h"
#include "comparaison/I_GestionIcu.h"
#include "comparaison/IntercepteurCompareString.h"
#include "commun/Exception.h"
#include "environnement/RestrictionsApiWindows.h"
#include "objets/ClasseFinalisable.h"
#include "objets/ObjetInterfacable.h"
#include "objets/SingletonDictionnaireExtensions.h"
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
  using TApplicationKorvel::TApplicationKorvel;
  using TApplicationKorvel::AjouterExtension;
  using TApplicationKorvel::SupprimerExtension;
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

}  // namespace
}  // namespace kv
