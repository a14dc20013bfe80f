// Serializer values and descriptions read from damaged streams: cut at every
// byte, or with a byte changed, a read raises and leaks nothing (the
// sanitizer build watches memory; the counters watch objects); counts that
// the stream cannot justify are refused before anything is allocated.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Allocations.h"
#include "Fabriques.h"
#include "objets/TableauDynamique.h"

namespace kv::test {
namespace {

using TypeOctets = std::vector<std::uint8_t>;
const TypeClasseFormatSerialisation Tout = &TFSTout::Classe();

// A value with its serializer, written once.
struct TypeCasFlux {
  std::string Nom;
  TypeSerialisateur Serialisateur;
  TypeOctets Octets;
};

template <class AValeur>
TypeCasFlux Ecrire(std::string ANom, TypeSerialisateur ASerialisateur, AValeur& AValeurEcrite) {
  TFluxMemoire flux;
  auto ecrivain = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture);
  TConteneurParametre* conteneur = ASerialisateur->CreerConteneur(u"V");
  ASerialisateur->CopierValeur(&AValeurEcrite, conteneur->GetAdresseValeur(), false);
  ASerialisateur->SerialiserValeur(conteneur, *ecrivain, Tout, false);
  ASerialisateur->LibererConteneur(conteneur, false);
  ASerialisateur->LibererValeur(&AValeurEcrite, true);
  return {std::move(ANom), ASerialisateur, flux.GetOctets()};
}

std::vector<TypeCasFlux> CasComposites() {
  std::vector<TypeCasFlux> cas;
  TypeRiche riche{1, u"texte", NouvelExemple(3), 1.5, Construire<TExempleCompte>(false, 4)};
  cas.push_back(Ecrire("RecordRiche", SerialisateurRiche(), riche));
  TTableauDynamique<TypeRiche> tableau(2);
  tableau[0] = {2, u"a", NouvelExemple(5), 0, Construire<TExempleCompte>(false, 6)};
  tableau[1] = {3, u"", nullptr, 0, Construire<TExempleCompte>(false, 7)};
  cas.push_back(Ecrire("TableauDeRecordsRiches", Dynamique(SerialisateurRiche()), tableau));
  TTableauDynamique<TTableauDynamique<std::u16string>> imbrique{{u"x", u"yy"}, {}, {u"z"}};
  cas.push_back(Ecrire("TableauDeTableaux", Dynamique(Dynamique(Chaine())), imbrique));
  TypeTableauOuvert ouvert;
  TObjetInterfacable* objets[] = {Construire<TExempleCompte>(false, 8),
                                  Construire<TExempleCompte>(false, 9)};
  ouvert.PtrValeurs = objets;
  ouvert.TailleMoinsUn = 1;
  cas.push_back(Ecrire("TableauOuvertDObjets", Ouvert(Objet()), ouvert));
  std::array<TypeImbrique, 2> fixe{TypeImbrique{1, {2, 3}, u"un"},
                                   TypeImbrique{4, {5, 6}, u"deux"}};
  cas.push_back(Ecrire("TableauFixeDeRecords", Fixe(2, SerialisateurImbrique()), fixe));
  return cas;
}

// Reads AOctets with ASerialisateur; true when the read succeeded. Whatever
// happens, the container is disposed of, freeing the objects read.
bool Lire(ISerialisateurParametre& ASerialisateur, const TypeOctets& AOctets) {
  TFluxMemoire flux(AOctets);
  auto lecteur = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture);
  TConteneurParametre* conteneur = ASerialisateur.CreerConteneur(u"V");
  bool lu = true;
  try {
    ASerialisateur.DeserialiserValeur(conteneur, *lecteur, Tout, false);
  } catch (const Exception&) {
    lu = false;
  }
  ASerialisateur.LibererConteneur(conteneur, true);
  return lu;
}

class FluxEndommage : public ::testing::Test {
 protected:
  void SetUp() override { FVivants = TExempleCompte::Vivants; }
  void TearDown() override { EXPECT_EQ(TExempleCompte::Vivants, FVivants); }

 private:
  int FVivants = 0;
};

TEST_F(FluxEndommage, ValeursCoupeesEnChaquePoint) {
  for (TypeCasFlux& cas : CasComposites()) {
    ASSERT_TRUE(Lire(*cas.Serialisateur, cas.Octets)) << cas.Nom;
    for (std::size_t taille = 0; taille < cas.Octets.size(); ++taille) {
      const TypeOctets debut(cas.Octets.begin(), cas.Octets.begin() + taille);
      EXPECT_FALSE(Lire(*cas.Serialisateur, debut)) << cas.Nom << " cut at " << taille;
    }
  }
}

