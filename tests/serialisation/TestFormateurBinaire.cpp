#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "Allocations.h"
#include "Noeuds.h"
#include "outils/DossierTemporaire.h"
#include "serialisation/FluxFichier.h"
#include "serialisation/FluxMemoire.h"
#include "serialisation/FormatSerialisation.h"
#include "serialisation/FormateurBinaire.h"

namespace kv::test {
namespace {

using TypeOctets = std::vector<std::uint8_t>;

const TypeClasseFormatSerialisation Format = &TFSTout::Classe();
constexpr TGUID GuidExemple = GuidLitteral("{00112233-4455-6677-8899-AABBCCDDEEFF}");

TRef<TFormateurBinaire> Ecrivain(TFlux& AFlux) {
  return Nouveau<TFormateurBinaire>(AFlux, TypeSensFormateur::sfEcriture);
}

TRef<TFormateurBinaire> Lecteur(TFlux& AFlux) {
  return Nouveau<TFormateurBinaire>(AFlux, TypeSensFormateur::sfLecture);
}

// A chain of nodes, AValeurs[0] at the head.
TRef<TNoeud> Chaine(std::span<const std::int32_t> AValeurs) {
  TRef<TNoeud> tete;
  for (auto valeur = AValeurs.rbegin(); valeur != AValeurs.rend(); ++valeur) {
    tete = Nouveau<TNoeud>(true, *valeur, TRef<INoeud>(tete.Get()));
  }
  return tete;
}

std::vector<std::int32_t> Valeurs(TRef<INoeud> ANoeud) {
  std::vector<std::int32_t> valeurs;
  for (; ANoeud; ANoeud = ANoeud->GetEnfant()) valeurs.push_back(ANoeud->GetValeur());
  return valeurs;
}

// Each kind of value, written, then read back and checked.
struct TypeValeur {
  const char* Nom;
  std::function<void(IFormatter&)> Ecrire;
  std::function<void(IFormatter&)> Relire;
};

std::u16string TexteLong() {
  std::u16string texte(100000, u'\0');
  for (std::size_t i = 0; i < texte.size(); ++i) texte[i] = static_cast<char16_t>(i * 7919);
  return texte;
}

const std::vector<TypeValeur>& ToutesLesValeurs() {
  static const std::vector<TypeValeur> table = {
      {"Booleens",
       [](IFormatter& F) {
         F.EcrireBooleen(true);
         F.EcrireBooleen(false);
       },
       [](IFormatter& F) {
         EXPECT_TRUE(F.LireBooleen());
         EXPECT_FALSE(F.LireBooleen());
       }},
      {"Entiers",
       [](IFormatter& F) {
         for (std::int32_t v : {std::numeric_limits<std::int32_t>::min(), -1, 0, 1,
                                std::numeric_limits<std::int32_t>::max()}) {
           F.EcrireEntier(v);
         }
       },
       [](IFormatter& F) {
         for (std::int32_t v : {std::numeric_limits<std::int32_t>::min(), -1, 0, 1,
                                std::numeric_limits<std::int32_t>::max()}) {
           EXPECT_EQ(F.LireEntier(), v);
         }
       }},
      {"Octets",
       [](IFormatter& F) {
         for (std::uint8_t v : {0x00, 0x7F, 0x80, 0xFF}) F.EcrireOctet(v);
       },
       [](IFormatter& F) {
         for (std::uint8_t v : {0x00, 0x7F, 0x80, 0xFF}) EXPECT_EQ(F.LireOctet(), v);
       }},
      {"Cardinaux",
       [](IFormatter& F) {
         for (std::uint32_t v : {0u, 0x80000000u, 0xFFFFFFFFu}) F.EcrireCardinal(v);
       },
       [](IFormatter& F) {
         for (std::uint32_t v : {0u, 0x80000000u, 0xFFFFFFFFu}) EXPECT_EQ(F.LireCardinal(), v);
       }},
      {"Chaines",
       [](IFormatter& F) {
         F.EcrireChaine(u"");
         F.EcrireChaine(u"\u00C9t\u00E9 \u20AC \U0001F600");
         F.EcrireChaine(std::u16string_view(u"a\0b\xD800", 4));  // a zero, a lone surrogate
         F.EcrireChaine(TexteLong());
       },
       [](IFormatter& F) {
         EXPECT_EQ(F.LireChaine(), u"");
         EXPECT_EQ(F.LireChaine(), u"\u00C9t\u00E9 \u20AC \U0001F600");
         EXPECT_EQ(F.LireChaine(), std::u16string(u"a\0b\xD800", 4));
         EXPECT_EQ(F.LireChaine(), TexteLong());
       }},
      {"Guids",
       [](IFormatter& F) {
         F.EcrireGuid(GuidExemple);
         F.EcrireGuid(TGUID{});
       },
       [](IFormatter& F) {
         EXPECT_EQ(F.LireGuid(), GuidExemple);
         EXPECT_EQ(F.LireGuid(), TGUID{});
       }},
      {"TableauxEntiers",
       [](IFormatter& F) {
         F.EcrireTableauEntiers({});
         const std::int32_t valeurs[] = {std::numeric_limits<std::int32_t>::min(), -1, 0, 7};
         F.EcrireTableauEntiers(valeurs);
       },
       [](IFormatter& F) {
         EXPECT_TRUE(F.LireTableauEntiers().empty());
         EXPECT_EQ(F.LireTableauEntiers(),
                   (std::vector<std::int32_t>{std::numeric_limits<std::int32_t>::min(), -1, 0, 7}));
       }},
      {"OctetsBruts",
       [](IFormatter& F) {
         F.EcrireOctets(nullptr, 0);
         F.AnnoncerTaille(5);
         F.EcrireOctets("\x01\x02\x00\xFE\xFF", 5);
       },
       [](IFormatter& F) {
         F.LireOctets(nullptr, 0);
         std::uint8_t octets[5] = {};
         F.LireOctets(octets, 5);
         EXPECT_EQ(TypeOctets(octets, octets + 5), (TypeOctets{1, 2, 0, 0xFE, 0xFF}));
       }},
      {"ElementsRelus",
       [](IFormatter& F) {
         F.DebutElement(u"Racine");
         F.EcrireEntier(5);
         F.DebutElement(u"Feuille");
         F.FinElement();
         F.FinElement();
       },
       [](IFormatter& F) {
         F.DebutElement(u"Racine");
         EXPECT_EQ(F.LireEntier(), 5);
         F.DebutElement(u"Feuille");
         F.FinElement();
         F.FinElement();
       }},
      {"ElementsPasses",
       [](IFormatter& F) {
         F.DebutElement(u"Racine");
         F.EcrireEntier(6);
         F.FinElement();
         F.EcrireEntier(7);
       },
       [](IFormatter& F) {
         EXPECT_EQ(F.LireEntier(), 6);
         EXPECT_EQ(F.LireEntier(), 7);
       }},
      {"ObjetsNuls",
       [](IFormatter& F) {
         F.EcrireInterface(nullptr, Format);
         F.EcrireObjet(nullptr, Format);
       },
       [](IFormatter& F) {
         EXPECT_FALSE(F.LireInterface(Format));
         EXPECT_EQ(F.LireObjet(Format), nullptr);
       }},
      {"ObjetsImbriques",
       [](IFormatter& F) {
         const std::int32_t valeurs[] = {1, -2, 3};
         TRef<TNoeud> chaine = Chaine(valeurs);
         F.EcrireInterface(static_cast<INoeud*>(chaine.Get()),
                           &TFSSerialisationGeneriqueV1::Classe());
         EXPECT_EQ(chaine->DernierFormat(), &TFSSerialisationGeneriqueV1::Classe());
         F.EcrireObjet(chaine.Get(), Format);
       },
       [](IFormatter& F) {
         TRef<INoeud> lu =
             Interroger<INoeud>(F.LireInterface(&TFSSerialisationGeneriqueV1::Classe()));
         ASSERT_TRUE(lu);
         EXPECT_EQ(Valeurs(lu), (std::vector<std::int32_t>{1, -2, 3}));
         for (TRef<INoeud> noeud = lu; noeud; noeud = noeud->GetEnfant()) {
           EXPECT_EQ(static_cast<TNoeud*>(noeud.Get())->DernierFormat(),
                     &TFSSerialisationGeneriqueV1::Classe())
               << "each nested object gets the format in force";
         }
         TObjetInterfacable* objet = F.LireObjet(Format);
         ASSERT_NE(objet, nullptr);
         auto* noeud = dynamic_cast<TNoeud*>(objet);
         ASSERT_NE(noeud, nullptr);
         EXPECT_FALSE(noeud->LiberationAutomatique()) << "the caller's to free";
         EXPECT_EQ(noeud->GetValeur(), 1);
         EXPECT_EQ(Valeurs(noeud->GetEnfant()), (std::vector<std::int32_t>{-2, 3}));
         objet->Liberer();
       }},
  };
  return table;
}

void EcrireTout(IFormatter& AFormateur) {
  for (const TypeValeur& valeur : ToutesLesValeurs()) valeur.Ecrire(AFormateur);
}

void RelireTout(IFormatter& AFormateur) {
  for (const TypeValeur& valeur : ToutesLesValeurs()) {
    SCOPED_TRACE(valeur.Nom);
    valeur.Relire(AFormateur);
  }
}

class FormateurBinaire : public testing::Test {
 protected:
  void SetUp() override {
    TNoeud::MetaInfoClasse();  // the class is known, as a program's start-up would make it
    FVivants = TNoeud::Vivants;
  }
  void TearDown() override { EXPECT_EQ(TNoeud::Vivants, FVivants) << "every node read was freed"; }

