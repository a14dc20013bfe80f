// Service descriptions written and read back through the binary formatter in
// each format, cut short at every byte, traced; and the formatter's value
// writer.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "EntreesDisposition.h"
#include "InterfacesDecrites.h"
#include "OutilsSerialisateurs.h"
#include "objets/DescriptionType.h"
#include "serialisation/I_SerialisateurAvecSousParametres.h"
#include "serialisation/InfoMethodeServiceInvocable.h"
#include "serialisation/InfoParametreServiceInvocable.h"
#include "serialisation/InfoServiceInvocableAuto.h"

namespace kv::test {
namespace {

const TypeClasseFormatSerialisation Tout = &TFSTout::Classe();
const TypeClasseFormatSerialisation GeneriqueV1 = &TFSSerialisationGeneriqueV1::Classe();

std::vector<std::uint8_t> Ecrire(IInfoServiceInvocable* AService,
                                 TypeClasseFormatSerialisation AFormat) {
  TFluxMemoire flux;
  Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture)
      ->EcrireInterface(AService, AFormat);
  return flux.GetOctets();
}

TRef<IInfoServiceInvocable> Lire(const std::vector<std::uint8_t>& AOctets,
                                 TypeClasseFormatSerialisation AFormat) {
  TFluxMemoire flux{std::span<const std::uint8_t>(AOctets)};
  return Convertir<IInfoServiceInvocable>(
      Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture)->LireInterface(AFormat).Get());
}

std::u16string NomClasse(ISerialisateurParametre* ASerialisateur) {
  return std::u16string(
      Convertir<IAvecMetaInfoClasse>(ASerialisateur)->GetMetaInfoClasse()->GetClasse()->GetNom());
}

// Two parameter lists describe the same values: names, places, modes,
// serializer classes and sizes, and the same parts, recursively.
void ComparerParametres(const TypeListeInfoParametresServiceInvocable& AAttendu,
                        const TypeListeInfoParametresServiceInvocable& ALu) {
  ASSERT_EQ(ALu.GetNombre(), AAttendu.GetNombre());
  for (std::int32_t i = 0; i < AAttendu.GetNombre(); ++i) {
    TInfoParametreServiceInvocable* attendu = AAttendu.GetInfoParametre(i);
    TInfoParametreServiceInvocable* lu = ALu.GetInfoParametre(i);
    SCOPED_TRACE(std::string(attendu->GetNom().begin(), attendu->GetNom().end()));
    EXPECT_EQ(lu->GetNom(), attendu->GetNom());
    EXPECT_EQ(lu->GetOffset(), attendu->GetOffset());
    EXPECT_EQ(lu->GetModes(), attendu->GetModes());
    EXPECT_EQ(lu->GetNePasLibererLaValeur(), attendu->GetNePasLibererLaValeur());
    EXPECT_EQ(lu->GetPlusieursParametres(), attendu->GetPlusieursParametres());
    ASSERT_TRUE(lu->GetSerialisateur());
    EXPECT_EQ(NomClasse(lu->GetSerialisateur().Get()),
              NomClasse(attendu->GetSerialisateur().Get()));
    EXPECT_EQ(lu->GetTaille(), attendu->GetTaille());
    EXPECT_EQ(lu->GetNombreParametres(), attendu->GetNombreParametres());
    auto partiesAttendues =
        Interroger<ISerialisateurAvecSousParametres>(attendu->GetSerialisateur());
    auto partiesLues = Interroger<ISerialisateurAvecSousParametres>(lu->GetSerialisateur());
    ASSERT_EQ(!partiesLues, !partiesAttendues);
    if (!partiesAttendues) continue;
    TypeListeInfoParametresServiceInvocable listeAttendue;
    TypeListeInfoParametresServiceInvocable listeLue;
    partiesAttendues->GetInfoSousParametres(listeAttendue);
    partiesLues->GetInfoSousParametres(listeLue);
    ComparerParametres(listeAttendue, listeLue);
  }
}