TEST_F(FluxEndommage, ValeursAUnOctetChange) {
  for (TypeCasFlux& cas : CasComposites()) {
    for (std::size_t i = 0; i < cas.Octets.size(); ++i) {
      for (const std::uint8_t masque : {0x01, 0x80, 0xFF}) {
        TypeOctets octets = cas.Octets;
        octets[i] ^= masque;
        Lire(*cas.Serialisateur, octets);  // may succeed: a changed value is still a value
      }
    }
  }
}

TEST_F(FluxEndommage, DescriptionsCoupeesEnChaquePoint) {
  const TypeSerialisateur descriptions[] = {SerialisateurRiche(),
                                            Dynamique(SerialisateurImbrique()),
                                            Fixe(3, Ouvert(InterfaceExemple()))};
  for (const TypeClasseFormatSerialisation format :
       {Tout, static_cast<TypeClasseFormatSerialisation>(&TFSSerialisationGeneriqueV1::Classe())}) {
    for (const TypeSerialisateur& description : descriptions) {
      TFluxMemoire flux;
      Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture)
          ->EcrireInterface(description.Get(), format);
      const TypeOctets& octets = flux.GetOctets();
      for (std::size_t taille = 0; taille < octets.size(); ++taille) {
        TFluxMemoire coupe(std::span(octets.data(), taille));
        auto lecteur = Nouveau<TFormateurBinaire>(coupe, TypeSensFormateur::sfLecture);
        EXPECT_THROW(lecteur->LireInterface(format), Exception) << taille;
      }
      for (std::size_t i = 0; i < octets.size(); ++i) {
        TypeOctets change = octets;
        change[i] ^= 0xFF;
        TFluxMemoire flux2(change);
        try {
          TRef<IInterface> lu = Nouveau<TFormateurBinaire>(flux2, TypeSensFormateur::sfLecture)
                                    ->LireInterface(format);
          if (auto serialisateur = Interroger<ISerialisateurParametre>(lu)) {
            // A description that reads is usable: a container of it comes and goes.
            serialisateur->LibererConteneur(serialisateur->CreerConteneur(u"V"), true);
          }
        } catch (const Exception&) {
        }
      }
    }
  }
}

// A count the stream cannot hold, read with a description of dynamic
// (or open) arrays of 8-byte elements.
struct TypeCasCompte {
  const char* Nom;
  std::function<TypeSerialisateur()> Creer;
  std::int32_t Compte;
  bool Refuse;
};

TEST_F(FluxEndommage, ComptesRefusesAvantToutAllocation) {
  const TypeCasCompte table[] = {
      {"DynamiqueEnorme", [] { return TypeSerialisateur(Dynamique(Raw(8))); }, 0x7FFFFFFF, true},
      // 2^29 elements of 8 bytes: 2^32 bytes, which 32-bit arithmetic would
      // see as 0.
      {"DynamiqueQuiDeborde", [] { return TypeSerialisateur(Dynamique(Raw(8))); }, 1 << 29, true},
      {"DynamiqueNegatif", [] { return TypeSerialisateur(Dynamique(Raw(8))); }, -1, true},
      {"DynamiqueVide", [] { return TypeSerialisateur(Dynamique(Raw(8))); }, 0, false},
      {"DynamiqueDeRecordsVides",
       [] { return TypeSerialisateur(Dynamique(Nouveau<TSerialisateurParametreRecord>())); },
       0x7FFFFFFF, true},
      {"OuvertEnorme", [] { return TypeSerialisateur(Ouvert(Raw(8))); }, 0x7FFFFFFE, true},
      {"OuvertQuiDeborde", [] { return TypeSerialisateur(Ouvert(Raw(8))); }, (1 << 29) - 1, true},
      {"OuvertTropNegatif", [] { return TypeSerialisateur(Ouvert(Raw(8))); }, -2, true},
      {"OuvertVide", [] { return TypeSerialisateur(Ouvert(Raw(8))); }, -1, false},
  };
  for (const TypeCasCompte& cas : table) {
    TypeSerialisateur serialisateur = cas.Creer();
    TFluxMemoire flux;
    Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture)->EcrireEntier(cas.Compte);
    flux.SetPosition(0);
    auto lecteur = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture);
    TConteneurParametre* conteneur = serialisateur->CreerConteneur(u"V");
    PlusGrandeAllocationDepuis();
    if (cas.Refuse) {
      try {
        serialisateur->DeserialiserValeur(conteneur, *lecteur, Tout, false);
        ADD_FAILURE() << cas.Nom << ": accepted";
      } catch (const EReadError& AErreur) {
        EXPECT_EQ(AErreur.Message(), u"Erreur de lecture du flux") << cas.Nom;
      }
      EXPECT_LT(PlusGrandeAllocationDepuis(), 4096u) << cas.Nom;
    } else {
      serialisateur->DeserialiserValeur(conteneur, *lecteur, Tout, false);
    }
    const auto* valeur = static_cast<const std::uint8_t*>(conteneur->GetAdresseValeur());
    EXPECT_EQ(*reinterpret_cast<void* const*>(valeur), nullptr) << cas.Nom << ": empty value";
    serialisateur->LibererConteneur(conteneur, true);
  }
}

