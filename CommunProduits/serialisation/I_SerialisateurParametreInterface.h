#pragma once

#include "objets/Guid.h"
#include "objets/Interface.h"

namespace kv {

// The serializer of an interface type.
class ISerialisateurParametreInterface : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{19FC36D6-8795-4997-961C-42103E004649}");

  // The interface type of the values.
  virtual TGUID GetGuid() = 0;

 protected:
  ~ISerialisateurParametreInterface() = default;
};

}  // namespace kv