// The methods from 3 on, with their layouts; the three of IInterface by name.
// AAvecHote: the host's layout too, which only the complete format can give
// again (the compact one carries the Windows modes in force, in which a
// 16-byte value and a const one look alike).
void ComparerServices(IInfoServiceInvocable& AAttendu, IInfoServiceInvocable& ALu,
                      bool AAvecHote = true) {
  EXPECT_EQ(ALu.GetGuidService(), AAttendu.GetGuidService());
  EXPECT_EQ(ALu.GetNomService(), AAttendu.GetNomService());
  ASSERT_EQ(ALu.GetNombreMethodes(), AAttendu.GetNombreMethodes());
  for (std::int32_t i = 0; i < AAttendu.GetNombreMethodes(); ++i) {
    TInfoMethodeServiceInvocable* attendue = AAttendu.GetMethode(i);
    TInfoMethodeServiceInvocable* lue = ALu.GetMethode(i);
    SCOPED_TRACE(std::string(attendue->GetNom().begin(), attendue->GetNom().end()));
    EXPECT_EQ(lue->GetNom(), attendue->GetNom());
    EXPECT_EQ(lue->GetAvecValeurRetour(), attendue->GetAvecValeurRetour());
    ComparerParametres(attendue->GetParametres(), lue->GetParametres());
    if (i < 3) {
      // Laid out again when read: a method without parameters.
      EXPECT_EQ(lue->GetTaillePile(), 32);
      EXPECT_EQ(lue->GetOffsetInterface(), 24);
      continue;
    }
    EXPECT_EQ(lue->GetTaillePile(), attendue->GetTaillePile());
    EXPECT_EQ(lue->GetMasqueSse(), attendue->GetMasqueSse());
    EXPECT_EQ(lue->GetOffsetInterface(), attendue->GetOffsetInterface());
    EXPECT_EQ(lue->ResultatDansRegistre(), attendue->ResultatDansRegistre());
    if (AAvecHote) {
      EXPECT_EQ(lue->GetDispositionHote().Emplacements,
                attendue->GetDispositionHote().Emplacements);
    }
  }
}

TEST(DescriptionServiceFlux, AllerRetourToutAvecCouplages) {
  TRef<TInfoServiceInvocable> service = InfoServiceInvocableDe<IComplet>();
  service->SetAutorisationsSpeciales(7);
  TInfoMethodeServiceInvocable* decrire = service->GetMethodeParNom(u"Decrire");
  decrire->SetAutorisationsSpeciales(-3);
  decrire->InfoCouplages().emplace_back(
      std::vector<std::int32_t>{3},
      decrire->GetParametres().GetCheminParametre(u"ANoms.Elements.@Indice"));
  TRef<IInfoServiceInvocable> lu = Lire(Ecrire(service.Get(), Tout), Tout);
  ASSERT_TRUE(lu);
  ComparerServices(*service, *lu);
  EXPECT_EQ(lu->GetAutorisationsSpeciales(), 7);
  TInfoMethodeServiceInvocable* decrireLue = lu->GetMethodeParNom(u"Decrire");
  EXPECT_EQ(decrireLue->GetAutorisationsSpeciales(), -3);
  ASSERT_EQ(decrireLue->InfoCouplages().size(), 1u);
  EXPECT_EQ(decrireLue->InfoCouplages()[0].CheminParamUtilisateur, std::vector<std::int32_t>{3});
  EXPECT_EQ(decrireLue->InfoCouplages()[0].CheminParamUtilise, (std::vector<std::int32_t>{2, 1}));
  // The declared modes travel in this format.
  EXPECT_EQ(lu->GetMethodeParNom(u"Trouver")->GetInfoParametre(3)->GetModesAPriori(),
            mpsER | mpsRegles32En64);
}

// The compact format: without fixed-size arrays, whose element count it does
// not carry.
struct TypeCompacte {
  std::u16string Nom;
  TypeLettres Lettres;
  TTableauDynamique<TypeTrois> Trios;
  TRef<IUnEntier> Service;
};
KV_DECRIRE_RECORD(TypeCompacte, KV_CHAMP(Nom), KV_CHAMP(Lettres), KV_CHAMP(Trios),
                  KV_CHAMP(Service));

class ICompacte : public IUnEntier {
 public:
  static constexpr TGUID IID = GuidLitteral("{3C1E7A52-8D44-4B0F-A1C2-5E6F7A8B9C31}");
  virtual TRef<IUnEntier> Echanger(const TypeCompacte& AEntree, TSortie<TypeCompacte> ASortie,
                                   TTableauOuvert<const std::u16string> ANoms,
                                   TypeDrapeaux& ADrapeaux, double AReel) = 0;
  virtual bool Tester(const TypeLettres& ALettres, TTableauDynamique<double>& AValeurs,
                      TObjetEssai* AObjet) = 0;

 protected:
  ~ICompacte() = default;
};
KV_DECRIRE_INTERFACE(ICompacte, IUnEntier,
                     KV_METHODE(Echanger, AEntree, ASortie, ANoms, ADrapeaux, AReel),
                     KV_METHODE(Tester, ALettres, AValeurs, AObjet));

TEST(DescriptionServiceFlux, AllerRetourGeneriqueV1) {
  for (const TRef<TInfoServiceInvocable>& service :
       {InfoServiceInvocableDe<ICompacte>(), InfoServiceInvocableDe<IDisposition>()}) {
    service->SetAutorisationsSpeciales(7);
    service->GetMethode(3)->InfoCouplages().emplace_back(std::vector<std::int32_t>{0},
                                                         std::vector<std::int32_t>{0});
    TRef<IInfoServiceInvocable> lu = Lire(Ecrire(service.Get(), GeneriqueV1), GeneriqueV1);
    ASSERT_TRUE(lu);
    ComparerServices(*service, *lu, false);
    EXPECT_EQ(lu->GetAutorisationsSpeciales(), 256);
    EXPECT_TRUE(lu->GetMethode(3)->InfoCouplages().empty());
  }
}

// Sets of 5 to 8 bytes passed const stay by address under the 32-bit rules;
// the compact format carries only the modes in force, from which the reader
// must not conclude that they go by value.
enum class TypeGrand : std::uint8_t { g0, g63 = 63 };
using TypeGrands = TEnsemble<TypeGrand, TypeGrand::g0, TypeGrand::g63>;
class IGrandEnsemble : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{3C1E7A52-8D44-4B0F-A1C2-5E6F7A8B9C30}");
  virtual void Prendre(const TypeGrands& AEnsemble, std::int64_t AValeur) = 0;

 protected:
  ~IGrandEnsemble() = default;
};
KV_DECRIRE_INTERFACE(IGrandEnsemble, IInterface, KV_METHODE(Prendre, AEnsemble, AValeur));

TEST(DescriptionServiceFlux, EnsembleConstDeHuitOctetsParGeneriqueV1) {
  TRef<TInfoServiceInvocable> service = InfoServiceInvocableDe<IGrandEnsemble>();
  TInfoMethodeServiceInvocable* prendre = service->GetMethode(3);
  ASSERT_EQ(prendre->GetInfoParametre(0)->GetModes(), mpsER);
  EXPECT_EQ(prendre->GetInfoParametre(1)->GetModes(), mpsE);
  TRef<IInfoServiceInvocable> lu = Lire(Ecrire(service.Get(), GeneriqueV1), GeneriqueV1);
  ComparerServices(*service, *lu, false);
}

