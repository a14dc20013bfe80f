#pragma once

#include <initializer_list>
#include <unordered_map>
#include <utility>

#include "commun/Exception.h"
#include "objets/Guid.h"
#include "objets/Interface.h"
#include "objets/Reference.h"

namespace kv {

// Raised when a service is looked up and nothing provides it.
KV_DECLARER_EXCEPTION(EExtensionNonSupportee_GraveNePasIgnorer, Exception);

// The process's services, found by interface GUID rather than by class. Each
// entry holds a counted reference to the providing object's base interface;
// one object may stand under several GUIDs. Not thread-safe: see
// TSingletonDictionnaireExtensions, which gives it to one thread only.
class TDictionnaireExtensions {
 public:
  // The flag is accepted for callers that pass it; nothing depends on it.
  explicit TDictionnaireExtensions(bool AOrdreStrictSuppressions = false);
  virtual ~TDictionnaireExtensions();
  TDictionnaireExtensions(const TDictionnaireExtensions&) = delete;
  TDictionnaireExtensions& operator=(const TDictionnaireExtensions&) = delete;

  bool EstVide() const noexcept { return FExtensions.empty(); }
  void Vider() noexcept;

  // Registers AExtension (the object's base interface) under AGuid; a null
  // AExtension is ignored. An already registered AGuid raises EListError and
  // leaves the existing entry.
  virtual void AjouterExtension(const TGUID& AGuid, IInterface* AExtension);
  // The same under each GUID in turn; a failure stops there, the GUIDs before
  // it stay registered.
  virtual void AjouterExtensions(std::initializer_list<TGUID> AGuids, IInterface* AExtension);
  // Removes the object registered under AGuid from every GUID it stands
  // under; an unregistered AGuid changes nothing.
  virtual void SupprimerExtension(const TGUID& AGuid);

  bool Connait(const TGUID& AGuid) const noexcept { return FExtensions.contains(AGuid); }
  // The interface AGuid of the object registered under AGuid: false, with
  // AExtension null, when nothing is registered or the object lacks it.
  bool TryGetNonType(const TGUID& AGuid, TRef<IInterface>& AExtension) const noexcept;
  // The same; a missing interface raises
  // EExtensionNonSupportee_GraveNePasIgnorer.
  TRef<IInterface> GetNonType(const TGUID& AGuid) const;

 protected:
  // Removes every entry whose value is AExtension (pointer identity).
  virtual void SupprimerValeur(IInterface* AExtension);

 private:
  std::unordered_map<TGUID, TRef<IInterface>, THachageGuid> FExtensions;
};

// Gives back its type to an interface AInterface that a lookup carried untyped.
template <class AInterface>
TRef<AInterface> TyperExtension(TRef<IInterface> ABrute) noexcept {
  return TRef<AInterface>::Adopter(static_cast<AInterface*>(static_cast<void*>(ABrute.Detacher())));
}

// The interface AInterface of a dictionary's service, typed.
template <class AInterface>
bool TryGetExtension(const TDictionnaireExtensions& ADictionnaire, TRef<AInterface>& AExtension) {
  TRef<IInterface> brute;
  const bool trouvee = ADictionnaire.TryGetNonType(AInterface::IID, brute);
  AExtension = TyperExtension<AInterface>(std::move(brute));
  return trouvee;
}

}  // namespace kv
