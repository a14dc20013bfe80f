#pragma once

// Inputs of the call layouts for the C++ types the tests pass, as the type
// descriptions give them: size, management, floating point, argument
// positions, copy semantics and scalars.

#include <string>
#include <vector>

#include "serialisation/DispositionAppel.h"

namespace kv::test {

inline constexpr TypeModesParametre mpsE = mpsEntrant;
inline constexpr TypeModesParametre mpsER = mpsEntrant | mpsParReference;
inline constexpr TypeModesParametre mpsESR = mpsEntrant | mpsSortant | mpsParReference;
inline constexpr TypeModesParametre mpsSR = mpsSortant | mpsParReference;
inline constexpr TypeModesParametre mpsS = mpsSortant;

// An integer, a pointer or an enumeration of ATaille bytes.
inline TypeEntreeDisposition Entier(std::int32_t ATaille, TypeModesParametre AModes = mpsE) {
  return {AModes, ATaille, false, false, 1, true, {{0, ATaille, false}}};
}

inline TypeEntreeDisposition Flottant(std::int32_t ATaille, TypeModesParametre AModes = mpsE) {
  return {AModes, ATaille, false, true, 1, true, {{0, ATaille, true}}};
}

// A trivially copyable record made of the scalars AFeuilles.
inline TypeEntreeDisposition Record(std::int32_t ATaille,
                                    std::vector<TypeFeuilleScalaire> AFeuilles,
                                    TypeModesParametre AModes = mpsE) {
  return {AModes, ATaille, false, false, 1, true, std::move(AFeuilles)};
}

// A set of ATaille bytes: the 32-bit rules apply.
inline TypeEntreeDisposition Ensemble(std::int32_t ATaille, TypeModesParametre AModes = mpsE) {
  std::vector<TypeFeuilleScalaire> octets;
  for (std::int32_t i = 0; i < ATaille; ++i) octets.push_back({i, 1, false});
  return {static_cast<TypeModesParametre>(AModes | mpsRegles32En64),
          ATaille,
          false,
          false,
          1,
          true,
          std::move(octets)};
}

// std::u16string: managed, not trivially copyable.
inline TypeEntreeDisposition Chaine(TypeModesParametre AModes = mpsE) {
  return {AModes, static_cast<std::int32_t>(sizeof(std::u16string)), true, false, 1, false, {}};
}

// TTableauDynamique<T> or TRef<I>: one pointer, managed, not trivially copyable.
inline TypeEntreeDisposition PointeurGere(TypeModesParametre AModes = mpsE) {
  return {AModes, 8, true, false, 1, false, {}};
}

// TTableauOuvert<T>: the address of the first value and the index of the last.
inline TypeEntreeDisposition TableauOuvert(TypeModesParametre AModes = mpsE) {
  return {AModes, 16, false, false, 2, true, {{0, 8, false}, {8, 4, false}, {12, 4, false}}};
}

inline TypeEntreeDispositionMethode Methode(std::vector<TypeEntreeDisposition> AParametres) {
  return {false, std::move(AParametres)};
}

// AResultat first, with the modes of an out parameter.
inline TypeEntreeDispositionMethode Fonction(TypeEntreeDisposition AResultat,
                                             std::vector<TypeEntreeDisposition> AParametres) {
  AResultat.ModesAPriori = mpsSR;
  AParametres.insert(AParametres.begin(), std::move(AResultat));
  return {true, std::move(AParametres)};
}

}  // namespace kv::test