TEST(DescriptionServiceFlux, ChaquePrefixeEchoueProprement) {
  TRef<TInfoServiceInvocable> service = InfoServiceInvocableDe<IComplet>();
  service->GetMethode(4)->InfoCouplages().emplace_back(std::vector<std::int32_t>{1},
                                                       std::vector<std::int32_t>{2});
  for (TypeClasseFormatSerialisation format : {Tout, GeneriqueV1}) {
    const std::vector<std::uint8_t> octets = Ecrire(service.Get(), format);
    ASSERT_GT(octets.size(), 100u);
    for (std::size_t taille = 0; taille < octets.size(); ++taille) {
      const std::vector<std::uint8_t> prefixe(octets.begin(),
                                              octets.begin() + static_cast<std::ptrdiff_t>(taille));
      EXPECT_THROW(Lire(prefixe, format), EReadError) << taille;
    }
    EXPECT_TRUE(Lire(octets, format));
  }
}

TEST(DescriptionServiceFlux, TraceDUneMethode) {
  TRef<TInfoServiceInvocable> service = InfoServiceInvocableDe<IUnEntier>();
  service->GetMethode(3)->InfoCouplages().emplace_back(std::vector<std::int32_t>{0},
                                                       std::vector<std::int32_t>{0});
  auto trace = Nouveau<TFormateurTrace>();
  service->SerialiserPourTrace(*trace, Tout);
  const std::u16string tout = trace->Tout();
  const std::u16string debut =
      u"<GuidService> g:{3C1E7A52-8D44-4B0F-A1C2-5E6F7A8B9C01} </> <NomService> s:IUnEntier "
      u"</> <AutorisationsSpeciales> i:0 </> <Methodes> <Methode> <Classe> "
      u"s:TInfoMethodeServiceInvocable </> <Nom> s:QueryInterface </>";
  EXPECT_EQ(tout.substr(0, debut.size()), debut);
  const std::u16string methode =
      u"<Methode> <Classe> s:TInfoMethodeServiceInvocable </> <Nom> s:Prendre </> "
      u"<AvecValeurRetour> b:0 </> <TaillePile> i:32 </> <AutorisationsSpeciales> i:0 </> "
      u"<OffsetInterface> i:24 </> <MasqueSse> o:0 </> <Parametres> <Parametre> <Classe> "
      u"s:TInfoParametreServiceInvocable </> <Nom> s:AValeur </> <Offset> i:32 </> "
      u"<ModesAPriori> <Mode> v1:0 </> </> <Modes> <Mode> v1:0 </> </> <Serialisateur> "
      u"<Classe> s:TSerialisateurParametreRaw </> <TailleUtile> i:4 </> <Taille> i:4 </> "
      u"<Alignement> i:4 </> </> <NePasLibererLaValeur> b:0 </> <PlusieursParametres> b:0 </> "
      u"</> </> <InfoCouplages> <InfoCouplage> <CheminParamUtilisateur> t:0, </> "
      u"<CheminParamUtilise> t:0, </> </> </> </> </>";
  EXPECT_NE(tout.find(methode), std::u16string::npos) << std::string(tout.begin(), tout.end());
  EXPECT_EQ(tout.substr(tout.size() - methode.size()), methode);
}

// The value writer of the binary formatter: each value reads back through
// the operation of its record.
enum class TypeSigne : std::int16_t { sMoins = -300 };

