#pragma once

#include "objets/I_AvecConteneur.h"
#include "objets/Interface.h"

namespace kv {

// An object that other objects can extend at run time: an extension answers
// the interface queries of its GUID on the object's behalf.
class IInterfaceExtensible : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{E9500582-8844-43F5-AF12-3923B0E5892D}");

  // Attaches AExtension, which must implement AGuid, as the answer to queries
  // for AGuid. False, and nothing changes, when it does not, when AGuid is
  // already extended, or when the extension already has a container.
  virtual bool AjouterExtension(const TGUID& AGuid, IAvecConteneur* AExtension) noexcept = 0;

 protected:
  ~IInterfaceExtensible() = default;
};

}  // namespace kv
