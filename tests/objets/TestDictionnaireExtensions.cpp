#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <utility>

#include "Sondes.h"
#include "objets/DictionnaireExtensions.h"
#include "objets/GuidsServices.h"
#include "objets/SingletonDictionnaireExtensions.h"
#include "plateforme/Texte.h"

namespace kv::test {
namespace {

using enum TypeGenreClasseFinalisable;

std::string Utf8(const std::u16string& ATexte) { return plateforme::VersUtf8(ATexte); }

constexpr TGUID G1 = GuidLitteral("{0F50254D-542B-4A09-8648-C6D81125E2BF}");
constexpr TGUID G2 = GuidLitteral("{35361CF7-4724-45B3-834D-9E79890C3635}");
constexpr TGUID G3 = GUID_IAttente;

class Dictionnaire : public testing::Test {
 protected:
  int FDestructions = 0;
  TDictionnaireExtensions FDictionnaire;

  TRef<TSonde> NouvelleSonde(int AValeur = 7) {
    return Nouveau<TSonde>(true, &FDestructions, AValeur);
  }
};

TEST_F(Dictionnaire, SupprimerUnGuidRetireLObjetDeTousSesGuids) {
  TSonde* sonde = NouvelleSonde().Detacher();  // the dictionary's will be the only reference
  FDictionnaire.AjouterExtensions({G1, G2, G3}, sonde->InterfaceDeBase());
  sonde->_Release();
  EXPECT_EQ(sonde->CompteurReferences(), 3);
  FDictionnaire.SupprimerExtension(G2);
  EXPECT_FALSE(FDictionnaire.Connait(G1) || FDictionnaire.Connait(G2) || FDictionnaire.Connait(G3));
  EXPECT_TRUE(FDictionnaire.EstVide());
  EXPECT_EQ(FDestructions, 1);
}

TEST_F(Dictionnaire, DeuxObjetsSontDistinguesParLeurIdentite) {
  TRef<TSonde> a = NouvelleSonde(1), b = NouvelleSonde(2);
  FDictionnaire.AjouterExtensions({ISonde::IID, G1}, a->InterfaceDeBase());
  FDictionnaire.AjouterExtension(G2, b->InterfaceDeBase());
  FDictionnaire.SupprimerExtension(G1);
  EXPECT_FALSE(FDictionnaire.Connait(ISonde::IID));
  EXPECT_TRUE(FDictionnaire.Connait(G2));
  EXPECT_EQ(b->CompteurReferences(), 2);
  EXPECT_EQ(a->CompteurReferences(), 1);
}

TEST_F(Dictionnaire, CeQuiNeChangeRien) {
  TRef<TSonde> a = NouvelleSonde();
  FDictionnaire.AjouterExtension(G1, a->InterfaceDeBase());
  FDictionnaire.SupprimerExtension(G2);
  FDictionnaire.AjouterExtension(G3, nullptr);
  EXPECT_TRUE(FDictionnaire.Connait(G1));
  EXPECT_FALSE(FDictionnaire.Connait(G3));
  EXPECT_EQ(a->CompteurReferences(), 2);
}

TEST_F(Dictionnaire, RechercheParInterface) {
  TRef<TSonde> sonde = NouvelleSonde(5);
  FDictionnaire.AjouterExtension(ISonde::IID, sonde->InterfaceDeBase());
  FDictionnaire.AjouterExtension(G3, sonde->InterfaceDeBase());

  TRef<ISonde> typee;
  ASSERT_TRUE(TryGetExtension(FDictionnaire, typee));
  EXPECT_EQ(typee->Valeur(), 5);

  TRef<IInterface> brute(sonde->InterfaceDeBase());
  EXPECT_TRUE(FDictionnaire.Connait(G3));
  EXPECT_FALSE(FDictionnaire.TryGetNonType(G3, brute)) << "registered, but not implemented";
  EXPECT_FALSE(brute) << "the out parameter is cleared";
  try {
    FDictionnaire.GetNonType(G3);
    FAIL() << "no exception";
  } catch (const EExtensionNonSupportee_GraveNePasIgnorer& e) {
    EXPECT_EQ(Utf8(e.Message()), "Extension non recensée {6D833844-7B19-415A-8A8E-41181CDF1B18}");
  }
  EXPECT_THROW(FDictionnaire.GetNonType(G2), EExtensionNonSupportee_GraveNePasIgnorer);
}

TEST_F(Dictionnaire, UnDoublonEstRefuseEtLaPremiereInscriptionReste) {
  TRef<TSonde> premiere = NouvelleSonde(1), seconde = NouvelleSonde(2);
  FDictionnaire.AjouterExtension(ISonde::IID, premiere->InterfaceDeBase());
  try {
    FDictionnaire.AjouterExtensions({G1, ISonde::IID, G2}, seconde->InterfaceDeBase());
    FAIL() << "no exception";
  } catch (const EListError& e) {
    EXPECT_EQ(Utf8(e.Message()), "Doublons non autorisés");
  }
  TRef<ISonde> trouvee;
  ASSERT_TRUE(TryGetExtension(FDictionnaire, trouvee));
  EXPECT_EQ(trouvee->Valeur(), 1);
  EXPECT_TRUE(FDictionnaire.Connait(G1)) << "registered before the failure";
  EXPECT_FALSE(FDictionnaire.Connait(G2)) << "the loop stopped at the failure";
}

TEST_F(Dictionnaire, ViderEtDetruireRelachentLesServices) {
  FDictionnaire.AjouterExtension(G1, NouvelleSonde()->InterfaceDeBase());
  FDictionnaire.Vider();
  EXPECT_EQ(FDestructions, 1);
  {
    TDictionnaireExtensions local(true);
    local.AjouterExtensions({G1, G2}, NouvelleSonde()->InterfaceDeBase());
  }
  EXPECT_EQ(FDestructions, 2);
}

// A service that looks the dictionary up while it is being released from it.
class TServiceCurieux : public TObjetInterfacable {
 public:
  TServiceCurieux(TDictionnaireExtensions* ADictionnaire, bool* AVide)
      : TObjetInterfacable(true), FDictionnaire(ADictionnaire), FVide(AVide) {}

