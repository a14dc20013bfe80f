#pragma once

// The comparer a type declares as its own, chosen through a declaration class.

#include <type_traits>

#include "commun/Exception.h"
#include "comparaison/ComparateursTypes.h"

namespace kv {

// An operation that a class must supply was reached on a class that does not.
KV_DECLARER_EXCEPTION(EAbstractError, Exception);

// A comparer declaration: a class derived from this one that supplies its own
// `static TRef<IComparateurNonType> GetComparateur()`. This class's own raises
// EAbstractError.
class TComparerDecl : public TBaseComparer {
 public:
  static TRef<IComparateurNonType> GetComparateur();
};

// A declaration class, standing for the class itself: its GetComparateur.
using TClassComparerDecl = TRef<IComparateurNonType> (*)();

template <class ADecl>
constexpr TClassComparerDecl ClasseComparerDecl() {
  static_assert(std::is_base_of_v<TComparerDecl, ADecl>, "a comparer declaration is expected");
  return &ADecl::GetComparateur;
}

// Attached to a type as its default comparer: asks the declaration class for
// a comparer once and keeps it.
class DefaultComparer {
 public:
  // Raises EArgumentInvalide for a null class, and whatever the declaration
  // raises.
  explicit DefaultComparer(TClassComparerDecl ADeclaration);

  const TRef<IComparateurNonType>& Comparateur() const noexcept { return FComparateur_; }

 private:
  TRef<IComparateurNonType> FComparateur_;
};

// A type names its declaration class by specialising this trait with
// `using Type = TComparerX;`.
template <class AType>
struct DeclarationComparateurParDefaut;

template <class AType>
DefaultComparer ComparateurParDefaut() {
  return DefaultComparer(
      ClasseComparerDecl<typename DeclarationComparateurParDefaut<AType>::Type>());
}

}  // namespace kv
