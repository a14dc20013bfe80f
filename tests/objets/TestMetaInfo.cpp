#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <string_view>
#include <thread>

#include "Sondes.h"
#include "objets/ConversionInterface.h"
#include "objets/ImplMetaInfo.h"
#include "objets/ListeMetaInfo.h"
#include "objets/SingletonMetaInfo.h"

namespace kv::test {

// Two classes of one name, the second derived from the first.
namespace a {
class THomonyme : public TObjetInterfacable {
  KV_CLASSE(THomonyme, TObjetInterfacable)
};
}  // namespace a
namespace b {
class THomonyme : public a::THomonyme {
  KV_CLASSE(THomonyme, a::THomonyme)
};
}  // namespace b

namespace {

constexpr TGUID GuidUn = GuidLitteral("{0B7E2D55-6A11-4C0E-9E5C-3B1D0A6F7C01}");
constexpr TGUID GuidDeux = GuidLitteral("{0B7E2D55-6A11-4C0E-9E5C-3B1D0A6F7C02}");

class TAnimal : public TObjetInterfacable {
  KV_CLASSE(TAnimal, TObjetInterfacable)
};

class TChien : public TAnimal {
  KV_CLASSE(TChien, TAnimal)
};

// The object behind an interface: what tells two references apart.
IInterface* Identite(IInterface* AInterface) { return Interroger<IInterface>(AInterface).Get(); }

template <class AType>
IInterface* Identite(const TRef<AType>& AInterface) {
  return Identite(AInterface.Get());
}

TEST(ListeMetaInfo, UnGuidUnDescripteur) {
  TListeMetaInfo liste;
  TRef<IMetaInfo> premier = liste.GetMetaInfo(GuidUn, u"Premier");
  TRef<IMetaInfo> second = liste.GetMetaInfo(GuidUn, u"Second", {u"Autre"});
  ASSERT_TRUE(premier);
  EXPECT_EQ(premier, second);
  EXPECT_EQ(premier->GetNom(), u"Premier");
  EXPECT_FALSE(liste.GetMetaInfoParNom(u"Second")) << "the names of a later request are not listed";
  EXPECT_FALSE(liste.GetMetaInfoParNom(u"Autre"));
  EXPECT_EQ(liste.GetMetaInfoParNom(u"Premier"), premier);
  EXPECT_NE(liste.GetMetaInfo(GuidDeux, u"Premier"), premier);
}

TEST(ListeMetaInfo, NomsQuelleQueSoitLaCasse) {
  struct TypeCas {
    std::u16string_view Enregistre;
    std::u16string_view Cherche;
    bool Trouve;
  };
  constexpr TypeCas Cas[] = {
      {u"ifsTout", u"IFSTOUT", true},
      {u"ifsTout", u"IfsTout", true},
      {u"ifsTout", u"ifstout", true},
      {u"ifsTout", u"ifsTou", false},
      {u"\u00C9t\u00E9", u"\u00E9T\u00C9", true},  // beyond ASCII too
      {u"\u00C9t\u00E9", u"ETE", false},
  };
  for (const TypeCas& cas : Cas) {
    TListeMetaInfo liste;
    TRef<IMetaInfo> metaInfo = liste.GetMetaInfo(GuidUn, cas.Enregistre);
    EXPECT_EQ(liste.GetMetaInfoParNom(cas.Cherche) == metaInfo, cas.Trouve)
        << std::string(cas.Cherche.begin(), cas.Cherche.end());
    EXPECT_EQ(metaInfo->GetNom(), cas.Enregistre) << "the name keeps its case";
  }
}

TEST(ListeMetaInfo, NomsPartagesEtAutresNoms) {
  TListeMetaInfo liste;
  const std::array<std::u16string_view, 2> autres = {u"Commun", u"Alias"};
  TRef<IMetaInfo> un = liste.GetMetaInfo(GuidUn, u"Un", autres);
  TRef<IMetaInfo> deux = liste.GetMetaInfo(GuidDeux, u"Deux", {u"COMMUN"});
  EXPECT_FALSE(liste.GetMetaInfoParNom(u"commun")) << "two descriptors under one name";
  EXPECT_EQ(liste.GetMetaInfoParNom(u"alias"), un);
  EXPECT_EQ(liste.GetMetaInfoParNom(u"deux"), deux);
  EXPECT_FALSE(liste.GetMetaInfoParNom(u"")) << "no descriptor under the empty name";
}

TEST(ListeMetaInfo, UnNomRepeteNeRendPasLeDescripteurIntrouvable) {
  TListeMetaInfo liste;
  TRef<IMetaInfo> metaInfo = liste.GetMetaInfo(GuidUn, u"Nom", {u"NOM", u"nom"});
  EXPECT_EQ(liste.GetMetaInfoParNom(u"Nom"), metaInfo);
}

TEST(ListeMetaInfo, ClasseEtSesAncetres) {
  TListeMetaInfo liste;
  EXPECT_FALSE(liste.GetMetaInfoClasse(nullptr));
  TRef<IMetaInfoClasse> chien = liste.GetMetaInfoClasse(&TChien::Classe());
  ASSERT_TRUE(chien);
  EXPECT_EQ(chien->GetNom(), u"TCHIEN");
  EXPECT_EQ(chien->GetClasse(), &TChien::Classe());

  TRef<IMetaInfoClasse> animal = chien->GetMetaInfoParent();
  ASSERT_TRUE(animal);
  EXPECT_EQ(animal->GetClasse(), &TAnimal::Classe());
  TRef<IMetaInfoClasse> racine = animal->GetMetaInfoParent();
  ASSERT_TRUE(racine);
  EXPECT_EQ(racine->GetNom(), u"TOBJETINTERFACABLE");
  EXPECT_FALSE(racine->GetMetaInfoParent());

  EXPECT_EQ(liste.GetMetaInfoClasse(&TChien::Classe()), chien);
  EXPECT_EQ(liste.GetMetaInfoClasse(&TAnimal::Classe()), animal) << "made on the way, then kept";
  EXPECT_EQ(Identite(liste.GetMetaInfoParNom(u"tAnimal")), Identite(animal));
  TRef<ICacheGuid> cache = Interroger<ICacheGuid>(chien);
  ASSERT_TRUE(cache);
  EXPECT_FALSE(cache->GetGuidAttribue());
  EXPECT_EQ(cache->GetGuid(), TGUID{});
}

TEST(ListeMetaInfo, ClassesHomonymes) {
  TListeMetaInfo liste;
  TRef<IMetaInfoClasse> derivee = liste.GetMetaInfoClasse(&b::THomonyme::Classe());
  ASSERT_TRUE(derivee);
  TRef<IMetaInfoClasse> parent = derivee->GetMetaInfoParent();
  ASSERT_TRUE(parent);
  EXPECT_EQ(parent->GetClasse(), &a::THomonyme::Classe());
  EXPECT_EQ(derivee->GetClasse(), &b::THomonyme::Classe());
  EXPECT_EQ(parent->GetNom(), derivee->GetNom());
  EXPECT_FALSE(liste.GetMetaInfoParNom(u"THomonyme")) << "two classes of that name";
  EXPECT_EQ(liste.GetMetaInfoClasse(&a::THomonyme::Classe()), parent);
  EXPECT_EQ(liste.GetMetaInfoClasse(&b::THomonyme::Classe()), derivee);
}

TEST(ListeMetaInfo, GuidDUnDescripteurDInterface) {
  TListeMetaInfo liste;
  TRef<IMetaInfo> metaInfo = liste.GetMetaInfo(GuidUn, u"Un");
  EXPECT_EQ(liste.GetGuidMetaInfo(metaInfo.Get()), GuidUn);
  EXPECT_EQ(liste.GetMetaInfo(GuidUn, u"Autre"), metaInfo);
  EXPECT_EQ(liste.GetMetaInfoParNom(u"Un"), metaInfo);
}

TEST(ListeMetaInfo, GuidAttribueAUneClasse) {
  TListeMetaInfo liste;
  TRef<IMetaInfoClasse> chien = liste.GetMetaInfoClasse(&TChien::Classe());
  const TGUID guid = liste.GetGuidMetaInfo(chien.Get());
  EXPECT_NE(guid, TGUID{});
  EXPECT_EQ(GuidVersTexte(guid)[15], u'4') << "a random GUID of version 4";
  EXPECT_EQ(liste.GetGuidMetaInfo(chien.Get()), guid) << "assigned once";
  EXPECT_EQ(Interroger<ICacheGuid>(chien)->GetGuid(), guid);

  TRef<IMetaInfo> parGuid = liste.GetMetaInfo(guid, u"Ignore");
  EXPECT_EQ(Identite(parGuid), Identite(chien));
  EXPECT_EQ(parGuid->GetNom(), u"TCHIEN");
  EXPECT_FALSE(liste.GetMetaInfoParNom(u"Ignore"));
  EXPECT_EQ(liste.GetMetaInfoParNom(u"TChien"), parGuid) << "the same reference either way";

  TRef<IMetaInfoClasse> animal = chien->GetMetaInfoParent();
  EXPECT_NE(liste.GetGuidMetaInfo(animal.Get()), guid);
}

// A descriptor that keeps no GUID.
class TMetaInfoEtrangere : public TObjetInterfacableExtensible, public IMetaInfo {
  KV_INTERFACES(TObjetInterfacableExtensible, IMetaInfo)

