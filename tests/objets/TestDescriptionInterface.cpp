#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "TypesDecrits.h"
#include "objets/DescriptionInterface.h"
#include "plateforme/Texte.h"

namespace kv::test {
namespace {

// Every parameter form, and results of several kinds.
class IFormes : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{0B7A2F8E-95C4-4D3B-8E0A-5C1D6F2E3A41}");
  virtual void ParValeur(std::int32_t AEntier, double AReel, TypeCouleur ACouleur,
                         TypeCouleurs AEnsemble, std::u16string AChaine, ISimple* AInterface,
                         TObjetDecrit* AObjet, TypePoint APoint) = 0;
  virtual void ParReference(const TypePoint& AConst, std::u16string& AVar,
                            TSortie<TRef<ISimple>> ASortie, const TRef<ISimple>& AConstInterface,
                            TRef<ISimple>& AVarInterface) = 0;
  virtual void Tableaux(TTableauOuvert<const std::int32_t> AConst,
                        TTableauOuvert<std::u16string> AOuvert,
                        TTableauDynamique<TypePoint> ADynamique,
                        const std::array<double, 2>& AStatique) = 0;
  virtual std::u16string Chaine() noexcept = 0;
  virtual TRef<ISimple> Interface(TGUID AGuid) = 0;
  virtual TObjetDecrit* Objet() = 0;
  virtual double Reel(float A) = 0;

 protected:
  ~IFormes() = default;
};
KV_DECRIRE_INTERFACE(
    IFormes, IInterface,
    KV_METHODE(ParValeur, AEntier, AReel, ACouleur, AEnsemble, AChaine, AInterface, AObjet, APoint),
    KV_METHODE(ParReference, AConst, AVar, ASortie, AConstInterface, AVarInterface),
    KV_METHODE(Tableaux, AConst, AOuvert, ADynamique, AStatique), KV_METHODE(Chaine),
    KV_METHODE(Interface, AGuid), KV_METHODE(Objet), KV_METHODE(Reel, A));

class IDerivee : public IFormes {
 public:
  static constexpr TGUID IID = GuidLitteral("{5D3E1B7C-2A9F-4C6E-B1D8-7F0A3E5C9B22}");
  virtual TTableauDynamique<std::u16string> Noms(std::int64_t ANombre) = 0;
  virtual void Vide() = 0;

 protected:
  ~IDerivee() = default;
};
KV_DECRIRE_INTERFACE(IDerivee, IFormes, KV_METHODE(Noms, ANombre), KV_METHODE(Vide));

// No method of its own, between two that have some.
class IMarqueur : public ISimple {
 public:
  static constexpr TGUID IID = GuidLitteral("{6A0C3E51-7B2D-4E8F-9A1C-3D5F7B9E1A25}");

 protected:
  ~IMarqueur() = default;
};
KV_DECRIRE_INTERFACE(IMarqueur, ISimple);

class IApresMarqueur : public IMarqueur {
 public:
  static constexpr TGUID IID = GuidLitteral("{7B1D4F62-8C3E-4F90-AB2D-4E6A8C0F2B36}");
  virtual void Suite() = 0;

 protected:
  ~IApresMarqueur() = default;
};
KV_DECRIRE_INTERFACE(IApresMarqueur, IMarqueur, KV_METHODE(Suite));

// Two interfaces that refer to each other.
class IPair;
class IImpair : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{8C1F6A3D-4E2B-4F7A-9D5C-1B3E7A9F0C63}");
  virtual TRef<IPair> Suivant(IPair* APrecedent) = 0;

 protected:
  ~IImpair() = default;
};
class IPair : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{2F4B8D1E-6A3C-4B9E-8F2D-5C7E1A3B9D04}");
  virtual TRef<IImpair> Suivant(IImpair* APrecedent) = 0;

 protected:
  ~IPair() = default;
};
KV_DECRIRE_INTERFACE(IImpair, IInterface, KV_METHODE(Suivant, APrecedent));
KV_DECRIRE_INTERFACE(IPair, IInterface, KV_METHODE(Suivant, APrecedent));

