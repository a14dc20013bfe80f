#include "objets/TableauDynamique.h"

#include <algorithm>
#include <limits>
#include <new>

#include "commun/Exception.h"

namespace kv {

void* AllouerBlocTableauDynamique(std::int32_t ANombre, std::int32_t ATailleElement) {
  if (ANombre < 0 || ATailleElement < 0) {
    throw EArgumentInvalide(u"Taille de tableau dynamique négative.");
  }
  if (ANombre == 0) return nullptr;
  // Both factors are below 2^31, so the product fits in 64 bits.
  const std::uint64_t octets = static_cast<std::uint64_t>(ANombre) * ATailleElement;
  if (octets > std::numeric_limits<std::size_t>::max() - sizeof(TypeEnteteTableauDynamique)) {
    throw std::bad_alloc();
  }
  const std::size_t total = sizeof(TypeEnteteTableauDynamique) + static_cast<std::size_t>(octets);
  // The nothrow form, so that a size no allocator can give fails the same way
  // under every allocator (the address sanitizer's aborts in the throwing one).
  auto* bloc =
      static_cast<unsigned char*>(::operator new (total, std::align_val_t{16}, std::nothrow));
  if (!bloc) throw std::bad_alloc();
  std::fill_n(bloc, total, static_cast<unsigned char>(0));
  auto* entete = reinterpret_cast<TypeEnteteTableauDynamique*>(bloc);
  entete->NombreReferences = 1;
  entete->NombreElements = ANombre;
  return entete + 1;
}

void LibererBlocTableauDynamique(void* AElements) noexcept {
  if (!AElements) return;
  ::operator delete (&EnteteTableauDynamique(AElements), std::align_val_t{16});
}

}  // namespace kv
