#pragma once

#include "objets/Interface.h"
#include "objets/Reference.h"

namespace kv {

// An object that can become a part of a container: its reference counting,
// and optionally its interface queries, then go to the container, so that the
// part lives and dies with its whole.
class IAvecConteneur : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{9F05F894-1D75-4419-9290-49726A62FAA8}");

  // The container, or null.
  virtual TRef<IInterface> GetConteneur() noexcept = 0;
  // Attaches the object to AConteneur, once: false, and nothing changes, when a
  // container is already set. The container is not counted by the part.
  virtual bool SetConteneur(IInterface* AConteneur, bool ADeleguerQueryInterface) noexcept = 0;

 protected:
  ~IAvecConteneur() = default;
};

}  // namespace kv
