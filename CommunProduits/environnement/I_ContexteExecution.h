#pragma once

#include <cstdint>
#include <string>

#include "objets/GuidsServices.h"
#include "objets/Interface.h"

namespace kv {

// The context a program runs in (a server, a planning, an installation),
// supplied by the host application and registered by the application object
// beside its information. The special folders give each context a working
// folder of its own from its kind and name.
class IContexteExecution : public IInterface {
 public:
  static constexpr TGUID IID = GUID_IContexteExecution;

  virtual std::u16string GetNomContexte() = 0;
  // The host application's own; the framework never calls these two.
  virtual std::u16string GetLibelleContexte() = 0;
  virtual std::u16string GetParametresContexte() = 0;
  // 0 a server, 1 a planning, 2 an installation, 3 the application itself;
  // any other value is the host's own kind.
  virtual std::uint8_t GetGenreContexte() = 0;

 protected:
  ~IContexteExecution() = default;
};

}  // namespace kv
