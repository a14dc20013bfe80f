#pragma once

#include "objets/Guid.h"
#include "objets/Interface.h"
#include "objets/ObjetInterfacable.h"
#include "objets/Reference.h"

namespace kv {

// Makes new instances of one class. A class's meta information carries it as
// an extension, so that a formatter reading an object knows how to create it
// from its class name alone.
class IInstanciateur : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{5449CB8D-ED4A-4D07-BB78-D8E2E1175E9C}");

  // A new instance, which belongs to the caller: freed with Liberer unless it
  // was made to go with its last reference. Null when none can be made.
  virtual TObjetInterfacable* Instancier() = 0;
  // A new instance, as its IInterface; null when none can be made.
  virtual TRef<IInterface> InstancierInterface() = 0;

 protected:
  ~IInstanciateur() = default;
};

}  // namespace kv
