#pragma once

#include "objets/Guid.h"
#include "objets/Interface.h"

namespace kv {

class TObjetSerialisable;

// Makes new instances of one serialisable class, choosing how they go. A
// class's meta information carries it as an extension beside IInstanciateur.
class IInstanciateurObjetSerialisable : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{A664AAF8-770B-407F-A93F-BDA33DEF5137}");

  // A new instance made by the class's virtual constructor with
  // ALiberationAutomatique; it belongs to the caller (freed with Liberer when it
  // does not go with its last reference). What the constructor raises passes
  // through.
  virtual TObjetSerialisable* InstancierObjetSerialisable(bool ALiberationAutomatique) = 0;

 protected:
  ~IInstanciateurObjetSerialisable() = default;
};

}  // namespace kv