TEST_F(FluxEndommage, TableauOuvertGardeSaValeurApresUnEchec) {
  auto serialisateur = Ouvert(Chaine());
  std::u16string elements[] = {u"a", u"b"};
  TypeTableauOuvert valeur;
  valeur.PtrValeurs = elements;
  valeur.TailleMoinsUn = 1;
  TypeCasFlux cas = Ecrire("Ouvert", serialisateur, valeur);
  TFluxMemoire flux(cas.Octets);
  auto lecteur = Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture);
  TConteneurParametre* conteneur = serialisateur->CreerConteneur(u"V");
  serialisateur->DeserialiserValeur(conteneur, *lecteur, Tout, false);
  const TypeTableauOuvert avant = *static_cast<TypeTableauOuvert*>(conteneur->GetAdresseValeur());
  TFluxMemoire coupe(std::span(cas.Octets.data(), cas.Octets.size() - 1));
  auto lecteurCoupe = Nouveau<TFormateurBinaire>(coupe, TypeSensFormateur::sfLecture);
  EXPECT_THROW(serialisateur->DeserialiserValeur(conteneur, *lecteurCoupe, Tout, false), Exception);
  const auto& apres = *static_cast<TypeTableauOuvert*>(conteneur->GetAdresseValeur());
  EXPECT_EQ(apres.PtrValeurs, avant.PtrValeurs);
  EXPECT_EQ(apres.TailleMoinsUn, 1);
  EXPECT_EQ(static_cast<std::u16string*>(apres.PtrValeurs)[1], u"b");
  serialisateur->LibererConteneur(conteneur, true);
}

TEST_F(FluxEndommage, DescriptionsAuxTaillesAbsurdesRefusees) {
  // Hand-made descriptions: a raw value of 2^31 - 1 bytes, a fixed array of
  // 2^31 - 1 elements, a record announcing 2^31 - 1 fields.
  const std::function<void(IFormatter&)> ecritures[] = {
      [](IFormatter& F) {
        F.EcrireEntier(0x7FFFFFFF);
        F.EcrireEntier(1);
      },
      [](IFormatter& F) {
        auto elements = Construire<TInfoParametreServiceInvocable>();
        elements->SetSerialisateur(Raw(4));
        F.EcrireChaine(u"Elements");
        F.EcrireOctet(0);
        F.EcrireInterface(Raw(4).Get(), Tout);
        F.EcrireBooleen(false);
        F.EcrireBooleen(true);
        F.EcrireEntier(0x7FFFFFFF);
        elements->Liberer();
      },
      [](IFormatter& F) {
        F.EcrireBooleen(false);
        F.EcrireEntier(0x7FFFFFFF);
      },
  };
  const TClasseObjetSerialisable* classes[] = {&TSerialisateurParametreRaw::Classe(),
                                               &TSerialisateurParametreTableauTailleFixe::Classe(),
                                               &TSerialisateurParametreRecord::Classe()};
  for (std::size_t i = 0; i < std::size(classes); ++i) {
    TFluxMemoire flux;
    ecritures[i](*Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfEcriture));
    flux.SetPosition(0);
    TRef<IInterface> serialisateur(classes[i]->Create(true)->InterfaceDeBase());
    PlusGrandeAllocationDepuis();
    EXPECT_THROW(
        Convertir<IFSTout>(serialisateur.Get())
            ->Deserialiser(*Nouveau<TFormateurBinaire>(flux, TypeSensFormateur::sfLecture), Tout),
        EReadError)
        << i;
    EXPECT_LT(PlusGrandeAllocationDepuis(), 4096u) << i;
  }
}

}  // namespace
}  // namespace kv::test
