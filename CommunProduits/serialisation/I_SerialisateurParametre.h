#pragma once

// A parameter serializer: holds, copies, releases, writes and reads the values
// of one parameter type without compiled code for the type.
//
// Values lie in raw memory as the C++ objects of their type (a call-frame
// slot, a record field, an array element, a container's storage):
//   integers, enumerations, Booleans, characters: their bytes; floating-point
//   numbers likewise; a GUID: its 16 bytes;
//   a string: a std::u16string object;
//   an interface: one pointer to the interface, holding a counted reference;
//   an object: one pointer to a TObjetInterfacable;
//   a dynamic array: one pointer to the first element of a block
//   (objets/TableauDynamique.h);
//   an open array: a TypeTableauOuvert (objets/TableauOuvert.h);
//   a record: a standard-layout struct; a fixed-size array: T[N].
//
// Not every C++ value is valid as zero bytes (an all-zero std::u16string is no
// string), so storage is brought to life with InitialiserValeur before any
// other operation touches it, and ended with DetruireValeur. "Empty" below
// means the value InitialiserValeur makes: zero bytes, a null pointer, an
// empty string, an empty array.

#include <cstdint>
#include <string_view>

#include "objets/Guid.h"
#include "objets/Interface.h"
#include "serialisation/I_Formatter.h"

namespace kv {

class TConteneurParametre;

class ISerialisateurParametre : public IInterface {
 public:
  static constexpr TGUID IID = GuidLitteral("{BAC53061-D6D5-4963-857D-48129418906F}");

  // A new container named ANom, owned by the caller, holding an empty value
  // and the sub-containers the type needs, recursively. Disposed of only by
  // LibererConteneur of the same serializer.
  virtual TConteneurParametre* CreerConteneur(std::u16string_view ANom) = 0;
  // Releases the value held by AConteneur and disposes of it with its
  // sub-containers.
  virtual void LibererConteneur(TConteneurParametre* AConteneur, bool ALibererObjets) = 0;
  // Copies the value at ASource over the live value at ADestination:
  // references gain a count on the copy, the value previously at the
  // destination is released; objects dropped from the destination are freed
  // only when ALibererObjets. Copying a value onto itself changes nothing.
  virtual void CopierValeur(const void* ASource, void* ADestination, bool ALibererObjets) = 0;
  // Releases the value at AAdresse and leaves an empty live value there;
  // objects are freed only when ALibererObjets.
  virtual void LibererValeur(void* AAdresse, bool ALibererObjets) = 0;
  // Writes the value held by AConteneur through AFormateur; values that carry
  // their own description (objects, interfaces) are written in AFormat.
  // AEnPlace: false, the object itself travels, and reading makes a new one;
  // true, the object exists on both sides and only its state travels.
  virtual void SerialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                                TypeClasseFormatSerialisation AFormat, bool AEnPlace) = 0;
  // Reads into AConteneur a value written by SerialiserValeur in the same
  // format. Raises on a corrupt stream without reading or writing out of
  // bounds; the container then holds a live value that LibererConteneur
  // disposes of.
  virtual void DeserialiserValeur(TConteneurParametre* AConteneur, IFormatter& AFormateur,
                                  TypeClasseFormatSerialisation AFormat, bool AEnPlace) = 0;
  // Bytes a value occupies in memory.
  virtual std::int32_t GetTaille() = 0;
  // Alignment of the value inside a record.
  virtual std::int32_t GetAlignement() = 0;
  // The value holds references that must be released.
  virtual bool GetEstGere() = 0;
  // The calling convention passes the value in a floating-point register.
  virtual bool GetEstFlottant() = 0;
  // Argument positions one parameter of the type takes (2 for an open array).
  virtual std::int32_t GetNombreParametres() = 0;
  // No effect.
  virtual void Reserve() = 0;
  // Whether AAutre may replace this serializer in a parameter description.
  virtual bool EstCompatibleAvec(ISerialisateurParametre* AAutre) = 0;

  // Makes an empty value in raw storage of GetTaille bytes (suitably aligned)
  // that holds none.
  virtual void InitialiserValeur(void* AAdresse) noexcept = 0;
  // Ends the life of the empty (released) value at AAdresse, leaving raw
  // storage. Destroying a value that still holds references leaks them.
  virtual void DetruireValeur(void* AAdresse) noexcept = 0;

 protected:
  ~ISerialisateurParametre() = default;
};

}  // namespace kv