 private:
  int FVivants = 0;
};

TEST_F(FormateurBinaire, AllerRetourEnMemoire) {
  for (const TypeValeur& valeur : ToutesLesValeurs()) {
    SCOPED_TRACE(valeur.Nom);
    TFluxMemoire flux;
    valeur.Ecrire(*Ecrivain(flux));
    flux.SetPosition(0);
    valeur.Relire(*Lecteur(flux));
    EXPECT_EQ(flux.Restant(), 0) << "read exactly what was written";
  }
  TFluxMemoire flux;
  EcrireTout(*Ecrivain(flux));
  flux.SetPosition(0);
  RelireTout(*Lecteur(flux));
  EXPECT_EQ(flux.Restant(), 0);
}

TEST_F(FormateurBinaire, AllerRetourParUnFichier) {
  tests::TDossierTemporaire dossier;
  const std::u16string chemin = (dossier.Chemin() / "valeurs.bin").u16string();
  TypeOctets enMemoire;
  {
    TFluxMemoire flux;
    EcrireTout(*Ecrivain(flux));
    enMemoire = flux.GetOctets();
  }
  {
    TFluxFichier flux(chemin, TypeModeFluxFichier::mffCreation);
    EcrireTout(*Ecrivain(flux));
  }
  TFluxFichier flux(chemin, TypeModeFluxFichier::mffLecture);
  EXPECT_EQ(flux.GetTaille(), static_cast<std::int64_t>(enMemoire.size()))
      << "the same records on either medium";
  RelireTout(*Lecteur(flux));
  EXPECT_EQ(flux.Restant(), 0);
}

// Builds records by hand, as the header lays them out.
struct TypeEnregistrements {
  TypeOctets Octets;
  TypeEnregistrements& Octet(std::uint8_t AOctet) {
    Octets.push_back(AOctet);
    return *this;
  }
  TypeEnregistrements& Nombre(std::uint64_t AValeur, int AOctets) {
    for (int i = 0; i < AOctets; ++i) Octets.push_back(static_cast<std::uint8_t>(AValeur >> 8 * i));
    return *this;
  }
  TypeEnregistrements& Texte(std::u16string_view ATexte) {
    Nombre(ATexte.size(), 4);
    for (char16_t c : ATexte) Nombre(c, 2);
    return *this;
  }
};

TEST_F(FormateurBinaire, EncodageDecritDansLEnTete) {
  TFluxMemoire flux;
  {
    TRef<TFormateurBinaire> f = Ecrivain(flux);
    f->EcrireBooleen(true);
    f->EcrireEntier(-2);
    f->EcrireOctet(0xAB);
    f->EcrireCardinal(0x01020304);
    f->EcrireChaine(u"\u00E9");
    f->EcrireGuid(GuidExemple);
    const std::int32_t tableau[] = {1};
    f->EcrireTableauEntiers(tableau);
    f->AnnoncerTaille(2);
    f->EcrireOctets("\x07\x08", 2);
    f->DebutElement(u"a");
    f->FinElement();
    f->EcrireInterface(nullptr, Format);
    const std::int32_t valeurs[] = {9};
    f->EcrireInterface(static_cast<INoeud*>(Chaine(valeurs).Get()), Format);
  }
  TypeEnregistrements attendu;
  attendu.Octet(0x01).Octet(1);
  attendu.Octet(0x02).Nombre(0xFFFFFFFE, 4);
  attendu.Octet(0x03).Octet(0xAB);
  attendu.Octet(0x04).Nombre(0x01020304, 4);
  attendu.Octet(0x05).Texte(u"\u00E9");
  attendu.Octet(0x06).Nombre(0x00112233, 4).Nombre(0x4455, 2).Nombre(0x6677, 2);
  for (std::uint8_t o : {0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}) attendu.Octet(o);
  attendu.Octet(0x07).Nombre(1, 4).Nombre(1, 4);
  attendu.Octet(0x0E).Nombre(2, 8);
  attendu.Octet(0x08).Nombre(2, 8).Octet(7).Octet(8);
  attendu.Octet(0x09).Texte(u"a").Octet(0x0A);
  attendu.Octet(0x0D);
  attendu.Octet(0x0B).Texte(u"TNOEUD").Octet(0x02).Nombre(9, 4).Octet(0x0D).Octet(0x0C);
  EXPECT_EQ(flux.GetOctets(), attendu.Octets);
}

// One value of each kind, with its reading.
struct TypeGenre {
  const char* Nom;
  void (*Ecrire)(IFormatter&);
  void (*Lire)(IFormatter&);
};

const TypeGenre Genres[] = {
    {"Booleen", [](IFormatter& F) { F.EcrireBooleen(true); },
     [](IFormatter& F) { F.LireBooleen(); }},
    {"Entier", [](IFormatter& F) { F.EcrireEntier(1); }, [](IFormatter& F) { F.LireEntier(); }},
    {"Octet", [](IFormatter& F) { F.EcrireOctet(1); }, [](IFormatter& F) { F.LireOctet(); }},
    {"Cardinal", [](IFormatter& F) { F.EcrireCardinal(1); },
     [](IFormatter& F) { F.LireCardinal(); }},
    {"Chaine", [](IFormatter& F) { F.EcrireChaine(u"abcd"); },
     [](IFormatter& F) { F.LireChaine(); }},
    {"Guid", [](IFormatter& F) { F.EcrireGuid(GuidExemple); }, [](IFormatter& F) { F.LireGuid(); }},
    {"TableauEntiers",
     [](IFormatter& F) {
       const std::int32_t valeurs[] = {1, 2};
       F.EcrireTableauEntiers(valeurs);
     },
     [](IFormatter& F) { F.LireTableauEntiers(); }},
    {"OctetsBruts", [](IFormatter& F) { F.EcrireOctets("abcd", 4); },
     [](IFormatter& F) {
       char octets[4];
       F.LireOctets(octets, 4);
     }},
    {"Nul", [](IFormatter& F) { F.EcrireInterface(nullptr, Format); },
     [](IFormatter& F) { F.LireInterface(Format); }},
    {"Objet",
     [](IFormatter& F) {
       const std::int32_t valeurs[] = {4};
       F.EcrireInterface(static_cast<INoeud*>(Chaine(valeurs).Get()), Format);
     },
     [](IFormatter& F) {
       TObjetInterfacable* objet = F.LireObjet(Format);
       if (objet) objet->Liberer();
     }},
};

TEST_F(FormateurBinaire, LireUnAutreGenreQueCeluiEcrit) {
  for (const TypeGenre& ecrit : Genres) {
    TFluxMemoire flux;
    ecrit.Ecrire(*Ecrivain(flux));
    for (const TypeGenre& lu : Genres) {
      // Objects and null objects are read by the same operations.
      const auto estObjet = [](const TypeGenre& AGenre) {
        return std::string_view(AGenre.Nom) == "Nul" || std::string_view(AGenre.Nom) == "Objet";
      };
      const bool compatible = &ecrit == &lu || (estObjet(ecrit) && estObjet(lu));
      if (compatible) continue;
      SCOPED_TRACE(std::string(ecrit.Nom) + " lu comme " + lu.Nom);
      flux.SetPosition(0);
      EXPECT_THROW(lu.Lire(*Lecteur(flux)), EReadError);
      EXPECT_EQ(flux.GetPosition(), 0) << "a failed read leaves the stream where it was";
    }
    flux.SetPosition(0);
    ecrit.Lire(*Lecteur(flux));
    EXPECT_EQ(flux.Restant(), 0);
  }
}

TEST_F(FormateurBinaire, FluxTronqueEnChaquePoint) {
  TFluxMemoire complet;
  {
    TRef<TFormateurBinaire> f = Ecrivain(complet);
    for (const TypeGenre& genre : Genres) genre.Ecrire(*f);
    f->DebutElement(u"fin");
    f->AnnoncerTaille(1);
    f->EcrireOctet(3);
    f->FinElement();
  }
  const TypeOctets& octets = complet.GetOctets();
  const auto lireTout = [](IFormatter& F) {
    for (const TypeGenre& genre : Genres) genre.Lire(F);
    F.DebutElement(u"fin");
    F.LireOctet();
    F.FinElement();
  };
  for (std::size_t coupe = 0; coupe < octets.size(); ++coupe) {
    TFluxMemoire tronque(std::span<const std::uint8_t>(octets).first(coupe));
    EXPECT_THROW(lireTout(*Lecteur(tronque)), EReadError) << "cut after " << coupe << " bytes";
  }
  TFluxMemoire entier(octets);
  lireTout(*Lecteur(entier));
  EXPECT_EQ(entier.Restant(), 0);
}

TEST_F(FormateurBinaire, LongueursAnnonceesAuDelaDuFlux) {
  struct TypeCas {
    const char* Nom;
    TypeEnregistrements Octets;
    void (*Lire)(IFormatter&);
  };
  constexpr std::uint64_t Enorme = 0xFFFFFFFFu;
  const TypeCas Cas[] = {
      {"Chaine", TypeEnregistrements{}.Octet(0x05).Nombre(Enorme, 4).Nombre(u'a', 2),
       [](IFormatter& F) { F.LireChaine(); }},
      {"ChaineDUneUniteDeTrop", TypeEnregistrements{}.Octet(0x05).Nombre(2, 4).Nombre(u'a', 2),
       [](IFormatter& F) { F.LireChaine(); }},
      {"Tableau", TypeEnregistrements{}.Octet(0x07).Nombre(Enorme, 4).Nombre(1, 4),
       [](IFormatter& F) { F.LireTableauEntiers(); }},
      {"OctetsManquants", TypeEnregistrements{}.Octet(0x08).Nombre(4, 8).Octet(1),
       [](IFormatter& F) {
         char octets[4];
         F.LireOctets(octets, 4);
       }},
      {"OctetsDUnAutreNombre", TypeEnregistrements{}.Octet(0x08).Nombre(1ull << 40, 8).Octet(1),
       [](IFormatter& F) {
         char octets[4];
         F.LireOctets(octets, 4);
       }},
      {"TailleAnnoncee",
       TypeEnregistrements{}.Octet(0x0E).Nombre(0x7FFFFFFFFFFFFFFFull, 8).Octet(0x03).Octet(1),
       [](IFormatter& F) { F.LireOctet(); }},
      {"TailleNegative", TypeEnregistrements{}.Octet(0x0E).Nombre(~0ull, 8).Octet(0x03).Octet(1),
       [](IFormatter& F) { F.LireOctet(); }},
      {"NomDElement", TypeEnregistrements{}.Octet(0x09).Nombre(Enorme, 4).Octet(0x03).Octet(1),
       [](IFormatter& F) { F.LireOctet(); }},
      {"NomDeClasse", TypeEnregistrements{}.Octet(0x0B).Nombre(Enorme, 4).Octet(0x0D),
       [](IFormatter& F) { F.LireInterface(Format); }},
      {"GenreInconnu", TypeEnregistrements{}.Octet(0x4F).Octet(1),
       [](IFormatter& F) { F.LireOctet(); }},
      {"BooleenNiVraiNiFaux", TypeEnregistrements{}.Octet(0x01).Octet(2),
       [](IFormatter& F) { F.LireBooleen(); }},
  };
  for (const TypeCas& cas : Cas) {
    SCOPED_TRACE(cas.Nom);
    TFluxMemoire flux(cas.Octets.Octets);
    TRef<TFormateurBinaire> lecteur = Lecteur(flux);
    PlusGrandeAllocationDepuis();
    EXPECT_THROW(cas.Lire(*lecteur), EReadError);
    EXPECT_LT(PlusGrandeAllocationDepuis(), 4096u) << "refused before anything is allocated";
    EXPECT_EQ(flux.GetPosition(), 0);
  }
}

TEST_F(FormateurBinaire, MessageDeLecture) {
  TFluxMemoire flux(TypeEnregistrements{}.Octet(0x02).Nombre(1, 4).Octets);
  try {
    Lecteur(flux)->LireChaine();
    FAIL() << "read";
  } catch (const EReadError& AErreur) {
    EXPECT_EQ(
        AErreur.Message(),
        u"Erreur de lecture du flux : valeur de genre « chaîne » attendue, « entier » trouvée.");
  }
}

TEST_F(FormateurBinaire, ClassesIntrouvablesALaLecture) {
  TRef<IMetaInfo> un = TSingletonMetaInfo::GetMetaInfo(
      GuidLitteral("{6F1D2C3B-0A49-4E58-9D67-1C2B3A4F5E01}"), u"TDoublon");
  TRef<IMetaInfo> deux = TSingletonMetaInfo::GetMetaInfo(
      GuidLitteral("{6F1D2C3B-0A49-4E58-9D67-1C2B3A4F5E02}"), u"tdoublon");
  struct TypeCas {
    std::u16string_view Nom;
    std::u16string_view Message;
  };
  const TypeCas Cas[] = {
      {u"TINCONNUE", u"aucune classe n'est connue sous le seul nom « TINCONNUE »"},
      {u"TDOUBLON", u"aucune classe n'est connue sous le seul nom « TDOUBLON »"},
      {u"IFSTout", u"la classe « IFSTout » n'a pas d'instanciateur"},
  };
  for (const TypeCas& cas : Cas) {
    TFluxMemoire flux(TypeEnregistrements{}.Octet(0x0B).Texte(cas.Nom).Octet(0x0C).Octets);
    for (bool enObjet : {false, true}) {
      try {
        if (enObjet) {
          Lecteur(flux)->LireObjet(Format);
        } else {
          Lecteur(flux)->LireInterface(Format);
        }
        ADD_FAILURE() << "read";
      } catch (const EReadError& AErreur) {
        EXPECT_NE(AErreur.Message().find(cas.Message), std::u16string::npos);
      }
    }
  }
}

TEST_F(FormateurBinaire, UnObjetQuiNeRelitPasToutCeQuIlAEcrit) {
  // A node, then a stray integer inside it before its end.
  TypeEnregistrements octets;
  octets.Octet(0x0B).Texte(u"TNoeud").Octet(0x02).Nombre(1, 4).Octet(0x0D);
  octets.Octet(0x02).Nombre(2, 4).Octet(0x0C);
  TFluxMemoire flux(octets.Octets);
  EXPECT_THROW(Lecteur(flux)->LireInterface(Format), EReadError);
  EXPECT_THROW(Lecteur(flux)->LireObjet(Format), EReadError);
  EXPECT_EQ(flux.GetPosition(), 0);
}

TEST_F(FormateurBinaire, ImbricationBornee) {
  const auto imbriques = [](int ANiveaux) {
    TypeEnregistrements octets;
    for (int i = 0; i < ANiveaux; ++i) octets.Octet(0x0B).Texte(u"TNOEUD").Octet(0x02).Nombre(i, 4);
    octets.Octet(0x0D);
    for (int i = 0; i < ANiveaux; ++i) octets.Octet(0x0C);
    return octets.Octets;
  };
  TFluxMemoire permis(imbriques(TFormateurBinaire::ProfondeurMaximale));
  TRef<INoeud> lu = Interroger<INoeud>(Lecteur(permis)->LireInterface(Format));
  EXPECT_EQ(Valeurs(lu).size(), static_cast<std::size_t>(TFormateurBinaire::ProfondeurMaximale));
  lu = nullptr;

  TFluxMemoire tropProfond(imbriques(TFormateurBinaire::ProfondeurMaximale + 1));
  EXPECT_THROW(Lecteur(tropProfond)->LireInterface(Format), EReadError);

  // An object that contains itself would never end.
  TRef<TNoeud> boucle = Nouveau<TNoeud>(true, 1);
  boucle->SetEnfant(static_cast<INoeud*>(boucle.Get()));
  TFluxMemoire flux;
  EXPECT_THROW(Ecrivain(flux)->EcrireInterface(static_cast<INoeud*>(boucle.Get()), Format),
               EWriteError);
  boucle->SetEnfant(nullptr);
}

// Implements a description but cannot tell its class.
class TSansMetaInfo : public TObjetInterfacable, public IFSTout {
  KV_INTERFACES(TObjetInterfacable, IFSTout)

