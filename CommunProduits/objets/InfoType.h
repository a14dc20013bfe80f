#pragma once

// Run-time type information: what the serialization layer needs to know of a
// type to hold, copy, write and read its values and to lay out a call, and
// what it needs to know of an interface to describe it as a service.
//
// There is one immutable object per described C++ type, with static storage,
// made by the templates of DescriptionType.h and DescriptionInterface.h; a
// type is told by the object's address (InfoTypeDe<T>() is the same object
// wherever it is asked for). The objects refer to the types of their parts
// through access functions rather than pointers, so that types may refer to
// one another (an interface whose method takes another that refers back).

#include <cstdint>
#include <span>
#include <string_view>

#include "objets/Guid.h"

namespace kv {

enum class TypeGenreType : std::uint8_t {
  gtOrdinal,           // integers, Booleans, characters and enumerations of 1, 2 or 4 bytes
  gtFlottant,          // floating point
  gtEnsemble,          // a set of small ordinal values (objets/Ensemble.h)
  gtClasse,            // a reference to an object; nothing more is known
  gtTableauStatique,   // an array of a fixed number of elements, held in place
  gtRecord,            // a record with its fields
  gtTableauDynamique,  // a counted array (objets/TableauDynamique.h)
  gtEntier64,          // a 64-bit integer; nothing more is known
  gtChaine,            // a string; nothing more is known
  gtInterface,         // a reference to an interface
};

enum class TypeFlottant : std::uint8_t { tfSimple, tfDouble };

class TInfoType;

// The way one type description reaches another.
using TypeAccesInfoType = const TInfoType& (*)();

// What every description has: its kind. The description of a kind with data
// of its own is the class below that names the kind in GenreType; Comme<T>()
// gives it.
class TInfoType {
 public:
  TypeGenreType Genre;

  // This description as the class T of its kind; null when it is of another kind.
  template <class T>
  const T* Comme() const noexcept {
    return Genre == T::GenreType ? static_cast<const T*>(this) : nullptr;
  }
};

struct TInfoTypeOrdinal : TInfoType {
  static constexpr TypeGenreType GenreType = TypeGenreType::gtOrdinal;
  std::int32_t Taille;  // 1, 2 or 4
  bool Signe;
};

struct TInfoTypeFlottant : TInfoType {
  static constexpr TypeGenreType GenreType = TypeGenreType::gtFlottant;
  TypeFlottant Flottant;
};

struct TInfoTypeEnsemble : TInfoType {
  static constexpr TypeGenreType GenreType = TypeGenreType::gtEnsemble;
  // (largest element div 8) - (smallest element div 8) + 1
  std::int32_t NombreOctets;
};

struct TInfoTypeTableauStatique : TInfoType {
  static constexpr TypeGenreType GenreType = TypeGenreType::gtTableauStatique;
  std::int32_t Taille;  // of the whole array
  std::int32_t NombreElements;
  TypeAccesInfoType AccesTypeElement;  // null when the element type is not known

  const TInfoType* TypeElement() const { return AccesTypeElement ? &AccesTypeElement() : nullptr; }
};

struct TypeInfoChamp {
  std::u16string_view Nom;
  std::int32_t Offset;  // in bytes, from the start of the record
  TypeAccesInfoType AccesType;

  const TInfoType& Type() const { return AccesType(); }
};

struct TInfoTypeRecord : TInfoType {
  static constexpr TypeGenreType GenreType = TypeGenreType::gtRecord;
  std::int32_t Taille;
  std::span<const TypeInfoChamp> Champs;  // in order of their offsets
};

struct TInfoTypeTableauDynamique : TInfoType {
  static constexpr TypeGenreType GenreType = TypeGenreType::gtTableauDynamique;
  std::int32_t TailleElement;
  TypeAccesInfoType AccesTypeElementGere;  // the element type when it needs releasing, else null
  TypeAccesInfoType AccesTypeElement;      // null when the element type is not known

  const TInfoType* TypeElementGere() const {
    return AccesTypeElementGere ? &AccesTypeElementGere() : nullptr;
  }
  const TInfoType* TypeElement() const { return AccesTypeElement ? &AccesTypeElement() : nullptr; }
};

// How a parameter is declared; a set of flags is one byte, bit i for the flag
// of ordinal i.
enum class TypeDrapeauParametre : std::uint8_t {
  dpConst,          // read only, passed as the compiler sees fit
  dpVar,            // by reference, read and written
  dpSortie,         // by reference, written only
  dpTableauOuvert,  // an open array: the parameter's type is the element type
  dpAdresse,        // by address; no C++ form gives it (kept for descriptions made elsewhere)
};
using TypeDrapeauxParametre = std::uint8_t;

constexpr TypeDrapeauxParametre DrapeauParametre(TypeDrapeauParametre ADrapeau) noexcept {
  return static_cast<TypeDrapeauxParametre>(1u << static_cast<unsigned>(ADrapeau));
}

constexpr bool ContientDrapeau(TypeDrapeauxParametre ADrapeaux,
                               TypeDrapeauParametre ADrapeau) noexcept {
  return (ADrapeaux & DrapeauParametre(ADrapeau)) != 0;
}

struct TypeInfoParametre {
  std::u16string_view Nom;
  TypeDrapeauxParametre Drapeaux;
  TypeAccesInfoType AccesType;  // for an open array, the element type

  const TInfoType& Type() const { return AccesType(); }
};

struct TypeInfoMethode {
  std::u16string_view Nom;
  std::int32_t IndiceTable;             // slot in the interface's table; IInterface has 0 to 2
  TypeAccesInfoType AccesTypeResultat;  // null for a method without result
  std::span<const TypeInfoParametre> Parametres;

  const TInfoType* TypeResultat() const {
    return AccesTypeResultat ? &AccesTypeResultat() : nullptr;
  }
};

struct TInfoTypeInterface : TInfoType {
  static constexpr TypeGenreType GenreType = TypeGenreType::gtInterface;
  TGUID Guid;
  std::u16string_view Nom;
  const TInfoTypeInterface* Parent;  // null for IInterface
  // In table order, the parents' first, without the three of IInterface.
  std::span<const TypeInfoMethode> Methodes;
};

}  // namespace kv
