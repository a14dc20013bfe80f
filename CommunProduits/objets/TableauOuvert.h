#pragma once

// Open arrays: a parameter that takes any number of values travels as two
// arguments, the address of the first value and the index of the last one
// (-1 when there is none). TypeTableauOuvert is that pair as it lies in
// memory; TTableauOuvert<T> is the same layout with the element type, for
// described interfaces (passed by value, it takes two argument registers).

#include <cstddef>
#include <cstdint>
#include <span>

namespace kv {

struct TypeTableauOuvert {
  void* PtrValeurs = nullptr;
  std::int32_t TailleMoinsUn = -1;
  std::int32_t Reserve = 0;
};
static_assert(sizeof(TypeTableauOuvert) == 16);

template <class AElement>
struct TTableauOuvert {
  AElement* PtrValeurs = nullptr;
  std::int32_t TailleMoinsUn = -1;
  std::int32_t Reserve = 0;

  TTableauOuvert() noexcept = default;
  // The values are not copied: they must outlive the call.
  TTableauOuvert(std::span<AElement> AValeurs) noexcept
      : PtrValeurs(AValeurs.data()),
        TailleMoinsUn(static_cast<std::int32_t>(AValeurs.size()) - 1) {}

  std::span<AElement> Valeurs() const noexcept {
    return {PtrValeurs, static_cast<std::size_t>(TailleMoinsUn + 1)};
  }
};
static_assert(sizeof(TTableauOuvert<int>) == sizeof(TypeTableauOuvert));

}  // namespace kv