TEST(EcrivainValeursBinaire, OrdinauxEtValeursSimples) {
  const std::uint8_t octet = 200;
  const std::int8_t petit = -5;
  const TypeSigne signe = TypeSigne::sMoins;
  const std::uint16_t mot = 60000;
  const std::int32_t entier = -70000;
  const std::uint32_t cardinal = 4000000000u;
  const bool vrai = true;
  const TypeModeParametre mode = TypeModeParametre::mpRegles32En64;
  const std::u16string texte = u"Télé";
  const std::int64_t grand = -1234567890123;
  const double reel = 2.5;
  const TypeLettres lettres{TypeLettre::l1, TypeLettre::l23};
  const TGUID guid = IComplet::IID;
  const void* indirect = &entier;

  TFluxMemoire flux;
  {
    auto ecrivain = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture);
    IEcrivainValeurs& valeurs = ecrivain->GetEcrivainValeurs();
    valeurs.EcrireValeur(&octet, false, InfoTypeDe<std::uint8_t>());
    valeurs.EcrireValeur(&petit, false, InfoTypeDe<std::int8_t>());
    valeurs.EcrireValeur(&signe, false, InfoTypeDe<TypeSigne>());
    valeurs.EcrireValeur(&mot, false, InfoTypeDe<std::uint16_t>());
    valeurs.EcrireValeur(&entier, false, InfoTypeDe<std::int32_t>());
    valeurs.EcrireValeur(&cardinal, false, InfoTypeDe<std::uint32_t>());
    valeurs.EcrireValeur(&vrai, false, InfoTypeDe<bool>());
    valeurs.EcrireValeur(&mode, false, InfoTypeDe<TypeModeParametre>());
    valeurs.EcrireValeur(&texte, false, InfoTypeDe<std::u16string>());
    valeurs.EcrireValeur(&grand, false, InfoTypeDe<std::int64_t>());
    valeurs.EcrireValeur(&reel, false, InfoTypeDe<double>());
    valeurs.EcrireValeur(&lettres, false, InfoTypeDe<TypeLettres>());
    valeurs.EcrireValeur(&guid, false, InfoTypeDe<TGUID>());
    valeurs.EcrireValeur(&indirect, true, InfoTypeDe<std::int32_t>());
  }
  flux.SetPosition(0);
  auto lecteur = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture);
  EXPECT_EQ(lecteur->LireOctet(), 200);
  EXPECT_EQ(lecteur->LireEntier(), -5);
  EXPECT_EQ(lecteur->LireEntier(), -300);
  EXPECT_EQ(lecteur->LireEntier(), 60000);
  EXPECT_EQ(lecteur->LireEntier(), -70000);
  EXPECT_EQ(lecteur->LireCardinal(), 4000000000u);
  EXPECT_EQ(lecteur->LireOctet(), 1);
  EXPECT_EQ(lecteur->LireOctet(), 3);
  EXPECT_EQ(lecteur->LireChaine(), texte);
  std::int64_t grandLu = 0;
  lecteur->LireOctets(&grandLu, 8);
  EXPECT_EQ(grandLu, grand);
  double reelLu = 0;
  lecteur->LireOctets(&reelLu, 8);
  EXPECT_EQ(reelLu, reel);
  TypeLettres lettresLues;
  lecteur->LireOctets(&lettresLues, 3);
  EXPECT_EQ(lettresLues, lettres);
  EXPECT_EQ(lecteur->LireGuid(), guid);
  EXPECT_EQ(lecteur->LireEntier(), -70000);
  EXPECT_EQ(flux.Restant(), 0);
}

TEST(EcrivainValeursBinaire, GenresRefusesSansRienEcrire) {
  const TypePoint point{1.0, 2};
  IUnEntier* interface = nullptr;
  TObjetEssai* objet = nullptr;
  const TTableauDynamique<std::int32_t> dynamique;
  const std::int32_t fixe[2] = {1, 2};
  const std::pair<const void*, const TInfoType*> refuses[] = {
      {&point, &InfoTypeDe<TypePoint>()},
      {&interface, &InfoTypeDe<TRef<IUnEntier>>()},
      {&objet, &InfoTypeDe<TObjetEssai*>()},
      {&dynamique, &InfoTypeDe<TTableauDynamique<std::int32_t>>()},
      {&fixe, &InfoTypeDe<std::int32_t[2]>()},
  };
  TFluxMemoire flux;
  auto ecrivain = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture);
  for (const auto& [adresse, type] : refuses) {
    EXPECT_THROW(ecrivain->GetEcrivainValeurs().EcrireValeur(adresse, false, *type), EWriteError);
  }
  EXPECT_EQ(flux.GetTaille(), 0);
  // A reading formatter writes nothing either.
  const std::int32_t entier = 1;
  auto lecteur = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture);
  EXPECT_THROW(
      lecteur->GetEcrivainValeurs().EcrireValeur(&entier, false, InfoTypeDe<std::int32_t>()),
      EWriteError);
}

}  // namespace
}  // namespace kv::test
