#pragma once

// Class references: one object per class that the framework describes at run
// time, standing for the class itself.

#include <new>
#include <string_view>
#include <type_traits>
#include <utility>

#include "commun/Exception.h"

namespace kv {

// The object that stands for one class: its name and its parent class. There
// is exactly one per class, made on first use and never destroyed (code run at
// process exit may still hold it), so that a class is told by the object's
// address and two classes of the same name stay distinct.
//
// Derivable: a family of classes that needs class-level operations (a virtual
// constructor, say) gives its class objects a type derived from TClasse with
// those operations virtual, and declares its classes with KV_CLASSE_TYPEE.
class TClasse {
 public:
  // ANom must outlive the object: a literal, as the declaration macros give.
  constexpr TClasse(std::u16string_view ANom, const TClasse* AParent) noexcept
      : FNom(ANom), FParent(AParent) {}
  virtual ~TClasse() = default;
  TClasse(const TClasse&) = delete;
  TClasse& operator=(const TClasse&) = delete;

  // The class name as written in the code, without its namespace.
  std::u16string_view GetNom() const noexcept { return FNom; }
  // The parent class; null for a root class.
  const TClasse* GetParent() const noexcept { return FParent; }

  // True when this class is AClasse or descends from it.
  bool HeriteDe(const TClasse* AClasse) const noexcept {
    for (const TClasse* classe = this; classe; classe = classe->FParent) {
      if (classe == AClasse) return true;
    }
    return false;
  }

 private:
  std::u16string_view FNom;
  const TClasse* FParent;
};

// Storage for an object that is built on first use and never destroyed: the
// class objects must outlive every static destructor that may still ask for
// them.
template <class AType>
class TSansDestruction {
 public:
  template <class... AArguments>
  explicit TSansDestruction(AArguments&&... AArgs) {
    ::new (static_cast<void*>(FStockage)) AType(std::forward<AArguments>(AArgs)...);
  }
  TSansDestruction(const TSansDestruction&) = delete;
  TSansDestruction& operator=(const TSansDestruction&) = delete;

  AType& operator*() noexcept { return *std::launder(reinterpret_cast<AType*>(FStockage)); }

 private:
  alignas(AType) unsigned char FStockage[sizeof(AType)];
};

}  // namespace kv

// Declares, in the body of the class ANom derived from ABase, its class object:
// `ANom::Classe()`, of type ATypeClasse (TClasse or a descendant built from the
// name and the parent class), and the answer of ClasseObjet() for its
// instances. ABase must have a class object itself. Leaves the access private.
// A class that does not declare one answers the class of its nearest declared
// ancestor.
#define KV_CLASSE_TYPEE(ANom, ABase, ATypeClasse)                                               \
 public:                                                                                        \
  static const ATypeClasse& Classe() noexcept {                                                 \
    static_assert(std::is_base_of_v<ABase, ANom>, #ANom " must derive from " #ABase);           \
    static ::kv::TSansDestruction<ATypeClasse> classe(KV_TEXTE_UTF16(#ANom), &ABase::Classe()); \
    return *classe;                                                                             \
  }                                                                                             \
  const ::kv::TClasse& ClasseObjet() const noexcept override { return Classe(); }               \
                                                                                                \
 private:

#define KV_CLASSE(ANom, ABase) KV_CLASSE_TYPEE(ANom, ABase, ::kv::TClasse)
