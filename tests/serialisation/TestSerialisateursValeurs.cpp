// Values held, copied, released, written and read by the parameter
// serializers: round trips through the binary formatter for every kind,
// containers, and who owns what.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Fabriques.h"
#include "Noeuds.h"
#include "objets/TableauDynamique.h"
#include "objets/TableauOuvert.h"

namespace kv::test {
namespace {

// Every test leaves as many examples and nodes alive as it found.
class Serialisateurs : public ::testing::Test {
 protected:
  void SetUp() override {
    FExemples = TExempleCompte::Vivants;
    FNoeuds = TNoeud::Vivants;
  }
  void TearDown() override {
    EXPECT_EQ(TExempleCompte::Vivants, FExemples) << "every example made was freed";
    EXPECT_EQ(TNoeud::Vivants, FNoeuds) << "every node made was freed";
  }

 private:
  int FExemples = 0;
  int FNoeuds = 0;
};

std::int32_t Compte(IInterface* AInterface) {
  AInterface->_AddRef();
  return AInterface->_Release();
}

// One round trip: builds its serializer and value, and checks what is read.
struct TypeCasValeur {
  std::string Nom;
  std::function<void()> Verifier;
};

template <class AValeur>
void AllerRetourEgal(ISerialisateurParametre& ASerialisateur, const AValeur& AOriginal) {
  AllerRetour(ASerialisateur, &AOriginal,
              [&](const void* ALu) { EXPECT_EQ(*static_cast<const AValeur*>(ALu), AOriginal); });
}

void AjouterRaw(std::vector<TypeCasValeur>& ACas) {
  for (std::int32_t taille = 1; taille <= 16; ++taille) {
    ACas.push_back({"Raw" + std::to_string(taille), [taille] {
                      std::array<std::uint8_t, 16> valeur{};
                      for (std::int32_t i = 0; i < taille; ++i) {
                        valeur[i] = static_cast<std::uint8_t>(0xA0 + i * 7);
                      }
                      auto serialisateur = Raw(taille);
                      ASSERT_EQ(serialisateur->GetTaille(), ArrondirTaille(taille));
                      AllerRetour(*serialisateur, valeur.data(), [&](const void* ALu) {
                        EXPECT_EQ(std::memcmp(ALu, valeur.data(), ArrondirTaille(taille)), 0);
                      });
                    }});
  }
}

std::vector<TypeCasValeur> TousLesCas() {
  std::vector<TypeCasValeur> cas;
  AjouterRaw(cas);
  cas.push_back({"Flottant4", [] {
                   const float valeur = -3.25e7f;
                   AllerRetourEgal(*Flottant(4), valeur);
                 }});
  cas.push_back({"Flottant8", [] {
                   const double valeur = std::nextafter(1.0 / 3.0, 1.0);
                   AllerRetourEgal(*Flottant(8), valeur);
                 }});
  for (const std::u16string& texte :
       {std::u16string(), std::u16string(u"abc"), std::u16string(u"Été — ∑ \U0001F600 fin"),
        std::u16string(5000, u'\u00E9')}) {
    cas.push_back(
        {"Chaine" + std::to_string(texte.size()), [texte] { AllerRetourEgal(*Chaine(), texte); }});
  }
  cas.push_back({"InterfaceNulle", [] {
                   IExemple* nul = nullptr;
                   AllerRetourEgal(*InterfaceExemple(), nul);
                 }});
  cas.push_back({"Interface", [] {
                   IExemple* exemple = NouvelExemple(42);
                   AllerRetour(*InterfaceExemple(), &exemple, [&](const void* ALu) {
                     IExemple* lu = *static_cast<IExemple* const*>(ALu);
                     ASSERT_NE(lu, nullptr);
                     EXPECT_NE(lu, exemple) << "a new object is read";
                     EXPECT_EQ(lu->GetValeur(), 42);
                     EXPECT_EQ(Compte(lu), 1) << "the container holds the only reference";
                   });
                   EXPECT_EQ(Compte(exemple), 1) << "writing gave back what it took";
                   exemple->_Release();
                 }});
  cas.push_back({"InterfaceSansLeGuid", [] {
                   // A node written where an example is expected reads back as
                   // null: the object read lacks the interface.
                   auto noeud = Nouveau<TNoeud>(true, 5);
                   IInterface* valeur = static_cast<INoeud*>(noeud.Get());
                   AllerRetour(*InterfaceExemple(), &valeur, [](const void* ALu) {
                     EXPECT_EQ(*static_cast<IInterface* const*>(ALu), nullptr);
                   });
                 }});
  cas.push_back({"ObjetNul", [] {
                   TObjetInterfacable* nul = nullptr;
                   AllerRetourEgal(*Objet(), nul);
                 }});
  cas.push_back({"Objet", [] {
                   TObjetInterfacable* objet = Construire<TExempleCompte>(false, 9);
                   AllerRetour(*Objet(), &objet, [&](const void* ALu) {
                     auto* lu = *static_cast<TObjetInterfacable* const*>(ALu);
                     ASSERT_NE(lu, nullptr);
                     EXPECT_NE(lu, objet);
                     EXPECT_EQ(dynamic_cast<TExempleCompte&>(*lu).GetValeur(), 9);
                     EXPECT_FALSE(lu->LiberationAutomatique()) << "its owner frees it";
                   });
                   objet->Liberer();
                 }});
  cas.push_back({"Record", [] {
                   TypeSimple valeur{0xFE, -123456};
                   AllerRetour(*SerialisateurSimple(), &valeur, [&](const void* ALu) {
                     const auto& lu = *static_cast<const TypeSimple*>(ALu);
                     EXPECT_EQ(lu.A, 0xFE);
                     EXPECT_EQ(lu.B, -123456);
                   });
                 }});
  cas.push_back({"RecordRiche", [] {
                   TObjetInterfacable* objet = Construire<TExempleCompte>(false, 3);
                   TypeRiche valeur{7, u"texte é", NouvelExemple(11), 2.5, objet};
                   auto serialisateur = SerialisateurRiche();
                   EXPECT_TRUE(serialisateur->GetEstGere());
                   AllerRetour(*serialisateur, &valeur, [&](const void* ALu) {
                     const auto& lu = *static_cast<const TypeRiche*>(ALu);
                     EXPECT_EQ(lu.Octet, 7);
                     EXPECT_EQ(lu.Texte, u"texte é");
                     ASSERT_NE(lu.Exemple, nullptr);
                     EXPECT_EQ(lu.Exemple->GetValeur(), 11);
                     EXPECT_EQ(lu.Reel, 2.5);
                     ASSERT_NE(lu.Objet, nullptr);
                     EXPECT_NE(lu.Objet, objet);
                     EXPECT_EQ(dynamic_cast<TExempleCompte&>(*lu.Objet).GetValeur(), 3);
                   });
                   serialisateur->LibererValeur(&valeur, true);
                   EXPECT_EQ(valeur.Exemple, nullptr);
                   EXPECT_EQ(valeur.Texte, u"");
                 }});
  cas.push_back({"RecordImbrique", [] {
                   TypeImbrique valeur{-2, {9, 1 << 30}, u"nom"};
                   AllerRetour(*SerialisateurImbrique(), &valeur, [&](const void* ALu) {
                     const auto& lu = *static_cast<const TypeImbrique*>(ALu);
                     EXPECT_EQ(lu.X, -2);
                     EXPECT_EQ(lu.Simple.A, 9);
                     EXPECT_EQ(lu.Simple.B, 1 << 30);
                     EXPECT_EQ(lu.Nom, u"nom");
                   });
                 }});
  cas.push_back({"TableauDynamiqueDeRecords", [] {
                   TTableauDynamique<TypeImbrique> valeur{
                       {1, {2, 3}, u"un"}, {4, {5, 6}, u""}, {7, {8, 9}, u"trois"}};
                   AllerRetour(*Dynamique(SerialisateurImbrique()), &valeur, [&](const void* ALu) {
                     const TTableauDynamique<TypeImbrique>& lu =
                         *static_cast<const TTableauDynamique<TypeImbrique>*>(ALu);
                     ASSERT_EQ(lu.Taille(), 3);
                     EXPECT_EQ(lu.NombreReferences(), 1);
                     EXPECT_EQ(lu[1].Simple.B, 6);
                     EXPECT_EQ(lu[2].Nom, u"trois");
                     EXPECT_EQ(lu[0].X, 1);
                   });
                   EXPECT_EQ(valeur.NombreReferences(), 1) << "writing gave back what it took";
                 }});
  cas.push_back({"TableauDynamiqueDeChaines", [] {
                   TTableauDynamique<std::u16string> valeur{u"un", u"", u"trois ü"};
                   AllerRetour(*Dynamique(Chaine()), &valeur, [&](const void* ALu) {
                     const auto& lu = *static_cast<const TTableauDynamique<std::u16string>*>(ALu);
                     ASSERT_EQ(lu.Taille(), 3);
                     EXPECT_EQ(lu[0], u"un");
                     EXPECT_EQ(lu[1], u"");
                     EXPECT_EQ(lu[2], u"trois ü");
                   });
                 }});
  cas.push_back({"TableauDynamiqueVide", [] {
                   TTableauDynamique<std::int32_t> vide;
                   AllerRetour(*Dynamique(Raw(4)), &vide, [](const void* ALu) {
                     EXPECT_EQ(*static_cast<void* const*>(ALu), nullptr);
                   });
                 }});
  cas.push_back({"TableauDynamiqueDInterfaces", [] {
                   IExemple* exemple = NouvelExemple(5);
                   TTableauDynamique<IExemple*> valeur{exemple, nullptr, exemple};
                   AllerRetour(*Dynamique(InterfaceExemple()), &valeur, [&](const void* ALu) {
                     const auto& lu = *static_cast<const TTableauDynamique<IExemple*>*>(ALu);
                     ASSERT_EQ(lu.Taille(), 3);
                     EXPECT_EQ(lu[0]->GetValeur(), 5);
                     EXPECT_EQ(lu[1], nullptr);
                     EXPECT_EQ(lu[2]->GetValeur(), 5);
                   });
                   EXPECT_EQ(Compte(exemple), 1);
                   exemple->_Release();  // the typed array holds it without counting
                 }});
  cas.push_back({"TableauOuvertDeChaines", [] {
                   std::u16string elements[] = {u"a", u"bé", u""};
                   TTableauOuvert<std::u16string> valeur(elements);
                   AllerRetour(*Ouvert(Chaine()), &valeur, [&](const void* ALu) {
                     const auto& lu = *static_cast<const TTableauOuvert<std::u16string>*>(ALu);
                     ASSERT_EQ(lu.TailleMoinsUn, 2);
                     EXPECT_NE(lu.PtrValeurs, elements);
                     EXPECT_EQ(lu.Valeurs()[1], u"bé");
                   });
                 }});
  cas.push_back({"TableauOuvertVide", [] {
                   TypeTableauOuvert vide;
                   AllerRetour(*Ouvert(Raw(8)), &vide, [](const void* ALu) {
                     const auto& lu = *static_cast<const TypeTableauOuvert*>(ALu);
                     EXPECT_EQ(lu.TailleMoinsUn, -1);
                     EXPECT_EQ(lu.PtrValeurs, nullptr);
                   });
                 }});
  cas.push_back({"TableauTailleFixeDeChaines", [] {
                   std::array<std::u16string, 3> valeur{u"x", u"", u"zz"};
                   auto serialisateur = Fixe(3, Chaine());
                   EXPECT_EQ(serialisateur->GetTaille(), static_cast<std::int32_t>(sizeof(valeur)));
                   AllerRetourEgal(*serialisateur, valeur);
                 }});
  cas.push_back({"TableauTailleFixeVide", [] {
                   std::uint8_t rien = 0;
                   auto serialisateur = Fixe(0, Raw(4));
                   EXPECT_EQ(serialisateur->GetTaille(), 0);
                   AllerRetour(*serialisateur, &rien, [](const void*) {});
                 }});
  cas.push_back({"TableauTailleFixeDeRecords", [] {
                   TypeSimple valeur[2] = {{1, 2}, {3, 4}};
                   AllerRetour(*Fixe(2, SerialisateurSimple()), valeur, [](const void* ALu) {
                     const auto* lu = static_cast<const TypeSimple*>(ALu);
                     EXPECT_EQ(lu[0].B, 2);
                     EXPECT_EQ(lu[1].A, 3);
                     EXPECT_EQ(lu[1].B, 4);
                   });
                 }});
  return cas;
}

class AllerRetourValeur : public Serialisateurs,
                          public ::testing::WithParamInterface<TypeCasValeur> {};

TEST_P(AllerRetourValeur, RelueTelleQuEcrite) { GetParam().Verifier(); }

INSTANTIATE_TEST_SUITE_P(Serialisateurs, AllerRetourValeur, ::testing::ValuesIn(TousLesCas()),
                         [](const auto& AInfo) { return AInfo.param.Nom; });

TEST_F(Serialisateurs, ValeurBruteDeTroisOctetsLaisseLeQuatriemeAZero) {
  auto serialisateur = Raw(3);
  const std::uint8_t valeur[4] = {1, 2, 3, 0xAB};
  AllerRetour(*serialisateur, valeur, [](const void* ALu) {
    const auto* lu = static_cast<const std::uint8_t*>(ALu);
    EXPECT_EQ(lu[2], 3);
    EXPECT_EQ(lu[3], 0);
  });
}

TEST_F(Serialisateurs, TableauOuvertVoyageCommeDernierIndicePuisElements) {
  std::int32_t elements[] = {10, 20, 30};
  TTableauOuvert<std::int32_t> valeur(elements);
  auto serialisateur = Ouvert(Raw(4));
  auto trace = Nouveau<TFormateurTrace>();
  TConteneurParametre* conteneur = serialisateur->CreerConteneur(u"T");
  serialisateur->CopierValeur(&valeur, conteneur->GetAdresseValeur(), false);
  serialisateur->SerialiserValeur(conteneur, *trace, &TFSTout::Classe(), false);
  serialisateur->LibererConteneur(conteneur, false);
  EXPECT_EQ(trace->Tout(), u"i:2 taille:12 x:4 x:4 x:4");
  EXPECT_EQ(elements[1], 20) << "the caller's elements are untouched";
}

TEST_F(Serialisateurs, TableauTailleFixeVoyageSansSonNombre) {
  std::int16_t valeur[3] = {1, 2, 3};
  auto trace = Nouveau<TFormateurTrace>();
  auto serialisateur = Fixe(3, Raw(2));
  TConteneurParametre* conteneur = serialisateur->CreerConteneur(u"T");
  serialisateur->CopierValeur(valeur, conteneur->GetAdresseValeur(), false);
  serialisateur->SerialiserValeur(conteneur, *trace, &TFSTout::Classe(), false);
  serialisateur->LibererConteneur(conteneur, false);
  EXPECT_EQ(trace->Tout(), u"taille:6 x:2 x:2 x:2");
}

// Containers.

TEST_F(Serialisateurs, NouveauConteneurTientUneValeurVide) {
  auto riche = SerialisateurRiche();
  TConteneurParametre* record = riche->CreerConteneur(u"R");
  const auto& valeur = *static_cast<TypeRiche*>(record->GetAdresseValeur());
  EXPECT_EQ(record->GetNom(), u"R");
  EXPECT_EQ(valeur.Octet, 0);
  EXPECT_TRUE(valeur.Texte.empty());
  EXPECT_EQ(valeur.Exemple, nullptr);
  EXPECT_EQ(valeur.Objet, nullptr);
  ASSERT_EQ(record->GetNombreSousConteneurs(), 5);
  EXPECT_EQ(record->GetSousConteneur(1)->GetNom(), u"Texte");
  // The string field is a live empty string: assigning to it works.
  static_cast<TypeRiche*>(record->GetAdresseValeur())->Texte = std::u16string(100, u'x');
  riche->LibererConteneur(record, false);

  auto ouvert = Ouvert(Chaine());
  TConteneurParametre* tableau = ouvert->CreerConteneur(u"O");
  const auto& vide = *static_cast<TypeTableauOuvert*>(tableau->GetAdresseValeur());
  EXPECT_EQ(vide.TailleMoinsUn, -1);
  EXPECT_EQ(vide.PtrValeurs, nullptr);
  ASSERT_EQ(tableau->GetNombreSousConteneurs(), 2);
  EXPECT_EQ(tableau->GetSousConteneur(0)->GetNom(), u"Elements");
  EXPECT_EQ(tableau->GetSousConteneur(1)->GetNom(), u"Elements.@Indice");
  ouvert->LibererConteneur(tableau, false);

  auto brut = Raw(12);
  TConteneurParametre* octets = brut->CreerConteneur(u"B");
  const auto* debut = static_cast<const std::uint8_t*>(octets->GetAdresseValeur());
  EXPECT_EQ(std::count(debut, debut + 12, 0), 12);
  brut->LibererConteneur(octets, false);
}

TEST(ConteneurParametre, SousConteneursEtCouplages) {
  TConteneurParametre conteneur(u"C", nullptr);
  TConteneurParametre autre(u"D", nullptr);
  conteneur.SetNombreSousConteneurs(3);
  ASSERT_EQ(conteneur.GetNombreSousConteneurs(), 3);
  for (std::int32_t i = 0; i < 3; ++i) EXPECT_EQ(conteneur.GetSousConteneur(i), nullptr);
  conteneur.SetSousConteneur(2, &autre);
  conteneur.SetNombreSousConteneurs(0);  // dropped, not freed: `autre` lives on the stack
  EXPECT_EQ(conteneur.GetNombreSousConteneurs(), 0);
  EXPECT_THROW(conteneur.GetSousConteneur(0), EListError);
  conteneur.CouplerAvec(&autre);
  conteneur.CouplerAvec(&autre);
  ASSERT_EQ(conteneur.GetNombreConteneursCouples(), 2);
  EXPECT_EQ(conteneur.GetConteneurCouple(1), &autre);
  EXPECT_EQ(autre.GetNombreConteneursCouples(), 0) << "one way";
}

// Ownership.

TEST_F(Serialisateurs, InterfacesCompteesALaCopieEtALaLiberation) {
  auto serialisateur = InterfaceExemple();
  IExemple* exemple = NouvelExemple(1);
  IExemple* autre = NouvelExemple(2);
  IExemple* place = nullptr;
  serialisateur->CopierValeur(&exemple, &place, false);
  EXPECT_EQ(Compte(exemple), 2);
  serialisateur->CopierValeur(&place, &place, false);
  EXPECT_EQ(Compte(exemple), 2) << "a copy onto itself changes nothing";
  serialisateur->CopierValeur(&autre, &place, false);
  EXPECT_EQ(Compte(exemple), 1) << "the value replaced was released";
  EXPECT_EQ(Compte(autre), 2);
  TConteneurParametre* conteneur = serialisateur->CreerConteneur(u"I");
  serialisateur->CopierValeur(&place, conteneur->GetAdresseValeur(), false);
  EXPECT_EQ(Compte(autre), 3);
  serialisateur->LibererConteneur(conteneur, false);
  EXPECT_EQ(Compte(autre), 2);
  serialisateur->LibererValeur(&place, false);
  EXPECT_EQ(place, nullptr);
  EXPECT_EQ(Compte(autre), 1);
  exemple->_Release();
  autre->_Release();
}

TEST_F(Serialisateurs, BlocsDeTableauDynamiquePartagesEtLiberes) {
  auto serialisateur = Dynamique(Chaine());
  TTableauDynamique<std::u16string> valeur{u"a", u"b"};
  void* place = nullptr;
  serialisateur->CopierValeur(&valeur, &place, false);
  EXPECT_EQ(valeur.NombreReferences(), 2);
  serialisateur->CopierValeur(&place, &place, false);
  EXPECT_EQ(valeur.NombreReferences(), 2) << "a block copied onto itself keeps its count";
  TConteneurParametre* conteneur = serialisateur->CreerConteneur(u"D");
  serialisateur->CopierValeur(&place, conteneur->GetAdresseValeur(), false);
  EXPECT_EQ(valeur.NombreReferences(), 3);
  serialisateur->LibererConteneur(conteneur, false);
  serialisateur->LibererValeur(&place, false);
  EXPECT_EQ(place, nullptr);
  EXPECT_EQ(valeur.NombreReferences(), 1);
  // The last reference, the serializer's: the strings are ended and the block
  // freed (the sanitizers would see a leak or a double free).
  serialisateur->CopierValeur(&valeur, &place, false);
  valeur = TTableauDynamique<std::u16string>();
  serialisateur->LibererValeur(&place, false);
}

TEST_F(Serialisateurs, BlocConstantJamaisChangeNiLibere) {
  auto serialisateur = Dynamique(Raw(4));
  void* bloc = AllouerBlocTableauDynamique(2, 4);
  EnteteTableauDynamique(bloc).NombreReferences = -1;
  void* constant = bloc;
  void* place = nullptr;
  serialisateur->CopierValeur(&constant, &place, false);
  EXPECT_EQ(place, bloc);
  serialisateur->LibererValeur(&place, true);
  serialisateur->LibererValeur(&constant, true);
  EXPECT_EQ(constant, nullptr);
  // Still there to be read (the sanitizers would see a use after free).
  EXPECT_EQ(EnteteTableauDynamique(bloc).NombreReferences, -1);
  LibererBlocTableauDynamique(bloc);
}

TEST_F(Serialisateurs, ObjetsLibereesSelonALibererObjets) {
  auto serialisateur = Objet();
  TObjetInterfacable* a = Construire<TExempleCompte>(false, 1);
  TObjetInterfacable* b = Construire<TExempleCompte>(false, 2);
  const int vivants = TExempleCompte::Vivants;
  TObjetInterfacable* place = a;
  serialisateur->CopierValeur(&a, &place, true);
  EXPECT_EQ(TExempleCompte::Vivants, vivants) << "the same object onto itself: nothing freed";
  serialisateur->CopierValeur(&b, &place, false);
  EXPECT_EQ(TExempleCompte::Vivants, vivants) << "not asked to free";
  place = a;
  serialisateur->CopierValeur(&b, &place, true);
  EXPECT_EQ(TExempleCompte::Vivants, vivants - 1) << "the object dropped was freed";
  EXPECT_EQ(place, b);
  TConteneurParametre* conteneur = serialisateur->CreerConteneur(u"O");
  serialisateur->CopierValeur(&b, conteneur->GetAdresseValeur(), false);
  serialisateur->LibererConteneur(conteneur, false);
  EXPECT_EQ(TExempleCompte::Vivants, vivants - 1);
  conteneur = serialisateur->CreerConteneur(u"O");
  serialisateur->CopierValeur(&b, conteneur->GetAdresseValeur(), false);
  serialisateur->LibererConteneur(conteneur, true);
  EXPECT_EQ(TExempleCompte::Vivants, vivants - 2);
}

TEST_F(Serialisateurs, RecordLibereChaqueObjetUneFois) {
  auto serialisateur = SerialisateurRiche();
  const int vivants = TExempleCompte::Vivants;
  for (const bool libererObjets : {false, true}) {
    TObjetInterfacable* objet = Construire<TExempleCompte>(false, 1);
    TypeRiche valeur{1, u"t", NouvelExemple(2), 0.0, objet};
    TConteneurParametre* conteneur = serialisateur->CreerConteneur(u"R");
    serialisateur->CopierValeur(&valeur, conteneur->GetAdresseValeur(), false);
    // Writing fills the field containers with copies of the same objects.
    auto trace = Nouveau<TFormateurTrace>();
    serialisateur->SerialiserValeur(conteneur, *trace, &TFSTout::Classe(), false);
    serialisateur->LibererConteneur(conteneur, libererObjets);
    EXPECT_EQ(TExempleCompte::Vivants, vivants + (libererObjets ? 1 : 2))
        << "objects freed exactly once, and only when asked; the interface is still held";
    if (!libererObjets) objet->Liberer();
    valeur.Objet = nullptr;
    serialisateur->LibererValeur(&valeur, false);
  }
}

TEST_F(Serialisateurs, ChampNePasLibererGardeSonObjet) {
  struct TypeDeuxObjets {
    TObjetInterfacable* Libere;
    TObjetInterfacable* Garde;
  };
  auto serialisateur = Enregistrement(sizeof(TypeDeuxObjets),
                                      {{u"Libere", offsetof(TypeDeuxObjets, Libere), Objet()},
                                       {u"Garde", offsetof(TypeDeuxObjets, Garde), Objet(), true}});
  const int vivants = TExempleCompte::Vivants;
  TypeDeuxObjets valeur{Construire<TExempleCompte>(false), Construire<TExempleCompte>(false)};
  TObjetInterfacable* garde = valeur.Garde;
  serialisateur->LibererValeur(&valeur, true);
  EXPECT_EQ(TExempleCompte::Vivants, vivants + 1);
  EXPECT_EQ(valeur.Garde, nullptr);
  garde->Liberer();
}

TEST_F(Serialisateurs, TableauxDObjetsLiberesAvecLeurBlocOuSurDemande) {
  const int vivants = TExempleCompte::Vivants;
  auto dynamique = Dynamique(Objet());
  TObjetInterfacable* objets[] = {Construire<TExempleCompte>(false), nullptr,
                                  Construire<TExempleCompte>(false)};
  void* bloc = dynamique->CreerBloc(3);
  for (std::int32_t i = 0; i < 3; ++i) static_cast<TObjetInterfacable**>(bloc)[i] = objets[i];
  void* copie = nullptr;
  dynamique->CopierValeur(&bloc, &copie, true);
  dynamique->LibererValeur(&copie, true);
  EXPECT_EQ(TExempleCompte::Vivants, vivants + 2) << "another reference keeps the block";
  dynamique->LibererValeur(&bloc, true);
  EXPECT_EQ(TExempleCompte::Vivants, vivants) << "the last reference frees the objects";

  auto ouvert = Ouvert(Objet());
  TObjetInterfacable* elements[] = {Construire<TExempleCompte>(false),
                                    Construire<TExempleCompte>(false)};
  TTableauOuvert<TObjetInterfacable*> valeur(elements);
  ouvert->LibererValeur(&valeur, false);
  EXPECT_EQ(TExempleCompte::Vivants, vivants + 2);
  ouvert->LibererValeur(&valeur, true);
  EXPECT_EQ(TExempleCompte::Vivants, vivants);
  EXPECT_EQ(elements[0], nullptr);
}

}  // namespace
}  // namespace kv::test
