#include <gtest/gtest.h>

#include "environnement/ImplDossierSpecial.h"
#include "environnement/ImplListePersistanceParametresApplicatif.h"
#include "environnement/ImplPersistanceParametresXml.h"
#include "environnement/InformationEssai.h"
#include "outils/EnvironnementIsole.h"

namespace kv {
namespace {

using enum TypeNiveauDossierSpecial;

class ListePersistance : public testing::Test {
 protected:
  TRef<TPersistanceParametresXml> Persistance(TypeNiveauDossierSpecial ANiveau) const {
    return Nouveau<TPersistanceParametresXml>(FDossiers.Get(), ANiveau, u"Essai.xml",
                                              TypeVersion{1});
  }

  tests::TEnvironnementIsole FEnvironnement;
  TRef<TDossierSpecial> FDossiers =
      Nouveau<TDossierSpecial>(tests::InformationEssai().Get(), nullptr, nullptr);
  TRef<TListePersistanceParametresApplicatif> FListe =
      Nouveau<TListePersistanceParametresApplicatif>();
};

TEST_F(ListePersistance, UneListeNeuveNAAucunParametrage) {
  for (int niveau = 0; niveau <= 5; ++niveau) {
    EXPECT_FALSE(FListe->GetPersistance(static_cast<TypeNiveauDossierSpecial>(niveau))) << niveau;
  }
}

TEST_F(ListePersistance, ChaqueParametrageSousSonNiveau) {
  const auto application = Persistance(NDS_Application);
  const auto societe = Persistance(NDS_Societe);
  FListe->AjouterPersistance(application.Get());
  FListe->AjouterPersistance(societe.Get());
  EXPECT_EQ(FListe->GetPersistance(NDS_Application).Get(),
            static_cast<IPersistanceParametresApplicatif*>(application.Get()));
  EXPECT_EQ(FListe->GetPersistance(NDS_Societe).Get(),
            static_cast<IPersistanceParametresApplicatif*>(societe.Get()));
  EXPECT_FALSE(FListe->GetPersistance(NDS_Produit));
}

TEST_F(ListePersistance, UnSecondParametrageDuMemeNiveauEstRefuse) {
  const auto premier = Persistance(NDS_Application);
  const auto second = Persistance(NDS_Application);
  FListe->AjouterPersistance(premier.Get());
  EXPECT_THROW(FListe->AjouterPersistance(second.Get()), EListError);
  EXPECT_EQ(FListe->GetPersistance(NDS_Application).Get(),
            static_cast<IPersistanceParametresApplicatif*>(premier.Get()));
  EXPECT_EQ(second->CompteurReferences(), 1) << "the refused store is not kept";
  EXPECT_THROW(FListe->AjouterPersistance(nullptr), EArgumentInvalide);
}

TEST_F(ListePersistance, LaListeRelacheSesParametragesAvecElle) {
  const auto persistance = Persistance(NDS_Produit);
  FListe->AjouterPersistance(persistance.Get());
  EXPECT_EQ(persistance->CompteurReferences(), 2);
  FListe = nullptr;
  EXPECT_EQ(persistance->CompteurReferences(), 1);
}

}  // namespace
}  // namespace kv
