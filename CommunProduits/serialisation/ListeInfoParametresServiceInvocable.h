#pragma once

// A list of parameter descriptions: the parameters of a method, the fields of
// a record, the element and index of an array.
//
// Paths. A path is a list of indices: the first into this list, each next one
// into the sub-description list of the serializer of the description reached
// before (ISerialisateurAvecSousParametres). GetCheminParametre ends a path
// with -1 where a name is not found; such a path designates nothing, and every
// operation that follows a path (GetTabInfoParametresTraverses,
// TypeInfoCouplageParametresServiceInvocable::CouplerConteneurs) refuses it,
// as it refuses any index out of range and an empty path, with EListError.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "serialisation/I_Formatter.h"

namespace kv {

class TInfoParametreServiceInvocable;

using TTabInfoParametreServiceInvocable = std::vector<TInfoParametreServiceInvocable*>;

// A value: copying it shares the descriptions; Vider frees them, once, for
// all copies.
struct TypeListeInfoParametresServiceInvocable {
  TTabInfoParametreServiceInvocable FInfoParametres;

  std::int32_t GetNombre() const noexcept {
    return static_cast<std::int32_t>(FInfoParametres.size());
  }
  // Raises EListError for an index out of range.
  TInfoParametreServiceInvocable* GetInfoParametre(std::int32_t AIndice) const;

  // Appends ANombreParametres new empty descriptions; answers the former
  // count, the index of the first new one. Raises EArgumentInvalide for a
  // negative count.
  std::int32_t CreerInfoParametres(std::int32_t ANombreParametres);
  // Frees every description and empties the list.
  void Vider() noexcept;

  // The count, then each description through AFormat.
  void Serialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) const;
  // Replaces the descriptions by those read. A count below zero or beyond the
  // bytes left in the stream (each description takes some) raises EReadError
  // before anything is made. After a failure the list holds the descriptions
  // made so far, partly read, for its owner to free.
  void Deserialiser(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat);
  // One element "Parametre" per description, holding its trace.
  void SerialiserPourTrace(IFormatter& AFormateur, TypeClasseFormatSerialisation AFormat) const;

  // The indices of a dotted name ("Param.Champ.Elements"); a dot followed by
  // "@" does not separate ("Elements.@Indice" is one name). Names compare
  // without regard to case in the user's locale. Ends with -1 at the first
  // name not found, and after a value without parts when a part is named.
  std::vector<std::int32_t> GetCheminParametre(std::u16string_view AStrChemin) const;
  // The descriptions along AChemin. Raises EListError for an empty path or an
  // index out of range (-1 included), EIntfCastError ("Interface non
  // supportée") when the path goes through a serializer without parts.
  TTabInfoParametreServiceInvocable GetTabInfoParametresTraverses(
      std::span<const std::int32_t> AChemin) const;
};

}  // namespace kv
