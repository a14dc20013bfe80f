#include <cxxabi.h>

#include <cstdlib>
#include <memory>

#include "plateforme/NomsTypes.h"
#include "plateforme/Texte.h"

namespace kv::plateforme {

std::u16string NomTypeLisible(const std::type_info& AType) {
  int statut = 0;
  const std::unique_ptr<char, decltype(&std::free)> nom(
      abi::__cxa_demangle(AType.name(), nullptr, nullptr, &statut), &std::free);
  return DepuisUtf8(statut == 0 && nom ? nom.get() : AType.name());
}

}  // namespace kv::plateforme