 public:
  TSansMetaInfo() : TObjetInterfacable(true) {}
  void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation) override {
    AFormateur.EcrireEntier(1);
  }
  void Deserialiser(IFormatter&, TypeClasseFormatSerialisation) override {}
};

TEST_F(FormateurBinaire, UnObjetSansMetaInfoDeClasseNeSEcritPas) {
  TRef<TSansMetaInfo> objet = Nouveau<TSansMetaInfo>();
  TFluxMemoire flux;
  TRef<TFormateurBinaire> f = Ecrivain(flux);
  EXPECT_THROW(f->EcrireInterface(objet->InterfaceDeBase(), Format), EWriteError);
  try {
    f->EcrireObjet(objet.Get(), Format);
    ADD_FAILURE() << "written";
  } catch (const EWriteError& AErreur) {
    EXPECT_NE(AErreur.Message().find(u"TSansMetaInfo"), std::u16string::npos);
  }
  EXPECT_EQ(flux.GetTaille(), 0);
  EXPECT_THROW(f->EcrireInterface(objet->InterfaceDeBase(), nullptr), EArgumentInvalide);
}

// A node class whose instantiator makes nodes that free themselves, even from
// Instancier.
class TNoeudAutonome : public TNoeud {
  KV_CLASSE(TNoeudAutonome, TNoeud)

