#pragma once

#include <cstdint>
#include <string>

#include "comparaison/I_ComparateurChaines.h"
#include "objets/GuidsServices.h"
#include "objets/Reference.h"

namespace kv {

// Collation strengths, with ICU's values.
inline constexpr std::uint32_t ForcePrimaire = 0;     // base letters only
inline constexpr std::uint32_t ForceSecondaire = 1;   // and accents
inline constexpr std::uint32_t ForceIdentique = 15;  // every difference

// The process's locale-aware collation: ICU when it could be loaded, the
// system's comparison otherwise.
class IGestionIcu : public IInterface {
 public:
  static constexpr TGUID IID = GUID_IGestionIcu;

  virtual bool IcuDisponible() = 0;
  // A new comparer at strength AForce for the locale ALcid.
  virtual TRef<IComparateurChaines> CreerComparateur(std::uint32_t AForce, std::uint32_t ALcid) = 0;
  // A new comparer at strength AForce for the locale named ALocale ("" is the
  // invariant locale). Nothing is shared between two calls.
  virtual TRef<IComparateurChaines> CreerComparateur(std::uint32_t AForce,
                                                     const std::u16string& ALocale) = 0;

 protected:
  ~IGestionIcu() = default;
};

}  // namespace kv
