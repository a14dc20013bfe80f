// Start-up of the serializer family and of the service descriptions: the
// meta information of every class, with its instantiators, exists before main
// begins, so that a program can read a serializer or service description (the
// formatter finds the class by name) without having written one first.

#include "serialisation/InfoMethodeServiceInvocable.h"
#include "serialisation/InfoServiceInvocable.h"
#include "serialisation/SerialisateurParametreInterface.h"
#include "serialisation/SerialisateurParametreObject.h"
#include "serialisation/SerialisateurParametreRaw.h"
#include "serialisation/SerialisateurParametreRecord.h"
#include "serialisation/SerialisateurParametreString.h"
#include "serialisation/SerialisateurParametreTableauDynamique.h"
#include "serialisation/SerialisateurParametreTableauOuvert.h"
#include "serialisation/SerialisateurParametreTableauTailleFixe.h"

namespace kv {
namespace {

[[maybe_unused]] const bool ClassesEnregistrees = [] {
  const TClasseObjetSerialisable* classes[] = {
      &TSerialisateurParametreRaw::Classe(),
      &TSerialisateurParametreFlottant::Classe(),
      &TSerialisateurParametreInterface::Classe(),
      &TSerialisateurParametreObject::Classe(),
      &TSerialisateurParametreString::Classe(),
      &TSerialisateurParametreRecord::Classe(),
      &TSerialisateurParametreTableauDynamique::Classe(),
      &TSerialisateurParametreTableauOuvert::Classe(),
      &TSerialisateurParametreTableauTailleFixe::Classe(),
      &TInfoServiceInvocable::Classe(),
      &TInfoMethodeServiceInvocable::Classe(),
  };
  for (const TClasseObjetSerialisable* classe : classes) classe->GetMetaInfoClasse();
  return true;
}();

}  // namespace
}  // namespace kv

// Named by the library's link options (see FormatSerialisation.cpp).
extern "C" {
extern const char kv_serialisation_serialisateurs_demarrage;
const char kv_serialisation_serialisateurs_demarrage = 0;
}
