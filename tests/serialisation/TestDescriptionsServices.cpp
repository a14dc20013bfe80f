// Service descriptions built from described interfaces: the methods, the
// modes the declarations give, the layout of each call (the framework's
// Windows x64 numbers and the host's), the serializers made from the types,
// and what is refused.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EntreesDisposition.h"
#include "InterfacesDecrites.h"
#include "objets/ConversionInterface.h"
#include "serialisation/CreationSerialisateur.h"
#include "serialisation/I_SerialisateurAvecSousParametres.h"
#include "serialisation/InfoMethodeServiceInvocable.h"
#include "serialisation/InfoParametreServiceInvocable.h"
#include "serialisation/InfoServiceInvocableAuto.h"
#include "serialisation/SerialisateurParametreRecord.h"

namespace kv::test {
namespace {

struct TypeParametreAttendu {
  std::int32_t Offset;
  TypeModesParametre Modes;
};

struct TypeCasMethode {
  std::u16string Nom;
  std::vector<TypeParametreAttendu> Parametres;  // the result first
  std::int32_t TaillePile;
  std::uint8_t MasqueSse;
  bool ResultatDansRegistre;
};

TEST(InfoServiceInvocableAuto, UnEntierParValeur) {
  TRef<TInfoServiceInvocable> service = InfoServiceInvocableDe<IUnEntier>();
  ASSERT_EQ(service->GetNombreMethodes(), 4);
  EXPECT_EQ(service->GetGuidService(), IUnEntier::IID);
  EXPECT_EQ(service->GetNomService(), u"IUnEntier");
  const char16_t* noms[] = {u"QueryInterface", u"_AddRef", u"_Release", u"Prendre"};
  for (std::int32_t i = 0; i < 4; ++i) EXPECT_EQ(service->GetMethode(i)->GetNom(), noms[i]);
  for (std::int32_t i = 0; i < 3; ++i) {
    TInfoMethodeServiceInvocable* methode = service->GetMethode(i);
    EXPECT_EQ(methode->GetNombreParametres(), 0);
    EXPECT_EQ(methode->GetTaillePile(), 0);
    EXPECT_EQ(methode->GetOffsetInterface(), 0);
  }
  TInfoMethodeServiceInvocable* prendre = service->GetMethode(3);
  ASSERT_EQ(prendre->GetNombreParametres(), 1);
  EXPECT_FALSE(prendre->GetAvecValeurRetour());
  TInfoParametreServiceInvocable* valeur = prendre->GetInfoParametre(0);
  EXPECT_EQ(valeur->GetNom(), u"AValeur");
  EXPECT_EQ(valeur->GetOffset(), 32);
  EXPECT_EQ(valeur->GetModes(), mpsEntrant);
  EXPECT_EQ(valeur->GetTaille(), 4);
  EXPECT_EQ(prendre->GetTaillePile(), 32);
  EXPECT_EQ(prendre->GetOffsetInterface(), 24);
  EXPECT_EQ(prendre->GetMasqueSse(), 0);
  EXPECT_THROW(service->GetMethode(4), EListError);
  EXPECT_THROW(service->GetMethode(-1), EListError);
}

TEST(InfoServiceInvocableAuto, DispositionDesCasLimites) {
  const TypeCasMethode table[] = {
      {u"Reel", {{0, mpsS}, {32, mpsE}}, 32, 2, true},
      {u"Texte", {{32, mpsSR}}, 32, 0, false},
      {u"RecordTroisConst", {{32, mpsER}}, 32, 0, false},
      {u"RecordQuatreConst", {{32, mpsE}}, 32, 0, false},
      {u"EnsembleConst", {{32, mpsE}}, 32, 0, false},
      {u"RecordTroisValeur", {{32, mpsER}}, 32, 0, false},
      {u"CinqEntiers", {{32, mpsE}, {40, mpsE}, {48, mpsE}, {56, mpsE}, {64, mpsE}}, 48, 0, false},
      {u"SixEntiers",
       {{32, mpsE}, {40, mpsE}, {48, mpsE}, {56, mpsE}, {64, mpsE}, {72, mpsE}},
       64,
       0,
       false},
      // The open array takes positions 1 and 2: the double is argument 3.
      {u"Ouvert", {{32, mpsE}, {48, mpsE}}, 32, 8, false},
      {u"Modifier", {{32, mpsE}}, 32, 0, false},
      // 16 bytes in one position: by address.
      {u"Point", {{32, mpsER}}, 32, 0, false},
  };
  TRef<TInfoServiceInvocable> service = InfoServiceInvocableDe<IDisposition>();
  ASSERT_EQ(service->GetNombreMethodes(), 3 + static_cast<std::int32_t>(std::size(table)));
  for (const TypeCasMethode& cas : table) {
    SCOPED_TRACE(std::string(cas.Nom.begin(), cas.Nom.end()));
    TInfoMethodeServiceInvocable* methode = service->GetMethodeParNom(cas.Nom);
    ASSERT_NE(methode, nullptr);
    ASSERT_EQ(methode->GetNombreParametres(), static_cast<std::int32_t>(cas.Parametres.size()));
    for (std::size_t i = 0; i < cas.Parametres.size(); ++i) {
      TInfoParametreServiceInvocable* info =
          methode->GetInfoParametre(static_cast<std::int32_t>(i));
      EXPECT_EQ(info->GetOffset(), cas.Parametres[i].Offset) << i;
      EXPECT_EQ(info->GetModes(), cas.Parametres[i].Modes) << i;
    }
    EXPECT_EQ(methode->GetTaillePile(), cas.TaillePile);
    EXPECT_EQ(methode->GetMasqueSse(), cas.MasqueSse);
    EXPECT_EQ(methode->GetOffsetInterface(), 24);
    EXPECT_EQ(methode->ResultatDansRegistre(), cas.ResultatDansRegistre);
  }
  TInfoMethodeServiceInvocable* reel = service->GetMethodeParNom(u"Reel");
  EXPECT_TRUE(reel->GetAvecValeurRetour());
  EXPECT_EQ(reel->GetInfoParametre(0)->GetNom(), u"Result");
  EXPECT_EQ(reel->GetInfoParametre(0)->GetModesAPriori(), mpsSR);
  // The declared modes, before the layout: const records by reference, a
  // const set under the 32-bit rules.
  EXPECT_EQ(service->GetMethodeParNom(u"RecordQuatreConst")->GetInfoParametre(0)->GetModesAPriori(),
            mpsER);
  EXPECT_EQ(service->GetMethodeParNom(u"EnsembleConst")->GetInfoParametre(0)->GetModesAPriori(),
            mpsER | mpsRegles32En64);
  EXPECT_EQ(service->GetMethodeParNom(u"Ouvert")->GetInfoParametre(0)->GetNombreParametres(), 2);
}

TEST(InfoServiceInvocableAuto, DispositionHoteGardee) {
  TRef<TInfoServiceInvocable> service = InfoServiceInvocableDe<IDisposition>();
  using namespace registres_x64;
  // double in, int32 out: the interface in RDI, the double in XMM0, the
  // result in RAX.
  const TypeDispositionMethode& reel = service->GetMethodeParNom(u"Reel")->GetDispositionHote();
  ASSERT_EQ(reel.Emplacements.size(), 2u);
  EXPECT_EQ(reel.Emplacements[0], (TypeEmplacement{TypeGenreEmplacement::geRegistreEntier, RDI}));
  EXPECT_EQ(reel.Emplacements[1], (TypeEmplacement{TypeGenreEmplacement::geRegistreSse, 0}));
  EXPECT_TRUE(reel.ResultatDansRegistre);
  ASSERT_EQ(reel.EmplacementsResultat.size(), 1u);
  EXPECT_EQ(reel.EmplacementsResultat[0],
            (TypeEmplacement{TypeGenreEmplacement::geRegistreEntier, RAX}));
  // A string comes back through a hidden address, in RDI before the
  // interface.
  const TypeDispositionMethode& texte = service->GetMethodeParNom(u"Texte")->GetDispositionHote();
  EXPECT_FALSE(texte.ResultatDansRegistre);
  ASSERT_EQ(texte.Emplacements.size(), 2u);
  EXPECT_EQ(texte.Emplacements[0], (TypeEmplacement{TypeGenreEmplacement::geRegistreEntier, RSI}));
  EXPECT_EQ(texte.Emplacements[1], (TypeEmplacement{TypeGenreEmplacement::geRegistreEntier, RDI}));
  // A record of a double and an integer: one SSE piece and one INTEGER
  // piece, where the Windows numbers pass it by address.
  const TypeDispositionMethode& point = service->GetMethodeParNom(u"Point")->GetDispositionHote();
  ASSERT_EQ(point.Emplacements.size(), 3u);
  EXPECT_EQ(point.Emplacements[1], (TypeEmplacement{TypeGenreEmplacement::geRegistreSse, 0}));
  EXPECT_EQ(point.Emplacements[2], (TypeEmplacement{TypeGenreEmplacement::geRegistreEntier, RSI}));
}

TEST(InfoServiceInvocableAuto, CheminDansLesSousParametresDUnTableau) {
  TRef<TInfoServiceInvocable> service = InfoServiceInvocableDe<IDisposition>();
  TInfoMethodeServiceInvocable* ouvert = service->GetMethodeParNom(u"Ouvert");
  TypeListeInfoParametresServiceInvocable elements;
  Convertir<ISerialisateurAvecSousParametres>(ouvert->GetInfoParametre(0)->GetSerialisateur().Get())
      ->GetInfoSousParametres(elements);
  EXPECT_EQ(elements.GetCheminParametre(u"Elements.@Indice"), (std::vector<std::int32_t>{1}));
  EXPECT_EQ(elements.GetCheminParametre(u"Elements"), (std::vector<std::int32_t>{0}));
  EXPECT_EQ(ouvert->GetParametres().GetCheminParametre(u"avaleurs.Elements.@Indice"),
            (std::vector<std::int32_t>{0, 1}));
}

TEST(InfoServiceInvocableAuto, MethodesDesParentsDAbord) {
  TRef<TInfoServiceInvocable> service = InfoServiceInvocableDe<IComplet>();
  ASSERT_EQ(service->GetNombreMethodes(), 7);
  const char16_t* noms[] = {u"Prendre", u"Decrire", u"Trouver", u"Remplir"};
  for (std::int32_t i = 0; i < 4; ++i) EXPECT_EQ(service->GetMethode(3 + i)->GetNom(), noms[i]);
  // The name is found whatever its case; an unknown one is not.
  EXPECT_EQ(service->GetMethodeParNom(u"tROUVER"), service->GetMethode(5));
  EXPECT_EQ(service->GetMethodeParNom(u"Absente"), nullptr);
}

TEST(InfoServiceInvocableAuto, ModesDesFormesDeParametres) {
  TRef<TInfoServiceInvocable> service = InfoServiceInvocableDe<IComplet>();
  struct TypeCas {
    std::u16string Methode;
    std::int32_t Indice;
    TypeModesParametre ModesAPriori;
    TypeModesParametre Modes;
  };
  const TypeCas table[] = {
      {u"Decrire", 0, mpsSR, mpsSR},                   // a string result
      {u"Decrire", 1, mpsER, mpsER},                   // const record of 56 bytes
      {u"Decrire", 2, mpsE, mpsE},                     // const open array
      {u"Decrire", 3, mpsSR, mpsSR},                   // out
      {u"Trouver", 0, mpsSR, mpsSR},                   // an interface result
      {u"Trouver", 1, mpsE, mpsE},                     // interface by value
      {u"Trouver", 2, mpsESR, mpsESR},                 // var GUID
      {u"Trouver", 3, mpsER | mpsRegles32En64, mpsE},  // const set of one byte
      {u"Trouver", 4, mpsE, mpsE},                     // object
      {u"Remplir", 0, mpsESR, mpsESR},                 // var dynamic array
      {u"Remplir", 1, mpsE, mpsE},                     // open array, not const
      {u"Remplir", 2, mpsE, mpsE},                     // 64-bit integer
      {u"Remplir", 3, mpsE, mpsE},                     // Boolean
      {u"Remplir", 4, mpsE, mpsE},                     // float
  };
  for (const TypeCas& cas : table) {
    TInfoParametreServiceInvocable* info =
        service->GetMethodeParNom(cas.Methode)->GetInfoParametre(cas.Indice);
    SCOPED_TRACE(std::string(info->GetNom().begin(), info->GetNom().end()));
    EXPECT_EQ(info->GetModesAPriori(), cas.ModesAPriori);
    EXPECT_EQ(info->GetModes(), cas.Modes);
  }
  // The interface result is managed: a hidden argument, not a register.
  TInfoMethodeServiceInvocable* trouver = service->GetMethodeParNom(u"Trouver");
  EXPECT_FALSE(trouver->ResultatDansRegistre());
  EXPECT_EQ(trouver->GetInfoParametre(0)->GetOffset(), 32);
  // Remplir: positions 1 (table), 2-3 (open array), 4, 5, 6: the float is
  // not among the register arguments.
  TInfoMethodeServiceInvocable* remplir = service->GetMethodeParNom(u"Remplir");
  EXPECT_EQ(remplir->GetInfoParametre(4)->GetOffset(), 72);
  EXPECT_EQ(remplir->GetMasqueSse(), 0);
  EXPECT_EQ(remplir->GetTaillePile(), 64);
}

TEST(InfoServiceInvocableAuto, SansValeursSortantes) {
  TRef<TInfoServiceInvocable> unEntier = InfoServiceInvocableDe<IUnEntier>();
  EXPECT_TRUE(unEntier->SansValeursSortantes(true));
  EXPECT_TRUE(unEntier->SansValeursSortantes(false));
  // Results and out parameters are outgoing values either way.
  TRef<TInfoServiceInvocable> disposition = InfoServiceInvocableDe<IDisposition>();
  EXPECT_FALSE(disposition->SansValeursSortantes(false));
  // A var parameter is accepted unless strict: a service whose one method
  // takes Remplir's var table and open array.
  TRef<TInfoServiceInvocable> complet = InfoServiceInvocableDe<IComplet>();
  TInfoMethodeServiceInvocable* remplir = complet->GetMethodeParNom(u"Remplir");
  TRef<TInfoServiceInvocable> seul = Nouveau<TInfoServiceInvocable>();
  seul->SetNombreMethodes(1);
  TInfoMethodeServiceInvocable* copie = seul->GetMethode(0);
  copie->CreerInfoParametres(2);
  for (std::int32_t i = 0; i < 2; ++i) {
    TInfoParametreServiceInvocable* source = remplir->GetInfoParametre(i);
    copie->GetInfoParametre(i)->SetSerialisateur(source->GetSerialisateur());
    copie->GetInfoParametre(i)->SetModesAPriori(source->GetModesAPriori());
  }
  copie->CalculerDisposition();
  EXPECT_TRUE(seul->SansValeursSortantes(false));
  EXPECT_FALSE(seul->SansValeursSortantes(true));
}

TEST(InfoServiceInvocable, SetNombreMethodesLibereEtCree) {
  TRef<TInfoServiceInvocable> service = InfoServiceInvocableDe<IDisposition>();
  service->SetNombreMethodes(5);
  ASSERT_EQ(service->GetNombreMethodes(), 5);
  EXPECT_EQ(service->GetMethode(4)->GetNom(), u"Texte");
  service->SetNombreMethodes(7);
  EXPECT_EQ(service->GetMethode(4)->GetNom(), u"Texte");
  EXPECT_EQ(service->GetMethode(6)->GetNom(), u"");
  EXPECT_EQ(service->GetMethode(6)->GetNombreParametres(), 0);
  EXPECT_THROW(service->SetNombreMethodes(-1), EArgumentInvalide);
  EXPECT_EQ(service->GetNombreMethodes(), 7);
}

TEST(InfoMethodeServiceInvocable, DispositionRefuseUnParametreSansSerialisateur) {
  TRef<TInfoServiceInvocable> service = InfoServiceInvocableDe<IUnEntier>();
  TInfoMethodeServiceInvocable* methode = service->GetMethode(3);
  methode->CreerInfoParametres(1);
  EXPECT_THROW(methode->CalculerDisposition(), Exception);
  // Nothing changed.
  EXPECT_EQ(methode->GetInfoParametre(0)->GetOffset(), 32);
  EXPECT_EQ(methode->GetTaillePile(), 32);
}

// A record that holds a string, and one that holds it inside another.
struct TypeAvecTexte {
  std::int32_t Code;
  std::u16string Texte;
};
KV_DECRIRE_RECORD(TypeAvecTexte, KV_CHAMP(Code), KV_CHAMP(Texte));
struct TypeEnveloppe {
  TypeAvecTexte Interieur[2];
};
KV_DECRIRE_RECORD(TypeEnveloppe, KV_CHAMP(Interieur));

TEST(CreerSerialisateur, TypeInterditJusqueDansLesParties) {
  const TInfoType* interdits[] = {&InfoTypeDe<std::u16string>()};
  for (const TInfoType* type :
       {&InfoTypeDe<std::u16string>(), &InfoTypeDe<TypeAvecTexte>(), &InfoTypeDe<TypeEnveloppe>(),
        &InfoTypeDe<TTableauDynamique<std::u16string>>()}) {
    try {
      CreerSerialisateur(*type, interdits);
      ADD_FAILURE() << "type accepté";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), u"Type interdit dans une structure de ce genre");
    }
  }
  EXPECT_TRUE(CreerSerialisateur(InfoTypeDe<TypePoint>(), interdits));
  EXPECT_TRUE(CreerSerialisateur(InfoTypeDe<TypeAvecTexte>()));
}

TEST(CreerSerialisateur, GenresEtTailles) {
  struct TypeCas {
    const TInfoType* Type;
    std::u16string Classe;
    std::int32_t Taille;
    std::int32_t Alignement;
  };
  const TypeCas table[] = {
      {&InfoTypeDe<std::int16_t>(), u"TSerialisateurParametreRaw", 2, 2},
      {&InfoTypeDe<bool>(), u"TSerialisateurParametreRaw", 1, 1},
      {&InfoTypeDe<float>(), u"TSerialisateurParametreFlottant", 4, 4},
      {&InfoTypeDe<double>(), u"TSerialisateurParametreFlottant", 8, 8},
      {&InfoTypeDe<TypeLettres>(), u"TSerialisateurParametreRaw", 4, 1},
      {&InfoTypeDe<TGUID>(), u"TSerialisateurParametreRaw", 16, 4},
      {&InfoTypeDe<std::int64_t>(), u"TSerialisateurParametreRaw", 8, 8},
      {&InfoTypeDe<std::u16string>(), u"TSerialisateurParametreString",
       static_cast<std::int32_t>(sizeof(std::u16string)),
       static_cast<std::int32_t>(alignof(std::u16string))},
      {&InfoTypeDe<TObjetEssai*>(), u"TSerialisateurParametreObject", 8, 8},
      {&InfoTypeDe<TRef<IUnEntier>>(), u"TSerialisateurParametreInterface", 8, 8},
      {&InfoTypeDe<TTableauDynamique<TypeTrois>>(), u"TSerialisateurParametreTableauDynamique", 8,
       8},
      {&InfoTypeDe<std::int16_t[3]>(), u"TSerialisateurParametreTableauTailleFixe", 6, 2},
      {&InfoTypeDe<TypeFiche>(), u"TSerialisateurParametreRecord",
       static_cast<std::int32_t>(sizeof(TypeFiche)), 8},
      {&InfoTypeDe<TypeTrois>(), u"TSerialisateurParametreRecord", 3, 1},
  };
  for (const TypeCas& cas : table) {
    SCOPED_TRACE(std::string(cas.Classe.begin(), cas.Classe.end()));
    TRef<ISerialisateurParametre> serialisateur = CreerSerialisateur(*cas.Type);
    ASSERT_TRUE(serialisateur);
    EXPECT_EQ(Convertir<IAvecMetaInfoClasse>(serialisateur.Get())
                  ->GetMetaInfoClasse()
                  ->GetClasse()
                  ->GetNom(),
              cas.Classe);
    EXPECT_EQ(serialisateur->GetTaille(), cas.Taille);
    EXPECT_EQ(serialisateur->GetAlignement(), cas.Alignement);
  }
  // The record's fields keep the C++ offsets.
  auto record = Convertir<ISerialisateurAvecSousParametres>(
      CreerSerialisateur(InfoTypeDe<TypeFiche>()).Get());
  TypeListeInfoParametresServiceInvocable champs;
  record->GetInfoSousParametres(champs);
  ASSERT_EQ(champs.GetNombre(), 5);
  EXPECT_EQ(champs.GetInfoParametre(3)->GetNom(), u"Notes");
  EXPECT_EQ(champs.GetInfoParametre(3)->GetOffset(),
            static_cast<std::int32_t>(offsetof(TypeFiche, Notes)));
  EXPECT_EQ(champs.GetInfoParametre(4)->GetOffset(),
            static_cast<std::int32_t>(offsetof(TypeFiche, Codes)));
}

