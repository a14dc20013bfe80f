#pragma once

// Out parameters of described interfaces: `TSortie<T>` passed by value is a
// view of the caller's variable, one address wide, which the method fills.
// What the variable held before the call does not go in: a call through a
// generated interface carries only the value that comes out.
//
//   virtual void LireNom(TSortie<std::u16string> ANom) = 0;   // declaration
//   void LireNom(TSortie<std::u16string> ANom) override { *ANom = u"x"; }
//   std::u16string nom;  service->LireNom(TSortie(nom));      // call

#include <type_traits>

namespace kv {

template <class AType>
class TSortie {
  static_assert(!std::is_reference_v<AType> && !std::is_const_v<AType>,
                "TSortie<T> : T est le type de la variable à remplir, sans const ni référence");

 public:
  explicit TSortie(AType& AVariable) noexcept : FVariable(&AVariable) {}

  AType& operator*() const noexcept { return *FVariable; }
  AType* operator->() const noexcept { return FVariable; }

 private:
  AType* FVariable;
};

}  // namespace kv
