// The input of the call layouts derived from a parameter's serializer: what
// the System V classification and the Windows rules read of each C++ form.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EntreesDisposition.h"
#include "InterfacesDecrites.h"
#include "serialisation/CreationSerialisateur.h"
#include "serialisation/EntreeDispositionParametre.h"
#include "serialisation/InfoParametreServiceInvocable.h"
#include "serialisation/SerialisateurParametreTableauOuvert.h"

namespace kv {

// Printed by the failure messages below.
inline bool operator==(const TypeFeuilleScalaire& A, const TypeFeuilleScalaire& B) {
  return A.Offset == B.Offset && A.Taille == B.Taille && A.Flottant == B.Flottant;
}
inline std::ostream& operator<<(std::ostream& AFlux, const TypeFeuilleScalaire& AFeuille) {
  return AFlux << "{" << AFeuille.Offset << "," << AFeuille.Taille << ","
               << (AFeuille.Flottant ? "f" : "i") << "}";
}

namespace test {
namespace {

struct TypeCas {
  const char* Nom;
  TRef<ISerialisateurParametre> Serialisateur;
  bool Resultat;
  std::int32_t Taille;
  bool Gere;
  bool Flottant;
  std::int32_t Positions;
  bool TrivialementCopiable;
  std::vector<TypeFeuilleScalaire> Feuilles;
};

struct TypeImbrication {
  float A;
  TypePoint Point;
  std::int16_t Paire[2];
};
KV_DECRIRE_RECORD(TypeImbrication, KV_CHAMP(A), KV_CHAMP(Point), KV_CHAMP(Paire));

struct TypeMixte {
  TypeTrois T;
  float F;
  std::int32_t N;
};
KV_DECRIRE_RECORD(TypeMixte, KV_CHAMP(T), KV_CHAMP(F), KV_CHAMP(N));

TRef<ISerialisateurParametre> De(const TInfoType& AType) { return CreerSerialisateur(AType); }

TRef<ISerialisateurParametre> Ouvert(const TInfoType& AElement) {
  auto tableau = Nouveau<TSerialisateurParametreTableauOuvert>();
  tableau->SetSerialisateurElements(CreerSerialisateur(AElement));
  return tableau;
}

TEST(EntreeDisposition, DeriveeDesSerialisateurs) {
  const std::int32_t tailleChaine = sizeof(std::u16string);
  const TypeCas table[] = {
      {"int32", De(InfoTypeDe<std::int32_t>()), false, 4, false, false, 1, true, {{0, 4, false}}},
      {"double", De(InfoTypeDe<double>()), false, 8, false, true, 1, true, {{0, 8, true}}},
      {"ensemble de 3 octets",
       De(InfoTypeDe<TypeLettres>()),
       false,
       4,
       false,
       false,
       1,
       true,
       {{0, 1, false}, {1, 1, false}, {2, 1, false}}},
      {"GUID",
       De(InfoTypeDe<TGUID>()),
       false,
       16,
       false,
       false,
       1,
       true,
       {{0, 4, false}, {4, 4, false}, {8, 4, false}, {12, 4, false}}},
      {"chaîne", De(InfoTypeDe<std::u16string>()), false, tailleChaine, true, false, 1, false, {}},
      // I* by value is a plain pointer; TRef<I> as a result has a copy of
      // its own.
      {"interface",
       De(InfoTypeDe<TRef<IUnEntier>>()),
       false,
       8,
       true,
       false,
       1,
       true,
       {{0, 8, false}}},
      {"interface résultat",
       De(InfoTypeDe<TRef<IUnEntier>>()),
       true,
       8,
       true,
       false,
       1,
       false,
       {{0, 8, false}}},
      {"objet", De(InfoTypeDe<TObjetEssai*>()), false, 8, false, false, 1, true, {{0, 8, false}}},
      {"tableau dynamique",
       De(InfoTypeDe<TTableauDynamique<double>>()),
       false,
       8,
       true,
       false,
       1,
       false,
       {{0, 8, false}}},
      {"record à parties", De(InfoTypeDe<TypeImbrication>()), false, 32, false, false, 1, true, {}},
      {"record de 16 octets",
       De(InfoTypeDe<TypePoint>()),
       false,
       16,
       false,
       false,
       1,
       true,
       {{0, 8, true}, {8, 4, false}}},
      {"tableau fixe",
       De(InfoTypeDe<float[3]>()),
       false,
       12,
       false,
       false,
       1,
       true,
       {{0, 4, true}, {4, 4, true}, {8, 4, true}}},
      {"record d'octets",
       De(InfoTypeDe<TypeTrois>()),
       false,
       3,
       false,
       false,
       1,
       true,
       {{0, 1, false}, {1, 1, false}, {2, 1, false}}},
      {"record avec une chaîne",
       De(InfoTypeDe<TypeFiche>()),
       false,
       static_cast<std::int32_t>(sizeof(TypeFiche)),
       true,
       false,
       1,
       false,
       {}},
      {"tableau ouvert",
       Ouvert(InfoTypeDe<double>()),
       false,
       16,
       false,
       false,
       2,
       true,
       {{0, 8, false}, {8, 4, false}, {12, 4, false}}},
  };
  for (const TypeCas& cas : table) {
    SCOPED_TRACE(cas.Nom);
    auto info = Construire<TInfoParametreServiceInvocable>();
    info->SetSerialisateur(cas.Serialisateur);
    info->SetModesAPriori(mpsER);
    const TypeEntreeDisposition entree = EntreeDisposition(*info, cas.Resultat);
    EXPECT_EQ(entree.ModesAPriori, mpsER);
    EXPECT_EQ(entree.Taille, cas.Taille);
    EXPECT_EQ(entree.Gere, cas.Gere);
    EXPECT_EQ(entree.Flottant, cas.Flottant);
    EXPECT_EQ(entree.NombreParametres, cas.Positions);
    EXPECT_EQ(entree.TrivialementCopiable, cas.TrivialementCopiable);
    EXPECT_EQ(entree.Feuilles, cas.Feuilles);
    info->Liberer();
  }
}

TEST(EntreeDisposition, FeuillesDesPartiesImbriquees) {
  // Each scalar at its offset in the whole, through a record inside a record.
  EXPECT_EQ(FeuillesScalaires(*De(InfoTypeDe<TypeMixte>())),
            (std::vector<TypeFeuilleScalaire>{
                {0, 1, false}, {1, 1, false}, {2, 1, false}, {4, 4, true}, {8, 4, false}}));
  // Beyond 16 bytes no convention looks at the parts.
  EXPECT_TRUE(FeuillesScalaires(*De(InfoTypeDe<TypeImbrication>())).empty());
}

TEST(EntreeDisposition, SansSerialisateurRefuse) {
  auto info = Construire<TInfoParametreServiceInvocable>();
  EXPECT_THROW(EntreeDisposition(*info, false), Exception);
  info->Liberer();
}

}  // namespace
}  // namespace test
}  // namespace kv
