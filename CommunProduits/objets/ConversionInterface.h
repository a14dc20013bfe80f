#pragma once

// Interface conversions that must succeed.

#include "commun/Exception.h"
#include "objets/Guid.h"
#include "objets/Interface.h"
#include "objets/Reference.h"

namespace kv {

// An object asked for an interface it does not implement, where the caller
// relies on it.
KV_DECLARER_EXCEPTION(EIntfCastError, Exception);

namespace detail {
[[noreturn]] void LeverConversionInterface(const TGUID& AGuid);
}  // namespace detail

// The interface AInterface of the object behind AObjet; raises EIntfCastError
// when there is no object or it lacks the interface.
template <class AInterface, class ASource>
TRef<AInterface> Convertir(ASource* AObjet) {
  TRef<AInterface> interface = Interroger<AInterface>(AObjet);
  if (!interface) detail::LeverConversionInterface(AInterface::IID);
  return interface;
}

}  // namespace kv