// Descriptions that do not follow their declarations.
class IOubli : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{A1B2C3D4-0001-4000-8000-000000000001}");
  virtual void Un() = 0;
  virtual void Deux() = 0;
  virtual void Trois() = 0;

 protected:
  ~IOubli() = default;
};
KV_DECRIRE_INTERFACE(IOubli, IInterface, KV_METHODE(Un), KV_METHODE(Trois));

class IDesordre : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{A1B2C3D4-0002-4000-8000-000000000002}");
  virtual void Un() = 0;
  virtual void Deux() = 0;

 protected:
  ~IDesordre() = default;
};
KV_DECRIRE_INTERFACE(IDesordre, IInterface, KV_METHODE(Deux), KV_METHODE(Un));

class INonVirtuelle : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{A1B2C3D4-0003-4000-8000-000000000003}");
  virtual void Un() = 0;
  void Aide() {}

 protected:
  ~INonVirtuelle() = default;
};
KV_DECRIRE_INTERFACE(INonVirtuelle, IInterface, KV_METHODE(Un), KV_METHODE(Aide));

// Its last method is left out: only an interface derived from it shows it.
class IFinOubliee : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{A1B2C3D4-0004-4000-8000-000000000004}");
  virtual void Un() = 0;
  virtual void Deux() = 0;

 protected:
  ~IFinOubliee() = default;
};
KV_DECRIRE_INTERFACE(IFinOubliee, IInterface, KV_METHODE(Un));

class IApresFinOubliee : public IFinOubliee {
 public:
  static constexpr TGUID IID = GuidLitteral("{A1B2C3D4-0005-4000-8000-000000000005}");
  virtual void Trois() = 0;

 protected:
  ~IApresFinOubliee() = default;
};
KV_DECRIRE_INTERFACE(IApresFinOubliee, IFinOubliee, KV_METHODE(Trois));

constexpr TypeDrapeauxParametre dConst = DrapeauParametre(TypeDrapeauParametre::dpConst);
constexpr TypeDrapeauxParametre dVar = DrapeauParametre(TypeDrapeauParametre::dpVar);
constexpr TypeDrapeauxParametre dSortie = DrapeauParametre(TypeDrapeauParametre::dpSortie);
constexpr TypeDrapeauxParametre dOuvert = DrapeauParametre(TypeDrapeauParametre::dpTableauOuvert);

struct TypeParametreAttendu {
  const char16_t* Nom;
  TypeDrapeauxParametre Drapeaux;
  const TInfoType& Type;
};

struct TypeMethodeAttendue {
  const char16_t* Nom;
  std::int32_t Indice;
  const TInfoType* Resultat;
  std::vector<TypeParametreAttendu> Parametres;
};

void VerifierMethodes(const TInfoTypeInterface& AInterface,
                      const std::vector<TypeMethodeAttendue>& AAttendues) {
  ASSERT_EQ(AInterface.Methodes.size(), AAttendues.size());
  for (std::size_t i = 0; i < AAttendues.size(); ++i) {
    const TypeInfoMethode& methode = AInterface.Methodes[i];
    const TypeMethodeAttendue& attendue = AAttendues[i];
    SCOPED_TRACE(plateforme::VersUtf8(std::u16string(attendue.Nom)));
    EXPECT_EQ(methode.Nom, attendue.Nom);
    EXPECT_EQ(methode.IndiceTable, attendue.Indice);
    EXPECT_EQ(methode.TypeResultat(), attendue.Resultat);
    ASSERT_EQ(methode.Parametres.size(), attendue.Parametres.size());
    for (std::size_t j = 0; j < attendue.Parametres.size(); ++j) {
      const TypeInfoParametre& parametre = methode.Parametres[j];
      EXPECT_EQ(parametre.Nom, attendue.Parametres[j].Nom) << j;
      EXPECT_EQ(parametre.Drapeaux, attendue.Parametres[j].Drapeaux) << j;
      EXPECT_EQ(&parametre.Type(), &attendue.Parametres[j].Type) << j;
    }
  }
}