 protected:
  ~TServiceCurieux() override { *FVide = FDictionnaire->EstVide(); }

 private:
  TDictionnaireExtensions* FDictionnaire;
  bool* FVide;
};

TEST_F(Dictionnaire, UnServiceLibereVoitUnDictionnaireCoherent) {
  bool vide = false;
  FDictionnaire.AjouterExtension(
      G1, Construire<TServiceCurieux>(&FDictionnaire, &vide)->InterfaceDeBase());
  FDictionnaire.SupprimerExtension(G1);
  EXPECT_TRUE(vide) << "removed from every GUID before it goes";
}

class Singleton : public testing::Test {
 protected:
  void TearDown() override { TClasseFinalisable::FinaliserTout(cfFinalisationPrecoce); }
};

TEST_F(Singleton, LaFinalisationPrecoceDonneUnNouveauDictionnaireVide) {
  int destructions = 0;
  TSingletonDictionnaireExtensions::AjouterExtension(
      ISonde::IID, Construire<TSonde>(true, &destructions, 9)->InterfaceDeBase());
  TRef<ISonde> sonde;
  ASSERT_TRUE(TSingletonDictionnaireExtensions::TryGet(sonde));
  EXPECT_EQ(TSingletonDictionnaireExtensions::Get<ISonde>()->Valeur(), 9);
  sonde = nullptr;

  TClasseFinalisable::FinaliserTout(cfFinalisationPrecoce);
  EXPECT_EQ(destructions, 1) << "freeing the dictionary released the service";
  EXPECT_TRUE(TSingletonDictionnaireExtensions::GetDictionnaireExtensions().EstVide());
  EXPECT_FALSE(TSingletonDictionnaireExtensions::Connait(ISonde::IID));
  TRef<IInterface> absente(TRef<TSonde>(Nouveau<TSonde>(true, nullptr))->InterfaceDeBase());
  EXPECT_FALSE(TSingletonDictionnaireExtensions::TryGetNonType(ISonde::IID, absente));
  EXPECT_FALSE(absente);
}

// The message that AOperation raises on a thread of its own; empty when none.
std::string RefusDepuisUnAutreThread(const std::function<void()>& AOperation) {
  std::string message;
  std::thread([&] {
    try {
      AOperation();
    } catch (const Exception& e) {
      message = Utf8(e.Message());
    }
  }).join();
  return message;
}

TEST_F(Singleton, UnAutreThreadEstRefuse) {
  using S = TSingletonDictionnaireExtensions;
  int destructions = 0;
  TRef<TSonde> sonde = Nouveau<TSonde>(true, &destructions);
  S::AjouterExtension(G1, sonde->InterfaceDeBase());  // this thread owns it
  IInterface* base = sonde->InterfaceDeBase();
  const std::pair<const char*, std::function<void()>> operations[] = {
      {"GetDictionnaireExtensions", [] { S::GetDictionnaireExtensions(); }},
      {"Connait", [] { S::Connait(G1); }},
      {"AjouterExtension", [base] { S::AjouterExtension(G2, base); }},
      {"AjouterExtensions", [base] { S::AjouterExtensions({G2, G3}, base); }},
      {"SupprimerExtension", [] { S::SupprimerExtension(G1); }},
      {"TryGetNonType",
       [] {
         TRef<IInterface> extension;
         S::TryGetNonType(G1, extension);
       }},
      {"GetNonType", [] { S::GetNonType(G1); }},
  };
  const std::string attendu = "On ne doit pas accéder aux extensions plusieurs threads.";
  for (const auto& [nom, operation] : operations) {
    EXPECT_EQ(RefusDepuisUnAutreThread(operation), attendu) << nom;
  }
  EXPECT_TRUE(S::Connait(G1) && !S::Connait(G2) && !S::Connait(G3)) << "nothing happened";
  EXPECT_EQ(sonde->CompteurReferences(), 2);

  TClasseFinalisable::FinaliserTout(cfFinalisationPrecoce);
  EXPECT_EQ(RefusDepuisUnAutreThread(operations[1].second), attendu)
      << "the owner outlives the dictionary";
  S::AjouterExtension(G1, nullptr);
  EXPECT_EQ(RefusDepuisUnAutreThread(operations[1].second), attendu);
}

}  // namespace
}  // namespace kv::test
