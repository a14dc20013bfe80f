#pragma once

#include <string>

#include "objets/Interface.h"

namespace kv {

// A comparer of two values of AType: negative when ALeft sorts first, 0 when
// they are equal, positive when ARight does.
template <class AType>
class IComparer : public IInterface {
 public:
  virtual int Compare(const AType& ALeft, const AType& ARight) = 0;

 protected:
  ~IComparer() = default;
};

// A comparer of texts that answers -1, 0 or 1 (-2 when the system's comparison
// behind it fails).
class IComparateurChaines : public IComparer<std::u16string> {
 public:
  static constexpr TGUID IID = GuidLitteral("{4CBA2F67-38AF-48BC-BA80-7499D9F4C46D}");

  using IComparer<std::u16string>::Compare;
  // Lengths in UTF-16 code units.
  virtual int Compare(const char16_t* AChaine1, int ALongueur1, const char16_t* AChaine2,
                      int ALongueur2) = 0;

 protected:
  ~IComparateurChaines() = default;
};

}  // namespace kv
