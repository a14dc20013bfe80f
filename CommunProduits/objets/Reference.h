#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

#include "objets/Interface.h"

namespace kv {

// A counted reference: holding one keeps the object alive. The only place of
// the framework where references are added and released by hand. AType is an
// interface, or a class with _AddRef and _Release.
template <class AType>
class TRef {
 public:
  TRef() noexcept = default;
  TRef(std::nullptr_t) noexcept {}
  // Takes a new reference on AObjet.
  TRef(AType* AObjet) noexcept : FObjet(AObjet) {
    if (FObjet) FObjet->_AddRef();
  }
  TRef(const TRef& AAutre) noexcept : TRef(AAutre.FObjet) {}
  TRef(TRef&& AAutre) noexcept : FObjet(std::exchange(AAutre.FObjet, nullptr)) {}
  // From a reference to a derived interface or class; never a downcast.
  template <class AAutre>
  requires std::is_convertible_v<AAutre*, AType*> TRef(const TRef<AAutre>& AAutreRef)
  noexcept : TRef(static_cast<AType*>(AAutreRef.Get())) {}
  ~TRef() { Relacher(); }

  TRef& operator=(TRef AAutre) noexcept {
    std::swap(FObjet, AAutre.FObjet);
    return *this;
  }

  // Wraps a reference that the caller already counted (an interface query's
  // out parameter, say) without adding one.
  static TRef Adopter(AType* AObjet) noexcept {
    TRef ref;
    ref.FObjet = AObjet;
    return ref;
  }

  // Hands the counted reference to the caller, who must release it.
  [[nodiscard]] AType* Detacher() noexcept { return std::exchange(FObjet, nullptr); }

  AType* Get() const noexcept { return FObjet; }
  AType* operator->() const noexcept { return FObjet; }
  AType& operator*() const noexcept { return *FObjet; }
  explicit operator bool() const noexcept { return FObjet != nullptr; }

  void Relacher() noexcept {
    if (AType* objet = std::exchange(FObjet, nullptr)) objet->_Release();
  }

  // Pointer identity of the two referenced interfaces (no query).
  friend bool operator==(const TRef& A, const TRef& B) noexcept { return A.FObjet == B.FObjet; }

 private:
  AType* FObjet = nullptr;
};

// The interface AInterface of the object behind AObjet, through its interface
// query; null when the object does not implement it.
template <class AInterface, class ASource>
TRef<AInterface> Interroger(ASource* AObjet) noexcept {
  void* resultat = nullptr;
  if (!AObjet || AObjet->QueryInterface(AInterface::IID, &resultat) != S_OK) return nullptr;
  return TRef<AInterface>::Adopter(static_cast<AInterface*>(resultat));
}

template <class AInterface, class ASource>
TRef<AInterface> Interroger(const TRef<ASource>& AObjet) noexcept {
  return Interroger<AInterface>(AObjet.Get());
}

}  // namespace kv
