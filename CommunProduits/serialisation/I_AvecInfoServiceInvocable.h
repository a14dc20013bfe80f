#pragma once

#include "objets/Guid.h"
#include "objets/Interface.h"
#include "objets/Reference.h"
#include "serialisation/I_InfoServiceInvocable.h"

namespace kv {

// An object that carries the description of the service it implements (a
// multicast invoker, say).
class IAvecInfoServiceInvocable : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{AFF270EC-4244-46DB-965F-6E11AC8CDDD3}");

  virtual TRef<IInfoServiceInvocable> GetInfoServiceInvocable() = 0;

 protected:
  ~IAvecInfoServiceInvocable() = default;
};

}  // namespace kv
