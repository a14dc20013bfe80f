#pragma once

namespace kv {

// Base of the static classes: all their operations and data are class-level and
// the class itself is the singleton. No instance can be made of a descendant.
class TClasseNonInstanciable {
 public:
  TClasseNonInstanciable() = delete;
  TClasseNonInstanciable(const TClasseNonInstanciable&) = delete;
  TClasseNonInstanciable& operator=(const TClasseNonInstanciable&) = delete;
};

}  // namespace kv