 public:
  using TNoeud::TNoeud;
  TRef<IMetaInfoClasse> GetMetaInfoClasse() override;
};

class TInstanciateurAutonome : public TObjetInterfacable, public IInstanciateur {
  KV_INTERFACES(TObjetInterfacable, IInstanciateur)

 public:
  TInstanciateurAutonome() : TObjetInterfacable(true) {}
  TObjetInterfacable* Instancier() override { return Construire<TNoeudAutonome>(true); }
  TRef<IInterface> InstancierInterface() override {
    return TRef<IInterface>(Nouveau<TNoeudAutonome>(true)->InterfaceDeBase());
  }
};

TRef<IMetaInfoClasse> TNoeudAutonome::GetMetaInfoClasse() {
  TRef<IMetaInfoClasse> metaInfo = TSingletonMetaInfo::GetMetaInfoClasse(&Classe());
  if (!Interroger<IInstanciateur>(metaInfo)) {
    metaInfo->AjouterExtension(IInstanciateur::IID, Nouveau<TInstanciateurAutonome>().Get());
  }
  return metaInfo;
}

TEST_F(FormateurBinaire, LireObjetRefuseUnObjetQuiSeLibereSeul) {
  TFluxMemoire flux;
  TRef<TNoeudAutonome> autonome = Nouveau<TNoeudAutonome>(true, 8);
  Ecrivain(flux)->EcrireObjet(autonome.Get(), Format);
  flux.SetPosition(0);
  EXPECT_THROW(Lecteur(flux)->LireObjet(Format), Exception);
  EXPECT_EQ(flux.GetPosition(), 0);
  TRef<INoeud> lu = Interroger<INoeud>(Lecteur(flux)->LireInterface(Format));
  ASSERT_TRUE(lu);
  EXPECT_EQ(lu->GetValeur(), 8) << "read through an interface reference instead";
}

TEST_F(FormateurBinaire, UnSensChacun) {
  TFluxMemoire flux(TypeEnregistrements{}.Octet(0x02).Nombre(1, 4).Octets);
  TRef<TFormateurBinaire> lecteur = Lecteur(flux);
  EXPECT_THROW(lecteur->EcrireEntier(2), EWriteError);
  EXPECT_THROW(lecteur->AnnoncerTaille(1), EWriteError);
  EXPECT_EQ(flux.GetOctets(), (TypeOctets{0x02, 1, 0, 0, 0})) << "the stream read is left alone";
  EXPECT_EQ(lecteur->LireEntier(), 1);

  TFluxMemoire sortie;
  TRef<TFormateurBinaire> ecrivain = Ecrivain(sortie);
  ecrivain->EcrireEntier(3);
  sortie.SetPosition(0);
  EXPECT_THROW(ecrivain->LireEntier(), EReadError);
}

TEST_F(FormateurBinaire, ElementsMalFormes) {
  TFluxMemoire flux;
  TRef<TFormateurBinaire> ecrivain = Ecrivain(flux);
  EXPECT_THROW(ecrivain->FinElement(), EWriteError) << "no element open";
  EXPECT_THROW(ecrivain->AnnoncerTaille(-1), EArgumentInvalide);
  EXPECT_EQ(flux.GetTaille(), 0);
  ecrivain->DebutElement(u"Nom");
  ecrivain->EcrireEntier(1);
  ecrivain->FinElement();

  flux.SetPosition(0);
  EXPECT_THROW(Lecteur(flux)->DebutElement(u"Autre"), EReadError);
  EXPECT_THROW(Lecteur(flux)->FinElement(), EReadError);
  TRef<TFormateurBinaire> lecteur = Lecteur(flux);
  lecteur->DebutElement(u"Nom");
  EXPECT_THROW(lecteur->FinElement(), EReadError) << "the integer comes first";
  EXPECT_EQ(lecteur->LireEntier(), 1);
  lecteur->FinElement();
}

}  // namespace
}  // namespace kv::test
