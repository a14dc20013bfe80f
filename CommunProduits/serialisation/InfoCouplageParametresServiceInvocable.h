#pragma once

// A coupling between two parameter values of a described method, each
// designated by a path (ListeInfoParametresServiceInvocable.h): the value at
// CheminParamUtilisateur uses the one at CheminParamUtilise.

#include <cstdint>
#include <span>
#include <vector>

#include "serialisation/I_Formatter.h"

namespace kv {

class TConteneurParametre;

struct TypeInfoCouplageParametresServiceInvocable {
  std::vector<std::int32_t> CheminParamUtilisateur;
  std::vector<std::int32_t> CheminParamUtilise;

  TypeInfoCouplageParametresServiceInvocable() = default;
  TypeInfoCouplageParametresServiceInvocable(std::vector<std::int32_t> ACheminParamUtilisateur,
                                             std::vector<std::int32_t> ACheminParamUtilise)
      : CheminParamUtilisateur(std::move(ACheminParamUtilisateur)),
        CheminParamUtilise(std::move(ACheminParamUtilise)) {}

  // Both paths, each an integer array.
  void SerialiserTout(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) const;
  void DeserialiserTout(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat);
  // Elements "CheminParamUtilisateur" and "CheminParamUtilise", each holding
  // its integer array.
  void SerialiserPourTrace(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) const;

  // Couples (CouplerAvec) the container at CheminParamUtilisateur with the one
  // at CheminParamUtilise: the first index of a path goes into AConteneurs,
  // each next one into the sub-containers of the container reached before.
  // Raises EListError, coupling nothing, for an empty path, an index out of
  // range (-1 included) or a null container on the way.
  void CouplerConteneurs(std::span<TConteneurParametre* const> AConteneurs) const;
};

using TypeInfoCouplagesParametresServiceInvocable =
    std::vector<TypeInfoCouplageParametresServiceInvocable>;

}  // namespace kv