 public:
  TMetaInfoEtrangere() : TObjetInterfacableExtensible(true) {}
  bool AjouterExtension(const TGUID& AGuid, IAvecConteneur* AExtension) noexcept override {
    return TObjetInterfacableExtensible::AjouterExtension(AGuid, AExtension);
  }
  std::u16string GetNom() override { return u"Etrangere"; }
};

TEST(ListeMetaInfo, GuidDUnObjetQuiNEnGardePas) {
  TListeMetaInfo liste;
  TRef<TMetaInfoEtrangere> etrangere = Nouveau<TMetaInfoEtrangere>();
  EXPECT_THROW(liste.GetGuidMetaInfo(etrangere.Get()), EIntfCastError);
  EXPECT_THROW(liste.GetGuidMetaInfo(nullptr), EIntfCastError);
}

TEST(ListeMetaInfo, LaListeLibereSesDescripteursEtLeursExtensions) {
  int destructions = 0;
  TRef<IMetaInfo> garde;
  {
    TListeMetaInfo liste;
    TRef<IMetaInfo> metaInfo = liste.GetMetaInfo(GuidUn, u"Un");
    TRef<TSonde> sonde = Nouveau<TSonde>(true, &destructions);
    ASSERT_TRUE(metaInfo->AjouterExtension(ISonde::IID, sonde.Get()));
    garde = liste.GetMetaInfo(GuidDeux, u"Deux");
  }
  EXPECT_EQ(destructions, 1);
  EXPECT_EQ(garde->GetNom(), u"Deux") << "a reference held elsewhere keeps its descriptor";
}

class SingletonMetaInfo : public testing::Test {
 protected:
  void SetUp() override {
    TClasseFinalisable::FinaliserTout(TypeGenreClasseFinalisable::cfFinalisationPrecoce);
  }
  void TearDown() override {
    TClasseFinalisable::FinaliserTout(TypeGenreClasseFinalisable::cfFinalisationPrecoce);
  }
};

TEST_F(SingletonMetaInfo, UnDescripteurRepondSaPropreClasse) {
  TRef<IMetaInfo> metaInfo = TSingletonMetaInfo::GetMetaInfo(GuidUn, u"Un");
  TRef<IAvecMetaInfoClasse> avec = Interroger<IAvecMetaInfoClasse>(metaInfo);
  ASSERT_TRUE(avec);
  TRef<IMetaInfoClasse> classe = avec->GetMetaInfoClasse();
  ASSERT_TRUE(classe);
  EXPECT_EQ(classe->GetClasse(), &TMetaInfo::Classe());
  EXPECT_EQ(classe, TSingletonMetaInfo::GetMetaInfoClasse(&TMetaInfo::Classe()));

  TRef<IMetaInfoClasse> deClasse = Interroger<IAvecMetaInfoClasse>(classe)->GetMetaInfoClasse();
  ASSERT_TRUE(deClasse);
  EXPECT_EQ(deClasse->GetClasse(), &TMetaInfoClasse::Classe());
  EXPECT_EQ(deClasse->GetMetaInfoParent(), classe);
}

TEST_F(SingletonMetaInfo, RienNeSurvitALaFinalisationPrecoce) {
  int destructions = 0;
  TRef<IMetaInfo> avant = TSingletonMetaInfo::GetMetaInfo(GuidUn, u"Un");
  ASSERT_TRUE(avant->AjouterExtension(ISonde::IID, Nouveau<TSonde>(true, &destructions).Get()));
  avant = nullptr;

  TClasseFinalisable::FinaliserTout(TypeGenreClasseFinalisable::cfFinalisationPrecoce);
  EXPECT_EQ(destructions, 1) << "the descriptor went with the registry, and its extension";
  TRef<IMetaInfo> apres = TSingletonMetaInfo::GetMetaInfo(GuidUn, u"Nouveau");
  EXPECT_EQ(apres->GetNom(), u"Nouveau");
  EXPECT_FALSE(Interroger<ISonde>(apres));
  EXPECT_EQ(TSingletonMetaInfo::GetMetaInfoParNom(u"Un"), nullptr);
}

TEST_F(SingletonMetaInfo, LeVerrouExclutLesAutresThreads) {
  // Taken before anything made the registry: made with it.
  TSingletonMetaInfo::EntrerSectionCritique();
  TSingletonMetaInfo::EntrerSectionCritique();  // again, by the same thread
  std::atomic<bool> entre = false;
  std::thread autre([&] {
    TSingletonMetaInfo::EntrerSectionCritique();
    entre = true;
    TSingletonMetaInfo::SortirSectionCritique();
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  TSingletonMetaInfo::SortirSectionCritique();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(entre) << "held once more";
  TSingletonMetaInfo::SortirSectionCritique();
  autre.join();
  EXPECT_TRUE(entre);

  TClasseFinalisable::FinaliserTout(TypeGenreClasseFinalisable::cfFinalisationPrecoce);
  TSingletonMetaInfo::SortirSectionCritique();  // no registry, no lock: nothing
  TSingletonMetaInfo::EntrerSectionCritique();
  TSingletonMetaInfo::SortirSectionCritique();
}

}  // namespace
}  // namespace kv::test
