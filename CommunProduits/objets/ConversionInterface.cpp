#include "objets/ConversionInterface.h"

#include "commun/Format.h"

namespace kv::detail {

void LeverConversionInterface(const TGUID& AGuid) {
  throw EIntfCastError(Formater(u"Interface non supportée : %0:s.", {GuidVersTexte(AGuid)}));
}

}  // namespace kv::detail
