#pragma once

#include <cstdint>

#include "objets/Guid.h"

namespace kv {

// Result of an interface query, in the platform's convention.
using THResult = std::int32_t;
inline constexpr THResult S_OK = 0;
inline constexpr THResult E_NOINTERFACE = static_cast<THResult>(0x80004002u);

// Root of every interface. The three operations are the first three slots of
// every interface's table, in this order, so that objects built at run time
// can stand behind any interface. Every interface names its identifier `IID`.
//
// Interfaces are never deleted through: an object goes when its last
// reference is released, hence the protected, non-virtual destructor (no slot).
class IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{00000000-0000-0000-C000-000000000046}");

  // On success stores a counted reference to the interface AGuid in
  // *AInterface and answers S_OK; otherwise stores null and answers
  // E_NOINTERFACE.
  virtual THResult QueryInterface(const TGUID& AGuid, void** AInterface) noexcept = 0;
  virtual std::int32_t _AddRef() noexcept = 0;
  virtual std::int32_t _Release() noexcept = 0;

 protected:
  IInterface() = default;
  IInterface(const IInterface&) = default;
  IInterface& operator=(const IInterface&) = default;
  ~IInterface() = default;
};

}  // namespace kv