TEST(DescriptionInterface, FormesDesParametresEtDesResultats) {
  const TInfoTypeInterface& formes = InfoTypeInterfaceDe<IFormes>();
  EXPECT_EQ(formes.Genre, TypeGenreType::gtInterface);
  EXPECT_EQ(formes.Guid, IFormes::IID);
  EXPECT_EQ(formes.Nom, u"IFormes");
  EXPECT_EQ(formes.Parent, &InfoTypeInterfaceDe<IInterface>());
  const TInfoType& simple = InfoTypeInterfaceDe<ISimple>();
  VerifierMethodes(formes,
                   {
                       {u"ParValeur",
                        3,
                        nullptr,
                        {{u"AEntier", 0, InfoTypeDe<std::int32_t>()},
                         {u"AReel", 0, InfoTypeDe<double>()},
                         {u"ACouleur", 0, InfoTypeDe<TypeCouleur>()},
                         {u"AEnsemble", 0, InfoTypeDe<TypeCouleurs>()},
                         {u"AChaine", 0, InfoTypeDe<std::u16string>()},
                         {u"AInterface", 0, simple},
                         {u"AObjet", 0, InfoTypeDe<TObjetDecrit*>()},
                         {u"APoint", 0, InfoTypeDe<TypePoint>()}}},
                       {u"ParReference",
                        4,
                        nullptr,
                        {{u"AConst", dConst, InfoTypeDe<TypePoint>()},
                         {u"AVar", dVar, InfoTypeDe<std::u16string>()},
                         {u"ASortie", dSortie, simple},
                         {u"AConstInterface", dConst, simple},
                         {u"AVarInterface", dVar, simple}}},
                       {u"Tableaux",
                        5,
                        nullptr,
                        {{u"AConst", dOuvert | dConst, InfoTypeDe<std::int32_t>()},
                         {u"AOuvert", dOuvert, InfoTypeDe<std::u16string>()},
                         {u"ADynamique", 0, InfoTypeDe<TTableauDynamique<TypePoint>>()},
                         {u"AStatique", dConst, InfoTypeDe<std::array<double, 2>>()}}},
                       {u"Chaine", 6, &InfoTypeDe<std::u16string>(), {}},
                       {u"Interface", 7, &simple, {{u"AGuid", 0, InfoTypeGuid()}}},
                       {u"Objet", 8, &InfoTypeDe<TObjetDecrit*>(), {}},
                       {u"Reel", 9, &InfoTypeDe<double>(), {{u"A", 0, InfoTypeDe<float>()}}},
                   });
}

TEST(DescriptionInterface, UneInterfaceDeriveeSuitLesMethodesDeSonParent) {
  const TInfoTypeInterface& parent = InfoTypeInterfaceDe<IFormes>();
  const TInfoTypeInterface& derivee = InfoTypeInterfaceDe<IDerivee>();
  EXPECT_EQ(derivee.Guid, IDerivee::IID);
  EXPECT_EQ(derivee.Nom, u"IDerivee");
  EXPECT_EQ(derivee.Parent, &parent);
  ASSERT_EQ(derivee.Methodes.size(), parent.Methodes.size() + 2);
  for (std::size_t i = 0; i < parent.Methodes.size(); ++i) {
    EXPECT_EQ(derivee.Methodes[i].Nom, parent.Methodes[i].Nom) << i;
    EXPECT_EQ(derivee.Methodes[i].IndiceTable, parent.Methodes[i].IndiceTable) << i;
    EXPECT_EQ(derivee.Methodes[i].Parametres.data(), parent.Methodes[i].Parametres.data()) << i;
  }
  const TypeInfoMethode& noms = derivee.Methodes[7];
  EXPECT_EQ(noms.Nom, u"Noms");
  EXPECT_EQ(noms.IndiceTable, 10);
  EXPECT_EQ(noms.TypeResultat(), &InfoTypeDe<TTableauDynamique<std::u16string>>());
  ASSERT_EQ(noms.Parametres.size(), 1u);
  EXPECT_EQ(&noms.Parametres[0].Type(), &InfoTypeDe<std::int64_t>());
  EXPECT_EQ(derivee.Methodes[8].Nom, u"Vide");
  EXPECT_EQ(derivee.Methodes[8].IndiceTable, 11);
}

