#pragma once

// Dynamic arrays as described interfaces and the serialization layer hold
// them. A value is one pointer: the address of the first element, null for
// an empty array. The 16 bytes before the first element are a header with a
// reference count and the element count, so that copies share one block and
// code that knows only the element size (a serializer) can create, share and
// free blocks that typed C++ code made, and the other way round.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <new>
#include <span>
#include <utility>

namespace kv {

struct TypeEnteteTableauDynamique {
  std::int32_t Reserve;           // zero
  std::int32_t NombreReferences;  // negative: a constant block, never changed nor freed
  std::int64_t NombreElements;    // only the low 32 bits are read
};
static_assert(sizeof(TypeEnteteTableauDynamique) == 16);

// A new block of ANombre elements of ATailleElement bytes, zero-filled, with
// one reference; null when ANombre is 0. Elements start 16-byte aligned.
// Raises EArgumentInvalide for a negative count or size, std::bad_alloc when
// the size does not fit in memory.
void* AllouerBlocTableauDynamique(std::int32_t ANombre, std::int32_t ATailleElement);

// Frees the block of AElements without touching its elements. Null does
// nothing.
void LibererBlocTableauDynamique(void* AElements) noexcept;

// The header of a non-null value.
inline TypeEnteteTableauDynamique& EnteteTableauDynamique(void* AElements) noexcept {
  return *(static_cast<TypeEnteteTableauDynamique*>(AElements) - 1);
}

// Element count of a value; 0 for null.
inline std::int32_t NombreElementsTableauDynamique(const void* AElements) noexcept {
  if (!AElements) return 0;
  const auto* entete = static_cast<const TypeEnteteTableauDynamique*>(AElements) - 1;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(entete->NombreElements));
}

// A typed dynamic array: one pointer wide, with reference semantics (copies
// share the elements; a change through one copy shows through all). The last
// reference destroys the elements and frees the block.
template <class AElement>
class TTableauDynamique {
  static_assert(alignof(AElement) <= 16, "elements must fit the block's 16-byte alignment");

 public:
  TTableauDynamique() noexcept = default;
  // ANombre value-initialised elements.
  explicit TTableauDynamique(std::int32_t ANombre) : FElements(Creer(ANombre)) {
    ConstruireElements(
        [](AElement* AEmplacement, std::int32_t) { ::new (AEmplacement) AElement(); });
  }
  TTableauDynamique(std::initializer_list<AElement> AValeurs)
      : FElements(Creer(static_cast<std::int32_t>(AValeurs.size()))) {
    ConstruireElements([&](AElement* AEmplacement, std::int32_t AIndice) {
      ::new (AEmplacement) AElement(AValeurs.begin()[AIndice]);
    });
  }
  TTableauDynamique(const TTableauDynamique& AAutre) noexcept : FElements(AAutre.FElements) {
    AjouterReference();
  }
  TTableauDynamique(TTableauDynamique&& AAutre) noexcept : FElements(AAutre.FElements) {
    AAutre.FElements = nullptr;
  }
  TTableauDynamique& operator=(TTableauDynamique AAutre) noexcept {
    std::swap(FElements, AAutre.FElements);
    return *this;
  }
  ~TTableauDynamique() { Relacher(); }

  std::int32_t Taille() const noexcept { return NombreElementsTableauDynamique(FElements); }
  bool EstVide() const noexcept { return FElements == nullptr; }
  AElement* data() const noexcept { return FElements; }
  AElement& operator[](std::int32_t AIndice) const noexcept { return FElements[AIndice]; }
  AElement* begin() const noexcept { return FElements; }
  AElement* end() const noexcept { return FElements + Taille(); }
  std::span<AElement> Valeurs() const noexcept {
    return {FElements, static_cast<std::size_t>(Taille())};
  }

  // The number of values sharing the block; 0 for the empty array, negative for
  // a constant block.
  std::int32_t NombreReferences() const noexcept {
    return FElements ? EnteteTableauDynamique(FElements).NombreReferences : 0;
  }

 private:
  static AElement* Creer(std::int32_t ANombre) {
    return static_cast<AElement*>(
        AllouerBlocTableauDynamique(ANombre, static_cast<std::int32_t>(sizeof(AElement))));
  }

  template <class AConstruire>
  void ConstruireElements(AConstruire AConstruction) {
    const std::int32_t nombre = Taille();
    std::int32_t construits = 0;
    try {
      for (; construits < nombre; ++construits) AConstruction(FElements + construits, construits);
    } catch (...) {
      std::destroy_n(FElements, construits);
      LibererBlocTableauDynamique(FElements);
      throw;
    }
  }

  void AjouterReference() noexcept {
    if (FElements && EnteteTableauDynamique(FElements).NombreReferences > 0) {
      ++EnteteTableauDynamique(FElements).NombreReferences;
    }
  }

  void Relacher() noexcept {
    if (!FElements) return;
    std::int32_t& references = EnteteTableauDynamique(FElements).NombreReferences;
    if (references > 0 && --references == 0) {
      std::destroy_n(FElements, Taille());
      LibererBlocTableauDynamique(FElements);
    }
    FElements = nullptr;
  }

  AElement* FElements = nullptr;
};

static_assert(sizeof(TTableauDynamique<std::int32_t>) == sizeof(void*));

}  // namespace kv
