#include "serialisation/SerialisateurParametreObject.h"

#include <utility>

#include "serialisation/FormatSerialisation.h"

namespace kv {
namespace {

TObjetInterfacable*& Valeur(void* AAdresse) noexcept {
  return *static_cast<TObjetInterfacable**>(AAdresse);
}

}  // namespace

TConteneurParametre* TSerialisateurParametreObject::CreerConteneur(std::u16string_view ANom) {
  return new TConteneurParametreObjet(ANom);
}

void TSerialisateurParametreObject::CopierValeur(const void* ASource, void* ADestination,
                                                 bool ALibererObjets) {
  TObjetInterfacable* source = *static_cast<TObjetInterfacable* const*>(ASource);
  TObjetInterfacable*& destination = Valeur(ADestination);
  if (source == destination) return;
  if (ALibererObjets && destination) {
    // Dropped from the destination first, so that a failure to free leaves no
    // pointer to a half-destroyed object.
    std::exchange(destination, nullptr)->Liberer();
  }
  destination = source;
}

void TSerialisateurParametreObject::LibererValeur(void* AAdresse, bool ALibererObjets) {
  TObjetInterfacable* objet = std::exchange(Valeur(AAdresse), nullptr);
  if (ALibererObjets && objet) objet->Liberer();
}

void TSerialisateurParametreObject::SerialiserValeur(TConteneurParametre* AConteneur,
                                                     IFormatter& AFormateur,
                                                     TypeClasseFormatSerialisation AFormat,
                                                     bool AEnPlace) {
  TObjetInterfacable* objet = Valeur(AConteneur->GetAdresseValeur());
  if (!AEnPlace) {
    AFormateur.EcrireObjet(objet, AFormat);
  } else if (objet) {
    AFormat->Serialiser(objet, AFormateur);
  }
}

void TSerialisateurParametreObject::DeserialiserValeur(TConteneurParametre* AConteneur,
                                                       IFormatter& AFormateur,
                                                       TypeClasseFormatSerialisation AFormat,
                                                       bool AEnPlace) {
  TObjetInterfacable*& valeur = Valeur(AConteneur->GetAdresseValeur());
  if (AEnPlace) {
    if (valeur) AFormat->Deserialiser(valeur, AFormateur);
    return;
  }
  valeur = AFormateur.LireObjet(AFormat);
}

std::int32_t TSerialisateurParametreObject::GetTaille() { return 8; }

}  // namespace kv
