#pragma once

#include <string>
#include <typeinfo>

namespace kv::plateforme {

// The C++ name of a type as a reader writes it ("std::runtime_error"), for
// reports on exceptions that do not come from the framework.
std::u16string NomTypeLisible(const std::type_info& AType);

}  // namespace kv::plateforme
