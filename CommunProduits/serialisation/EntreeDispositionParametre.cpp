#include "serialisation/EntreeDispositionParametre.h"

#include <algorithm>

#include "objets/Reference.h"
#include "serialisation/I_SerialisateurParametreInterface.h"
#include "serialisation/InfoParametreServiceInvocable.h"
#include "serialisation/SerialisateurParametreRaw.h"
#include "serialisation/SerialisateurParametreRecord.h"
#include "serialisation/SerialisateurParametreTableauOuvert.h"
#include "serialisation/SerialisateurParametreTableauTailleFixe.h"

namespace kv {
namespace {

constexpr std::int32_t TailleClassee = 16;

void AjouterFeuilles(ISerialisateurParametre& ASerialisateur, std::int32_t ADecalage,
                     std::vector<TypeFeuilleScalaire>& AFeuilles);

void AjouterFeuillesRaw(TSerialisateurParametreRaw& ARaw, std::int32_t ADecalage,
                        std::vector<TypeFeuilleScalaire>& AFeuilles) {
  const std::int32_t utile = ARaw.GetTailleUtile();
  std::int32_t pas = ARaw.GetAlignement();
  // Bytes of an unknown structure: pieces of the alignment when it is a
  // power of two up to 8, single bytes otherwise.
  if (pas < 1 || pas > 8 || (pas & (pas - 1)) != 0) pas = 1;
  for (std::int32_t offset = 0; offset < utile; offset += pas) {
    AFeuilles.push_back({ADecalage + offset, std::min(pas, utile - offset), false});
  }
}

void AjouterFeuillesRecord(TSerialisateurParametreRecord& ARecord, std::int32_t ADecalage,
                           std::vector<TypeFeuilleScalaire>& AFeuilles) {
  for (std::int32_t i = 0; i < ARecord.GetNombreChamps(); ++i) {
    TInfoParametreServiceInvocable* champ = ARecord.GetInfoChamp(i);
    if (!champ->GetSerialisateur()) continue;
    AjouterFeuilles(*champ->GetSerialisateur(), ADecalage + champ->GetOffset(), AFeuilles);
  }
}

void AjouterFeuillesFixe(TSerialisateurParametreTableauTailleFixe& ATableau, std::int32_t ADecalage,
                         std::vector<TypeFeuilleScalaire>& AFeuilles) {
  const TRef<ISerialisateurParametre>& element = ATableau.GetInfoElements()->GetSerialisateur();
  if (!element) return;
  const std::int32_t taille = element->GetTaille();
  if (taille <= 0) return;  // elements without bytes have no scalars either
  for (std::int32_t i = 0; i < ATableau.GetNombreElements(); ++i) {
    AjouterFeuilles(*element, ADecalage + i * taille, AFeuilles);
  }
}

void AjouterFeuilles(ISerialisateurParametre& ASerialisateur, std::int32_t ADecalage,
                     std::vector<TypeFeuilleScalaire>& AFeuilles) {
  if (auto* raw = dynamic_cast<TSerialisateurParametreRaw*>(&ASerialisateur)) {
    if (raw->GetEstFlottant()) {
      AFeuilles.push_back({ADecalage, raw->GetTaille(), true});
    } else {
      AjouterFeuillesRaw(*raw, ADecalage, AFeuilles);
    }
  } else if (auto* record = dynamic_cast<TSerialisateurParametreRecord*>(&ASerialisateur)) {
    AjouterFeuillesRecord(*record, ADecalage, AFeuilles);
  } else if (auto* fixe =
                 dynamic_cast<TSerialisateurParametreTableauTailleFixe*>(&ASerialisateur)) {
    AjouterFeuillesFixe(*fixe, ADecalage, AFeuilles);
  } else if (dynamic_cast<TSerialisateurParametreTableauOuvert*>(&ASerialisateur)) {
    AFeuilles.push_back({ADecalage, 8, false});
    AFeuilles.push_back({ADecalage + 8, 4, false});
    AFeuilles.push_back({ADecalage + 12, 4, false});
  } else {
    // A pointer (object, interface, dynamic array) or a string object.
    AFeuilles.push_back({ADecalage, std::min(8, ASerialisateur.GetTaille()), false});
  }
}

bool CopieDOctets(ISerialisateurParametre& ASerialisateur, bool AResultat) {
  // What needs releasing has a copy of its own in C++ (std::u16string, TRef,
  // TTableauDynamique and what holds them), except an interface passed as
  // I* by value.
  if (!ASerialisateur.GetEstGere()) return true;
  return !AResultat && Interroger<ISerialisateurParametreInterface>(&ASerialisateur);
}

}  // namespace

std::vector<TypeFeuilleScalaire> FeuillesScalaires(ISerialisateurParametre& ASerialisateur) {
  std::vector<TypeFeuilleScalaire> feuilles;
  if (ASerialisateur.GetTaille() > TailleClassee) return feuilles;
  AjouterFeuilles(ASerialisateur, 0, feuilles);
  return feuilles;
}

TypeEntreeDisposition EntreeDisposition(TInfoParametreServiceInvocable& AInfo, bool AResultat) {
  TypeEntreeDisposition entree;
  entree.ModesAPriori = AInfo.GetModesAPriori();
  entree.Taille = AInfo.GetTaille();  // raises without a serializer
  ISerialisateurParametre& serialisateur = *AInfo.GetSerialisateur();
  entree.Gere = serialisateur.GetEstGere();
  entree.Flottant = serialisateur.GetEstFlottant();
  entree.NombreParametres = serialisateur.GetNombreParametres();
  entree.TrivialementCopiable = CopieDOctets(serialisateur, AResultat);
  entree.Feuilles = FeuillesScalaires(serialisateur);
  return entree;
}

}  // namespace kv
