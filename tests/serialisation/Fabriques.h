#pragma once

// Serializers built by hand for the tests, as the builder of service
// descriptions would build them: constructors, field descriptions with the
// offsets of the C++ layout, element serializers.

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "OutilsSerialisateurs.h"
#include "serialisation/SerialisateurParametreInterface.h"
#include "serialisation/SerialisateurParametreObject.h"
#include "serialisation/SerialisateurParametreRaw.h"
#include "serialisation/SerialisateurParametreRecord.h"
#include "serialisation/SerialisateurParametreString.h"
#include "serialisation/SerialisateurParametreTableauDynamique.h"
#include "serialisation/SerialisateurParametreTableauOuvert.h"
#include "serialisation/SerialisateurParametreTableauTailleFixe.h"

namespace kv::test {

using TypeSerialisateur = TRef<ISerialisateurParametre>;

inline TypeSerialisateur Raw(std::int32_t ATailleUtile, std::int32_t AAlignement = -1) {
  return Nouveau<TSerialisateurParametreRaw>(ATailleUtile, AAlignement);
}
inline TypeSerialisateur Flottant(std::int32_t ATaille) {
  return Nouveau<TSerialisateurParametreFlottant>(ATaille, -1);
}
inline TypeSerialisateur Chaine() { return Nouveau<TSerialisateurParametreString>(); }
inline TypeSerialisateur InterfaceExemple() {
  return Nouveau<TSerialisateurParametreInterface>(IExemple::IID);
}
inline TypeSerialisateur Objet() { return Nouveau<TSerialisateurParametreObject>(); }

struct TypeChamp {
  std::u16string_view Nom;
  std::size_t Offset;
  TypeSerialisateur Serialisateur;
  bool NePasLiberer = false;
};

// A record of ATaille bytes with the given fields, its compactness detected.
inline TRef<TSerialisateurParametreRecord> Enregistrement(
    std::size_t ATaille, std::initializer_list<TypeChamp> AChamps) {
  auto record = Nouveau<TSerialisateurParametreRecord>();
  record->SetTaille(static_cast<std::int32_t>(ATaille));
  std::int32_t indice = record->CreerInfoChamps(static_cast<std::int32_t>(AChamps.size()));
  for (const TypeChamp& champ : AChamps) {
    TInfoParametreServiceInvocable* info = record->GetInfoChamp(indice++);
    info->SetNom(champ.Nom);
    info->SetOffset(static_cast<std::int32_t>(champ.Offset));
    info->SetSerialisateur(champ.Serialisateur);
    info->SetNePasLibererLaValeur(champ.NePasLiberer);
  }
  record->DetecterCompactage();
  return record;
}

inline TRef<TSerialisateurParametreTableauDynamique> Dynamique(TypeSerialisateur AElements) {
  auto tableau = Nouveau<TSerialisateurParametreTableauDynamique>();
  tableau->SetSerialisateurElements(AElements);
  return tableau;
}
inline TRef<TSerialisateurParametreTableauOuvert> Ouvert(TypeSerialisateur AElements) {
  auto tableau = Nouveau<TSerialisateurParametreTableauOuvert>();
  tableau->SetSerialisateurElements(AElements);
  return tableau;
}
inline TRef<TSerialisateurParametreTableauTailleFixe> Fixe(std::int32_t ANombre,
                                                           TypeSerialisateur AElements) {
  auto tableau = Nouveau<TSerialisateurParametreTableauTailleFixe>(ANombre);
  tableau->SetSerialisateurElements(AElements);
  return tableau;
}

// The C++ records of the tests and their serializers.
struct TypeSimple {
  std::uint8_t A;
  std::int32_t B;
};
inline TRef<TSerialisateurParametreRecord> SerialisateurSimple() {
  return Enregistrement(sizeof(TypeSimple), {{u"A", offsetof(TypeSimple, A), Raw(1)},
                                             {u"B", offsetof(TypeSimple, B), Raw(4)}});
}

struct TypeRiche {
  std::uint8_t Octet;
  std::u16string Texte;
  IExemple* Exemple;  // counted
  double Reel;
  TObjetInterfacable* Objet;
};
inline TRef<TSerialisateurParametreRecord> SerialisateurRiche() {
  return Enregistrement(sizeof(TypeRiche),
                        {{u"Octet", offsetof(TypeRiche, Octet), Raw(1)},
                         {u"Texte", offsetof(TypeRiche, Texte), Chaine()},
                         {u"Exemple", offsetof(TypeRiche, Exemple), InterfaceExemple()},
                         {u"Reel", offsetof(TypeRiche, Reel), Flottant(8)},
                         {u"Objet", offsetof(TypeRiche, Objet), Objet()}});
}

struct TypeImbrique {
  std::int16_t X;
  TypeSimple Simple;
  std::u16string Nom;
};
inline TRef<TSerialisateurParametreRecord> SerialisateurImbrique() {
  return Enregistrement(sizeof(TypeImbrique),
                        {{u"X", offsetof(TypeImbrique, X), Raw(2)},
                         {u"Simple", offsetof(TypeImbrique, Simple), SerialisateurSimple()},
                         {u"Nom", offsetof(TypeImbrique, Nom), Chaine()}});
}

}  // namespace kv::test
