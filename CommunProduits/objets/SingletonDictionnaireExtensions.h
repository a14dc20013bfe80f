#pragma once

#include <initializer_list>

#include "objets/ClasseFinalisable.h"
#include "objets/DictionnaireExtensions.h"

namespace kv {

// The process's one extension dictionary. The first thread that reaches it
// becomes its only user for the life of the process: any other thread is
// refused, since the dictionary has no lock. The dictionary is made on first
// access and freed by the early finalisation phase; a later access makes a
// new, empty one.
class TSingletonDictionnaireExtensions : public TClasseFinalisable {
 public:
  // Raises Exception from a thread other than the owner. The caller does not
  // own the result.
  static TDictionnaireExtensions& GetDictionnaireExtensions(bool AOrdreStrictSuppressions = false);

  static bool Connait(const TGUID& AGuid);
  static void AjouterExtension(const TGUID& AGuid, IInterface* AExtension);
  static void AjouterExtensions(std::initializer_list<TGUID> AGuids, IInterface* AExtension);
  static void SupprimerExtension(const TGUID& AGuid);
  static bool TryGetNonType(const TGUID& AGuid, TRef<IInterface>& AExtension);
  static TRef<IInterface> GetNonType(const TGUID& AGuid);

  // Typed forms, for the interface that names its identifier IID.
  template <class AInterface>
  static bool TryGet(TRef<AInterface>& AExtension) {
    AExtension = nullptr;
    return TryGetExtension(GetDictionnaireExtensions(), AExtension);
  }
  template <class AInterface>
  static TRef<AInterface> Get() {
    return TyperExtension<AInterface>(GetNonType(AInterface::IID));
  }

  static void FinaliserClasse();
};

}  // namespace kv
