#pragma once

#include <cstdint>

#include "objets/Interface.h"

namespace kv {

// Answers the framework's locale-aware comparisons in place of the system,
// with the system's arguments and result convention (1, 2, 3; 0 for a
// failure; a negative length for a zero-terminated text).
class IIntercepteurCompareString : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{236458AE-F0C9-41F0-B0FF-8ABF9ED6B0E2}");

  // By locale identifier.
  virtual int CompareString(std::uint32_t ALcid, std::uint32_t AOptions, const char16_t* AChaine1,
                            int ALongueur1, const char16_t* AChaine2, int ALongueur2) = 0;
  // By locale name: empty for the invariant locale, null for the user's.
  virtual int CompareStringEx(const char16_t* ANomLocale, std::uint32_t AOptions,
                              const char16_t* AChaine1, int ALongueur1, const char16_t* AChaine2,
                              int ALongueur2) = 0;

 protected:
  ~IIntercepteurCompareString() = default;
};

}  // namespace kv