TEST(DescriptionInterface, UneInterfaceSansMethodePropre) {
  const TInfoTypeInterface& marqueur = InfoTypeInterfaceDe<IMarqueur>();
  EXPECT_EQ(marqueur.Parent, &InfoTypeInterfaceDe<ISimple>());
  ASSERT_EQ(marqueur.Methodes.size(), 1u);
  EXPECT_EQ(marqueur.Methodes[0].Nom, u"Valeur");
  const TInfoTypeInterface& apres = InfoTypeInterfaceDe<IApresMarqueur>();
  ASSERT_EQ(apres.Methodes.size(), 2u);
  EXPECT_EQ(apres.Methodes[1].Nom, u"Suite");
  EXPECT_EQ(apres.Methodes[1].IndiceTable, 4);
}

TEST(DescriptionInterface, DesInterfacesQuiSeDesignentLUneLAutre) {
  const TInfoTypeInterface& impair = InfoTypeInterfaceDe<IImpair>();
  const TInfoTypeInterface& pair = InfoTypeInterfaceDe<IPair>();
  ASSERT_EQ(impair.Methodes.size(), 1u);
  EXPECT_EQ(impair.Methodes[0].TypeResultat(), &pair);
  EXPECT_EQ(&impair.Methodes[0].Parametres[0].Type(), &pair);
  EXPECT_EQ(&pair.Methodes[0].Parametres[0].Type(), &impair);
}

TEST(DescriptionInterface, IInterfaceEstLaRacineSansMethode) {
  const TInfoTypeInterface& racine = InfoTypeInterfaceDe<IInterface>();
  EXPECT_EQ(racine.Guid, IInterface::IID);
  EXPECT_EQ(racine.Nom, u"IInterface");
  EXPECT_EQ(racine.Parent, nullptr);
  EXPECT_TRUE(racine.Methodes.empty());
  EXPECT_EQ(static_cast<const TInfoType*>(&racine), &InfoTypeDe<TRef<IInterface>>());
}

std::string MessageDescription(const TInfoTypeInterface& (*AInfo)()) {
  try {
    AInfo();
  } catch (const EDescriptionInterface& e) {
    return plateforme::VersUtf8(e.Message());
  }
  return "aucune exception";
}

TEST(DescriptionInterface, UneDescriptionQuiNeSuitPasLaDeclarationEstRefusee) {
  struct Cas {
    const TInfoTypeInterface& (*Info)();
    const char* Message;
  };
  for (const Cas& cas : {
           Cas{&InfoTypeInterfaceDe<IOubli>,
               "Erreur interne : la description de l'interface IOubli ne suit pas sa "
               "déclaration : la méthode Trois occupe l'entrée 5 de la table au lieu de l'entrée "
               "4 (une méthode est oubliée, ou listée dans un autre ordre)."},
           Cas{&InfoTypeInterfaceDe<IDesordre>,
               "Erreur interne : la description de l'interface IDesordre ne suit pas sa "
               "déclaration : la méthode Deux occupe l'entrée 4 de la table au lieu de l'entrée "
               "3 (une méthode est oubliée, ou listée dans un autre ordre)."},
           Cas{&InfoTypeInterfaceDe<INonVirtuelle>,
               "Erreur interne : la méthode Aide de l'interface INonVirtuelle n'est pas "
               "virtuelle."},
           Cas{&InfoTypeInterfaceDe<IApresFinOubliee>,
               "Erreur interne : la description de l'interface IApresFinOubliee ne suit pas sa "
               "déclaration : la méthode Trois occupe l'entrée 5 de la table au lieu de l'entrée "
               "4 (une méthode est oubliée, ou listée dans un autre ordre)."},
       }) {
    EXPECT_EQ(MessageDescription(cas.Info), cas.Message);
    // Nothing was kept: the next use raises again.
    EXPECT_EQ(MessageDescription(cas.Info), cas.Message);
  }
  // The interface whose last method is left out passes its own check.
  EXPECT_EQ(InfoTypeInterfaceDe<IFinOubliee>().Methodes.size(), 1u);
}

}  // namespace
}  // namespace kv::test
