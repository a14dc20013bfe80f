#pragma once

#include <map>

#include "environnement/I_PersistanceParametresApplicatif.h"
#include "objets/ObjetInterfacable.h"

namespace kv {

// The registered stores, each held by a counted reference released with the
// list.
class TListePersistanceParametresApplicatif : public TObjetInterfacable,
                                              public IListePersistanceParametresApplicatif {
  KV_INTERFACES(TObjetInterfacable, IListePersistanceParametresApplicatif)

 public:
  TListePersistanceParametresApplicatif() : TObjetInterfacable(true) {}

  TRef<IPersistanceParametresApplicatif> GetPersistance(TypeNiveauDossierSpecial ANiveau) override;
  void AjouterPersistance(IPersistanceParametresApplicatif* APersistance) override;

 private:
  std::map<TypeNiveauDossierSpecial, TRef<IPersistanceParametresApplicatif>> FPersistances;
};

}  // namespace kv
