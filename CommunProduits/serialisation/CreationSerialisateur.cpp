#include "serialisation/CreationSerialisateur.h"

#include <algorithm>

#include "objets/DescriptionType.h"
#include "serialisation/InfoParametreServiceInvocable.h"
#include "serialisation/SerialisateurParametreInterface.h"
#include "serialisation/SerialisateurParametreObject.h"
#include "serialisation/SerialisateurParametreRaw.h"
#include "serialisation/SerialisateurParametreRecord.h"
#include "serialisation/SerialisateurParametreString.h"
#include "serialisation/SerialisateurParametreTableauDynamique.h"
#include "serialisation/SerialisateurParametreTableauTailleFixe.h"

namespace kv {
namespace {

using TypeInterdits = std::span<const TInfoType* const>;

TRef<ISerialisateurParametre> Raw(std::int32_t ATaille, std::int32_t AAlignement) {
  return Nouveau<TSerialisateurParametreRaw>(ATaille, AAlignement);
}

TRef<ISerialisateurParametre> SerialisateurRecord(const TInfoTypeRecord& ARecord,
                                                  TypeInterdits AInterdits) {
  if (ARecord.Champs.size() >= 2 && ARecord.Champs.back().Offset == 0) {
    std::int32_t alignement = 1;
    for (const TypeInfoChamp& champ : ARecord.Champs) {
      TRef<ISerialisateurParametre> serialisateur = CreerSerialisateur(champ.Type(), AInterdits);
      if (serialisateur) alignement = std::max(alignement, serialisateur->GetAlignement());
    }
    return Raw(ARecord.Taille, alignement);
  }
  auto record = Nouveau<TSerialisateurParametreRecord>();
  record->SetTaille(ARecord.Taille);
  std::int32_t indice = record->CreerInfoChamps(static_cast<std::int32_t>(ARecord.Champs.size()));
  for (const TypeInfoChamp& champ : ARecord.Champs) {
    TInfoParametreServiceInvocable* info = record->GetInfoChamp(indice++);
    info->SetNom(champ.Nom);
    info->SetOffset(champ.Offset);
    info->SetSerialisateur(CreerSerialisateur(champ.Type(), AInterdits));
  }
  record->DetecterCompactage();
  return record;
}

TRef<ISerialisateurParametre> SerialisateurTableauStatique(const TInfoTypeTableauStatique& ATableau,
                                                           TypeInterdits AInterdits) {
  const TInfoType* element = ATableau.TypeElement();
  if (!element) return Raw(ATableau.Taille, -1);
  auto tableau = Nouveau<TSerialisateurParametreTableauTailleFixe>(ATableau.NombreElements);
  tableau->SetSerialisateurElements(CreerSerialisateur(*element, AInterdits));
  return tableau;
}

TRef<ISerialisateurParametre> SerialisateurTableauDynamique(
    const TInfoTypeTableauDynamique& ATableau, TypeInterdits AInterdits) {
  auto tableau = Nouveau<TSerialisateurParametreTableauDynamique>();
  const TInfoType* element =
      ATableau.TypeElementGere() ? ATableau.TypeElementGere() : ATableau.TypeElement();
  tableau->SetSerialisateurElements(element ? CreerSerialisateur(*element, AInterdits)
                                            : Raw(ATableau.TailleElement, -1));
  return tableau;
}

}  // namespace

TRef<ISerialisateurParametre> CreerSerialisateur(const TInfoType& AType,
                                                 TypeInterdits ATypesInterdits) {
  if (std::find(ATypesInterdits.begin(), ATypesInterdits.end(), &AType) != ATypesInterdits.end()) {
    throw Exception(u"Type interdit dans une structure de ce genre");
  }
  switch (AType.Genre) {
    case TypeGenreType::gtOrdinal: {
      const std::int32_t taille = AType.Comme<TInfoTypeOrdinal>()->Taille;
      return Raw(taille, taille);
    }
    case TypeGenreType::gtFlottant:
      return Nouveau<TSerialisateurParametreFlottant>(
          AType.Comme<TInfoTypeFlottant>()->Flottant == TypeFlottant::tfSimple ? 4 : 8, -1);
    case TypeGenreType::gtEnsemble:
      return Raw(AType.Comme<TInfoTypeEnsemble>()->NombreOctets, 1);
    case TypeGenreType::gtClasse:
      return Nouveau<TSerialisateurParametreObject>();
    case TypeGenreType::gtTableauStatique:
      return SerialisateurTableauStatique(*AType.Comme<TInfoTypeTableauStatique>(),
                                          ATypesInterdits);
    case TypeGenreType::gtRecord:
      if (&AType == &InfoTypeGuid()) return Raw(16, 4);
      return SerialisateurRecord(*AType.Comme<TInfoTypeRecord>(), ATypesInterdits);
    case TypeGenreType::gtInterface:
      return Nouveau<TSerialisateurParametreInterface>(AType.Comme<TInfoTypeInterface>()->Guid);
    case TypeGenreType::gtEntier64:
      return Raw(8, 8);
    case TypeGenreType::gtTableauDynamique:
      return SerialisateurTableauDynamique(*AType.Comme<TInfoTypeTableauDynamique>(),
                                           ATypesInterdits);
    case TypeGenreType::gtChaine:
      return Nouveau<TSerialisateurParametreString>();
  }
  return nullptr;
}

}  // namespace kv
