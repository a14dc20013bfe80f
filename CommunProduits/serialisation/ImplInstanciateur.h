#pragma once

// The instantiators that a serialisable class registers on its meta
// information (ObjetSerialisable.h).
//
// Start-up registers the meta information of IInstanciateurObjetSerialisable
// under that name, in any program that links this library.

#include "objets/ObjetInterfacable.h"
#include "objets/Reference.h"
#include "serialisation/I_Instanciateur.h"
#include "serialisation/I_InstanciateurObjetSerialisable.h"
#include "serialisation/ObjetSerialisable.h"

namespace kv {

// Makes instances of one class. Made with automatic freeing; the meta
// information it extends owns it.
class TCustomInstanciateur : public TObjetInterfacable, public IInstanciateur {
  KV_INTERFACES(TObjetInterfacable, IInstanciateur)
  KV_CLASSE(TCustomInstanciateur, TObjetInterfacable)

 public:
  explicit TCustomInstanciateur(const TClasseObjetSerialisable& AClasse) noexcept
      : TObjetInterfacable(true), FClasse(&AClasse) {}

  TObjetInterfacable* Instancier() override = 0;
  // Instancier, then the new object's IInterface; null when Instancier gives
  // null. A reference must be able to free what it holds: an object that does
  // not go with its last reference is freed and refused (Exception) rather
  // than handed over to leak.
  TRef<IInterface> InstancierInterface() override;

  const TClasseObjetSerialisable& GetClasse() const noexcept { return *FClasse; }

 protected:
  ~TCustomInstanciateur() override = default;

  // AObjet's IInterface (null for null); frees and refuses an object that
  // does not go with its last reference.
  static TRef<IInterface> RemettreParInterface(TObjetInterfacable* AObjet);

  const TClasseObjetSerialisable* FClasse;
};

class TInstanciateurObjetSerialisable : public TCustomInstanciateur,
                                        public IInstanciateurObjetSerialisable {
  KV_INTERFACES(TCustomInstanciateur, IInstanciateurObjetSerialisable)
  KV_CLASSE(TInstanciateurObjetSerialisable, TCustomInstanciateur)

 public:
  using TCustomInstanciateur::TCustomInstanciateur;

  // InstancierObjetSerialisable(false): the caller frees the object.
  TObjetInterfacable* Instancier() override;
  // An object made with automatic freeing, so that the reference returned is
  // its owner (classes that always free themselves, the serializers, make
  // the same either way).
  TRef<IInterface> InstancierInterface() override;
  TObjetSerialisable* InstancierObjetSerialisable(bool ALiberationAutomatique) override;

 protected:
  ~TInstanciateurObjetSerialisable() override = default;
};

}  // namespace kv
