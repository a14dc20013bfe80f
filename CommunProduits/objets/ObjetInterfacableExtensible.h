#pragma once

#include <unordered_map>

#include "objets/Guid.h"
#include "objets/I_InterfaceExtensible.h"
#include "objets/ObjetInterfacable.h"

namespace kv {

// An interfaced object that other objects can extend at run time. An
// extension becomes a part of its owner (its counting and queries go to the
// owner), answers the queries for its GUID, and goes with the owner.
class TObjetInterfacableExtensible : public TObjetInterfacable,
                                     public IInterfaceExtensible,
                                     public IConteneurDeParties {
  KV_METHODES_IINTERFACE(TObjetInterfacable)
  KV_CLASSE(TObjetInterfacableExtensible, TObjetInterfacable)

 public:
  using TObjetInterfacable::TObjetInterfacable;

  bool AjouterExtension(const TGUID& AGuid, IAvecConteneur* AExtension) noexcept override;
  void PartieLiberee(IAvecConteneur* APartie) noexcept override;

 protected:
  ~TObjetInterfacableExtensible() override;

  bool ObtenirInterface(const TGUID& AGuid, void** AInterface) noexcept override;

 private:
  struct TypeExtension {
    IInterface* Interface;  // the extension's interface AGuid; not counted
    IAvecConteneur* Partie;
  };
  using TypeTableExtensions = std::unordered_map<TGUID, TypeExtension, THachageGuid>;

  TypeTableExtensions FTableExtensions;
};

}  // namespace kv
