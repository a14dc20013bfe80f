#pragma once

// Traces are named elements, each around one value or a nested trace.

#include <string_view>

#include "serialisation/I_Formatter.h"

namespace kv {

// The element ANom around what AEcriture writes through AFormateur.
template <class AEcrire>
void Tracer(IFormatter& AFormateur, std::u16string_view ANom, AEcrire AEcriture) {
  AFormateur.DebutElement(ANom);
  AEcriture();
  AFormateur.FinElement();
}

}  // namespace kv