// Type information made by hand, as another source of descriptions might
// give it, with what the builder cannot use.
const TInfoType& TypeInconnu() {
  static constexpr TInfoType info{static_cast<TypeGenreType>(200)};
  return info;
}
const TInfoType& TypeEntier() { return InfoTypeDe<std::int32_t>(); }

TEST(InfoServiceInvocableAuto, SansRtti) {
  static constexpr TypeInfoParametre sansType[] = {{u"AValeur", 0, nullptr}};
  static constexpr TypeInfoParametre typeInconnu[] = {{u"AValeur", 0, &TypeInconnu}};
  static constexpr TypeInfoParametre entier[] = {{u"AValeur", 0, &TypeEntier}};
  struct TypeCas {
    TypeInfoMethode Methode;
    std::u16string Message;
  };
  const TypeCas table[] = {
      {{u"Lire", 3, nullptr, sansType},
       u"Le paramètre AValeur de la méthode Lire de l'interface IFaite n'a pas de RTTI"},
      {{u"Lire", 3, nullptr, typeInconnu},
       u"Le paramètre AValeur de la méthode Lire de l'interface IFaite n'a pas de RTTI"},
      {{u"Lire", 3, &TypeInconnu, entier},
       u"Le paramètre Result de la méthode Lire de l'interface IFaite n'a pas de RTTI"},
      // Not in the slot after IInterface's three.
      {{u"Lire", 5, nullptr, entier}, u"L'interface IFaite n'a pas de RTTI."},
  };
  for (const TypeCas& cas : table) {
    const TInfoTypeInterface interface {
      {TypeGenreType::gtInterface}, GuidLitteral("{3C1E7A52-8D44-4B0F-A1C2-5E6F7A8B9C20}"),
          u"IFaite", &InfoTypeInterfaceDe<IInterface>(), std::span(&cas.Methode, 1)
    };
    try {
      Nouveau<TInfoServiceInvocableAuto>(interface);
      ADD_FAILURE() << "description construite";
    } catch (const EInterfaceRTTIException& e) {
      EXPECT_EQ(e.Message(), cas.Message);
    }
  }
}

}  // namespace
}  // namespace kv::test
