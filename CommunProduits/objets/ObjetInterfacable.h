#pragma once

#include <cstdint>
#include <new>
#include <string>
#include <typeinfo>
#include <utility>

#include "objets/Classe.h"
#include "objets/I_AvecConteneur.h"
#include "objets/Interface.h"
#include "objets/Reference.h"

namespace kv {

class TObjetInterfacable;

namespace detail {

// Answers a query for one of AInterfaces, as the class of AObjet declares them.
template <class... AInterfaces, class AObjet>
bool ChercherInterfaces(AObjet* AObjetCible, const TGUID& AGuid, void** AInterface) noexcept {
  auto essayer = [&](auto* AVue) {
    using TypeInterface = std::remove_pointer_t<decltype(AVue)>;
    if (AGuid != TypeInterface::IID) return false;
    AVue->_AddRef();
    *AInterface = AVue;
    return true;
  };
  return (essayer(static_cast<AInterfaces*>(AObjetCible)) || ...);
}

}  // namespace detail

// Implemented by containers that want to hear when one of their parts frees
// itself, so that they never touch it afterwards. Always answered by the object
// queried, never by a container it hands its queries on to.
class IConteneurDeParties : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{123F3979-21B9-4B8E-AA9D-BA1F22185AC4}");
  virtual void PartieLiberee(IAvecConteneur* APartie) noexcept = 0;

 protected:
  ~IConteneurDeParties() = default;
};

// An object that implements interfaces and lives as long as counted
// references to it exist, with destruction that is verified: freeing an object
// twice, or one that is still referenced, is an internal error instead of a
// silent corruption.
//
// Objects are made by Construire or Nouveau (below) and go either when their
// last reference is released (ALiberationAutomatique true) or by Liberer. A
// class that implements more interfaces declares them with KV_INTERFACES.
class TObjetInterfacable : public IAvecConteneur {
 public:
  explicit TObjetInterfacable(bool ALiberationAutomatique) noexcept
      : FLiberationAutomatique(ALiberationAutomatique) {}
  TObjetInterfacable(const TObjetInterfacable&) = delete;
  TObjetInterfacable& operator=(const TObjetInterfacable&) = delete;

  THResult QueryInterface(const TGUID& AGuid, void** AInterface) noexcept override;
  std::int32_t _AddRef() noexcept override;
  std::int32_t _Release() noexcept override;
  TRef<IInterface> GetConteneur() noexcept override;
  bool SetConteneur(IInterface* AConteneur, bool ADeleguerQueryInterface) noexcept override;

  // The object's own IInterface: what identifies it among references.
  IInterface* InterfaceDeBase() noexcept { return static_cast<IAvecConteneur*>(this); }

  // Frees the object now. Raises, leaving the object untouched, when its
  // destruction has already started or when it is still referenced.
  void Liberer();

  // The class name that messages show ("TDossierSpecial").
  std::u16string NomClasseObjet() const;

  // The class object of TObjetInterfacable, the root of the framework's
  // classes: its parent is null.
  static const TClasse& Classe() noexcept;
  // The class object of the object's class, as the class declares it with
  // KV_CLASSE (that of its nearest declared ancestor otherwise).
  virtual const TClasse& ClasseObjet() const noexcept;

  // The object's own count (zero once attached to a container).
  std::int32_t CompteurReferences() const noexcept { return FCompteurReferences; }

  // True when releasing the last reference frees the object.
  bool LiberationAutomatique() const noexcept { return FLiberationAutomatique; }

 protected:
  virtual ~TObjetInterfacable();

  // Looks AGuid up among the interfaces that the class declares; on success
  // stores a counted reference in *AInterface.
  virtual bool ObtenirInterface(const TGUID& AGuid, void** AInterface) noexcept;

  // Every object goes through here: the destructor runs, and the memory is
  // kept (a deliberate leak) when a reference was taken during the destruction
  // and never given back, so that the holder does not reach reused memory.
  // Protected so that only the object model deletes; the deleting destructors
  // of descendants need to see it.
  void operator delete(TObjetInterfacable* AObjet, std::destroying_delete_t);

 private:
  template <class AClasse, class... AArguments>
  friend AClasse* Construire(AArguments&&... AArgs);

  // Destroys the object; answers its type when its memory had to be kept.
  const std::type_info* Detruire() noexcept;
  // The container that counts this reference for the object, if any.
  IInterface* ConteneurQuiCompte(bool APourRelacher) const noexcept;

  std::int32_t FCompteurReferences = 0;
  IInterface* FConteneur = nullptr;  // not counted
  bool FDeleguerQueryInterface = false;
  bool FLiberationAutomatique;
  bool FConstruit = false;
  bool FEnDestruction = false;
};

// Makes an object whose construction is complete: from here on, releasing its
// last reference frees it (when it was made with automatic freeing).
template <class AClasse, class... AArguments>
AClasse* Construire(AArguments&&... AArgs) {
  AClasse* objet = new AClasse(std::forward<AArguments>(AArgs)...);
  static_cast<TObjetInterfacable*>(objet)->FConstruit = true;
  return objet;
}

// Makes an object and holds the first reference to it.
template <class AClasse, class... AArguments>
TRef<AClasse> Nouveau(AArguments&&... AArgs) {
  return TRef<AClasse>(Construire<AClasse>(std::forward<AArguments>(AArgs)...));
}

}  // namespace kv

// The three IInterface slots of a class that adds interfaces to ABase: every
// interface's slots must reach the one implementation in TObjetInterfacable.
#define KV_METHODES_IINTERFACE(ABase)                                                            \
 public:                                                                                         \
  ::kv::THResult QueryInterface(const ::kv::TGUID& AGuid, void** AInterface) noexcept override { \
    return ABase::QueryInterface(AGuid, AInterface);                                             \
  }                                                                                              \
  std::int32_t _AddRef() noexcept override { return ABase::_AddRef(); }                          \
  std::int32_t _Release() noexcept override { return ABase::_Release(); }                        \
                                                                                                 \
 private:

// Declares, first thing in a class body, the interfaces that the class adds to
// those of ABase; queries for them are answered by the class, the others by
// ABase. Leaves the access private, as at the start of a class.
#define KV_INTERFACES(ABase, ...)                                                        \
  KV_METHODES_IINTERFACE(ABase)                                                          \
                                                                                         \
 protected:                                                                              \
  bool ObtenirInterface(const ::kv::TGUID& AGuid, void** AInterface) noexcept override { \
    return ::kv::detail::ChercherInterfaces<__VA_ARGS__>(this, AGuid, AInterface) ||     \
           ABase::ObtenirInterface(AGuid, AInterface);                                   \
  }                                                                                      \
                                                                                         \
 private:
